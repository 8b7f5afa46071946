#include "CliApp.h"

#include <cmath>
#include <filesystem>
#include <optional>
#include <ostream>

#include "CaseOutput.h"
#include "ConvertCommand.h"
#include "JsonWriter.h"
#include "StderrMessages.h"
#include "analysis/ExactColumns.h"
#include "analysis/ExactSolver.h"
#include "beam/Beam.h"
#include "beam/InputLimits.h"
#include "beam/SectionShapes.h"
#include "beam/UnitSystem.h"
#include "files/ExactCsv.h"
#include "files/ExactTable.h"
#include "headless/HeadlessWindow.h"
#include "hosts/MessageService.h"
#include "hosts/ProgramResources.h"
#include "text/CLocaleText.h"

namespace trevan::cli {

namespace {

constexpr const char* Usage =
    "usage: trevan-cli analyze FILE.tvn [--json | --csv] [--columns] [--distance-scale S]\n"
    "                  [--force-scale S] [--moment-scale S] [--E VALUE --I VALUE]\n"
    "                  [--limit N]\n"
    "                  [--combination NAME | --envelope uls|sls]\n"
    "       trevan-cli convert FILE.tvn --to m|ft -o OUT.tvn [--force]\n"
    "       trevan-cli --help | --version | analyze --help\n";

constexpr const char* AnalyzeHelp =
    "Analyses a beam: each support's position, type and reaction, the largest\n"
    "moment, then the exact results as a table. Sagging moments are positive,\n"
    "shear is positive where the part left of a section is pushed up, and\n"
    "reactions are positive upward.\n"
    "\n"
    "  --json              one JSON object instead of the text\n"
    "  --csv               shear and moment along the beam as comma-separated values\n"
    "                      (not with --json)\n"
    "  --columns           with --json: the diagram columns as well\n"
    "  --distance-scale S  length per diagram column (0.04 m or 0.1 ft to start)\n"
    "  --force-scale S     force per pixel (250 to start)\n"
    "  --moment-scale S    moment per pixel (500 to start)\n"
    "  --E VALUE --I VALUE a uniform section for this run: E in GPa and I in cm4\n"
    "                      (ksi and in4 for a beam in feet), for the deflections\n"
    "  --limit N           check each span's deflection against L/N (L/250 to start;\n"
    "                      'L/360' or '360')\n"
    "  --combination NAME  the results of one of the beam's load combinations\n"
    "  --envelope uls|sls  the envelope of the ultimate or serviceability combinations\n"
    "                      with pattern loading; with --csv its curves\n"
    "\n"
    "A value may follow its option as the next argument or after '=' (--force-scale=100).\n"
    "Exit status: 0 done, 2 the file cannot be read, 3 the beam cannot stand,\n"
    "64 the command line is wrong.\n";

// Beyond this many diagram columns the arrays alone would not fit in memory.
constexpr double MaxColumns = 50'000'000;

struct Options {
  std::string file;
  bool json = false;
  bool columns = false;
  bool csv = false;
  std::optional<double> distanceScale;
  std::optional<double> forceScale;
  std::optional<double> momentScale;
  // A uniform section for this run, in GPa and cm4 (ksi and in4 for feet).
  std::optional<double> E, I;
  double limit = limits::DefaultDeflectionLimit;
  std::string combination;  // empty: the loads as they stand
  std::string envelope;     // "uls", "sls" or empty
  bool help = false;
};

// "--name=value" as the two arguments "--name" "value".
std::vector<std::string> SplitValues(const std::vector<std::string>& args) {
  std::vector<std::string> split;
  for (const std::string& a : args) {
    const auto eq = a.find('=');
    if (a.rfind("--", 0) == 0 && eq != std::string::npos) {
      split.push_back(a.substr(0, eq));
      split.push_back(a.substr(eq + 1));
    } else {
      split.push_back(a);
    }
  }
  return split;
}

// "--limit L/360" or "--limit 360".
std::optional<std::string> DeflectionLimit(const std::vector<std::string>& args, std::size_t& i, double& limit) {
  if (i + 1 >= args.size()) return "--limit needs a value";
  std::string text = args[++i];
  if (text.size() > 2 && (text[0] == 'L' || text[0] == 'l') && text[1] == '/') text = text.substr(2);
  double n = 0;
  if (!TryParseReal(text, n) || !limits::IsDeflectionLimit(n)) return "--limit needs a number of at least 1, such as L/360";
  limit = n;
  return std::nullopt;
}

// Parses the arguments; an error text on failure.
std::optional<std::string> Parse(const std::vector<std::string>& given, Options& options) {
  if (given.empty() || given[0] != "analyze") return "expected the command 'analyze' or 'convert'";
  // A flag given a value is refused below: its value reads as a second file.
  const std::vector<std::string> args = SplitValues(given);
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto scale = [&](std::optional<double>& target) -> std::optional<std::string> {
      if (i + 1 >= args.size()) return a + " needs a value";
      double v = 0;
      if (!TryParseReal(args[++i], v) || !(v > 0)) return a + " needs a positive number";
      target = v;
      return std::nullopt;
    };
    std::optional<std::string> error;
    if (a == "--help" || a == "-h")
      options.help = true;
    else if (a == "--json")
      options.json = true;
    else if (a == "--columns")
      options.columns = true;
    else if (a == "--csv")
      options.csv = true;
    else if (a == "--distance-scale")
      error = scale(options.distanceScale);
    else if (a == "--force-scale")
      error = scale(options.forceScale);
    else if (a == "--moment-scale")
      error = scale(options.momentScale);
    else if (a == "--combination" || a == "--envelope") {
      if (i + 1 >= args.size()) return a + " needs a value";
      (a == "--combination" ? options.combination : options.envelope) = args[++i];
      if (a == "--envelope" && !IsEnvelopeName(options.envelope)) return "--envelope takes uls or sls";
    } else if (a == "--E")
      error = scale(options.E);
    else if (a == "--I")
      error = scale(options.I);
    else if (a == "--limit")
      error = DeflectionLimit(args, i, options.limit);
    else if (!a.empty() && a[0] == '-')
      error = "unknown option " + a;
    else if (options.file.empty())
      options.file = a;
    else
      error = "only one file can be analysed";
    if (error) return error;
  }
  if (options.help) return std::nullopt;
  if (options.file.empty()) return "no file named";
  if (options.json && options.csv) return "--json and --csv cannot be combined";
  if (options.E.has_value() != options.I.has_value()) return "--E and --I go together";
  if (!options.combination.empty() && !options.envelope.empty())
    return "--combination and --envelope cannot be combined";
  return std::nullopt;
}

// The deflection table checked against L/limit, or the line that asks for a section.
void WriteDeflectionText(const ExactResults& exact, bool metric, double limit, std::ostream& out) {
  const auto rows = ExactTable::DeflectionRows(exact, metric, limit);
  if (!rows.empty()) out << "\n" << ExactTable::Aligned(rows);
}

// E and I of every segment, in the beam's units (N/m² and m⁴, lbf/ft² and ft⁴).
void WriteSectionJson(const BeamSection& section, JsonWriter& json) {
  json.BeginArray("section");
  for (const auto& s : section.segments) {
    json.BeginObject();
    json.Member("x1", s.x1);
    json.Member("x2", s.x2);
    json.Member("E", s.E);
    json.Member("I", s.I);
    json.EndObject();
  }
  json.EndArray();
}

// Per span and overhang the largest deflections (downward positive, in the
// beam's length unit) with L/deflection, and the rotation at every support.
void WriteDeflectionJson(const ExactResults& exact, double limit, JsonWriter& json) {
  json.BeginObjectMember("deflection");
  json.Member("limit", limit);
  json.BeginArray("spans");
  for (const auto& span : exact.spans) {
    json.BeginObject();
    json.Member("x1", span.x0);
    json.Member("x2", span.x1);
    json.Member("overhang", span.overhang);
    for (const auto& [key, e] : {std::pair{"down", span.down}, std::pair{"up", span.up}}) {
      json.BeginObjectMember(key);
      json.Member("value", e.value);
      json.Member("x", e.x);
      json.EndObject();
    }
    const double largest = std::abs(span.Largest().value);
    if (largest > 0) json.Member("span_over_deflection", span.Length() / largest);
    json.Member("passes", span.Passes(limit));
    json.EndObject();
  }
  json.EndArray();
  json.BeginArray("rotations");
  for (const auto& s : exact.supports) {
    json.BeginObject();
    json.Member("x", s.x);
    json.Member("rotation", s.rotation);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
}

// The exact deflection at every diagram column, with a section.
void WriteDeflectionColumns(HeadlessWindow& window, const ExactResults& exact, JsonWriter& json) {
  if (!exact.deflected) return;
  json.BeginArray("deflection");
  const std::size_t count = window.ShearColumns().size();
  for (std::size_t i = 0; i < count; ++i)
    json.Element(exact.DeflectionAt(static_cast<double>(i) * window.DistanceScale()));
  json.EndArray();
}

// --E and --I put one section on the whole beam for this run.
std::optional<std::string> GiveSection(TTrevanDoc& beam, const Options& options) {
  if (!options.E) return std::nullopt;
  const bool metric = beam.Metric;
  const double E = *options.E * section_units::EFactor(metric), I = *options.I * section_units::IFactor(metric);
  if (!limits::IsSectionValue(E) || !limits::IsSectionValue(I)) return "--E or --I is out of range";
  beam.Section = BeamSection::Uniform(E, I, beam.Length);
  return std::nullopt;
}

// The exact reaction of each support in chain order; 0 where the beam cannot stand.
std::vector<double> ExactReactions(const TTrevanDoc& beam, const ExactResults& exact) {
  std::vector<double> reactions;
  for (const element* e = beam.FirstSupport(); e; e = e->Next.get())
    reactions.push_back(exact.solved && reactions.size() < exact.supports.size()
                            ? exact.supports[reactions.size()].reaction
                            : 0.0);
  return reactions;
}

void WriteText(HeadlessWindow& window, const Options& options, const ExactResults& exact, std::ostream& out) {
  const TTrevanDoc& beam = *window.beam();
  const bool metric = beam.Metric;
  // A beam that cannot stand has no reactions; the status line says why.
  if (!beam.NeedsSupport()) {
    const std::vector<double> reactions = ExactReactions(beam, exact);
    std::size_t k = 0;
    for (const element* e = beam.FirstSupport(); e; e = e->Next.get(), ++k)
      out << CFormat("%12.4f %-2s  %-5s  %14.4f %s\n", e->X1, LengthUnit(metric),
                     SupportDisplayNames[e->LeftType], reactions[k], ForceUnit(metric));
  }
  out << window.MaxMomentText() << "\n";
  if (exact.solved) out << "\n" << ExactTable::Aligned(ExactTable::Rows(exact, metric, false));
  WriteDeflectionText(exact, metric, options.limit, out);
  WriteCasesText(beam, options.envelope, out);
}

constexpr const char* ReadableTypeNames[SupportTypeCount] = {"none", "vice", "roll", "hinge"};
const char* ReadableType(TSupportType type) { return ReadableTypeNames[IsValidSupportType(type) ? type : ftNone]; }

// Raised whenever a field changes its meaning: 2 made the reactions and the
// largest moment exact, the support types readable and the columns follow
// the sign convention.
constexpr int JsonSchema = 2;
constexpr const char* SignConvention =
    "sagging moment positive; shear positive where the part left of a section is pushed up; "
    "reactions positive upward; loads positive downward";

// The loads as the analysis takes them: a distributed load's ends in order.
void WriteLoadsJson(const TTrevanDoc& beam, JsonWriter& json) {
  json.BeginArray("forces");
  for (const auto& c : beam.Charges) {
    json.BeginObject();
    json.Member("x", c->x);
    json.Member("f", c->f);
    json.EndObject();
  }
  json.EndArray();
  json.BeginArray("distributed_loads");
  for (const auto& d : beam.DistrCharges) {
    json.BeginObject();
    json.Member("x1", d->X1);
    json.Member("x2", d->X2);
    json.Member("f1", d->F1);
    json.Member("f2", d->F2);
    json.EndObject();
  }
  json.EndArray();
  json.BeginArray("moments");
  for (const auto& m : beam.Moments) {
    json.BeginObject();
    json.Member("x", m->x);
    json.Member("m", m->m);
    json.EndObject();
  }
  json.EndArray();
  json.BeginArray("hinges");
  for (const auto& h : beam.Hinges) json.Element(h->x);
  json.EndArray();
}

// The diagram columns, which the iterative analysis keeps with the opposite
// sign, in the convention of every other number.
void WriteColumnsJson(HeadlessWindow& window, JsonWriter& json) {
  json.Member("distance_scale", window.DistanceScale());
  json.BeginArray("shear");
  for (const double v : window.ShearColumns()) json.Element(0.0 - v);  // no "-0" for a zero column
  json.EndArray();
  json.BeginArray("moment");
  for (const double v : window.MomentColumns()) json.Element(0.0 - v);  // no "-0" for a zero column
  json.EndArray();
}

void WriteExactJson(const ExactResults& exact, const BeamSection& section, double limit, JsonWriter& json) {
  if (!exact.solved) return;
  json.BeginObjectMember("exact");
  json.BeginArray("supports");
  for (const auto& s : exact.supports) {
    json.BeginObject();
    json.Member("x", s.x);
    json.Member("type", ReadableType(s.type));
    json.Member("reaction", s.reaction);
    json.Member("moment", s.moment);
    json.EndObject();
  }
  json.EndArray();
  auto extreme = [&](const char* key, const ExactResults::Extreme& e) {
    json.BeginObjectMember(key);
    json.Member("value", e.value);
    json.Member("x", e.x);
    json.EndObject();
  };
  extreme("max_sagging_moment", exact.maxSagging);
  extreme("max_hogging_moment", exact.maxHogging);
  extreme("max_abs_shear", exact.maxAbsShear);
  json.BeginArray("zero_shear");
  for (const double x : exact.zeroShear) json.Element(x);
  json.EndArray();
  json.Member("total_load", exact.totalLoad);
  json.Member("sum_of_reactions", exact.sumReactions);
  if (exact.springsLeftOut) json.Member("springs_left_out", true);
  if (!exact.hinges.empty()) {
    json.BeginArray("hinges");
    for (const auto& h : exact.hinges) {
      json.BeginObject();
      json.Member("x", h.x);
      if (exact.deflected) {
        json.Member("rotation_left", h.rotationLeft);
        json.Member("rotation_right", h.rotationRight);
      }
      json.EndObject();
    }
    json.EndArray();
  }
  if (exact.deflected) {
    WriteSectionJson(section, json);
    WriteDeflectionJson(exact, limit, json);
  }
  json.EndObject();
}

// What the moment distribution over the diagram columns found, for scripts
// that compare it with the exact figures.
void WriteIterativeJson(HeadlessWindow& window, JsonWriter& json) {
  json.BeginObjectMember("iterative");
  json.Member("sweeps", window.Sweeps());
  json.BeginArray("supports");
  for (const element* e = window.beam()->FirstSupport(); e; e = e->Next.get()) {
    json.BeginObject();
    json.Member("x", e->X1);
    json.Member("reaction", e->Reaction());
    json.EndObject();
  }
  json.EndArray();
  json.Member("max_moment", window.analysis()->ReportedMaxMoment);
  json.EndObject();
}

void WriteJson(HeadlessWindow& window, const Options& options, const ExactResults& exact, std::ostream& out) {
  const TTrevanDoc& beam = *window.beam();
  JsonWriter json;
  json.BeginObject();
  json.Member("schema", JsonSchema);
  json.Member("sign_convention", SignConvention);
  json.Member("file", options.file);
  json.Member("version", beam.Version);
  json.Member("metric", beam.Metric);
  json.Member("length", beam.Length);
  json.Member("stable", beam.IsStable());
  json.BeginObjectMember("units");
  json.Member("length", LengthUnit(beam.Metric));
  json.Member("force", ForceUnit(beam.Metric));
  json.Member("moment", MomentUnit(beam.Metric));
  json.EndObject();
  // Apart from "units", whose members stay as they always were.
  json.BeginObjectMember("support_units");
  json.Member("spring", beam.Metric ? "N/m" : "lbf/in");
  json.Member("rotational_spring", beam.Metric ? "Nm/rad" : "ft-lbf/rad");
  json.Member("settlement", beam.Metric ? "m" : "in");
  json.EndObject();
  const std::vector<double> reactions = ExactReactions(beam, exact);
  json.BeginArray("supports");
  std::size_t k = 0;
  for (const element* e = beam.FirstSupport(); e; e = e->Next.get(), ++k) {
    json.BeginObject();
    json.Member("x", e->X1);
    json.Member("type", ReadableType(e->LeftType));
    json.Member("reaction", reactions[k]);
    // 0: rigid, not settled.
    json.Member("spring", e->Spring);
    json.Member("rotational_spring", e->RotationalSpring);
    json.Member("settlement", e->Settlement);
    json.EndObject();
  }
  json.EndArray();
  WriteLoadsJson(beam, json);
  json.Member("max_moment", exact.solved ? exact.LargestMoment() : 0.0);
  json.Member("status", window.MaxMomentText());
  // Its figures would be those of another beam, one without these.
  if (!HoldsExactOnlyEffects(beam)) WriteIterativeJson(window, json);
  WriteExactJson(exact, beam.Section, options.limit, json);
  if (options.columns) {
    WriteColumnsJson(window, json);
    WriteDeflectionColumns(window, exact, json);
  }
  if (!options.combination.empty()) json.Member("combination", options.combination);
  WriteCasesJson(beam, json);
  json.EndObject();
  out << json.str() << "\n";
}

}  // namespace

bool OpenBeam(HeadlessWindow& window, const std::string& file, std::ostream& err) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    err << "File Error: Error while opening file\n"
        << "trevan-cli: " << file << ": no such file\n";
    return false;
  }
  if (!window.Open(file)) {
    // The reader has already said "Error while opening file"; add why.
    err << "trevan-cli: " << file << ": " << window.LastError() << "\n";
    return false;
  }
  return true;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    out << Usage;
    return ExitOk;
  }
  if (args.size() == 1 && args[0] == "--version") {
    out << "trevan-cli " << ProgramVersion() << "\n";
    return ExitOk;
  }
  if (!args.empty() && args[0] == "convert") return RunConvert(args, err, Usage);
  Options options;
  if (const auto error = Parse(args, options)) {
    err << "trevan-cli: " << *error << "\n" << Usage;
    return ExitUsage;
  }
  if (options.help) {
    out << Usage << "\n" << AnalyzeHelp;
    return ExitOk;
  }

  StderrMessages messages(err);
  HeadlessWindow window(messages);
  if (!OpenBeam(window, options.file, err)) return ExitUnreadable;

  const bool metric = window.beam()->Metric;
  if (const auto problem = GiveSection(*window.beam(), options)) {
    err << "trevan-cli: " << *problem << "\n";
    return ExitUsage;
  }
  const double distance = options.distanceScale.value_or(HeadlessWindow::StartDistanceScale(metric));
  if (window.beam()->Length / distance > MaxColumns) {
    err << "trevan-cli: the distance scale is too fine for this beam\n" << Usage;
    return ExitUsage;
  }
  window.SetScales(options.forceScale.value_or(HeadlessWindow::StartForceScale),
                   options.momentScale.value_or(HeadlessWindow::StartMomentScale), distance);
  window.Recalculate();

  ExactResults exact;
  if (const auto problem = ChosenResults(*window.beam(), options.combination, exact)) {
    err << "trevan-cli: " << *problem << "\n";
    return ExitUsage;
  }
  if (options.csv) {
    if (!exact.solved) err << "trevan-cli: " << exact.message << "\n";
    out << (options.envelope.empty() ? ExactCsv::Write(exact, metric) : EnvelopeCsv(*window.beam(), options.envelope));
  } else if (options.json)
    WriteJson(window, options, exact, out);
  else
    WriteText(window, options, exact, out);
  return window.beam()->NeedsSupport() ? ExitUnstable : ExitOk;
}

}  // namespace trevan::cli
