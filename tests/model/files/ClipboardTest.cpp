#include <gtest/gtest.h>

#include "EditFixture.h"
#include "files/ClipboardExchange.h"
#include "hosts/ClipboardService.h"

namespace trevan {
namespace {

class FakeClipboard : public ClipboardService {
 public:
  bool Open() override { return !broken; }
  void Close() override {}
  bool SetText(const std::string& value) override {
    text = value;
    return true;
  }
  std::optional<std::string> GetText() override { return text; }
  std::optional<std::string> text;
  bool broken = false;
};

// Without a pointer over the beam a paste lands where the object was
// copied from, or mid-beam when that place is no use.
class ClipboardTest : public test::EditFixture {
 protected:
  ClipboardTest() { ClipboardExchange::ForgetCopiedPlace(); }
  double MidBeam() { return beam().Length / 2; }

  FakeClipboard clipboard;
  ClipboardExchange exchange{window, clipboard};
};

// A whole number keeps the old six-character field; a fraction follows it.
TEST_F(ClipboardTest, ForceKeepsItsValue) {
  charge* f = recorder().RecordAddCharge(charge(3, 1234.6, &window));
  exchange.Copy();
  EXPECT_EQ(clipboard.text, "f;1234.6");
  exchange.Paste();
  ASSERT_EQ(beam().Charges.size(), 2u);
  const charge& pasted = *beam().Charges[1];
  EXPECT_EQ(pasted.f, 1234.6);
  EXPECT_DOUBLE_EQ(pasted.x, 3) << "where it was copied from";
  EXPECT_EQ(window.SelectedObject(), &pasted);
  EXPECT_EQ(f->f, 1234.6);
  EXPECT_EQ(window.CurrentTool(), ClipboardExchange::SelectToolCode);
  EXPECT_TRUE(messages.messages.empty());
  recorder().RecordAddCharge(charge(3, 100, &window));
  exchange.Copy();
  EXPECT_EQ(clipboard.text, "f;   100");
}

// Values read back within 1e-9 of themselves, and the record still fits its
// block (a load with a typed length keeps ten digits of each intensity).
TEST_F(ClipboardTest, RecordsRoundTripTheirValues) {
  const double lbf = 4.4482216152605;
  for (const double f : {4496.17886 * lbf, 4496.17886, -0.00123456789, 987654321.123})
    for (const bool load : {false, true}) {
      if (load)
        recorder().RecordAddDistrCharge(distrcharge(1, 3.75, f, -f / 7, &window));
      else
        recorder().RecordAddCharge(charge(2, f, &window));
      exchange.Copy();
      ASSERT_TRUE(clipboard.text.has_value());
      EXPECT_LE(clipboard.text->size(), 39u) << *clipboard.text;
      exchange.Paste();
      const double back = load ? beam().DistrCharges.back()->F1 : beam().Charges.back()->f;
      EXPECT_NEAR(back, f, 1e-9 * std::abs(f)) << *clipboard.text;
      if (load) {
        EXPECT_NEAR(beam().DistrCharges.back()->F2, -f / 7, 1e-9 * std::abs(f / 7)) << *clipboard.text;
      }
    }
}

TEST_F(ClipboardTest, DistributedLoadKeepsItsLengthAndIntensities) {
  recorder().RecordAddDistrCharge(distrcharge(2, 5, 100, 300, &window));
  exchange.Copy();
  EXPECT_EQ(clipboard.text, "d;   100;   300;    3");
  exchange.Paste();
  const distrcharge& pasted = *beam().DistrCharges.back();
  EXPECT_DOUBLE_EQ(pasted.X1, 2);
  EXPECT_DOUBLE_EQ(pasted.X2, 2 + 3);
  EXPECT_EQ(pasted.F1, 100);
  EXPECT_EQ(pasted.F2, 300);

  recorder().RecordAddDistrCharge(distrcharge(7, 7, 50, 50, &window));
  exchange.Copy();
  EXPECT_EQ(clipboard.text, "d;    50;    50;    0");
  exchange.Paste();
  EXPECT_EQ(beam().DistrCharges.back()->X1, beam().DistrCharges.back()->X2);
}

TEST_F(ClipboardTest, SupportRecordsCarryTheRawTypeByte) {
  recorder().RecordAddSupport(5, ftHinge);
  exchange.Copy();
  EXPECT_EQ(clipboard.text, std::string("e;\x03"));
  recorder().RecordAddSupport(6, ftNone);
  exchange.Copy();
  EXPECT_EQ(clipboard.text, "e;");
  exchange.Paste();
  // Its own place is taken: mid-beam.
  element* pasted = beam().FirstSupport()->Next->Next.get();
  ASSERT_NE(pasted, nullptr);
  EXPECT_DOUBLE_EQ(pasted->X1, MidBeam());
  EXPECT_EQ(pasted->LeftType, ftNone);

  const std::size_t supports = beam().SupportCount();
  exchange.Paste();  // a support already stands there
  EXPECT_EQ(static_cast<std::size_t>(beam().SupportCount()), supports);
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ClipboardTest, CutThenPasteMovesTheObjectInTwoUndoableSteps) {
  recorder().RecordAddCharge(charge(7, 500, &window));
  exchange.Cut();
  EXPECT_TRUE(beam().Charges.empty());
  exchange.Paste();
  ASSERT_EQ(beam().Charges.size(), 1u);
  EXPECT_DOUBLE_EQ(beam().Charges[0]->x, 7) << "where it was cut from";
  Undo();
  EXPECT_TRUE(beam().Charges.empty());
  Undo();
  ASSERT_EQ(beam().Charges.size(), 1u);
  EXPECT_EQ(beam().Charges[0]->x, 7);
}

// As a force's: the whole number in six characters, a fraction after it.
// A hinge's record has no value; its copied place taken, it goes mid-beam,
// and a place another joint takes is refused with the reason, which is no
// failure of the paste.
TEST_F(ClipboardTest, MomentAndHingeRecords) {
  recorder().RecordAddMoment(couple(3, -1234.6, &window));
  exchange.Copy();
  EXPECT_EQ(clipboard.text, "m;-1234.6");
  exchange.Paste();
  ASSERT_EQ(beam().Moments.size(), 2u);
  EXPECT_EQ(beam().Moments[1]->m, -1234.6);
  EXPECT_DOUBLE_EQ(beam().Moments[1]->x, 3);
  clipboard.text = "m;   250";
  exchange.Paste();
  ASSERT_EQ(beam().Moments.size(), 3u);
  EXPECT_EQ(beam().Moments[2]->m, 250);
  EXPECT_DOUBLE_EQ(beam().Moments[2]->x, MidBeam());

  recorder().RecordAddHinge(joint(4, &window));
  exchange.Copy();
  EXPECT_EQ(clipboard.text, "j;");
  exchange.Cut();
  EXPECT_TRUE(beam().Hinges.empty());
  exchange.Paste();
  ASSERT_EQ(beam().Hinges.size(), 1u);
  EXPECT_DOUBLE_EQ(beam().Hinges[0]->x, 4);
  EXPECT_TRUE(messages.messages.empty());
  exchange.Paste();  // its place is taken: mid-beam
  ASSERT_EQ(beam().Hinges.size(), 2u);
  EXPECT_DOUBLE_EQ(beam().Hinges[1]->x, MidBeam());
  exchange.Paste();  // and that place too
  EXPECT_EQ(beam().Hinges.size(), 2u);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_NE(messages.messages[0].text.find("from the hinge at 7.5"), std::string::npos);
  Undo();
  Undo();
  EXPECT_TRUE(beam().Hinges.empty());
}

struct PasteCase {
  const char* name;
  std::optional<std::string> text;
  bool failureMessage;
};

class PasteFailureTest : public ClipboardTest, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(PasteFailureTest, CreatesNothing) {
  clipboard.text = GetParam().text;
  exchange.Paste();
  EXPECT_TRUE(beam().Charges.empty());
  EXPECT_TRUE(beam().DistrCharges.empty());
  EXPECT_EQ(beam().SupportCount(), 0);
  EXPECT_TRUE(beam().Moments.empty());
  if (GetParam().failureMessage) {
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Failed to paste image from clipboard!");
  } else {
    EXPECT_TRUE(messages.messages.empty());
  }
  EXPECT_EQ(window.CurrentTool(), ClipboardExchange::SelectToolCode);
}

INSTANTIATE_TEST_SUITE_P(
    Clipboard, PasteFailureTest,
    ::testing::Values(
        PasteCase{"Empty", std::nullopt, true}, PasteCase{"LoadWithoutSeparators", "d;100", true},
        PasteCase{"LoadWithOneSeparator", "d;100;200", true},
        PasteCase{"UnknownSupportType", std::string("e;\x07"), true}, PasteCase{"OtherText", "hello", false},
        // Values the beam could not save and read back.
        PasteCase{"ForceNaN", "f;nan", true}, PasteCase{"ForceOverflowing", "f;1e999", true},
        PasteCase{"ForceOf1e12", "f;-1e12", true}, PasteCase{"MomentNaN", "m;nan", true},
        PasteCase{"MomentOverflowing", "m;1e999", true}, PasteCase{"MomentOf1e12", "m;1e12", true},
        PasteCase{"IntensityInfinite", "d;1;2;inf", true}, PasteCase{"IntensityHuge", "d;1e300;2;1", true},
        PasteCase{"LoadLengthNaN", "d;1;2;nan", true},
        // On a 15 m beam the load would end at 1000.4 m or start below 0.
        PasteCase{"LoadOffTheEnd", "d;1;2;1000", true}, PasteCase{"LoadBeforeTheStart", "d;1;2;-3", true},
        // Only a letter and ";" make a record.
        PasteCase{"LetterAlone", "f", false}, PasteCase{"LetterAndNumber", "f100", false},
        PasteCase{"LoadLetterAndText", "dx;1;2;3", false}, PasteCase{"SupportLetterAlone", "e", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClipboardTest, PastedObjectsStayOnTheBeam) {
  // A 0.2 m beam: mid-beam is 0.1 m; a load longer than the beam has no place.
  window.NewBeam(0.2);
  clipboard.text = "f;  1000";
  exchange.Paste();
  ASSERT_EQ(beam().Charges.size(), 1u);
  EXPECT_DOUBLE_EQ(beam().Charges[0]->x, 0.1);
  clipboard.text = "e;";
  exchange.Paste();
  ASSERT_EQ(beam().SupportCount(), 1);
  EXPECT_DOUBLE_EQ(beam().FirstSupport()->X1, 0.1);
  clipboard.text = "d;   100;   100;0.500";
  exchange.Paste();
  EXPECT_TRUE(beam().DistrCharges.empty());
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "Failed to paste image from clipboard!");
  clipboard.text = "d;   100;   100;0.150";  // would end past 0.2 m: it starts 0.05 m in
  exchange.Paste();
  ASSERT_EQ(beam().DistrCharges.size(), 1u);
  EXPECT_DOUBLE_EQ(beam().DistrCharges[0]->X2, 0.2);

  window.NewBeam(15);
  window.SetScales(1e5, 1e9, 0.04);  // keeps the diagrams of such a load on the screen
  clipboard.text = "d;-999999999999;0;14.5";
  exchange.Paste();
  ASSERT_EQ(beam().DistrCharges.size(), 1u) << "the largest writable intensity";
  EXPECT_EQ(beam().DistrCharges[0]->F1, -999999999999);
}

TEST_F(ClipboardTest, CopyFailuresAreReported) {
  exchange.Copy();  // nothing selected: silently nothing
  EXPECT_FALSE(clipboard.text.has_value());
  recorder().RecordAddCharge(charge(2, 10, &window));
  clipboard.broken = true;
  exchange.Copy();
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "Failed to copy image to clipboard!");
}

}  // namespace
}  // namespace trevan

namespace trevan {
namespace {

// Records of a beam with cases end in their load's case; a paste keeps it
// where the beam has that case and takes the active case otherwise.
class CaseRecordTest : public ClipboardTest {
 protected:
  void Cases(std::size_t count) {
    LoadCases cases;
    for (std::size_t c = 0; c < count; ++c)
      cases.cases.push_back({"C" + std::to_string(c), LoadKind::Imposed});
    beam().SetCases(cases);
  }
};

TEST_F(CaseRecordTest, RecordsKeepTheirCase) {
  struct Row {
    bool load;
    std::size_t copiedCase;
    const char* record;
    std::size_t pasteCases;  // cases of the beam pasted into
    std::size_t active;
    std::size_t pastedCase;
  };
  const Row rows[] = {
      {false, 2, "f;  1200;2", 3, 1, 2},
      {false, 2, "f;  1200;2", 2, 1, 1},  // the case is not there: the active one
      {true, 1, "d;   100;   300;    3;1", 3, 0, 1},
      {true, 2, "d;   100;   300;    3;2", 1, 0, 0},  // into a beam without cases
  };
  for (const Row& r : rows) {
    window.NewBeam(15);
    Cases(3);
    if (r.load) {
      distrcharge d(2, 5, 100, 300, &window);
      d.Case = r.copiedCase;
      recorder().RecordAddDistrCharge(d);
    } else {
      charge c(3, 1200, &window);
      c.Case = r.copiedCase;
      recorder().RecordAddCharge(c);
    }
    exchange.Copy();
    EXPECT_EQ(clipboard.text, r.record);
    window.NewBeam(15);
    if (r.pasteCases > 1) Cases(r.pasteCases);
    window.activeCase = r.active;
    exchange.Paste();
    const std::size_t pasted = r.load ? beam().DistrCharges.back()->Case : beam().Charges.back()->Case;
    EXPECT_EQ(pasted, r.pastedCase) << r.record << " into " << r.pasteCases << " cases";
    EXPECT_EQ(r.load ? beam().DistrCharges.back()->F2 : beam().Charges.back()->f, r.load ? 300 : 1200)
        << "the value is read as before the case field";
  }
  window.activeCase = 0;
}

// An older record has no case: it goes into the active one. A long load
// drops digits to keep its case inside the block.
TEST_F(CaseRecordTest, OldRecordsTakeTheActiveCaseAndLongOnesStillFit) {
  Cases(3);
  window.activeCase = 2;
  clipboard.text = "f;  1000";
  exchange.Paste();
  EXPECT_EQ(beam().Charges.back()->Case, 2u);
  const double f = -0.00123456789123;
  distrcharge d(1, 3.75, f, -f / 7, &window);
  d.Case = 1;
  recorder().RecordAddDistrCharge(d);
  exchange.Copy();
  ASSERT_TRUE(clipboard.text.has_value());
  EXPECT_LE(clipboard.text->size(), 39u) << *clipboard.text;
  EXPECT_TRUE(clipboard.text->ends_with(";1")) << *clipboard.text;
  exchange.Paste();
  EXPECT_EQ(beam().DistrCharges.back()->Case, 1u);
  EXPECT_NEAR(beam().DistrCharges.back()->F1, f, 1e-6 * std::abs(f));
  window.activeCase = 0;
}

}  // namespace
}  // namespace trevan
