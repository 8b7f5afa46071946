#pragma once

#include <array>
#include <string>
#include <string_view>

namespace trevan {

// The title block of a calculation sheet: who made it for which job. Stored
// with the beam; an empty one is not written at all.
struct TitleBlock {
  enum Field { Project, Job, Element, Designer, Checker, Revision, Date, FieldCount };
  // Captions for dialogs and the sheet, in field order.
  static constexpr std::array<const char*, FieldCount> Captions = {
      "Project", "Job number", "Element", "Designer", "Checker", "Revision", "Date"};

  std::array<std::string, FieldCount> fields;

  const std::string& operator[](Field f) const { return fields[f]; }
  std::string& operator[](Field f) { return fields[f]; }
  bool Empty() const;
  friend bool operator==(const TitleBlock&, const TitleBlock&) = default;
};

}  // namespace trevan
