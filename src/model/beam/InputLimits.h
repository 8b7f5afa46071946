#pragma once
// The bounds shared by every way a number gets into a beam: the file reader,
// the new-project dialog, the unit switch, paste and the property inspector.
// Within them the writer's "%9.9f" text stays short and reads back into the
// same beam.

#include <string>
#include <string_view>

namespace trevan::limits {

// Forces, intensities and positions must be finite and below this in magnitude.
inline constexpr double MaxMagnitude = 1e12;
// In m or ft alike: shorter beams would save with too few digits to matter.
inline constexpr double MinBeamLength = 0.01;
inline constexpr double MaxBeamLengthMetres = 10000;
// 10000 m, rounded up to the tenth of a foot the user types.
inline constexpr double MaxBeamLengthFeet = 32808.4;
// Closest two supports, or a support and an end of the chain, may stand.
inline constexpr double MinSupportGap = 1e-6;
// Saving rounds every real to nine decimals, which can bring two values up to
// 1e-9 closer; the reader allows for it so that a saved beam always reopens.
inline constexpr double FileRoundingSlack = 2e-9;

double MaxBeamLength(bool metric);
bool IsBeamLength(double length, bool metric);
// "from 0.01 to 10000 m"
std::string BeamLengthRange(bool metric);

// A force, an intensity or a position the file format can carry.
bool IsMagnitude(double value);

// The support chain spans the beam and ten 0.04 columns on either side.
double ChainStart();
double ChainEnd(double length);
// A support position within the chain, clear of its ends; slack widens the
// range for values read back from a file.
bool IsSupportPosition(double x, double length, double slack = 0);
bool AreSupportsApart(double a, double b, double slack = 0);

// A load position on the beam itself, where the analysis samples loads.
bool IsLoadPosition(double x, double length);

// A line of the title block: at most this many bytes, no control characters.
inline constexpr std::size_t MaxTitleLength = 200;
bool IsTitleText(std::string_view text);

// A user combination's factor on a case: finite and at most this in size.
inline constexpr double MaxCombinationFactor = 100;
bool IsCombinationFactor(double factor);

// E and I of a section, each in the beam's units: positive, finite and
// within these bounds, so that E I and the deflections stay ordinary numbers.
inline constexpr double MinSectionValue = 1e-20;
inline constexpr std::size_t MaxSegments = 1000;
bool IsSectionValue(double value);

// The deflection limit n of a check span/n: at least 1 (the span itself).
inline constexpr double DefaultDeflectionLimit = 250;
bool IsDeflectionLimit(double n);

// A point moment or a settlement: finite and below MaxMagnitude in size.
bool IsMomentValue(double value);
bool IsSettlementValue(double value);
// A vertical or rotational spring stiffness: positive, finite, below MaxMagnitude.
bool IsStiffnessValue(double value);
// An internal hinge on the beam, clear of every other joint (supports and
// hinges) by at least MinSupportGap.
bool IsHingePosition(double x, double length);
bool IsHingeApart(double x, double joint);
// A hinge may also stand right on a support other than a vice (within the
// file's rounding): the two share a node that is held and free to turn, as
// where two simply supported spans meet on one pin.
bool IsHingeOnJoint(double x, double joint);
bool MayHingeStandBy(double hinge, double support, bool vice);

enum class ParsedValue { Ok, NotANumber, NotFinite };
// Reads an edited value: the whole text (surrounding blanks aside) must be
// one number. "inf", "nan" and numbers too large for a double are numbers
// all the same, only not finite ones: their fault is their size.
ParsedValue ParseEdited(std::string_view text, double& value);

}  // namespace trevan::limits
