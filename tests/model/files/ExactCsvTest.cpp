#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/ExactSolver.h"
#include "files/ExactCsv.h"

namespace trevan {
namespace {

struct Row {
  double x, shear, moment;
};

// Reads the CSV back with the plain "C" conversions a spreadsheet would use.
std::vector<Row> Read(const std::string& csv, std::string& header) {
  std::istringstream in(csv);
  std::getline(in, header);
  std::vector<Row> rows;
  std::string line;
  while (std::getline(in, line)) {
    Row r{};
    EXPECT_EQ(std::sscanf(line.c_str(), "%lf,%lf,%lf", &r.x, &r.shear, &r.moment), 3) << line;
    rows.push_back(r);
  }
  return rows;
}

// A simply supported beam of length L under a uniform load w: V = wL/2 - wx,
// M = wLx/2 - wx^2/2 everywhere, the reactions wL/2 closing the diagram.
TEST(ExactCsvTest, UniformLoadReadsBackToTheTextbookCurves) {
  const double L = 8, w = 2000;
  const ExactResults r = ExactSolver::Solve({L, {{0, ftHinge}, {L, ftRoll}}, {}, {{0, L, w, w}}});
  std::string header;
  const std::vector<Row> rows = Read(ExactCsv::Write(r, true), header);
  EXPECT_EQ(header, "x (m),shear (N),moment (Nm)");
  std::set<double> positions;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    positions.insert(row.x);
    const bool outside = (i == 0 || i + 1 == rows.size());  // left of the left end, right of the right
    const double shear = outside ? 0 : w * L / 2 - w * row.x;
    EXPECT_NEAR(row.shear, shear, 1e-6 * w * L) << "x = " << row.x;
    EXPECT_NEAR(row.moment, w * L * row.x / 2 - w * row.x * row.x / 2, 1e-6 * w * L * L) << "x = " << row.x;
    if (i) {
      EXPECT_GE(row.x, rows[i - 1].x);
    }
  }
  EXPECT_GE(positions.size(), 201u);
  ASSERT_GE(rows.size(), 4u);
  // Both sides of the support jumps at the ends.
  EXPECT_EQ(rows[0].x, 0);
  EXPECT_EQ(rows[1].x, 0);
  EXPECT_EQ(rows[rows.size() - 2].x, L);
  EXPECT_EQ(rows.back().x, L);
}

// Every load and support position is a row, with both sides where the shear
// jumps: P/2 either side of a central force P on a simply supported span.
TEST(ExactCsvTest, JumpsHaveBothSidesAndEveryPositionIsARow) {
  const double L = 10, P = 1000;
  const ExactBeam beam{L, {{0, ftHinge}, {L, ftHinge}}, {{5, P}, {7.3, 0}}, {{2.2, 3.1, 400, 100}}};
  std::string header;
  const std::vector<Row> rows = Read(ExactCsv::Write(ExactSolver::Solve(beam), true), header);
  auto at = [&](double x) {
    std::vector<Row> found;
    for (const Row& r : rows)
      if (std::abs(r.x - x) < 1e-12) found.push_back(r);
    return found;
  };
  for (double x : {0.0, 2.2, 3.1, 5.0, 7.3, 10.0}) EXPECT_FALSE(at(x).empty()) << "no row at " << x;
  const std::vector<Row> middle = at(5);
  ASSERT_EQ(middle.size(), 2u);
  // The distributed load adds (400 + 100) / 2 * 0.9 = 225 N; its share at the right support by moments.
  const double q = 225, qx = (2.2 * 2 * 400 + 2.2 * 100 + 3.1 * 400 + 3.1 * 2 * 100) / (3 * 500);
  const double right = (P * 5 + q * qx) / L, left = P + q - right;
  EXPECT_NEAR(middle[0].shear - middle[1].shear, P, 1e-9 * P);
  EXPECT_NEAR(middle[1].shear, -right, 1e-9 * P);
  EXPECT_NEAR(middle[0].moment, right * 5, 1e-9 * P * L);
  EXPECT_NEAR(at(0)[1].shear, left, 1e-9 * P);
  EXPECT_EQ(at(2.2).size(), 1u) << "a load's start bends the curve but does not jump it";
  EXPECT_EQ(at(7.3).size(), 1u) << "a zero force jumps nothing";
}

struct GridCase {
  const char* name;
  ExactBeam beam;
  double jumpAt;    // a force's position
  double jumpSize;  // its size: the shear falls by it there
};

class ExactCsvGridTest : public ::testing::TestWithParam<GridCase> {};

// The table runs from 0 to L in order, no position has more than two rows
// (both sides of a jump), and a force a hair from a support keeps its own step.
TEST_P(ExactCsvGridTest, RunsFromZeroToTheEndWithEveryStep) {
  const GridCase& c = GetParam();
  std::string header;
  const std::vector<Row> rows = Read(ExactCsv::Write(ExactSolver::Solve(c.beam), true), header);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows.front().x, 0);
  EXPECT_EQ(rows.back().x, c.beam.length);
  std::vector<Row> atJump;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i > 0) {
      ASSERT_LE(rows[i - 1].x, rows[i].x) << "row " << i;
    }
    if (i > 1) {
      EXPECT_LT(rows[i - 2].x, rows[i].x) << "three rows at x = " << rows[i].x;
    }
    if (rows[i].x == c.jumpAt) atJump.push_back(rows[i]);
  }
  ASSERT_EQ(atJump.size(), 2u);
  EXPECT_NEAR(atJump[0].shear - atJump[1].shear, c.jumpSize, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    ExactCsv, ExactCsvGridTest,
    ::testing::Values(
        // Nothing left of the first support at 1 m; its 750 N reaction is the largest shear there.
        GridCase{"FirstSupportInside", {8, {{1, ftHinge}, {7, ftHinge}}, {{4, 1500}}, {}}, 4, 1500},
        GridCase{"ForceBesideASupport",
                 {20, {{0, ftHinge}, {13.629991001, ftHinge}, {20, ftRoll}}, {{13.629991, 0.39}}, {{0, 20, 50, 50}}},
                 13.629991,
                 0.39}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExactCsvTest, AlwaysTheCLocaleAndNothingForAnUnstableBeam) {
  EXPECT_EQ(ExactCsv::Write(ExactSolver::Solve({4, {{0, ftHinge}}, {{2, 100}}, {}}), true), "");

  const ExactResults r = ExactSolver::Solve({4.5, {{0, ftVice}}, {{4.5, 1234.5}}, {}});
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale here";
  const std::string csv = ExactCsv::Write(r, false);
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(csv.substr(0, csv.find('\n')), "x (ft),shear (lbf),moment (ft-lbf)");
  // The vice's couple is P a = 1234.5 * 4.5 = 5555.25.
  EXPECT_NE(csv.find("\n0,1234.5,-5555.25\n"), std::string::npos) << csv;
}

}  // namespace
}  // namespace trevan

namespace trevan {
namespace {

// 10 m simply supported, 1000 Nm counter-clockwise at 4 m: by statics the
// reactions are +-100 N and the moment drops from 400 to -600 Nm there.
// The table shows both sides of that jump though the shear does not jump.
TEST(ExactCsvTest, APointMomentShowsBothSidesOfItsJump) {
  ExactResults r;
  r.solved = true;
  ExactResults::Piece left, right;
  left.x0 = 0, left.x1 = 4, left.v[0] = 100, left.m[1] = 100;
  right.x0 = 4, right.x1 = 10, right.v[0] = 100, right.m[0] = 400 - 1000, right.m[1] = 100;
  r.pieces = {left, right};
  r.maxAbsShear = {100, 0};
  r.maxSagging = {400, 4};
  r.maxHogging = {-600, 4};
  std::string header;
  const std::vector<Row> rows = Read(ExactCsv::Write(r, true), header);
  std::vector<double> atFour;
  for (const Row& row : rows)
    if (row.x == 4) atFour.push_back(row.moment);
  EXPECT_EQ(atFour, (std::vector<double>{400, -600}));
}

// A hinge in the beam at 4 m: the beam turns by 0.002 rad left of it and
// -0.001 rad right of it, both rows written though nothing else jumps.
TEST(ExactCsvTest, AHingeShowsBothRotations) {
  ExactResults r;
  r.solved = r.deflected = true;
  ExactResults::Piece left, right;
  left.x0 = 0, left.x1 = 4, left.v[0] = 100, left.m[1] = 100, left.r[0] = 0.002;
  right.x0 = 4, right.x1 = 10, right.v[0] = 100, right.m[0] = 400, right.m[1] = 100, right.r[0] = -0.001;
  r.pieces = {left, right};
  r.maxAbsShear = {100, 0};
  r.maxSagging = {1000, 10};
  std::vector<double> rotations;
  std::istringstream in(ExactCsv::Write(r, true));
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    double x = 0, v = 0, m = 0, rotation = 0, d = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "%lf,%lf,%lf,%lf,%lf", &x, &v, &m, &rotation, &d), 5) << line;
    if (x == 4) rotations.push_back(rotation);
  }
  EXPECT_EQ(rotations, (std::vector<double>{0.002, -0.001}));
}

}  // namespace
}  // namespace trevan
