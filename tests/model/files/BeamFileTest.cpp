#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "ChainChecks.h"
#include "RecordingMessages.h"
#include "TempDir.h"
#include "analysis/ExactSolver.h"
#include "beam/UnitSystem.h"
#include "headless/HeadlessWindow.h"

namespace trevan {
namespace {

using test::TempDir;

const std::string TenMetreBeam =
    "Trevan version :11700 \r\n"
    "Metric :1 \r\n"
    "beam length :10.000000000 \r\n"
    "number of forces :1 \r\n"
    "charge(x,f) :5.000000000 1000.000000000 \r\n"
    "number of distributed loads :0 \r\n"
    "number of supports :2 \r\n"
    "support(X,type) :0.000000000 3 \r\n"
    "support(X,type) :10.000000000 3 \r\n";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

// The same beam with a title block after its supports.
const std::string Extended(const std::string& block) {
  return Replace(TenMetreBeam, "version :11700", "version :11800") + block;
}
const std::string TitleLines =
    "title(project) :P\r\ntitle(job) :J\r\ntitle(element) :E\r\ntitle(designer) :D\r\n"
    "title(checker) :C\r\ntitle(revision) :R\r\ntitle(date) :T\r\n";
const std::string WithTitle = Extended("number of extension lines :7 \r\n" + TitleLines);

// A stepped section: steel over the first 4 m, a smaller I beyond.
const std::string SegmentLines =
    "number of segments :2 \r\n"
    "segment(x1,x2,E,I) :0 4 210000000000 8.3560000000000003e-05 \r\n"
    "segment(x1,x2,E,I) :4 10 210000000000 3.8919999999999998e-05 \r\n";
const std::string WithSection = Extended("number of extension lines :3 \r\n" + SegmentLines);

// Two cases, the one force in the second.
const std::string CaseLines =
    "number of load cases :2 \r\n"
    "load case kind :1 \r\nload case category :0 \r\nload case name :Self weight\r\n"
    "load case kind :2 \r\nload case category :1 \r\nload case name :Offices\r\n"
    "load case of each force :1 \r\n"
    "load case of each distributed load :\r\n"
    "combination rule :2 \r\n"
    "number of user combinations :1 \r\n"
    "user combination name :Mine\r\nuser combination limit state :1 \r\nuser combination factors :1 0.5 \r\n";
const std::string WithCases = Extended("number of extension lines :14 \r\n" + CaseLines);

// Room for one more support line, put in place of the one at 10.
const std::string ThreeSupports = Replace(TenMetreBeam, "supports :2", "supports :3");

class BeamFileTest : public ::testing::Test {
 protected:
  void SetUp() override { SetApplicationMetric(true); }

  bool Open(const std::string& bytes) { return window.Open(dir.Write("beam.tvn", bytes)); }

  TempDir dir;
  test::RecordingMessages messages;
  HeadlessWindow window{messages};
};

TEST_F(BeamFileTest, WritesTheDocumentedLayout) {
  window.NewBeam(10);
  TTrevanDoc& beam = *window.beam();
  beam.AddCharge(charge(5, 1000, &window));
  beam.InsertSupport(0, ftHinge);
  beam.InsertSupport(10, ftHinge);
  ASSERT_TRUE(window.Dirty());
  const std::string file = dir.File("out.tvn");
  ASSERT_TRUE(window.Save(file));
  EXPECT_FALSE(window.Dirty());
  EXPECT_EQ(TempDir::Read(file), TenMetreBeam);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
      << "no temporary file is left beside the document";
}

TEST_F(BeamFileTest, RoundTripGivesAnEqualModel) {
  window.NewBeam(12.5);
  TTrevanDoc& beam = *window.beam();
  beam.AddCharge(charge(1.123456789, -250.5, &window));
  beam.AddDistrCharge(distrcharge(2, 7.25, 100, 300.125, &window));
  beam.InsertSupport(0, ftVice);
  beam.InsertSupport(6, ftRoll);
  beam.InsertSupport(12.5, ftNone);
  const std::string file = dir.File("round.tvn");
  ASSERT_TRUE(window.Save(file));

  test::RecordingMessages quiet;
  HeadlessWindow other(quiet);
  ASSERT_TRUE(other.Open(file));
  const TTrevanDoc& back = *other.beam();
  EXPECT_EQ(back.Length, 12.5);
  ASSERT_EQ(back.Charges.size(), 1u);
  EXPECT_NEAR(back.Charges[0]->x, 1.123456789, 1e-9);
  EXPECT_EQ(back.Charges[0]->f, -250.5);
  ASSERT_EQ(back.DistrCharges.size(), 1u);
  EXPECT_EQ(back.DistrCharges[0]->X2, 7.25);
  EXPECT_EQ(back.DistrCharges[0]->F2, 300.125);
  EXPECT_EQ(test::SupportPositions(back), (std::vector<double>{0, 6, 12.5}));
  EXPECT_EQ(back.FirstSupport()->Next->LeftType, ftRoll);
  EXPECT_TRUE(test::ChainIsConsistent(back));
  EXPECT_FALSE(other.Dirty());
  EXPECT_TRUE(quiet.messages.empty());
}

TEST_F(BeamFileTest, OldVersionWithoutUnitLineLoadsAsMetricAndSavesCurrentLayout) {
  ASSERT_TRUE(
      Open("Trevan version :11500 \r\nbeam length :6.000000000 \r\n"
           "number of forces :0 \r\nnumber of distributed loads :0 \r\n"
           "number of supports :1 \r\nsupport(X,type) :0.000000000 1 \r\n"));
  EXPECT_EQ(window.beam()->Version, 11500);
  EXPECT_TRUE(window.beam()->Metric);
  const std::string file = dir.File("upgraded.tvn");
  ASSERT_TRUE(window.Save(file));
  const std::string text = TempDir::Read(file);
  EXPECT_EQ(text.rfind("Trevan version :11700 \r\nMetric :1 \r\nbeam length :6.000000000 \r\n", 0), 0u);
  test::RecordingMessages quiet;
  HeadlessWindow other(quiet);
  ASSERT_TRUE(other.Open(file));
  EXPECT_EQ(test::SupportPositions(*other.beam()), std::vector<double>{0});
}

TEST_F(BeamFileTest, UnitLineAndTolerantReading) {
  std::string nonMetric = TenMetreBeam;
  nonMetric.replace(nonMetric.find("Metric :1"), 9, "Metric :0");
  ASSERT_TRUE(Open(nonMetric));
  EXPECT_FALSE(window.beam()->Metric);
  EXPECT_EQ(window.beam()->Charges[0]->PropertyLabels[0], "Force (lbf):");

  std::string seven = TenMetreBeam;
  seven.replace(seven.find("Metric :1"), 9, "Metric :7");
  ASSERT_TRUE(Open(seven));
  EXPECT_TRUE(window.beam()->Metric);

  // A repeated support position is dropped; the others load.
  const std::string repeated = Replace(TenMetreBeam, "supports :2 \r\nsupport(X,type) :0.000000000 3 \r\n",
                                       "supports :3 \r\nsupport(X,type) :0.000000000 3 \r\n"
                                       "support(X,type) :0.000000000 1 \r\n");
  ASSERT_TRUE(Open(repeated)) << repeated;
  EXPECT_EQ(test::SupportPositions(*window.beam()), (std::vector<double>{0, 10}));
  EXPECT_EQ(window.beam()->FirstSupport()->LeftType, ftHinge);
  EXPECT_TRUE(messages.messages.empty());
}

// A load given right to left acts like the same load with its ends in order
// in both analyses, and the file keeps the order it was given in.
TEST_F(BeamFileTest, ALoadGivenRightToLeftActsInOrderAndSavesAsGiven) {
  const std::string given =
      "Trevan version :11700 \r\nMetric :1 \r\nbeam length :10.000000000 \r\n"
      "number of forces :0 \r\nnumber of distributed loads :1 \r\n"
      "distributed charge(x1,x2,f1,f2) :5.000000000 2.000000000 100.000000000 200.000000000 \r\n"
      "number of supports :2 \r\nsupport(X,type) :0.000000000 3 \r\nsupport(X,type) :10.000000000 3 \r\n";
  ASSERT_TRUE(Open(given));
  const distrcharge& d = *window.beam()->DistrCharges[0];
  EXPECT_EQ(std::vector<double>({d.X1, d.X2, d.F1, d.F2}), std::vector<double>({2, 5, 200, 100}));
  // 450 N whose centroid lies 3 (200 + 2 * 100) / (3 * 300) = 4/3 m right of x = 2.
  const ExactResults exact = ExactSolver::Solve(ExactBeam::From(*window.beam()));
  ASSERT_TRUE(exact.solved);
  EXPECT_NEAR(exact.supports[0].reaction, 450 * (10 - 10.0 / 3) / 10, 1e-9);
  EXPECT_NEAR(exact.supports[1].reaction, 450 * (10.0 / 3) / 10, 1e-9);
  window.analysis()->Recalculate();
  EXPECT_NEAR(window.beam()->FirstSupport()->Reaction(), 300, 1);
  const std::string file = dir.File("again.tvn");
  ASSERT_TRUE(window.Save(file));
  EXPECT_EQ(TempDir::Read(file), given);
}

TEST_F(BeamFileTest, SavingASmallerDocumentReplacesTheWholeFile) {
  const std::string file = dir.Write("big.tvn", std::string(5000, 'x'));
  window.NewBeam(3);
  ASSERT_TRUE(window.Save(file));
  const std::string text = TempDir::Read(file);
  EXPECT_EQ(text.find('x'), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 24), "number of supports :0 \r\n");
}

TEST_F(BeamFileTest, FailedSaveKeepsTheDocumentDirtyAndSaysSo) {
  window.NewBeam(3);
  window.beam()->AddCharge(charge(1, 1, &window));
  std::filesystem::create_directory(dir.File("taken"));
  dir.Write("taken/keep.txt", "content");
  EXPECT_FALSE(window.Save(dir.File("taken")));
  EXPECT_FALSE(window.Save(dir.File("missing-folder/beam.tvn")));
  EXPECT_TRUE(window.Dirty());
  ASSERT_EQ(messages.messages.size(), 2u);
  // The second line says why.
  EXPECT_EQ(messages.messages[0].text, std::string("Error while saving file\n") + std::strerror(EISDIR));
  EXPECT_EQ(messages.messages[1].text, std::string("Error while saving file\n") + std::strerror(ENOENT));
  EXPECT_EQ(messages.messages[0].caption, "File Error");
  EXPECT_EQ(TempDir::Read(dir.File("taken/keep.txt")), "content");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
      << "the temporary file is removed";
}

struct BadFile {
  const char* name;
  std::string bytes;
  const char* reason;  // part of LastError
};

class UnreadableFileTest : public BeamFileTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(UnreadableFileTest, IsRefusedWithTheMessageAndLeavesNothingBehind) {
  const BadFile& bad = GetParam();
  EXPECT_FALSE(Open(bad.bytes));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "Error while opening file");
  EXPECT_EQ(messages.messages[0].caption, "File Error");
  EXPECT_EQ(messages.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_NE(window.LastError().find(bad.reason), std::string::npos) << window.LastError();
  EXPECT_EQ(window.beam(), nullptr);
}

TEST_F(BeamFileTest, AFailedLoadLeavesTheModelAsItWas) {
  window.NewBeam(7);
  window.beam()->AddCharge(charge(1, 10, &window));
  window.beam()->InsertSupport(2, ftHinge);
  TTrevanDoc& beam = *window.beam();
  EXPECT_FALSE(beam.Load(dir.Write("bad.tvn", Replace(TenMetreBeam, "support(X,type) :10.000000000 3",
                                                      "support(X,type) :10.000000000 9"))));
  EXPECT_EQ(beam.Length, 7);
  EXPECT_EQ(beam.Charges.size(), 1u);
  EXPECT_EQ(test::SupportPositions(beam), std::vector<double>{2});
  EXPECT_EQ(beam.LoadSamples.size(), 1750u);
}

INSTANTIATE_TEST_SUITE_P(
    Reader, UnreadableFileTest,
    ::testing::Values(
        BadFile{"WrongFirstByte", "t" + TenMetreBeam.substr(1), "not a beam document"},
        BadFile{"Empty", "", "not a beam document"},
        BadFile{"EndInHeader", "Trevan version :11700 \r\nMetric :1 \r\n", "header"},
        BadFile{"TruncatedCharge", TenMetreBeam.substr(0, TenMetreBeam.find("charge(x,f)")),
                "reading charge"},
        BadFile{"TruncatedLoad",
                "Trevan version :11700 \r\nMetric :1 \r\nbeam length :10 \r\n"
                "number of forces :0 \r\nnumber of distributed loads :2 \r\n"
                "distributed charge(x1,x2,f1,f2) :1 2 3 4 \r\n",
                "reading distributed charge"},
        BadFile{"TruncatedSupports", Replace(TenMetreBeam, "supports :2", "supports :3"), "reading element"},
        BadFile{"NaNLength", Replace(TenMetreBeam, "length :10.000000000", "length :nan"), "finite"},
        BadFile{"InfiniteForce", Replace(TenMetreBeam, "1000.000000000", "inf"), "finite"},
        BadFile{"HugeForce", Replace(TenMetreBeam, "1000.000000000", "1e999"), "finite"},
        BadFile{"ZeroLength", Replace(TenMetreBeam, "length :10.000000000", "length :0"), "length"},
        BadFile{"NegativeLength", Replace(TenMetreBeam, "length :10.000000000", "length :-3"), "length"},
        BadFile{"TooLong", Replace(TenMetreBeam, "length :10.000000000", "length :10000.5"), "length"},
        BadFile{"NegativeCount", Replace(TenMetreBeam, "forces :1", "forces :-1"), "count"},
        BadFile{"TooManyRecords", Replace(TenMetreBeam, "supports :2", "supports :100001"), "count"},
        BadFile{"SupportTypeFour", Replace(TenMetreBeam, "10.000000000 3", "10.000000000 4"), "type"},
        BadFile{"SupportTypeNegative", Replace(TenMetreBeam, "10.000000000 3", "10.000000000 -1"), "type"},
        // Values that would not come back unchanged from a save and a reopen.
        BadFile{"FortyByteToken",
                Replace(TenMetreBeam, "1000.000000000", "1000000000000000000000000000000.000000000"),
                "too long"},
        BadFile{"ForceOf1e12", Replace(TenMetreBeam, "1000.000000000", "1e12"), "too large"},
        BadFile{"NegativeForceOf1e12", Replace(TenMetreBeam, "1000.000000000", "-1000000000000"),
                "too large"},
        BadFile{"ForceFarOffTheBeam", Replace(TenMetreBeam, "5.000000000 1000", "1e30 1000"), "too large"},
        BadFile{"LoadOf1e30",
                Replace(TenMetreBeam, "distributed loads :0 \r\n",
                        "distributed loads :1 \r\ndistributed charge(x1,x2,f1,f2) :1 2 1e30 5 \r\n"),
                "too large"},
        BadFile{"TinyLength", Replace(TenMetreBeam, "length :10.000000000", "length :1e-10"), "length"},
        BadFile{"JustBelowMinimum", Replace(TenMetreBeam, "length :10.000000000", "length :0.0099999"),
                "length"},
        BadFile{"JustAboveMaximum", Replace(TenMetreBeam, "length :10.000000000", "length :10000.000001"),
                "length"},
        BadFile{"FeetBeyond10000Metres",
                Replace(Replace(TenMetreBeam, "Metric :1", "Metric :0"), "length :10.000000000",
                        "length :32808.5"),
                "length"},
        BadFile{"SupportsNearlyTogether",
                Replace(ThreeSupports, "support(X,type) :10.000000000 3",
                        "support(X,type) :5.0000000001 3 \r\nsupport(X,type) :5.0000000004 3"),
                "too close"},
        BadFile{"SupportsJustUnderTheGap",
                Replace(ThreeSupports, "support(X,type) :10.000000000 3",
                        "support(X,type) :5.000000000 3 \r\nsupport(X,type) :5.000000990 3"),
                "too close"},
        BadFile{"SupportOnTheChainEnd", Replace(TenMetreBeam, "10.000000000 3", "10.4399999999 3"),
                "outside"},
        BadFile{"SupportBeforeTheChain",
                Replace(TenMetreBeam, "support(X,type) :0.000000000", "support(X,type) :-0.5"), "outside"},
        // The trailing block of newer data: whole, or not at all.
        BadFile{"BlockMissing", Extended(""), "missing"},
        BadFile{"BlockWithoutHeader", Extended(TitleLines), "missing"},
        BadFile{"BlockCountTooHigh", Replace(WithTitle, "lines :7", "lines :8"), "damaged"},
        BadFile{"BlockCountTooLow", Replace(WithTitle, "lines :7", "lines :6"), "damaged"},
        BadFile{"BlockCountNotANumber", Replace(WithTitle, "lines :7", "lines :7x"), "damaged"},
        BadFile{"BlockLineWithoutLabel", Replace(WithTitle, "title(job) :J", "title(job)J"), "damaged"},
        BadFile{"BlockLinesOutOfOrder", Replace(WithTitle, "title(job) :J", "title(jab) :J"), "damaged"},
        BadFile{"BlockBadEscape", Replace(WithTitle, "title(job) :J", "title(job) :%4"), "damaged"},
        BadFile{"BlockControlCharacter", Replace(WithTitle, "title(job) :J", "title(job) :%0A"), "title"},
        BadFile{"BlockTitleTooLong",
                Replace(WithTitle, "title(job) :J", "title(job) :" + std::string(201, 'j')), "title"},
        BadFile{"SectionZeroE", Replace(WithSection, ":0 4 210000000000", ":0 4 0"), "not valid"},
        BadFile{"SectionNegativeI", Replace(WithSection, "8.3560000000000003e-05", "-1e-5"), "not valid"},
        BadFile{"SectionInfiniteE", Replace(WithSection, ":0 4 210000000000", ":0 4 inf"), "finite"},
        BadFile{"SectionNaNI", Replace(WithSection, "8.3560000000000003e-05", "nan"), "finite"},
        BadFile{"SectionOverlap", Replace(WithSection, ":4 10 ", ":3.5 10 "), "overlap"},
        BadFile{"SectionGap", Replace(WithSection, ":4 10 ", ":4.5 10 "), "uncovered"},
        BadFile{"SectionShort", Replace(WithSection, ":4 10 ", ":4 9.9 "), "uncovered"},
        BadFile{"SectionMissingValue", Replace(WithSection, ":0 4 210000000000", ":0 4"), "damaged"},
        BadFile{"SectionNoSegments", Extended("number of extension lines :1 \r\nnumber of segments :0 \r\n"),
                "no segments"},
        BadFile{"SectionCountTooHigh", Replace(WithSection, "segments :2", "segments :3"), "damaged"},
        BadFile{"SectionTooManySegments", Replace(WithSection, "segments :2", "segments :1001"), "count"},
        BadFile{"CaseUnknownKind", Replace(WithCases, "kind :2", "kind :7"), "count"},
        BadFile{"CaseUnknownCategory", Replace(WithCases, "category :1", "category :8"), "count"},
        BadFile{"CaseIndexPastTheCases", Replace(WithCases, "each force :1", "each force :2"),
                "does not exist"},
        BadFile{"CaseIndexNotWhole", Replace(WithCases, "each force :1", "each force :0.5"),
                "does not exist"},
        BadFile{"CaseIndexMissing", Replace(WithCases, "each force :1", "each force :"), "damaged"},
        BadFile{"CaseUnknownRule", Replace(WithCases, "rule :2", "rule :5"), "count"},
        BadFile{"CaseUserFactorMissing", Replace(WithCases, "factors :1 0.5", "factors :1"), "damaged"},
        BadFile{"CaseUserFactorOutOfBounds", Replace(WithCases, "factors :1 0.5", "factors :1 100.5"),
                "out of range"},
        BadFile{"CaseNone", Extended("number of extension lines :1 \r\nnumber of load cases :0 \r\n"),
                "without any case"},
        BadFile{"CaseNameMissing", Replace(WithCases, "load case name :Offices", "load case nam :Offices"),
                "damaged"},
        BadFile{"BlockOfANewerVersion", Extended("number of extension lines :1 \r\nwidget(x) :1 \r\n"),
                "cannot read"}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return info.param.name; });

// Texts of every kind come back exactly, the version says there is a block,
// and a second save writes the same bytes.
TEST_F(BeamFileTest, TheTitleBlockSurvivesSaveAndReopenExactly) {
  window.NewBeam(10);
  TTrevanDoc& beam = *window.beam();
  beam.InsertSupport(0, ftHinge);
  const std::string tricky[] = {"Bridge: deck 100% \"east\"", "  J-17 ", "", "Ünal Çelik", "a :b :c", "%41",
                                std::string(200, 'x')};
  for (int f = 0; f < TitleBlock::FieldCount; ++f) beam.Title.fields[f] = tricky[f];
  const std::string first = dir.File("first.tvn"), second = dir.File("second.tvn");
  ASSERT_TRUE(window.Save(first));
  EXPECT_EQ(TempDir::Read(first).rfind("Trevan version :11800 \r\n", 0), 0u);

  test::RecordingMessages quiet;
  HeadlessWindow other(quiet);
  ASSERT_TRUE(other.Open(first)) << other.LastError();
  EXPECT_EQ(other.beam()->Title, beam.Title);
  ASSERT_TRUE(other.Save(second));
  EXPECT_EQ(TempDir::Read(second), TempDir::Read(first));
}

// A section comes back exactly after a unit switch has given it many
// digits; it survives undo and a second save writes the same bytes.
TEST_F(BeamFileTest, TheSectionSurvivesSaveAndReopenExactly) {
  ASSERT_TRUE(Open(WithSection)) << window.LastError();
  TTrevanDoc& beam = *window.beam();
  ASSERT_EQ(beam.Section.segments.size(), 2u);
  EXPECT_EQ(beam.Section.segments[1].I, 3.892e-5);
  ASSERT_TRUE(beam.SetMetric(false));
  const std::string first = dir.File("first.tvn"), second = dir.File("second.tvn");
  ASSERT_TRUE(window.Save(first));
  test::RecordingMessages quiet;
  HeadlessWindow other(quiet);
  ASSERT_TRUE(other.Open(first)) << other.LastError();
  BeamSection expected = beam.Section;
  expected.segments.back().x2 = other.beam()->Length;  // the length is kept to nine decimals
  EXPECT_EQ(other.beam()->Section, expected);
  ASSERT_TRUE(other.Save(second));
  EXPECT_EQ(TempDir::Read(second), TempDir::Read(first));
  // Back in metres the values are the original ones to rounding.
  ASSERT_TRUE(other.beam()->SetMetric(true));
  EXPECT_NEAR(other.beam()->Section.segments[0].E, 2.1e11, 2.1e11 * 1e-15);
  EXPECT_NEAR(other.beam()->Section.segments[1].x1, 4, 1e-14);
}

// Cases and each load's case come back exactly; a beam put back into its
// one unnamed case saves as before the cases existed.
TEST_F(BeamFileTest, LoadCasesSurviveSaveAndReopenExactly) {
  ASSERT_TRUE(Open(WithCases)) << window.LastError();
  TTrevanDoc& beam = *window.beam();
  ASSERT_EQ(beam.Cases.Count(), 2u);
  EXPECT_EQ(beam.Cases.cases[1].name, "Offices");
  EXPECT_EQ(beam.Cases.cases[1].kind, LoadKind::Imposed);
  EXPECT_EQ(beam.Cases.cases[1].category, ImposedCategory::B);
  EXPECT_EQ(beam.Charges.at(0)->Case, 1u);
  EXPECT_EQ(beam.Cases.rule, CombinationRule::AsceLrfd);
  ASSERT_EQ(beam.Cases.user.size(), 1u);
  EXPECT_EQ(beam.Cases.user[0].factors, (std::vector<double>{1, 0.5}));
  EXPECT_EQ(beam.Cases.user[0].limit, LimitState::Serviceability);
  beam.Cases.cases.push_back({"Snow 100% \"drift\"", LoadKind::Snow, ImposedCategory::H});
  beam.Cases.user[0].factors.push_back(0);
  beam.Cases.user.push_back({"Odd 1/3", {1.0 / 3, 0.1, 0.7}});
  beam.AddDistrCharge(distrcharge(1, 3, 2, 4, nullptr))->Case = 2;
  const std::string first = dir.File("first.tvn"), second = dir.File("second.tvn");
  ASSERT_TRUE(window.Save(first));
  test::RecordingMessages quiet;
  HeadlessWindow other(quiet);
  ASSERT_TRUE(other.Open(first)) << other.LastError();
  EXPECT_EQ(other.beam()->Cases, beam.Cases);
  EXPECT_EQ(other.beam()->DistrCharges.at(0)->Case, 2u);
  ASSERT_TRUE(other.Save(second));
  EXPECT_EQ(TempDir::Read(second), TempDir::Read(first));

  other.beam()->Cases = LoadCases{};
  other.beam()->Charges[0]->Case = other.beam()->DistrCharges[0]->Case = 0;
  other.beam()->RemoveDistrCharge(*other.beam()->DistrCharges[0]);
  ASSERT_TRUE(other.Save(second));
  EXPECT_EQ(TempDir::Read(second), TenMetreBeam);
}

// An older file ends at its supports: what follows them is not read.
TEST_F(BeamFileTest, AnOlderFileIgnoresWhatFollowsItsSupports) {
  ASSERT_TRUE(Open(TenMetreBeam + "number of extension lines :7 \r\n" + TitleLines));
  EXPECT_TRUE(window.beam()->Title.Empty());
  const std::string file = dir.File("again.tvn");
  ASSERT_TRUE(window.Save(file));
  EXPECT_EQ(TempDir::Read(file), TenMetreBeam);
}

TEST_F(BeamFileTest, MissingFileOrNoNameGivesAnEmptyBeam) {
  window.NewBeam(4);
  TTrevanDoc& beam = *window.beam();
  EXPECT_TRUE(beam.Load(dir.File("does-not-exist.tvn")));
  EXPECT_EQ(beam.SupportCount(), 0);
  EXPECT_DOUBLE_EQ(beam.Sentinel()->X2, 4.44);
  EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
}  // namespace trevan
