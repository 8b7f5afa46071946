#include <gtest/gtest.h>

#include "analysis/ScaleFit.h"

#include <cmath>

namespace trevan {
namespace {

TEST(ScaleFitTest, StepsAreThoseOfTheScaleCommands) {
  const struct {
    double v, step;
  } rows[] = {{0, 2.5},   {0.1, 2.5}, {2.5, 2.5}, {2.6, 5},     {12.5, 12.5},
              {12.6, 25}, {250, 250}, {251, 500}, {1300, 2500}, {600000, 1250000}};
  for (const auto& row : rows) EXPECT_DOUBLE_EQ(ScaleFit::StepAtLeast(row.v), row.step) << row.v;
}

// Room of 400 columns and 100 pixels each side of the lines, 68 after the margin.
TEST(ScaleFitTest, FitPicksTheFinestStepsThatFit) {
  const ScaleFit::Room room{400, 100, 100};
  const ScaleFit::Scales start{250, 500, 0.04};
  const struct {
    const char* name;
    ScaleFit::Extent extent;
    ScaleFit::Scales fitted;
  } rows[] = {
      // 10 kN / 68 px = 147 -> 250; 60 kNm / 68 -> 1250.
      {"fifteen metres", {15, 10000, 5000, 60000}, {250, 1250, 0}},
      // Light loads give the finest steps.
      {"short and light", {7.9, 10, 5, 20}, {2.5, 2.5, 0}},
      {"long", {200, 100, 50, 5000}, {2.5, 125, 0}},
      // Nothing to show keeps the force and moment scales.
      {"unloaded", {10, 0, 0, 0}, {250, 500, 0}},
  };
  for (const auto& row : rows) {
    const ScaleFit::Scales s = ScaleFit::Fit(row.extent, start, room);
    EXPECT_DOUBLE_EQ(s.force, row.fitted.force) << row.name;
    EXPECT_DOUBLE_EQ(s.moment, row.fitted.moment) << row.name;
    // The beam over the whole width: at least 99 % of the 400 columns, never
    // more, at a scale of three significant digits.
    const double columns = std::trunc(row.extent.length / s.distance + 1e-9) + 1;
    EXPECT_LE(columns, 400) << row.name;
    EXPECT_GE(columns, 396) << row.name;
    const double digits = s.distance / std::pow(10.0, std::floor(std::log10(s.distance)) - 2);
    EXPECT_NEAR(digits, std::round(digits), 1e-6) << row.name << ": " << s.distance;
    EXPECT_FALSE(ScaleFit::Overflows(row.extent, s, room)) << row.name;
  }
  EXPECT_TRUE(ScaleFit::Underfills({10, 100, 50, 5000}, start, room)) << "under a fifth of each pane";
  EXPECT_TRUE(ScaleFit::Overflows({10, 0, 0, 62500}, start, room)) << "125 pixels of moment";
}

}  // namespace
}  // namespace trevan
