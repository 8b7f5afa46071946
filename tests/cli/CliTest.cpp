#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "CliApp.h"

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
  EXPECT_FALSE(std::getline(lines, line));
  EXPECT_EQ(r.err, "");
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
