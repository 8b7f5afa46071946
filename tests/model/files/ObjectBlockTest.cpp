// Point moments, hinges in the beam and support properties in the file's
// trailing block.
#include <gtest/gtest.h>

#include "RecordingMessages.h"
#include "TempDir.h"
#include "analysis/ExactBeam.h"
#include "beam/UnitSystem.h"
#include "headless/HeadlessWindow.h"

namespace trevan {
namespace {

using test::TempDir;

// A 10 m beam on a hinge support at 0 and a vice at 10.
const std::string Plain =
    "Trevan version :11700 \r\n"
    "Metric :1 \r\n"
    "beam length :10.000000000 \r\n"
    "number of forces :1 \r\n"
    "charge(x,f) :5.000000000 1000.000000000 \r\n"
    "number of distributed loads :0 \r\n"
    "number of supports :2 \r\n"
    "support(X,type) :0.000000000 3 \r\n"
    "support(X,type) :10.000000000 1 \r\n";

const std::string Block =
    "number of extension lines :7 \r\n"
    "number of moments :1 \r\n"
    "moment(x,M,case) :2.5 -1500.25 0 \r\n"
    "number of hinges in the beam :1 \r\n"
    "hinge in the beam(x) :4 \r\n"
    "number of support properties :2 \r\n"
    "support properties(spring,rotational spring,settlement) :45000 0 0.01 \r\n"
    "support properties(spring,rotational spring,settlement) :0 2500000 0 \r\n";

std::string Extended(const std::string& block) {
  return "Trevan version :11800 \r\n" + Plain.substr(24) + block;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

class ObjectBlockTest : public ::testing::Test {
 protected:
  void SetUp() override { SetApplicationMetric(true); }
  void TearDown() override { SetApplicationMetric(true); }
  bool Open(HeadlessWindow& window, const std::string& bytes) {
    return window.Open(dir.Write("beam.tvn", bytes));
  }
  std::string Saved(HeadlessWindow& window, const char* name) {
    EXPECT_TRUE(window.Save(dir.File(name)));
    return TempDir::Read(dir.File(name));
  }

  TempDir dir;
  test::RecordingMessages messages;
  HeadlessWindow window{messages};
};

TEST_F(ObjectBlockTest, TheBlockReadsIntoObjectsAndIsWrittenAsItWasRead) {
  ASSERT_TRUE(Open(window, Extended(Block))) << window.LastError();
  const TTrevanDoc& beam = *window.beam();
  ASSERT_EQ(beam.Moments.size(), 1u);
  EXPECT_EQ(beam.Moments[0]->x, 2.5);
  EXPECT_EQ(beam.Moments[0]->m, -1500.25);
  ASSERT_EQ(beam.Hinges.size(), 1u);
  EXPECT_EQ(beam.Hinges[0]->x, 4);
  const element* pin = beam.FirstSupport();
  EXPECT_EQ(pin->Spring, 45000);
  EXPECT_EQ(pin->Settlement, 0.01);
  EXPECT_EQ(pin->PropertyValues[2], "45") << "kN/m in the inspector";
  EXPECT_EQ(pin->Next->RotationalSpring, 2.5e6);
  EXPECT_EQ(Saved(window, "again.tvn"), Extended(Block));
}

// Many digits after a unit switch, a moment in a second case: every value
// comes back exactly, and a second save writes the same bytes. Without
// the new objects the beam saves as before, byte for byte.
TEST_F(ObjectBlockTest, EveryValueSurvivesSaveAndReopenExactly) {
  ASSERT_TRUE(Open(window, Plain));
  TTrevanDoc& beam = *window.beam();
  beam.Cases.cases = {{"Dead", LoadKind::Permanent}, {"Live", LoadKind::Imposed}};
  beam.AddMoment(couple(1.0 / 3, 1234.5678, &window))->Case = 1;
  beam.AddMoment(couple(9.99, -0.001, &window));
  beam.AddHinge(joint(2.0 / 3, &window));
  beam.AddHinge(joint(7.77, &window));
  beam.AddHinge(joint(1e-6, &window));  // as near to the support at 0 as may be
  ASSERT_TRUE(beam.InsertSupport(5.5, ftRoll));
  ASSERT_TRUE(beam.AddHinge(joint(5.5, &window)));  // right on the roller
  element* vice = beam.FirstSupport()->Next.get();
  vice->Spring = 1e5 / 3;
  vice->RotationalSpring = 7e6 / 7;
  vice->Settlement = -0.0123;
  ASSERT_TRUE(beam.SetMetric(false));
  const std::string first = Saved(window, "first.tvn");
  EXPECT_EQ(first.rfind("Trevan version :11800 \r\n", 0), 0u);

  test::RecordingMessages quiet;
  HeadlessWindow other(quiet);
  ASSERT_TRUE(Open(other, first)) << other.LastError();
  const TTrevanDoc& read = *other.beam();
  ASSERT_EQ(read.Moments.size(), 2u);
  for (std::size_t k = 0; k < 2; ++k) {
    EXPECT_EQ(read.Moments[k]->x, beam.Moments[k]->x);
    EXPECT_EQ(read.Moments[k]->m, beam.Moments[k]->m);
    EXPECT_EQ(read.Moments[k]->Case, beam.Moments[k]->Case);
  }
  ASSERT_EQ(read.Hinges.size(), 4u);
  for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(read.Hinges[k]->x, std::min(beam.Hinges[k]->x, read.Length));
  const element* readVice = read.FirstSupport()->Next.get();
  EXPECT_EQ(readVice->Spring, vice->Spring);
  EXPECT_EQ(readVice->RotationalSpring, vice->RotationalSpring);
  EXPECT_EQ(readVice->Settlement, vice->Settlement);
  EXPECT_EQ(read.FirstSupport()->Spring, 0);
  EXPECT_EQ(Saved(other, "second.tvn"), first);

  ASSERT_TRUE(Open(other, Extended(Block)));
  TTrevanDoc& back = *other.beam();
  back.RemoveMoment(*back.Moments[0]);
  back.RemoveHinge(*back.Hinges[0]);
  back.FirstSupport()->Spring = back.FirstSupport()->Settlement = 0;
  back.FirstSupport()->Next->RotationalSpring = 0;
  EXPECT_EQ(Saved(other, "plain.tvn"), Plain);
}

// As a force past an end: kept, named, and left out of the analysis.
TEST_F(ObjectBlockTest, AMomentPastTheEndIsKeptAndNamed) {
  ASSERT_TRUE(Open(window, Extended(Replace(Block, ":2.5 -1500.25 0", ":12 -1500.25 0"))))
      << window.LastError();
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_NE(messages.messages[0].text.find("the moment of -1500.25 Nm at 12 m"), std::string::npos)
      << messages.messages[0].text;
  EXPECT_EQ(window.beam()->Moments.size(), 1u);
  EXPECT_TRUE(ExactBeam::From(*window.beam()).moments.empty());
}

struct BadBlock {
  const char* name;
  std::string from, to;
  const char* reason;  // part of LastError
};

class DamagedObjectBlockTest : public ObjectBlockTest, public ::testing::WithParamInterface<BadBlock> {};

TEST_P(DamagedObjectBlockTest, IsRefusedWithTheReadersMessage) {
  const BadBlock& bad = GetParam();
  EXPECT_FALSE(Open(window, Extended(Replace(Block, bad.from, bad.to))));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "Error while opening file");
  EXPECT_NE(window.LastError().find(bad.reason), std::string::npos) << window.LastError();
}

INSTANTIATE_TEST_SUITE_P(
    Reader, DamagedObjectBlockTest,
    ::testing::Values(
        BadBlock{"MomentValueMissing", ":2.5 -1500.25 0", ":2.5 -1500.25", "damaged"},
        BadBlock{"MomentTooLarge", "-1500.25", "-1e12", "too large"},
        BadBlock{"MomentInfinite", "-1500.25", "-inf", "finite"},
        BadBlock{"MomentCaseUnknown", "-1500.25 0", "-1500.25 1", "load case"},
        BadBlock{"MomentCaseNotWhole", "-1500.25 0", "-1500.25 0.5", "load case"},
        BadBlock{"MomentCountTooHigh", "moments :1", "moments :2", "damaged"},
        BadBlock{"HingePastTheEnd", "beam(x) :4", "beam(x) :10.01", "outside"},
        BadBlock{"HingeAtTheVice", "beam(x) :4", "beam(x) :10", "at a vice"},
        BadBlock{"HingeBesideTheSupport", "beam(x) :4", "beam(x) :5e-7", "beside a support"},
        // In place of the moment: the line count stays.
        BadBlock{"HingesTooClose",
                 "number of moments :1 \r\nmoment(x,M,case) :2.5 -1500.25 0 \r\nnumber of hinges in the beam "
                 ":1 \r\n",
                 "number of hinges in the beam :3 \r\nhinge in the beam(x) :4.0000005 \r\nhinge in the "
                 "beam(x) :6 \r\n",
                 "too close"},
        BadBlock{"HingeNaN", "beam(x) :4", "beam(x) :nan", "finite"},
        BadBlock{"PropertiesForOneSupport", "support properties :2", "support properties :1",
                 "different number"},
        BadBlock{"PropertiesForThreeSupports", "support properties :2 \r\n", "support properties :3 \r\n",
                 "different number"},
        BadBlock{"SpringNegative", ":45000 0 0.01", ":-45000 0 0.01", "spring"},
        BadBlock{"RotationalSpringTooLarge", ":0 2500000 0", ":0 1e12 0", "too large"},
        BadBlock{"SettlementInfinite", ":45000 0 0.01", ":45000 0 inf", "finite"},
        BadBlock{"PropertyMissing", ":45000 0 0.01", ":45000 0", "damaged"},
        BadBlock{"SectionsOutOfOrder",
                 "number of moments :1 \r\nmoment(x,M,case) :2.5 -1500.25 0 \r\nnumber of hinges in the beam "
                 ":1 \r\n"
                 "hinge in the beam(x) :4 \r\n",
                 "number of hinges in the beam :1 \r\nhinge in the beam(x) :4 \r\nnumber of moments :1 \r\n"
                 "moment(x,M,case) :2.5 -1500.25 0 \r\n",
                 "cannot read"}),
    [](const ::testing::TestParamInfo<BadBlock>& info) { return info.param.name; });

}  // namespace
}  // namespace trevan
