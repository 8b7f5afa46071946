#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <unistd.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
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
  for (const char* row : {"Support  x (m)   Type   Reaction (N)  Moment (Nm)\n",
                          "1        0       Hinge  500.00\n", "2        10.000  Hinge  500.00\n", "\n\nResult ",
                          "Max. sagging moment (Nm)  2500.0  5.0000", "Max. hogging moment (Nm)  0       0\n",
                          "Max. shear (N)            500.00  0\n", "Zero shear                        5.0000\n",
                          "Total load (N)            1000.0\n", "Sum of reactions (N)      1000.0\n"})
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
        "\"schema\": 2", "\"sign_convention\": \"sagging moment positive", "\"type\": \"hinge\"",
        "\"max_moment\"", "\"status\": \"Max. moment :", "\"sweeps\"", "\"forces\": [{\"x\": "})
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

// 1000 N at the middle of 10 m on 210 GPa and 8356 cm⁴: PL³/48EI = 1.187 mm, PL²/16EI at the ends.
TEST(CliTest, ASectionForTheRunAddsDeflections) {
  const Outcome plain = RunCli({"analyze", Examples + "/simply-supported.tvn", "--json", "--columns"});
  EXPECT_EQ(plain.out.find("\"deflection\""), std::string::npos) << "none without a section";
  const Outcome r = RunCli(
      {"analyze", Examples + "/simply-supported.tvn", "--json", "--columns", "--E", "210", "--I", "8356"});
  ASSERT_EQ(r.status, ExitOk) << r.err;
  const double EI = 210e9 * 8356e-8;
  EXPECT_EQ(JsonNumber(r.out, "E"), 210e9);
  EXPECT_NEAR(JsonNumber(r.out, "I"), 8356e-8, 1e-20);
  const std::string down = r.out.substr(r.out.find("\"down\""));
  EXPECT_NEAR(JsonNumber(down, "value"), 1000.0 * 1000 / (48 * EI), 1e-12);
  EXPECT_NEAR(JsonNumber(down, "x"), 5, 1e-9);
  EXPECT_NEAR(JsonNumber(r.out, "rotation"), -1000.0 * 100 / (16 * EI), 1e-15);
  EXPECT_EQ(JsonArrayLength(r.out, "deflection"), 251);

  const Outcome text = RunCli({"analyze", Examples + "/simply-supported.tvn", "--E", "210", "--I", "8356"});
  EXPECT_NE(text.out.find("1.187"), std::string::npos) << text.out;
  const Outcome csv = RunCli({"analyze", Examples + "/simply-supported.tvn", "--csv", "--E", "210", "--I", "8356"});
  EXPECT_EQ(csv.out.substr(0, csv.out.find('\n')), "x (m),shear (N),moment (Nm),rotation (rad),deflection (mm)");
  EXPECT_EQ(RunCli({"analyze", Examples + "/simply-supported.tvn", "--E", "210"}).status, ExitUsage);

  // PL³/48EI = 1.187 mm is L/8422: inside L/5000, outside L/10000.
  for (const auto& [limit, passes] : {std::pair{"5000", "true"}, std::pair{"L/10000", "false"}}) {
    const Outcome checked = RunCli({"analyze", Examples + "/simply-supported.tvn", "--json", "--E", "210", "--I",
                                    "8356", "--limit", limit});
    ASSERT_EQ(checked.status, ExitOk) << checked.err;
    EXPECT_NE(checked.out.find(std::string("\"passes\": ") + passes), std::string::npos) << limit << checked.out;
  }
  EXPECT_EQ(RunCli({"analyze", Examples + "/simply-supported.tvn", "--limit", "0.5"}).status, ExitUsage);
}

// Two 6 m spans, dead 10 kN/m and offices 15 kN/m: by 6.10, a = 13.5 and
// b = 22.5 kN/m; the end reaction with the offices on its span alone is
// (3a/8 + 7b/16) L, the middle one with them on both 1.25 (a + b) L.
TEST(CliTest, CombinationsAndEnvelopesOfTheCases) {
  const std::string file = Examples + "/two-span-load-cases.tvn";
  const double a = 13500, b = 22500, L = 6, end = (3 * a / 8 + 7 * b / 16) * L;
  const Outcome json = RunCli({"analyze", file, "--json"});
  ASSERT_EQ(json.status, ExitOk) << json.err;
  std::size_t kinds = 0;
  for (auto at = json.out.find("\"kind\""); at != std::string::npos; at = json.out.find("\"kind\"", at + 1)) ++kinds;
  EXPECT_EQ(kinds, 2u) << "one a case";
  const std::string uls = json.out.substr(json.out.find("\"uls\""));
  EXPECT_NEAR(JsonNumber(uls.substr(uls.find("max_sagging_moment")), "value"), end * end / (2 * (a + b)), 1e-6);
  EXPECT_NEAR(JsonNumber(uls.substr(uls.find("max_hogging_moment")), "value"), -(a + b) * L * L / 8, 1e-6);
  const std::string middle = uls.substr(uls.find("\"x\": 6"));
  EXPECT_NEAR(JsonNumber(middle, "value"), 1.25 * (a + b) * L, 1e-6);

  const Outcome one = RunCli({"analyze", file, "--json", "--combination", "6.10 Q1 leading"});
  ASSERT_EQ(one.status, ExitOk) << one.err;
  EXPECT_NEAR(JsonNumber(one.out, "sum_of_reactions"), (a + b) * 2 * L, 1e-6);
  EXPECT_EQ(RunCli({"analyze", file, "--combination", "none such"}).status, ExitUsage);

  const Outcome text = RunCli({"analyze", file, "--envelope", "uls"});
  EXPECT_NE(text.out.find("Largest sagging moment 111098.1445 Nm"), std::string::npos) << text.out;
  const Outcome csv = RunCli({"analyze", file, "--csv", "--envelope", "sls"});
  EXPECT_EQ(csv.out.substr(0, csv.out.find('\n')),
            "x (m),shear upper (N),shear lower (N),moment upper (Nm),moment lower (Nm)");
}

// A first number of an array after its key.
double FirstElement(const std::string& json, const std::string& key) {
  return std::stod(json.substr(json.find("\"" + key + "\": [") + key.size() + 5));
}

// 1000 N at midspan of 10 m, one column 0.04 m: the first shear column is the
// left reaction, +500 N; the columns agree with the exact sign. An option's
// value may follow an equals sign.
TEST(CliTest, ColumnsFollowTheSignConvention) {
  const Outcome r = RunCli({"analyze", Examples + "/simply-supported.tvn", "--json", "--columns",
                            "--distance-scale=0.5", "--moment-scale=100"});
  ASSERT_EQ(r.status, ExitOk) << r.err;
  EXPECT_EQ(JsonArrayLength(r.out, "moment"), 21);
  EXPECT_NEAR(FirstElement(r.out, "shear"), 500, 1);
  const std::string moments = r.out.substr(r.out.find("\"moment\": ["));
  std::istringstream values(moments.substr(moments.find('[') + 1));
  std::vector<double> m;
  for (double v; values >> v; values.ignore(1)) m.push_back(v);
  ASSERT_EQ(m.size(), 21u);
  EXPECT_NEAR(m[10], 2500, 30) << "sagging is positive";
}

TEST(CliTest, VersionAndAnalyzeHelpPrintAndEnd) {
  const Outcome version = RunCli({"--version"});
  EXPECT_EQ(version.status, ExitOk);
  EXPECT_EQ(version.out.rfind("trevan-cli ", 0), 0u) << version.out;
  const Outcome help = RunCli({"analyze", "--help"});
  EXPECT_EQ(help.status, ExitOk) << help.err;
  for (const char* option : {"--json", "--csv", "--columns", "--distance-scale", "--force-scale", "--moment-scale"})
    EXPECT_NE(help.out.find("  " + std::string(option) + " "), std::string::npos) << option << " in " << help.out;
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
                      UsageCase{"JsonWithCsv", {"analyze", Examples + "/simply-supported.tvn", "--json", "--csv"}},
                      UsageCase{"FlagWithAValue", {"analyze", Examples + "/simply-supported.tvn", "--json=1"}},
                      UsageCase{"TwoFiles", {"analyze", "a.tvn", "b.tvn"}},
                      UsageCase{"EnvelopeOfNothing", {"analyze", "a.tvn", "--envelope", "all"}},
                      UsageCase{"CombinationAndEnvelope",
                                {"analyze", "a.tvn", "--combination", "D", "--envelope", "uls"}},
                      UsageCase{"TooFine",
                                {"analyze", Examples + "/simply-supported.tvn", "--distance-scale", "1e-9"}}),
    [](const auto& info) { return std::string(info.param.name); });

class ConvertTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        std::filesystem::temp_directory_path() / ("trevan-convert-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string File(const std::string& name) const { return (dir_ / name).string(); }
  static std::string Read(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void Write(const std::string& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
  }

  std::filesystem::path dir_;
};

// Pulls the values after the label that starts a line of a beam file.
std::vector<double> FileValues(const std::string& text, const std::string& label) {
  const auto at = text.find(label + " :");
  if (at == std::string::npos) return {};
  std::istringstream line(text.substr(at + label.size() + 2, text.find('\r', at) - at - label.size() - 2));
  std::vector<double> values;
  for (double v; line >> v;) values.push_back(v);
  return values;
}

TEST_F(ConvertTest, FeetAgreeWithHandConversionAndComeBackToMetres) {
  // 1 lbf is 0.45359237 kg under 9.80665 m/s^2; 1 ft is 0.3048 m.
  const double lbf = 0.45359237 * 9.80665;
  const std::string cantilever = Examples + "/cantilever.tvn";
  const Outcome toFeet = RunCli({"convert", cantilever, "--to", "ft", "-o", File("feet.tvn")});
  ASSERT_EQ(toFeet.status, ExitOk) << toFeet.err;
  const std::string feet = Read(File("feet.tvn"));
  EXPECT_NE(feet.find("Metric :0 "), std::string::npos);
  EXPECT_NEAR(FileValues(feet, "beam length")[0], 4 / 0.3048, 1e-9);
  const std::vector<double> force = FileValues(feet, "charge(x,f)");
  ASSERT_EQ(force.size(), 2u);
  EXPECT_NEAR(force[0], 3.5 / 0.3048, 1e-9);
  EXPECT_NEAR(force[1], 2000 / lbf, 1e-9);
  const std::vector<double> load = FileValues(feet, "distributed charge(x1,x2,f1,f2)");
  ASSERT_EQ(load.size(), 4u);
  EXPECT_NEAR(load[2], 500 / (lbf / 0.3048), 1e-8);

  const Outcome back = RunCli({"convert", File("feet.tvn"), "--to", "m", "-o", File("metres.tvn")});
  ASSERT_EQ(back.status, ExitOk) << back.err;
  // The file keeps nine decimals of the values in feet: 1e-9 relative.
  const std::string metres = Read(File("metres.tvn"));
  for (const char* label :
       {"Metric", "beam length", "charge(x,f)", "distributed charge(x1,x2,f1,f2)", "support(X,type)"}) {
    const std::vector<double> original = FileValues(Read(cantilever), label);
    const std::vector<double> returned = FileValues(metres, label);
    ASSERT_EQ(returned.size(), original.size()) << label;
    for (std::size_t i = 0; i < original.size(); ++i)
      EXPECT_NEAR(returned[i], original[i], 1e-9 * std::max(1.0, std::fabs(original[i])))
          << label << " " << i;
  }
}

// A moment, a hinge in the beam, a settling spring support and a vice
// with a rotational spring.
const std::string ObjectsBeam =
    "Trevan version :11800 \r\nMetric :1 \r\nbeam length :10.000000000 \r\nnumber of forces :0 \r\n"
    "number of distributed loads :0 \r\nnumber of supports :2 \r\nsupport(X,type) :0.000000000 3 \r\n"
    "support(X,type) :10.000000000 1 \r\n"
    "number of extension lines :7 \r\nnumber of moments :1 \r\nmoment(x,M,case) :2.5 1000 0 \r\n"
    "number of hinges in the beam :1 \r\nhinge in the beam(x) :4 \r\nnumber of support properties :2 \r\n"
    "support properties(spring,rotational spring,settlement) :45000 0 0.01 \r\n"
    "support properties(spring,rotational spring,settlement) :0 2500000 0 \r\n";

// A moment goes by lbf and ft, a spring by lbf per inch, a settlement by
// the inch; the way back restores them to rounding (they are kept in full).
TEST_F(ConvertTest, MomentsSpringsAndSettlementsByTheirOwnFactors) {
  const double lbf = 0.45359237 * 9.80665, ft = 0.3048, in = 0.0254;
  Write(File("objects.tvn"), ObjectsBeam);
  const Outcome toFeet = RunCli({"convert", File("objects.tvn"), "--to", "ft", "-o", File("feet.tvn")});
  ASSERT_EQ(toFeet.status, ExitOk) << toFeet.err;
  const std::string feet = Read(File("feet.tvn"));
  const std::vector<double> moment = FileValues(feet, "moment(x,M,case)");
  ASSERT_EQ(moment.size(), 3u);
  EXPECT_NEAR(moment[0], 2.5 / ft, 1e-12);
  EXPECT_NEAR(moment[1], 1000 / (lbf * ft), 1e-9);
  EXPECT_NEAR(FileValues(feet, "hinge in the beam(x)").at(0), 4 / ft, 1e-12);
  const std::string label = "support properties(spring,rotational spring,settlement)";
  const std::vector<double> pin = FileValues(feet, label);
  ASSERT_EQ(pin.size(), 3u);
  EXPECT_NEAR(pin[0], 45000 * in / lbf, 1e-9);
  EXPECT_NEAR(pin[2], 0.01 / in, 1e-14);
  const std::vector<double> vice = FileValues(feet.substr(feet.find(label) + label.size()), label);
  ASSERT_EQ(vice.size(), 3u);
  EXPECT_NEAR(vice[1], 2.5e6 / (lbf * ft), 1e-6);

  ASSERT_EQ(RunCli({"convert", File("feet.tvn"), "--to", "m", "-o", File("back.tvn")}).status, ExitOk);
  const std::string back = Read(File("back.tvn"));
  EXPECT_NEAR(FileValues(back, "moment(x,M,case)").at(1), 1000, 1e-10);
  EXPECT_NEAR(FileValues(back, label).at(0), 45000, 1e-9);
  EXPECT_NEAR(FileValues(back, label).at(2), 0.01, 1e-16);
}

TEST_F(ConvertTest, JsonNamesTheMomentsHingesAndSupportProperties) {
  Write(File("objects.tvn"), ObjectsBeam);
  const Outcome r = RunCli({"analyze", File("objects.tvn"), "--json"});
  for (const char* text :
       {"\"moments\": [{\"x\": 2.5, \"m\": 1000}]", "\"hinges\": [4]",
        "{\"x\": 0, \"type\": \"hinge\", \"reaction\": ",
        "\"spring\": 45000, \"rotational_spring\": 0, \"settlement\": 0.01}",
        "\"spring\": 0, \"rotational_spring\": 2500000, \"settlement\": 0}",
        "\"support_units\": {\"spring\": \"N/m\", \"rotational_spring\": \"Nm/rad\", \"settlement\": \"m\"}"})
    EXPECT_NE(r.out.find(text), std::string::npos) << text << " in " << r.out;
  // The iterative analysis knows none of them: its figures would mislead.
  EXPECT_EQ(r.out.find("\"iterative\""), std::string::npos);
}

TEST_F(ConvertTest, TheFileUnitCopiesTheFileUnchanged) {
  // Not as the writer would put it: short numbers and no Metric line.
  const std::string old =
      "Trevan version :11500 \r\nbeam length :10 \r\nnumber of forces :1 \r\ncharge(x,f) :5 1000 \r\n"
      "number of distributed loads :0 \r\nnumber of supports :0 \r\n";
  Write(File("old.tvn"), old);
  const Outcome r = RunCli({"convert", File("old.tvn"), "--to", "m", "-o", File("copy.tvn")});
  ASSERT_EQ(r.status, ExitOk) << r.err;
  EXPECT_EQ(Read(File("copy.tvn")), old);
  EXPECT_EQ(RunCli({"convert", File("old.tvn"), "--to", "m", "-o", File("old.tvn")}).status, ExitOk);
  EXPECT_EQ(Read(File("old.tvn")), old);
}

// Either unit goes through the one safe writer: the mode of the file it
// replaces stays, a read-only one needs --force, and a failure says why.
TEST_F(ConvertTest, TheTargetKeepsItsModeAReadOnlyOneNeedsForceAndFailuresSayWhy) {
  const std::string beam = Examples + "/simply-supported.tvn";
  for (const char* unit : {"m", "ft"}) {
    SCOPED_TRACE(unit);
    Write(File("private.tvn"), "old");
    std::filesystem::permissions(File("private.tvn"), std::filesystem::perms(0600));
    ASSERT_EQ(RunCli({"convert", beam, "--to", unit, "-o", File("private.tvn")}).status, ExitOk);
    EXPECT_EQ(std::filesystem::status(File("private.tvn")).permissions(), std::filesystem::perms(0600));
    EXPECT_NE(Read(File("private.tvn")), "old");

    Write(File("fixed.tvn"), "old");
    std::filesystem::permissions(File("fixed.tvn"), std::filesystem::perms(0444));
    const Outcome refused = RunCli({"convert", beam, "--to", unit, "-o", File("fixed.tvn")});
    EXPECT_EQ(refused.status, ExitUnreadable);
    EXPECT_NE(refused.err.find(File("fixed.tvn") + ": the file is read-only; add --force"), std::string::npos)
        << refused.err;
    EXPECT_EQ(Read(File("fixed.tvn")), "old");
    EXPECT_EQ(RunCli({"convert", beam, "--to", unit, "-o", File("fixed.tvn"), "--force"}).status, ExitOk);
    EXPECT_NE(Read(File("fixed.tvn")), "old");
    EXPECT_EQ(std::filesystem::status(File("fixed.tvn")).permissions(), std::filesystem::perms(0444));
    std::filesystem::remove(File("fixed.tvn"));

    std::filesystem::create_directory(File("folder"));
    const struct {
      std::string target;
      int error;
    } rows[] = {{File("folder"), EISDIR}, {File("no-dir/x.tvn"), ENOENT}, {File("private.tvn/x.tvn"), ENOTDIR}};
    for (const auto& row : rows) {
      const Outcome failed = RunCli({"convert", beam, "--to", unit, "-o", row.target});
      EXPECT_EQ(failed.status, ExitUnreadable);
      EXPECT_NE(failed.err.find("trevan-cli: " + row.target + ": " + std::strerror(row.error) + "\n"),
                std::string::npos)
          << failed.err;
    }
  }
}

TEST_F(ConvertTest, FailuresExitWithTheirStatus) {
  const std::string beam = Examples + "/simply-supported.tvn";
  for (const std::vector<std::string>& args : {std::vector<std::string>{"convert"},
                                               {"convert", beam, "-o", File("x.tvn")},
                                               {"convert", beam, "--to", "yd", "-o", File("x.tvn")},
                                               {"convert", beam, "--to", "ft"},
                                               {"convert", beam, "--to"},
                                               {"convert", beam, "--to", "ft", "-o", File("x.tvn"), "--fast"},
                                               {"convert", beam, beam, "--to", "ft", "-o", File("x.tvn")}}) {
    const Outcome r = RunCli(args);
    EXPECT_EQ(r.status, ExitUsage) << args.size();
    EXPECT_NE(r.err.find("trevan-cli convert FILE.tvn --to m|ft -o OUT.tvn"), std::string::npos) << r.err;
  }
  EXPECT_FALSE(std::filesystem::exists(File("x.tvn")));

  EXPECT_EQ(RunCli({"convert", File("none.tvn"), "--to", "ft", "-o", File("x.tvn")}).status, ExitUnreadable);
  EXPECT_EQ(RunCli({"convert", beam, "--to", "ft", "-o", File("no-dir/x.tvn")}).status, ExitUnreadable);

  // 32808.4 ft is just over 10000 m: refused, as the Units command refuses it.
  Write(File("long.tvn"),
        "Trevan version :11700 \r\nMetric :0 \r\nbeam length :32808.4 \r\nnumber of forces :0 \r\n"
        "number of distributed loads :0 \r\nnumber of supports :0 \r\n");
  const Outcome tooLong = RunCli({"convert", File("long.tvn"), "--to", "m", "-o", File("x.tvn")});
  EXPECT_EQ(tooLong.status, ExitUnreadable);
  EXPECT_NE(tooLong.err.find("from 0.01 to 10000 m"), std::string::npos) << tooLong.err;
  EXPECT_FALSE(std::filesystem::exists(File("x.tvn")));
}

TEST(CliTest, UnreadableFilesExitWith2AndSayWhy) {
  const Outcome missing = RunCli({"analyze", Examples + "/no-such-beam.tvn"});
  EXPECT_EQ(missing.status, ExitUnreadable);
  EXPECT_NE(missing.err.find("Error while opening file"), std::string::npos);

  const Outcome notABeam = RunCli({"analyze", Examples + "/../CMakeLists.txt"});
  EXPECT_EQ(notABeam.status, ExitUnreadable);
  EXPECT_NE(notABeam.err.find("Error while opening file"), std::string::npos);
  EXPECT_NE(notABeam.err.find("not a beam document"), std::string::npos) << notABeam.err;
}

// A beam file with the given force and support records.
std::string WriteBeam(const std::string& name, double length,
                      const std::vector<std::pair<double, double>>& forces,
                      const std::vector<std::pair<double, int>>& supports) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("trevan_cli_" + std::to_string(getpid()) + "_" + name + ".tvn");
  std::ofstream out(path, std::ios::binary);
  char line[160];
  std::snprintf(line, sizeof line, "Trevan version :11700 \r\nMetric :1 \r\nbeam length :%.9f \r\n", length);
  out << line << "number of forces :" << forces.size() << " \r\n";
  for (auto [x, f] : forces) {
    std::snprintf(line, sizeof line, "charge(x,f) :%.9f %.9f \r\n", x, f);
    out << line;
  }
  out << "number of distributed loads :0 \r\nnumber of supports :" << supports.size() << " \r\n";
  for (auto [x, type] : supports) {
    std::snprintf(line, sizeof line, "support(X,type) :%.9f %d \r\n", x, type);
    out << line;
  }
  return path.string();
}

struct StabilityCase {
  const char* name;
  std::vector<std::pair<double, double>> forces;
  std::vector<std::pair<double, int>> supports;
  bool stable;
  int status;
};

class CliStabilityTest : public ::testing::TestWithParam<StabilityCase> {};

// No vice and fewer than two hinges or rolls cannot stand; type none does
// not count. Loaded, such a beam exits with 3 and shows no reactions.
TEST_P(CliStabilityTest, ReportsWhetherTheBeamCanStand) {
  const StabilityCase& c = GetParam();
  const std::string file = WriteBeam(c.name, 10, c.forces, c.supports);
  const Outcome text = RunCli({"analyze", file});
  const Outcome json = RunCli({"analyze", file, "--json"});
  std::filesystem::remove(file);
  EXPECT_EQ(text.status, c.status) << text.err;
  EXPECT_EQ(json.status, c.status) << json.err;
  EXPECT_NE(json.out.find(c.stable ? "\"stable\": true" : "\"stable\": false"), std::string::npos)
      << json.out;
  if (c.status == ExitUnstable) {
    EXPECT_EQ(text.out, "Unstable: add a vice or two supports\n");
    EXPECT_NE(json.out.find("\"status\": \"Unstable: add a vice or two supports\""), std::string::npos);
  } else {
    EXPECT_EQ(text.out.find("Unstable"), std::string::npos) << text.out;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliStabilityTest,
    ::testing::Values(StabilityCase{"OneHinge", {{5, 1000}}, {{0, 3}}, false, ExitUnstable},
                      StabilityCase{"TwoNone", {{5, 1000}}, {{0, 0}, {10, 0}}, false, ExitUnstable},
                      StabilityCase{"HingeAndNone", {{5, 1000}}, {{0, 3}, {10, 0}}, false, ExitUnstable},
                      StabilityCase{"NoSupports", {{5, 1000}}, {}, false, ExitUnstable},
                      StabilityCase{"OneHingeUnloaded", {}, {{0, 3}}, false, ExitOk},
                      StabilityCase{"ZeroForceOnly", {{5, 0}}, {{0, 3}}, false, ExitOk},
                      StabilityCase{"Vice", {{5, 1000}}, {{0, 1}}, true, ExitOk},
                      StabilityCase{"HingeAndRoll", {{5, 1000}}, {{0, 3}, {10, 2}}, true, ExitOk}),
    [](const auto& info) { return std::string(info.param.name); });

struct ExactCase {
  const char* name;
  double length;
  std::vector<std::pair<double, double>> forces;
  std::vector<std::pair<double, int>> supports;
  std::vector<double> reactions;  // by hand, upward positive
  double largestMoment;
};

class CliExactTest : public ::testing::TestWithParam<ExactCase> {};

// Loads between the diagram columns: the text lines, the status line and the
// JSON's reactions and largest moment read what the beam carries; the
// column figures stay under "iterative".
TEST_P(CliExactTest, ReactionsAndLargestMomentAreExact) {
  const ExactCase& c = GetParam();
  const std::string file = WriteBeam(c.name, c.length, c.forces, c.supports);
  const Outcome text = RunCli({"analyze", file});
  const Outcome json = RunCli({"analyze", file, "--json"});
  std::filesystem::remove(file);
  ASSERT_EQ(text.status, ExitOk) << text.err;
  std::istringstream lines(text.out);
  std::string line;
  for (const double reaction : c.reactions) {
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_NEAR(std::stod(line.substr(25)), reaction, 1e-4) << line;
  }
  ASSERT_TRUE(std::getline(lines, line));
  char status[40];
  std::snprintf(status, sizeof status, "Max. moment : %7.0f Nm", c.largestMoment);
  EXPECT_EQ(line, status);
  const std::string top = json.out.substr(0, json.out.find("\"iterative\""));
  EXPECT_NEAR(JsonNumber(top, "reaction"), c.reactions[0], 1e-9 * std::abs(c.reactions[0]));
  EXPECT_NEAR(JsonNumber(top, "max_moment"), c.largestMoment, 1e-9 * c.largestMoment);
  const std::string iterative = json.out.substr(json.out.find("\"iterative\": {"));
  for (const char* key : {"\"sweeps\"", "\"supports\"", "\"max_moment\""})
    EXPECT_NE(iterative.find(key), std::string::npos) << key << " in " << iterative;
}

// Propped cantilever, P at a from the vice: prop P a^2 (3L - a) / 2L^3,
// vice moment P a b (L + b) / 2L^2.
constexpr double PropL = 7.03, PropA = 3.51, PropB = PropL - PropA, PropP = 1000;
constexpr double Prop = PropP * PropA * PropA * (3 * PropL - PropA) / (2 * PropL * PropL * PropL);
constexpr double PropFixed = PropP * PropA * PropB * (PropL + PropB) / (2 * PropL * PropL);

INSTANTIATE_TEST_SUITE_P(
    Cli, CliExactTest,
    ::testing::Values(
        // P a b / L under a force between two columns.
        ExactCase{"BetweenColumns", 10, {{4.02, 4000}}, {{0, 3}, {10, 3}}, {2392, 1608}, 4000 * 4.02 * 5.98 / 10},
        // Narrower than one column: an overhang of 4 mm lifts the left hinge.
        ExactCase{"NarrowerThanAColumn",
                  0.01,
                  {{0.01, 100}},
                  {{0, 3}, {0.006, 2}},
                  {-100 * 0.004 / 0.006, 100 * 0.01 / 0.006},
                  100 * 0.004},
        ExactCase{"ProppedCantilever",
                  PropL,
                  {{PropA, PropP}},
                  {{0, 1}, {PropL, 2}},
                  {PropP - Prop, Prop},
                  std::max(PropFixed, Prop * PropB)}),
    [](const auto& info) { return std::string(info.param.name); });

// Diagram rows far outside the int range: the analysis and the report go on
// (the sanitizer build stops on any overflow).
TEST(CliTest, HugeValuesSaturateThePixelRows) {
  const Outcome fine = RunCli(
      {"analyze", Examples + "/simply-supported.tvn", "--force-scale", "1e-8", "--moment-scale", "1e-8"});
  EXPECT_EQ(fine.status, ExitOk) << fine.err;
  // The largest force a file may hold, on the finest scales.
  const std::string file = WriteBeam("huge", 10, {{5, 9e11}}, {{0, 3}, {10, 3}});
  const Outcome huge =
      RunCli({"analyze", file, "--json", "--force-scale", "1e-6", "--moment-scale", "1e-6"});
  std::filesystem::remove(file);
  EXPECT_EQ(huge.status, ExitOk) << huge.err;
  EXPECT_NEAR(JsonNumber(huge.out, "max_moment"), 9e11 * 10 / 4, 9e11 * 10 / 4 * 1e-9);
}

// The installed program, not just the library: exit status and streams.
TEST(CliTest, ProgramReportsThroughItsExitStatus) {
  const std::string cli = TREVAN_CLI_PATH;
  EXPECT_EQ(WEXITSTATUS(std::system((cli + " analyze " + Examples + "/cantilever.tvn >/dev/null").c_str())),
            0);
  EXPECT_EQ(WEXITSTATUS(std::system((cli + " analyze 2>/dev/null").c_str())), 64);
  EXPECT_EQ(WEXITSTATUS(std::system((cli + " analyze /nonexistent.tvn 2>/dev/null").c_str())), 2);
  const std::string unstable = WriteBeam("program", 10, {{5, 1000}}, {{0, 3}});
  EXPECT_EQ(WEXITSTATUS(std::system((cli + " analyze " + unstable + " >/dev/null").c_str())), 3);
  std::filesystem::remove(unstable);
}

}  // namespace
}  // namespace trevan::cli
