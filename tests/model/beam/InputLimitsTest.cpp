#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>

#include "ChainChecks.h"
#include "EditFixture.h"
#include "TempDir.h"
#include "beam/InputLimits.h"
#include "beam/UnitSystem.h"

namespace trevan {
namespace {

// One pound-force is standard gravity on one avoirdupois pound; one foot is 0.3048 m.
constexpr double Pound = 0.45359237 * 9.80665;
constexpr double Foot = 0.3048;

::testing::AssertionResult NearRelative(double actual, double expected, double relative) {
  if (std::fabs(actual - expected) <= relative * std::fabs(expected)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << actual << " is not within " << relative << " relative of " << expected;
}

class UnitSwitchTest : public test::EditFixture {};

TEST_F(UnitSwitchTest, FeetValuesAgreeWithHandConversion) {
  auto f = beam().AddCharge(charge(5, 15000, &window));
  auto d = beam().AddDistrCharge(distrcharge(1, 3, 5000, -2000, &window));
  element* s = beam().InsertSupport(10, ftHinge);
  ASSERT_TRUE(beam().SetMetric(false));

  EXPECT_TRUE(NearRelative(f->f, 15000 / Pound, 1e-12));
  EXPECT_NEAR(f->f, 3372.13, 0.01);
  EXPECT_TRUE(NearRelative(d->F1, 5000 / (Pound / Foot), 1e-12));
  EXPECT_NEAR(d->F1, 342.60, 0.01);
  EXPECT_TRUE(NearRelative(d->F2, -2000 / (Pound / Foot), 1e-12));
  EXPECT_TRUE(NearRelative(f->x, 5 / Foot, 1e-15));
  EXPECT_TRUE(NearRelative(d->X2, 3 / Foot, 1e-15));
  EXPECT_TRUE(NearRelative(s->X1, 10 / Foot, 1e-15));
  EXPECT_TRUE(NearRelative(beam().Length, 15 / Foot, 1e-15));
  // The chain ends where reopening the saved beam puts them.
  EXPECT_EQ(beam().Sentinel()->X1, -0.4);
  EXPECT_DOUBLE_EQ(s->X2, beam().Length + 0.44);
  EXPECT_TRUE(test::ChainIsConsistent(beam()));
}

TEST_F(UnitSwitchTest, MetresToFeetAndBackRestoresEveryValue) {
  struct Values {
    double fx, f, x1, x2, f1, f2, s1, s2, length;
  };
  window.SetScales(1e5, 1e9, 0.04);  // keeps the diagrams of the 1e11 N/m end on the screen
  auto f = beam().AddCharge(charge(0.04 * 37, 1234.5678, &window));
  auto d = beam().AddDistrCharge(distrcharge(0.04 * 3, 0.04 * 371, -987.654, 1e11, &window));
  element* a = beam().InsertSupport(0.04 * 5, ftVice);
  element* b = beam().InsertSupport(15, ftRoll);
  const Values before{f->x, f->f, d->X1, d->X2, d->F1, d->F2, a->X1, b->X1, beam().Length};

  ASSERT_TRUE(beam().SetMetric(false));
  ASSERT_TRUE(beam().SetMetric(true));
  const Values after{f->x, f->f, d->X1, d->X2, d->F1, d->F2, a->X1, b->X1, beam().Length};
  const double* x = &before.fx;
  const double* y = &after.fx;
  for (int i = 0; i < 9; ++i) EXPECT_TRUE(NearRelative(y[i], x[i], 1e-9)) << "value " << i;
  EXPECT_EQ(beam().Sentinel()->X1, -0.4);
  EXPECT_TRUE(test::ChainIsConsistent(beam()));
}

struct RefusedSwitch {
  const char* name;
  bool fromMetric;
  double length;
  double force;       // a point force at 1
  double supportGap;  // two supports this far apart at 1, or 0 for none
  const char* reason;
};

class RefusedUnitSwitchTest : public test::EditFixture,
                              public ::testing::WithParamInterface<RefusedSwitch> {};

TEST_P(RefusedUnitSwitchTest, LeavesTheBeamAsItWas) {
  const RefusedSwitch& c = GetParam();
  SetApplicationMetric(c.fromMetric);
  window.NewBeam(c.length);
  window.SetScales(1e5, 1e9, 0.1);  // keeps diagrams of forces near the limit on the screen
  beam().AddCharge(charge(1, c.force, &window));
  if (c.supportGap > 0) {
    ASSERT_TRUE(beam().InsertSupport(1, ftHinge));
    ASSERT_TRUE(beam().InsertSupport(1 + c.supportGap, ftHinge));
  }
  window.SetDirty(false);
  const std::string problem = beam().UnitSwitchProblem(!c.fromMetric);
  EXPECT_NE(problem.find(c.reason), std::string::npos) << problem;
  EXPECT_FALSE(beam().SetMetric(!c.fromMetric));
  EXPECT_EQ(beam().Metric, c.fromMetric);
  EXPECT_EQ(ApplicationMetric(), c.fromMetric);
  EXPECT_EQ(beam().Length, c.length);
  EXPECT_EQ(beam().Charges[0]->f, c.force);
  EXPECT_FALSE(window.Dirty());
}

INSTANTIATE_TEST_SUITE_P(Limits, RefusedUnitSwitchTest,
                         ::testing::Values(
                             // 32808.4 ft is 10000.00003 m.
                             RefusedSwitch{"LongestFeetBeam", false, 32808.4, 10, 0, "from 0.01 to 10000 m"},
                             RefusedSwitch{"ShortestFeetBeam", false, 0.01, 10, 0, "from 0.01 to 10000 m"},
                             // 3e11 lbf is 1.33e12 N.
                             RefusedSwitch{"ForceGrowsPastTheLimit", false, 50, 3e11, 0, "1e+12"},
                             // 2e-6 ft is 6.1e-7 m.
                             RefusedSwitch{"SupportsCloserThanTheGap", false, 50, 10, 2e-6, "apart"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(UnitSwitchTest, LimitsHoldInBothUnits) {
  window.NewBeam(10000);
  ASSERT_TRUE(beam().SetMetric(false)) << beam().UnitSwitchProblem(false);
  EXPECT_TRUE(NearRelative(beam().Length, 10000 / Foot, 1e-15));

  SetApplicationMetric(false);
  window.NewBeam(32808.39);
  EXPECT_TRUE(beam().SetMetric(true)) << beam().UnitSwitchProblem(true);
}

TEST_F(UnitSwitchTest, AFiveKilometreBeamInFeetSavesAndReopens) {
  window.NewBeam(5000);
  beam().InsertSupport(0, ftHinge);
  beam().InsertSupport(5000, ftHinge);
  beam().AddCharge(charge(2500, 15000, &window));
  ASSERT_TRUE(beam().SetMetric(false));
  test::TempDir dir;
  ASSERT_TRUE(window.Save(dir.File("feet.tvn")));
  ASSERT_TRUE(window.Open(dir.File("feet.tvn"))) << window.LastError();
  EXPECT_FALSE(beam().Metric);
  EXPECT_NEAR(beam().Length, 16404.199475066, 1e-9);
  EXPECT_EQ(beam().SupportCount(), 2);
}

TEST_F(UnitSwitchTest, ASupportReadWithTheFileAllowanceComesBackOnUndo) {
  // 0.999e-6 apart: a save may round two supports 1e-9 closer, so the
  // reader allows for that, and so must the undo of a deletion.
  test::TempDir dir;
  ASSERT_TRUE(window.Open(dir.Write("close.tvn",
                                    "Trevan version :11700 \r\nMetric :1 \r\nbeam length :10 \r\n"
                                    "number of forces :0 \r\nnumber of distributed loads :0 \r\n"
                                    "number of supports :2 \r\nsupport(X,type) :5.000000000 3 \r\n"
                                    "support(X,type) :5.000000999 1 \r\n")))
      << window.LastError();
  window.SelectObject(beam().FirstSupport()->Next.get());
  recorder().RecordDeleteSelected();
  ASSERT_EQ(beam().SupportCount(), 1);
  Undo();
  EXPECT_EQ(test::SupportPositions(beam()), (std::vector<double>{5, 5.000000999}));
}

// The property inspector hands typed values to ApplyProperties.
struct TypedValue {
  const char* name;
  int row;
  const char* text;
  const char* range;  // in the refusal message; empty when accepted
};

class TypedForceTest : public test::EditFixture, public ::testing::WithParamInterface<TypedValue> {};

TEST_P(TypedForceTest, IsRefusedNamingTheRangeOrApplied) {
  const TypedValue& c = GetParam();
  window.SetScales(1e5, 1e9, 0.04);  // keeps diagrams of forces near the limit on the screen
  charge* f = recorder().RecordAddCharge(charge(5, 1000, &window));
  charge& target = *beam().Charges[0];
  ASSERT_EQ(f, &target);
  target.PropertyValues[c.row] = c.text;
  if (*c.range) {
    try {
      target.ApplyProperties();
      ADD_FAILURE() << "accepted";
    } catch (const std::invalid_argument& e) {
      EXPECT_NE(std::string(e.what()).find(c.range), std::string::npos) << e.what();
    }
    EXPECT_EQ(target.f, 1000);
    EXPECT_EQ(target.x, 5);
  } else {
    EXPECT_TRUE(target.ApplyProperties());
    EXPECT_EQ(c.row == 0 ? target.f : target.x, std::stod(c.text));
  }
}

constexpr const char* ForceRange = "between -1e+12 and 1e+12 N";
constexpr const char* OnTheBeam = "from 0 to 15 m";

INSTANTIATE_TEST_SUITE_P(Inspector, TypedForceTest,
                         ::testing::Values(TypedValue{"Huge", 0, "1e308", ForceRange},
                                           TypedValue{"Overflowing", 0, "1e999", ForceRange},
                                           TypedValue{"Infinite", 0, "-inf", ForceRange},
                                           TypedValue{"NotANumber", 0, "nan", ForceRange},
                                           TypedValue{"AtTheLimit", 0, "1e12", ForceRange},
                                           TypedValue{"JustBelowTheLimit", 0, "-999999999999", ""},
                                           TypedValue{"BeforeTheBeam", 1, "-5", OnTheBeam},
                                           TypedValue{"BeyondTheBeam", 1, "2000", OnTheBeam},
                                           TypedValue{"JustBeyondTheEnd", 1, "15.000001", OnTheBeam},
                                           TypedValue{"OnTheEnd", 1, "15", ""},
                                           TypedValue{"OnTheStart", 1, "0", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

class TypedLoadAndSupportTest : public test::EditFixture {};

TEST_F(TypedLoadAndSupportTest, RefusalsKeepTheOldValues) {
  window.SetScales(1e5, 1e9, 0.04);
  recorder().RecordAddDistrCharge(distrcharge(2, 4, 100, 200, &window));
  distrcharge& d = *beam().DistrCharges[0];
  d.PropertyValues[2] = "1e308";
  EXPECT_THROW(d.ApplyProperties(), std::invalid_argument);
  d.UpdateProperties();
  d.PropertyValues[3] = "2000";
  EXPECT_THROW(d.ApplyProperties(), std::invalid_argument);
  EXPECT_EQ(d.F2, 200);
  EXPECT_EQ(d.X2, 4);
  d.UpdateProperties();
  d.PropertyValues[0] = "-999999999999.5";
  EXPECT_TRUE(d.ApplyProperties());
  EXPECT_EQ(d.F1, -999999999999.5);

  element* a = recorder().RecordAddSupport(5, ftHinge);
  element* b = recorder().RecordAddSupport(8, ftHinge);
  for (const char* text : {"1e300", "-0.4", "15.44", "nan"}) {
    b->UpdateProperties();
    b->PropertyValues[0] = text;
    try {
      b->ApplyProperties();
      ADD_FAILURE() << text << " accepted";
    } catch (const std::invalid_argument& e) {
      EXPECT_NE(std::string(e.what()).find("from 0 to 15 m"), std::string::npos) << e.what();
    }
  }
  // Closer to a neighbour than the smallest gap: refused, as onto it, saying why.
  b->UpdateProperties();
  b->PropertyValues[0] = "5.0000005";
  try {
    b->ApplyProperties();
    ADD_FAILURE() << "onto the neighbour accepted";
  } catch (const std::invalid_argument& e) {
    EXPECT_NE(std::string(e.what()).find("right of its neighbour at 5 m"), std::string::npos) << e.what();
  }
  b->PropertyValues[0] = "5.000001";
  EXPECT_TRUE(b->ApplyProperties());
  EXPECT_EQ(b->X1, 5.000001);
  EXPECT_EQ(a->X1, 5);
  // A position moved by a drag is not checked again when only the type changes.
  b->UpdateProperties();
  b->PropertyValues[1] = "Vice (fixed)";
  EXPECT_TRUE(b->ApplyProperties());
  EXPECT_EQ(b->LeftType, ftVice);
}

TEST_F(TypedLoadAndSupportTest, SupportsKeepTheirGapAtEveryEntryPoint) {
  ASSERT_TRUE(beam().InsertSupport(5, ftHinge));
  EXPECT_FALSE(beam().InsertSupport(5 + 0.9e-6, ftHinge));
  EXPECT_FALSE(beam().InsertSupport(-0.4 + 0.5e-6, ftHinge));
  EXPECT_FALSE(beam().InsertSupport(15.44 - 0.5e-6, ftHinge));
  EXPECT_TRUE(beam().InsertSupport(5 + 1e-6, ftHinge));
  EXPECT_TRUE(beam().InsertSupport(15.43, ftHinge));
  EXPECT_EQ(beam().SupportCount(), 3);

  // A drag by one 0.04 m column would leave this one 5e-7 m from its
  // neighbour: it stops a column short of it instead.
  element* offColumn = beam().InsertSupport(9.0400005, ftHinge);
  ASSERT_TRUE(beam().InsertSupport(9, ftHinge));
  beam().MoveObject(*offColumn, -1);
  EXPECT_DOUBLE_EQ(offColumn->X1, 9.04);
  EXPECT_TRUE(test::ChainIsConsistent(beam()));
}

// The factors of moments, springs and settlements from the definitions of
// the pound (0.45359237 kg under 9.80665 m/s^2), the foot and the inch (ft/12).
struct DerivedFactor {
  const char* name;
  double (*convert)(double, bool);
};

class DerivedFactorTest : public ::testing::TestWithParam<DerivedFactor> {};

TEST_P(DerivedFactorTest, ConvertsByTheDefinitionsAndBack) {
  const double lbf = 0.45359237 * 9.80665;  // N
  const DerivedFactor& row = GetParam();
  const double expected = std::string(row.name) == "spring" ? lbf / (0.3048 / 12)
                          : std::string(row.name) == "settlement" ? 0.3048 / 12
                                                                  : lbf * 0.3048;
  EXPECT_NEAR(row.convert(1, true), expected, expected * 1e-14) << row.name;
  EXPECT_NEAR(row.convert(2.5, false) * expected, 2.5, 2.5e-14) << row.name;
  EXPECT_NEAR(row.convert(row.convert(123.456, true), false), 123.456, 123.456e-15) << row.name;
}

INSTANTIATE_TEST_SUITE_P(Units, DerivedFactorTest,
                         ::testing::Values(DerivedFactor{"moment", ConvertMoment},
                                           DerivedFactor{"rotational spring", ConvertRotationalSpring},
                                           DerivedFactor{"spring", ConvertSpring},
                                           DerivedFactor{"settlement", ConvertSettlement}));

TEST(NewValueLimitsTest, BoundsOfMomentsSpringsSettlementsAndHinges) {
  const double inf = INFINITY, nan = NAN;
  for (const double v : {-1e12, 1e12, inf, -inf, nan}) {
    EXPECT_FALSE(limits::IsMomentValue(v)) << v;
    EXPECT_FALSE(limits::IsSettlementValue(v)) << v;
    EXPECT_FALSE(limits::IsStiffnessValue(v)) << v;
  }
  EXPECT_TRUE(limits::IsMomentValue(-9.9e11));
  EXPECT_TRUE(limits::IsSettlementValue(-0.01));  // an upward settlement
  EXPECT_FALSE(limits::IsStiffnessValue(0));
  EXPECT_FALSE(limits::IsStiffnessValue(-1));
  EXPECT_TRUE(limits::IsStiffnessValue(1e-3));
  EXPECT_TRUE(limits::IsHingePosition(0, 10));
  EXPECT_FALSE(limits::IsHingePosition(10.001, 10));
  EXPECT_FALSE(limits::IsHingeApart(4 + 0.5e-6, 4));
  EXPECT_TRUE(limits::IsHingeApart(4 + 1e-6, 4));
}

}  // namespace
}  // namespace trevan
