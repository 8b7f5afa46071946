#pragma once

#include <cstdint>

namespace trevan {

enum TSupportType : std::uint8_t { ftNone = 0, ftVice = 1, ftRoll = 2, ftHinge = 3 };

inline constexpr int SupportTypeCount = 4;

// The type names of older tables, indexed by type value.
inline constexpr const char* SupportTypeNames[SupportTypeCount] = {"ftNone", "ftVice", "ftRoll", "ftHinge"};
// Texts of the property inspector's "Type:" row, indexed by type value.
inline constexpr const char* SupportTypeLabels[SupportTypeCount] = {"None", "Vice (fixed)", "Roller",
                                                                    "Hinge (pinned)"};
// Names shown in a support's name text, indexed by type value.
inline constexpr const char* SupportDisplayNames[SupportTypeCount] = {"None", "Vice", "Roll", "Hinge"};

inline constexpr bool IsValidSupportType(long long value) { return value >= 0 && value < SupportTypeCount; }

// A held end carries moments and shears; an ftNone end is free.
inline constexpr bool IsHeld(TSupportType t) { return t != ftNone; }

// The beam turns freely over hinges and rollers, so only those joints are balanced.
inline constexpr bool IsPinned(TSupportType t) { return t == ftHinge || t == ftRoll; }

}  // namespace trevan
