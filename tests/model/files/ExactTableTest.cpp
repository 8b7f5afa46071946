#include <gtest/gtest.h>

#include "analysis/ExactSolver.h"
#include "files/ExactTable.h"

namespace trevan {
namespace {

TEST(ExactTableTest, FourSignificantFigures) {
  const struct {
    double value;
    const char* text;
  } rows[] = {{0, "0"},
              {2500, "2500"},
              {500, "500.0"},
              {9.9996, "10.00"},
              {0.5, "0.5000"},
              {11250, "11250"},
              {123456, "123500"},
              {-3254.4, "-3254"},
              {0.012345, "0.01235"},
              {1.23456e-6, "1.235e-06"},
              {-0.99999, "-1.000"}};
  for (const auto& row : rows) EXPECT_EQ(ExactTable::Significant(row.value), row.text) << row.value;
}

// A cantilever held at 0 (ft) with 2000 lbf at 5 ft: 2 kip and a couple of 10 kip·ft.
TEST(ExactTableTest, KiloUnitsAndTabSeparatedCells) {
  const ExactResults r = ExactSolver::Solve({5, {{0, ftVice}}, {{5, 2000}}, {}});
  const std::string text = ExactTable::TabSeparated(ExactTable::Rows(r, false, true));
  for (const char* line :
       {"Support\tx (ft)\tType\tReaction (kip)\tMoment (kip\u00b7ft)\n", "1\t0\tVice\t2.000\t10.00\n",
        "\nResult\tValue\tx (ft)\n", "Max. hogging moment (kip\u00b7ft)\t-10.00\t0\n", "Zero shear\t\tnone\n",
        "Total load (kip)\t2.000\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  const std::string metric = ExactTable::TabSeparated(ExactTable::Rows(r, true, false));
  EXPECT_NE(metric.find("Reaction (N)\tMoment (Nm)\n1\t0\tVice\t2000\t10000\n"), std::string::npos) << metric;

  const ExactResults unstable = ExactSolver::Solve({5, {{0, ftHinge}}, {{5, 2000}}, {}});
  EXPECT_EQ(ExactTable::TabSeparated(ExactTable::Rows(unstable, true, false)),
            "Unstable: add a vice or two supports\n");
}

}  // namespace
}  // namespace trevan
