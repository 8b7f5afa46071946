#include "ConvertCommand.h"

#include <filesystem>
#include <optional>
#include <ostream>

#include "CliApp.h"
#include "StderrMessages.h"
#include "beam/UnitSystem.h"
#include "headless/HeadlessWindow.h"
#include "hosts/MessageService.h"

namespace trevan::cli {

namespace {

struct ConvertOptions {
  std::string file;
  std::string unit;
  std::string output;
};

std::optional<std::string> Parse(const std::vector<std::string>& args, ConvertOptions& options) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--to" || a == "-o") {
      if (i + 1 >= args.size()) return a + " needs a value";
      (a == "--to" ? options.unit : options.output) = args[++i];
    } else if (!a.empty() && a[0] == '-') {
      return "unknown option " + a;
    } else if (options.file.empty()) {
      options.file = a;
    } else {
      return "only one file can be converted";
    }
  }
  if (options.file.empty()) return "no file named";
  if (options.unit != "m" && options.unit != "ft") return "--to needs m or ft";
  if (options.output.empty()) return "-o needs the name of the converted file";
  return std::nullopt;
}

}  // namespace

int RunConvert(const std::vector<std::string>& args, std::ostream& err, const char* usage) {
  ConvertOptions options;
  if (const auto error = Parse(args, options)) {
    err << "trevan-cli: " << *error << "\n" << usage;
    return ExitUsage;
  }
  StderrMessages messages(err);
  HeadlessWindow window(messages);
  if (!OpenBeam(window, options.file, err)) return ExitUnreadable;
  namespace fs = std::filesystem;
  std::error_code ec;

  const bool metric = options.unit == "m";
  if (window.beam()->Metric == metric) {
    // Nothing to switch: the file as it is, not as the writer would put it.
    if (!fs::equivalent(options.file, options.output, ec))
      fs::copy_file(options.file, options.output, fs::copy_options::overwrite_existing, ec);
    if (ec) {
      err << "File Error: Error while saving file\n"
          << "trevan-cli: " << options.output << ": " << ec.message() << "\n";
      return ExitUnreadable;
    }
    return ExitOk;
  }

  if (const std::string problem = window.beam()->UnitSwitchProblem(metric); !problem.empty()) {
    err << "trevan-cli: " << options.file << " cannot be switched to " << LengthUnit(metric) << ": "
        << problem << "\n";
    return ExitUnreadable;
  }
  window.SetUnitSystem(metric);
  if (!window.Save(options.output)) {
    err << "trevan-cli: " << options.output << ": " << window.LastError() << "\n";
    return ExitUnreadable;
  }
  return ExitOk;
}

}  // namespace trevan::cli
