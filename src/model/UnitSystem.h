#pragma once

namespace trevan {

inline constexpr double FeetToMetres = 0.3048;
// Used for the beam length only; everything else divides by FeetToMetres.
inline constexpr double MetresToFeet = 3.2808398950131231941;
// lbf to N; the one factor for every force value and intensity.
inline constexpr double PoundsForceToNewtons = 1.355818;

inline const char* LengthUnit(bool metric) { return metric ? "m" : "ft"; }
inline const char* ForceUnit(bool metric) { return metric ? "N" : "lbf"; }
inline const char* MomentUnit(bool metric) { return metric ? "Nm" : "ft-lbf"; }

// The application's current unit system, which new beams start from. It is
// application-wide by nature: the settings store initialises it and every
// beam's unit switch updates it.
bool ApplicationMetric();
void SetApplicationMetric(bool metric);

}  // namespace trevan
