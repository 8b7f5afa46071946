#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "CliApp.h"

#include <unistd.h>

namespace trevan::cli {
namespace {

const std::string Examples = TREVAN_EXAMPLES_DIR;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome RunCli(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int status = Run(args, out, err);
  return {status, out.str(), err.str()};
}

// Pulls the number after "key": out of a one-line JSON report.
double JsonNumber(const std::string& json, const std::string& key) {
  const auto at = json.find("\"" + key + "\": ");
  if (at == std::string::npos) return NAN;
  return std::stod(json.substr(at + key.size() + 4));
}

int JsonArrayLength(const std::string& json, const std::string& key) {
  const auto open = json.find("\"" + key + "\": [");
  if (open == std::string::npos) return -1;
  const auto close = json.find(']', open);
  const std::string body = json.substr(open, close - open);
  if (body.back() == '[') return 0;
  return 1 + static_cast<int>(std::count(body.begin(), body.end(), ','));
}

TEST(CliTest, TextReportListsSupportsAndTheStatusLine) {
  const Outcome r = RunCli({"analyze", Examples + "/simply-supported.tvn"});
  ASSERT_EQ(r.status, ExitOk) << r.err;
  std::istringstream lines(r.out);
  std::string line;
  for (const char* position : {"      0.0000 m   Hinge   ", "     10.0000 m   Hinge   "}) {
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line.substr(0, 25), position);
    EXPECT_NEAR(std::stod(line.substr(25)), 500, 0.05) << line;
    EXPECT_EQ(line.substr(line.size() - 2), " N");
  }
  ASSERT_TRUE(std::getline(lines, line));
  EXPECT_EQ(line.substr(0, 17), "Max. moment :    ");
  EXPECT_NEAR(std::stod(line.substr(14)), 2500, 40);
  EXPECT_EQ(line.substr(line.size() - 3), " Nm");
  // The exact results follow after a blank line.
  ASSERT_TRUE(std::getline(lines, line));
  EXPECT_EQ(line, "");
  EXPECT_EQ(r.err, "");
}

// Simply supported, 1000 N at midspan of 10 m: P/2 each, PL/4 = 2500 Nm at 5 m.
TEST(CliTest, TextReportEndsWithTheExactTable) {
  const Outcome r = RunCli({"analyze", Examples + "/simply-supported.tvn"});
  ASSERT_EQ(r.status, ExitOk) << r.err;
  const std::string table = r.out.substr(r.out.find("\n\n") + 2);
  for (const char* row : {"Support  x (m)  Type   Reaction (N)  Moment (Nm)\n",
                          "1        0      Hinge  500.0\n", "2        10.00  Hinge  500.0\n", "\n\nResult ",
                          "Max. sagging moment (Nm)  2500   5.000", "Max. hogging moment (Nm)  0      0\n",
                          "Max. shear (N)            500.0  0\n", "Zero shear                       5.000\n",
                          "Total load (N)            1000\n", "Sum of reactions (N)      1000\n"})
    EXPECT_NE(table.find(row), std::string::npos) << row << " in\n" << table;
}

// The exact object of the example, and a vice's couple: the
// cantilever's 2000 N at 3.5 m and 500 N/m over 4 m give 4000 N and
// 2000 * 3.5 + 2000 * 2 = 11000 Nm counter-clockwise at the wall.
TEST(CliTest, JsonReportHasTheExactObject) {
  const Outcome r = RunCli({"analyze", Examples + "/simply-supported.tvn", "--json"});
  ASSERT_EQ(r.status, ExitOk) << r.err;
  const std::string exact = r.out.substr(r.out.find("\"exact\": {"));
  for (const char* text :
       {"\"supports\": [{\"x\": 0, \"type\": \"hinge\", \"reaction\": 500, \"moment\": 0}, "
        "{\"x\": 10, \"type\": \"hinge\", \"reaction\": 500, \"moment\": 0}]",
        "\"max_sagging_moment\": {\"value\": 2500, \"x\": 5}",
        "\"max_hogging_moment\": {\"value\": 0, \"x\": 0}", "\"max_abs_shear\": {\"value\": 500, \"x\": 0}",
        "\"zero_shear\": [5]", "\"total_load\": 1000"})
    EXPECT_NE(exact.find(text), std::string::npos) << text << " in " << exact;

  const Outcome cantilever = RunCli({"analyze", Examples + "/cantilever.tvn", "--json"});
  const std::string c = cantilever.out.substr(cantilever.out.find("\"exact\": {"));
  EXPECT_NE(c.find("\"type\": \"vice\""), std::string::npos) << c;
  EXPECT_NEAR(JsonNumber(c, "reaction"), 4000, 1e-9);
  EXPECT_NEAR(JsonNumber(c, "moment"), 11000, 1e-9);
  EXPECT_NEAR(JsonNumber(c.substr(c.find("max_hogging_moment")), "value"), -11000, 1e-9);
}

// One hinge under a load cannot stand: no exact object, no exact table.
// A central 1000 N force on a 10 m simply supported span: reactions of 500 N,
// PL/4 = 2500 Nm under the load, both sides of every jump.
TEST(CliTest, CsvIsTheExactShearAndMomentWithUnits) {
  const Outcome r = RunCli({"analyze", Examples + "/simply-supported.tvn", "--csv"});
  ASSERT_EQ(r.status, ExitOk) << r.err;
  std::istringstream lines(r.out);
  std::string line;
  ASSERT_TRUE(std::getline(lines, line));
  EXPECT_EQ(line, "x (m),shear (N),moment (Nm)");
  std::vector<std::string> rows;
  while (std::getline(lines, line)) rows.push_back(line);
  EXPECT_GE(rows.size(), 201u);
  for (const char* expected :
       {"0,0,0", "0,500,0", "2.5,500,1250", "5,500,2500", "5,-500,2500", "10,-500,0", "10,0,0"})
    EXPECT_NE(std::find(rows.begin(), rows.end(), expected), rows.end()) << expected;
}

TEST(CliTest, UnstableBeamHasNoExactResults) {
  const auto path =
      std::filesystem::temp_directory_path() / ("trevan-cli-unstable-" + std::to_string(getpid()) + ".tvn");
  {
    std::ofstream file(path);
    file << "Trevan version :11700 \nMetric :1 \nbeam length :10.000000000 \nnumber of forces :1 \n"
            "charge(x,f) :5.000000000 1000.000000000 \nnumber of distributed loads :0 \n"
            "number of supports :1 \nsupport(X,type) :2.000000000 3 \n";
  }
  const Outcome json = RunCli({"analyze", path.string(), "--json"});
  const Outcome text = RunCli({"analyze", path.string()});
  std::filesystem::remove(path);
  EXPECT_NE(json.out.find("\"sweeps\""), std::string::npos) << json.err;
  EXPECT_EQ(json.out.find("\"exact\""), std::string::npos) << json.out;
  EXPECT_EQ(text.out.find("Reaction ("), std::string::npos) << text.out;
}

TEST(CliTest, JsonReportHasEveryKeyAndReadsBackExactly) {
  const Outcome r = RunCli({"analyze", Examples + "/non-metric.tvn", "--json"});
  ASSERT_EQ(r.status, ExitOk) << r.err;
  for (const char* key :
       {"\"file\"", "\"version\": 11700", "\"metric\": false", "\"length\": 40",
        "\"units\": {\"length\": \"ft\", \"force\": \"lbf\", \"moment\": \"ft-lbf\"}",
        "\"type\": \"ftHinge\"", "\"max_moment\"", "\"status\": \"Max. moment :", "\"sweeps\""})
    EXPECT_NE(r.out.find(key), std::string::npos) << key << " in " << r.out;
  EXPECT_EQ(r.out.find("\"shear\""), std::string::npos) << "columns only on request";
  EXPECT_NEAR(JsonNumber(r.out, "reaction"), 3250, 0.05);
}

TEST(CliTest, ColumnsFollowTheDistanceScale) {
  const Outcome metric = RunCli({"analyze", Examples + "/simply-supported.tvn", "--json", "--columns"});
  ASSERT_EQ(metric.status, ExitOk);
  EXPECT_EQ(JsonNumber(metric.out, "distance_scale"), 0.04);
  EXPECT_EQ(JsonArrayLength(metric.out, "shear"), 251);  // trunc(10 / 0.04) + 1
  EXPECT_EQ(JsonArrayLength(metric.out, "moment"), 251);

  const Outcome nonMetric = RunCli({"analyze", Examples + "/non-metric.tvn", "--json", "--columns"});
  EXPECT_EQ(JsonNumber(nonMetric.out, "distance_scale"), 0.1);
  EXPECT_EQ(JsonArrayLength(nonMetric.out, "shear"), 401);

  const Outcome coarse = RunCli({"analyze", Examples + "/simply-supported.tvn", "--json", "--columns",
                                 "--distance-scale", "0.5", "--moment-scale", "100", "--force-scale", "10"});
  ASSERT_EQ(coarse.status, ExitOk) << coarse.err;
  EXPECT_EQ(JsonArrayLength(coarse.out, "moment"), 21);
}

struct UsageCase {
  const char* name;
  std::vector<std::string> args;
};

class CliUsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CliUsageTest, ExitsWith64AndTheUsage) {
  const Outcome r = RunCli(GetParam().args);
  EXPECT_EQ(r.status, ExitUsage);
  EXPECT_NE(r.err.find("usage: trevan-cli analyze FILE.tvn"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliUsageTest,
    ::testing::Values(UsageCase{"NoArguments", {}}, UsageCase{"UnknownCommand", {"draw", "a.tvn"}},
                      UsageCase{"NoFile", {"analyze"}},
                      UsageCase{"UnknownOption", {"analyze", "a.tvn", "--fast"}},
                      UsageCase{"ScaleWithoutValue", {"analyze", "a.tvn", "--force-scale"}},
                      UsageCase{"ZeroScale", {"analyze", "a.tvn", "--moment-scale", "0"}},
                      UsageCase{"TextScale", {"analyze", "a.tvn", "--distance-scale", "fine"}},
                      UsageCase{"TwoFiles", {"analyze", "a.tvn", "b.tvn"}},
                      UsageCase{"TooFine",
                                {"analyze", Examples + "/simply-supported.tvn", "--distance-scale", "1e-9"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliTest, UnreadableFilesExitWith2AndSayWhy) {
  const Outcome missing = RunCli({"analyze", Examples + "/no-such-beam.tvn"});
  EXPECT_EQ(missing.status, ExitUnreadable);
  EXPECT_NE(missing.err.find("Error while opening file"), std::string::npos);

  const Outcome notABeam = RunCli({"analyze", Examples + "/../CMakeLists.txt"});
  EXPECT_EQ(notABeam.status, ExitUnreadable);
  EXPECT_NE(notABeam.err.find("Error while opening file"), std::string::npos);
  EXPECT_NE(notABeam.err.find("not a beam document"), std::string::npos) << notABeam.err;
}

// The installed program, not just the library: exit status and streams.
TEST(CliTest, ProgramReportsThroughItsExitStatus) {
  const std::string cli = TREVAN_CLI_PATH;
  EXPECT_EQ(WEXITSTATUS(std::system((cli + " analyze " + Examples + "/cantilever.tvn >/dev/null").c_str())),
            0);
  EXPECT_EQ(WEXITSTATUS(std::system((cli + " analyze 2>/dev/null").c_str())), 64);
  EXPECT_EQ(WEXITSTATUS(std::system((cli + " analyze /nonexistent.tvn 2>/dev/null").c_str())), 2);
}

}  // namespace
}  // namespace trevan::cli
