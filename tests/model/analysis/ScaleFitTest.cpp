#include <gtest/gtest.h>

#include "analysis/ScaleFit.h"

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
      // 15 m is 376 columns at 0.04, 751 at 0.02; 10 kN / 68 px = 147 -> 250; 60 kNm / 68 -> 1250.
      {"fifteen metres", {15, 10000, 5000, 60000}, {250, 1250, 0.04}},
      // 7.9 m fits at 0.02 (396 columns); light loads give the finest steps.
      {"short and light", {7.9, 10, 5, 20}, {2.5, 2.5, 0.02}},
      // 200 m needs 0.64 (313 columns; 626 at 0.32).
      {"long", {200, 100, 50, 5000}, {2.5, 125, 0.64}},
      // Nothing to show keeps the force and moment scales.
      {"unloaded", {10, 0, 0, 0}, {250, 500, 0.04}},
  };
  for (const auto& row : rows) {
    const ScaleFit::Scales s = ScaleFit::Fit(row.extent, start, room);
    EXPECT_DOUBLE_EQ(s.force, row.fitted.force) << row.name;
    EXPECT_DOUBLE_EQ(s.moment, row.fitted.moment) << row.name;
    EXPECT_DOUBLE_EQ(s.distance, row.fitted.distance) << row.name;
    EXPECT_FALSE(ScaleFit::Overflows(row.extent, s, room)) << row.name;
  }
  EXPECT_TRUE(ScaleFit::Overflows({10, 0, 0, 62500}, start, room)) << "125 pixels of moment";
}

}  // namespace
}  // namespace trevan
