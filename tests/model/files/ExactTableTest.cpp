#include <gtest/gtest.h>

#include "analysis/ExactSolver.h"
#include "files/ExactTable.h"

namespace trevan {
namespace {

// Five significant figures, and never fewer digits than the whole number
// the status line shows.
TEST(ExactTableTest, FiveSignificantFiguresAndEveryWholeDigit) {
  const struct {
    double value;
    const char* text;
  } rows[] = {{0, "0"},
              {2500, "2500.0"},
              {500, "500.00"},
              {9.99996, "10.000"},
              {0.5, "0.50000"},
              {16875, "16875"},
              {40625, "40625"},
              {28077.44, "28077"},
              {123456, "123456"},
              {-1234567.8, "-1234568"},
              {-3254.4, "-3254.4"},
              {0.0123456, "0.012346"},
              {1.23456e-6, "1.2346e-06"},
              {-0.999999, "-1.0000"}};
  for (const auto& row : rows) EXPECT_EQ(ExactTable::Significant(row.value), row.text) << row.value;
  // On the pictures the same digits, less the zeros that end a fraction.
  for (const auto& [value, text] : {std::pair{2500.0, "2500"}, {0.5, "0.5"}, {-3254.4, "-3254.4"}, {1.23456e-6, "1.2346e-06"}})
    EXPECT_EQ(ExactTable::Compact(value), text) << value;
}

// A cantilever held at 0 (ft) with 2000 lbf at 5 ft: 2 kip and a couple of 10 kip·ft.
TEST(ExactTableTest, KiloUnitsAndTabSeparatedCells) {
  const ExactResults r = ExactSolver::Solve({5, {{0, ftVice}}, {{5, 2000}}, {}});
  const std::string text = ExactTable::TabSeparated(ExactTable::Rows(r, false, true));
  for (const char* line :
       {"Support\tx (ft)\tType\tReaction (kip)\tMoment (kip\u00b7ft)\n", "1\t0\tVice\t2.0000\t10.000\n",
        "\nResult\tValue\tx (ft)\n", "Max. hogging moment (kip\u00b7ft)\t-10.000\t0\n", "Zero shear\t\tnone\n",
        "Total load (kip)\t2.0000\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  const std::string metric = ExactTable::TabSeparated(ExactTable::Rows(r, true, false));
  EXPECT_NE(metric.find("Reaction (N)\tMoment (Nm)\n1\t0\tVice\t2000.0\t10000\n"), std::string::npos) << metric;

  const ExactResults unstable = ExactSolver::Solve({5, {{0, ftHinge}}, {{5, 2000}}, {}});
  EXPECT_EQ(ExactTable::TabSeparated(ExactTable::Rows(unstable, true, false)),
            "Unstable: add a vice or two supports\n");
}

// 10 m simply supported, 1 kN/m, E I 1e7 N m²: 5wL⁴/384EI = 13.021 mm at 5 m,
// L/768; wL³/24EI = 4.1667e-3 rad at the ends.
TEST(ExactTableTest, DeflectionsAgainstTheLimit) {
  ExactBeam beam{10, {{0, ftHinge}, {10, ftRoll}}, {}, {{0, 10, 1000, 1000}}};
  EXPECT_EQ(ExactTable::DeflectionRows(ExactSolver::Solve(beam), true, 250),
            std::vector<ExactTable::Row>{{ExactTable::NoSectionText}});
  beam.stiffness = {{0, 10, 1e7}};
  const ExactResults r = ExactSolver::Solve(beam);
  const std::string text = ExactTable::TabSeparated(ExactTable::DeflectionRows(r, true, 250));
  for (const char* line : {"Span\tFrom (m)\tTo (m)\tDown (mm)\tx (m)\tUp (mm)\tx (m)\tL/\u03b4\tLimit L/250\n",
                           "1\t0\t10.000\t13.021\t5.0000\t0\t0\tL/768\tpass\n", "1\t0\t-0.0041667\n",
                           "2\t10.000\t0.0041667\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  const std::string strict = ExactTable::TabSeparated(ExactTable::DeflectionRows(r, true, 1000));
  EXPECT_NE(strict.find("L/768\tfail\n"), std::string::npos) << strict;
}

}  // namespace
}  // namespace trevan

namespace trevan {
namespace {

// Rows only where the beam has such things: a spring's deflection, a hinge's
// rotations either side, and a word when springs wait for a section.
TEST(ExactTableTest, SpringsAndHingesAddTheirRowsOnlyWhenThere) {
  const ExactResults plain =
      ExactSolver::Solve({10, {{0, ftHinge}, {10, ftRoll}}, {{5, 1000}}, {}, {}, {}, {{0, 10, 1e6}}});
  ExactResults r = plain;
  r.supports[1].deflection = 0.0125;
  r.hinges = {{4, 0.001, -0.002}};
  r.springsLeftOut = true;
  const std::string base = ExactTable::TabSeparated(ExactTable::DeflectionRows(plain, true, 250));
  EXPECT_EQ(base.find("Deflection (mm)"), std::string::npos);
  EXPECT_EQ(base.find("Hinge in beam"), std::string::npos);
  EXPECT_EQ(ExactTable::TabSeparated(ExactTable::Rows(plain, true, false)).find("left out"),
            std::string::npos);
  const std::string text = ExactTable::TabSeparated(ExactTable::DeflectionRows(r, true, 250));
  for (const char* line : {"Support\tx (m)\tDeflection (mm)\n", "1\t0\t0\n", "2\t10.000\t12.500\n",
                           "Hinge in beam\tx (m)\tRotation left (rad)\tRotation right (rad)\n",
                           "\t4.0000\t0.0010000\t-0.0020000\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  EXPECT_NE(ExactTable::TabSeparated(ExactTable::Rows(r, true, false)).find(ExactTable::SpringsLeftOutText),
            std::string::npos);
}

}  // namespace
}  // namespace trevan
