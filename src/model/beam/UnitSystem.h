#pragma once

namespace trevan {

inline constexpr double FeetToMetres = 0.3048;
// Used for the beam length only; everything else divides by FeetToMetres.
inline constexpr double MetresToFeet = 3.2808398950131231941;
// lbf to N, for point forces.
inline constexpr double PoundsForceToNewtons = 4.4482216152605;
// lbf/ft to N/m, for the intensities of distributed loads.
inline constexpr double PoundsPerFootToNewtonsPerMetre = 14.593902937206;

// lbf·ft to N·m, for point moments: the force factor times the foot.
inline constexpr double PoundFeetToNewtonMetres = PoundsForceToNewtons * FeetToMetres;
// lbf/in to N/m, for vertical spring stiffnesses.
inline constexpr double PoundsPerInchToNewtonsPerMetre = PoundsForceToNewtons / 0.0254;
// in to m, for settlements.
inline constexpr double InchesToMetres = 0.0254;

// The conversions of a unit switch, one per kind of value, so that what a
// switch would produce can be checked before anything is changed.
inline double ConvertPosition(double x, bool toMetric) {
  return toMetric ? x * FeetToMetres : x / FeetToMetres;
}
inline double ConvertBeamLength(double length, bool toMetric) {
  return toMetric ? length * FeetToMetres : length * MetresToFeet;
}
inline double ConvertForce(double f, bool toMetric) {
  return toMetric ? f * PoundsForceToNewtons : f / PoundsForceToNewtons;
}
inline double ConvertIntensity(double w, bool toMetric) {
  return toMetric ? w * PoundsPerFootToNewtonsPerMetre : w / PoundsPerFootToNewtonsPerMetre;
}

// A point moment, or a rotational spring in moment per radian.
inline double ConvertMoment(double m, bool toMetric) {
  return toMetric ? m * PoundFeetToNewtonMetres : m / PoundFeetToNewtonMetres;
}
inline double ConvertSpring(double k, bool toMetric) {
  return toMetric ? k * PoundsPerInchToNewtonsPerMetre : k / PoundsPerInchToNewtonsPerMetre;
}
inline double ConvertRotationalSpring(double k, bool toMetric) { return ConvertMoment(k, toMetric); }
inline double ConvertSettlement(double s, bool toMetric) {
  return toMetric ? s * InchesToMetres : s / InchesToMetres;
}

inline const char* LengthUnit(bool metric) { return metric ? "m" : "ft"; }
inline const char* ForceUnit(bool metric) { return metric ? "N" : "lbf"; }
inline const char* MomentUnit(bool metric) { return metric ? "Nm" : "ft-lbf"; }

// The application's current unit system, which new beams start from. It is
// application-wide by nature: the settings store initialises it and every
// beam's unit switch updates it.
bool ApplicationMetric();
void SetApplicationMetric(bool metric);

}  // namespace trevan
