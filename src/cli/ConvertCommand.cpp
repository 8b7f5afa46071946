#include "ConvertCommand.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>

#include "CliApp.h"
#include "StderrMessages.h"
#include "beam/UnitSystem.h"
#include "files/SafeFileWriter.h"
#include "headless/HeadlessWindow.h"
#include "hosts/MessageService.h"

namespace trevan::cli {

namespace {

struct ConvertOptions {
  std::string file;
  std::string unit;
  std::string output;
  bool force = false;
};

std::optional<std::string> Parse(const std::vector<std::string>& args, ConvertOptions& options) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--to" || a == "-o") {
      if (i + 1 >= args.size()) return a + " needs a value";
      (a == "--to" ? options.unit : options.output) = args[++i];
    } else if (a == "--force") {
      options.force = true;
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

// As the program's Save asks: no write permission, or no write bit at all,
// means the file was made read-only on purpose.
bool IsReadOnly(const std::string& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  return ::access(file.c_str(), W_OK) != 0 || (info.st_mode & 0222) == 0;
}

// The file as it is, not as the writer would put it, through the same
// writer as every save.
std::string CopyUnchanged(const std::string& from, const std::string& to) {
  std::error_code ec;
  if (std::filesystem::equivalent(from, to, ec)) return {};
  std::ifstream in(from, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in) return "cannot read " + from;
  return SafeFileWriter::Replace(to, bytes.str());
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
  if (!options.force && IsReadOnly(options.output)) {
    err << "trevan-cli: " << options.output << ": the file is read-only; add --force to replace it\n";
    return ExitUnreadable;
  }

  const bool metric = options.unit == "m";
  if (window.beam()->Metric == metric) {
    if (const std::string error = CopyUnchanged(options.file, options.output); !error.empty()) {
      err << "File Error: Error while saving file\n"
          << "trevan-cli: " << options.output << ": " << error << "\n";
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
    err << "trevan-cli: " << options.output << ": " << window.beam()->LastError() << "\n";
    return ExitUnreadable;
  }
  return ExitOk;
}

}  // namespace trevan::cli
