#pragma once

#include <string>
#include <string_view>

namespace trevan::cli {

// A minimal JSON writer: enough for one report object. Numbers are written
// in their shortest form that reads back to the same double.
class JsonWriter {
 public:
  void BeginObject();
  void EndObject();
  void BeginArray(std::string_view key);
  void EndArray();
  void BeginObjectMember(std::string_view key);
  void Member(std::string_view key, std::string_view value);
  void Member(std::string_view key, const char* value) { Member(key, std::string_view(value)); }
  void Member(std::string_view key, double value);
  void Member(std::string_view key, int value);
  void Member(std::string_view key, bool value);
  void Element(double value);

  const std::string& str() const { return text_; }

  static std::string Number(double value);
  static std::string Quote(std::string_view text);

 private:
  void Separator();
  void Key(std::string_view key);

  std::string text_;
  bool first_ = true;
};

}  // namespace trevan::cli
