// Reading and writing .tvn files: 8-bit text, CR LF lines, each value
// followed by one space. The reader is token oriented: it skips to the next
// colon and reads the values after it, so only the order of values matters.
#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <utility>

#include "beam/Beam.h"
#include "beam/InputLimits.h"
#include "beam/UnitSystem.h"
#include "files/BlockReader.h"
#include "files/BlockSections.h"
#include "files/BlockWriter.h"
#include "files/EQReadError.h"
#include "files/SafeFileWriter.h"
#include "hosts/BeamView.h"
#include "hosts/BeamWindow.h"
#include "hosts/MessageService.h"
#include "text/CLocaleText.h"

namespace trevan {

struct TTrevanDoc::FileContents {
  int version = CurrentVersion;
  bool metric = true;
  double length = 0;
  std::vector<std::array<double, 2>> charges;
  std::vector<std::array<double, 4>> loads;
  std::vector<std::pair<double, TSupportType>> supports;
  TitleBlock title;
  BeamSection section;
  LoadCases cases;
  std::vector<std::size_t> forceCases, loadCases;  // sized with the loads
  std::vector<SavedMoment> moments;
  std::vector<double> hinges;
  std::vector<SupportProperties> supportProperties;  // empty, or one for each support line
};

namespace {

constexpr int FirstMetricVersion = 11600;
constexpr std::size_t MaxTokenLength = 40;

class TokenReader {
 public:
  explicit TokenReader(std::streambuf& in) : in_(in) {}

  int Get() { return in_.sbumpc(); }

  // Everything not read yet.
  std::string Rest() {
    std::string rest;
    for (int c = Get(); c != std::char_traits<char>::eof(); c = Get()) rest.push_back(static_cast<char>(c));
    return rest;
  }

  // Reads up to and including the next ':'; false at the end of the file.
  bool SkipToColon() {
    for (;;) {
      const int c = Get();
      if (c == std::char_traits<char>::eof()) return false;
      if (c == ':') return true;
    }
  }

  std::string Token() {
    constexpr int eof = std::char_traits<char>::eof();
    int c = Get();
    while (c == ' ') c = Get();
    std::string token;
    while (c != ' ' && c != 0 && c != eof) {
      token.push_back(static_cast<char>(c));
      // Cut here, the rest would be read as the next value and shift all
      // that follows; no value the writer makes comes near this length.
      if (token.size() == MaxTokenLength) throw EQReadError("A value in the file is too long");
      c = Get();
    }
    return token;
  }

  double Real() {
    const double v = ParseReal(Token());
    if (!std::isfinite(v)) throw EQReadError("A value in the file is not a finite number");
    if (!limits::IsMagnitude(v)) throw EQReadError("A value in the file is too large");
    return v;
  }

  long long Integer() { return ParseInteger(Token()); }

  long long Count() {
    const long long n = Integer();
    if (n < 0 || n > TTrevanDoc::MaxRecordsPerKind)
      throw EQReadError("A record count in the file is out of range");
    return n;
  }

  void Label(const char* what) {
    if (!SkipToColon()) throw EQReadError(std::string("Found end of file while reading ") + what);
  }

 private:
  std::streambuf& in_;
};

// The header lines end the load quietly when the file ends early; the
// loader reports it like any other failure.
void Header(TokenReader& reader) {
  if (!reader.SkipToColon()) throw EQReadError("Found end of file while reading the header");
}

}  // namespace

// Supports that saving would round onto one another or onto the chain's end
// would not come back on reopening: such a file is refused. A repeated
// position is no such case; the linking drops the repeat.
void TTrevanDoc::CheckSupportPositions(const FileContents& contents) {
  std::vector<double> positions;
  positions.reserve(contents.supports.size());
  for (const auto& support : contents.supports) {
    if (!limits::IsSupportPosition(support.first, contents.length, limits::FileRoundingSlack))
      throw EQReadError("A support lies outside the beam");
    positions.push_back(support.first);
  }
  std::sort(positions.begin(), positions.end());
  for (std::size_t i = 1; i < positions.size(); ++i) {
    if (positions[i] != positions[i - 1] &&
        !limits::AreSupportsApart(positions[i - 1], positions[i], limits::FileRoundingSlack))
      throw EQReadError("Two supports in the file are too close together");
  }
}

TTrevanDoc::FileContents TTrevanDoc::ReadFile(const std::string& fileName) const {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) throw EQReadError("The file cannot be opened");
  TokenReader reader(*file.rdbuf());

  if (reader.Get() != 'T') throw EQReadError("The file is not a beam document");
  FileContents contents;
  Header(reader);
  const long long version = reader.Integer();
  contents.version = static_cast<int>(std::clamp<long long>(version, INT32_MIN, INT32_MAX));
  if (contents.version < FirstMetricVersion) {
    contents.metric = true;
  } else {
    Header(reader);
    contents.metric = reader.Integer() != 0;
  }
  Header(reader);
  contents.length = reader.Real();
  if (!limits::IsBeamLength(contents.length, contents.metric))
    throw EQReadError("The beam length is out of range");

  Header(reader);
  const long long forces = reader.Count();
  for (long long i = 0; i < forces; ++i) {
    reader.Label("charge");
    const double x = reader.Real();
    const double f = reader.Real();
    contents.charges.push_back({x, f});
  }

  Header(reader);
  const long long loads = reader.Count();
  for (long long i = 0; i < loads; ++i) {
    reader.Label("distributed charge");
    std::array<double, 4> v{};
    for (double& value : v) value = reader.Real();
    contents.loads.push_back(v);
  }

  Header(reader);
  const long long supports = reader.Count();
  for (long long i = 0; i < supports; ++i) {
    reader.Label("element");
    const double x = reader.Real();
    const long long type = reader.Integer();
    if (!IsValidSupportType(type)) throw EQReadError("A support type is out of range");
    contents.supports.emplace_back(x, static_cast<TSupportType>(type));
  }
  CheckSupportPositions(contents);
  // An older file ends at its last support line, whatever follows it.
  if (contents.version >= ExtendedVersion) ReadExtendedData(reader.Rest(), contents);
  return contents;
}

void TTrevanDoc::ReadExtendedData(std::string_view rest, FileContents& contents) {
  BlockReader in(rest);
  ReadTitleSection(in, contents.title);
  ReadSectionBlock(in, contents.length, contents.section);
  contents.forceCases.assign(contents.charges.size(), 0);
  contents.loadCases.assign(contents.loads.size(), 0);
  ReadLoadCaseSection(in, contents.cases, contents.forceCases, contents.loadCases);
  ReadMomentSection(in, contents.cases.Count(), contents.moments);
  ReadHingeSection(in, contents.length, contents.supports, contents.hinges);
  ReadSupportPropertySection(in, contents.supports.size(), contents.supportProperties);
  in.ExpectEnd();
}

std::string TTrevanDoc::ExtendedData() const {
  BlockWriter out;
  WriteTitleSection(Title, out);
  WriteSectionBlock(Section, ParseReal(CFormat("%9.9f", Length)), out);
  std::vector<std::size_t> forceCases, loadCases;
  for (const auto& c : Charges) forceCases.push_back(c->Case);
  for (const auto& d : DistrCharges) loadCases.push_back(d->Case);
  WriteLoadCaseSection(Cases, forceCases, loadCases, out);
  std::vector<SavedMoment> moments;
  for (const auto& m : Moments) moments.push_back({m->x, m->m, m->Case});
  WriteMomentSection(moments, out);
  std::vector<double> hinges;
  for (const auto& h : Hinges) hinges.push_back(h->x);
  WriteHingeSection(hinges, out);
  std::vector<SupportProperties> properties;
  for (const element* e = FirstSupport(); e; e = e->Next.get())
    properties.push_back({e->Spring, e->RotationalSpring, e->Settlement});
  WriteSupportPropertySection(properties, out);
  return out.Finish();
}

bool TTrevanDoc::Load(const std::string& fileName) {
  lastError_.clear();
  std::error_code ec;
  if (fileName.empty() || !std::filesystem::exists(fileName, ec)) {
    NewSentinel();
    AllocateSamples();
    return true;
  }

  FileContents contents;
  try {
    contents = ReadFile(fileName);
  } catch (const std::exception& e) {
    lastError_ = e.what();
    ReportFileError("Error while opening file");
    return false;
  }

  // Only a completely read file replaces the model.
  Version = contents.version;
  Metric = contents.metric;
  Length = contents.length;
  Title = contents.title;
  Section = std::move(contents.section);
  Cases = std::move(contents.cases);
  Charges.clear();
  for (std::size_t i = 0; i < contents.charges.size(); ++i) {
    const auto [x, f] = contents.charges[i];
    Charges.push_back(std::make_shared<charge>(x, f, View));
    if (i < contents.forceCases.size()) Charges.back()->Case = contents.forceCases[i];
  }
  DistrCharges.clear();
  for (std::size_t i = 0; i < contents.loads.size(); ++i) {
    const auto& v = contents.loads[i];
    auto load = std::make_shared<distrcharge>(v[0], v[1], v[2], v[3], View);
    load->StoredReversed = v[0] > v[1];
    if (i < contents.loadCases.size()) load->Case = contents.loadCases[i];
    DistrCharges.push_back(std::move(load));
  }
  Moments.clear();
  for (const SavedMoment& m : contents.moments) {
    Moments.push_back(std::make_shared<couple>(m.x, m.m, View));
    Moments.back()->Case = m.loadCase;
  }
  Hinges.clear();
  for (const double x : contents.hinges) Hinges.push_back(std::make_shared<joint>(x, View));
  // Of supports at one position the first is linked, and keeps its properties.
  std::map<double, SupportProperties> properties;
  for (std::size_t k = 0; k < contents.supportProperties.size(); ++k)
    properties.emplace(contents.supports[k].first, contents.supportProperties[k]);
  NewSentinel();
  // A support on a taken position or outside the chain is dropped quietly.
  LinkSupports(std::move(contents.supports));
  for (element* e = FirstSupport(); e; e = e->Next.get()) {
    const auto p = properties.find(e->X1);
    if (p == properties.end()) continue;
    e->Spring = p->second.spring;
    e->RotationalSpring = p->second.rotationalSpring;
    e->Settlement = p->second.settlement;
    e->UpdateProperties();
  }
  AllocateSamples();
  SampleLoads();
  ComputeSegmentEnds();
  MarkDirty(false);
  ReportObjectsOffBeam();
  return true;
}

std::vector<std::string> TTrevanDoc::ObjectsOffBeam() const {
  const bool metric = Metric;
  const char* unit = LengthUnit(metric);
  std::vector<std::string> names;
  for (const auto& c : Charges)
    if (!OnBeam(*c))
      names.push_back(CFormat("the force of %.10g %s at %.10g %s", c->f, ForceUnit(metric), c->x, unit));
  for (const auto& d : DistrCharges)
    if (!OnBeam(*d))
      names.push_back(CFormat("the distributed load from %.10g to %.10g %s", d->X1, d->X2, unit));
  for (const auto& m : Moments)
    if (!OnBeam(*m))
      names.push_back(CFormat("the moment of %.10g %s at %.10g %s", m->m, MomentUnit(metric), m->x, unit));
  for (const auto& h : Hinges)
    if (!OnBeam(*h)) names.push_back(CFormat("the hinge in the beam at %.10g %s", h->x, unit));
  for (const element* e = FirstSupport(); e; e = e->Next.get())
    if (!limits::IsLoadPosition(e->X1, Length))
      names.push_back(CFormat("the %s support at %.10g %s",
                              SupportTypeLabels[IsValidSupportType(e->LeftType) ? e->LeftType : 0], e->X1,
                              unit));
  return names;
}

// Kept as the file has them, so that nothing is lost, but left out of
// every result until they are moved onto the beam.
void TTrevanDoc::ReportObjectsOffBeam() const {
  const std::vector<std::string> names = ObjectsOffBeam();
  if (names.empty() || !View || !View->Window()) return;
  std::string text = CFormat(
      "These objects lie past the ends of the %.10g %s beam and carry nothing until moved onto it:", Length,
      LengthUnit(Metric));
  for (const std::string& name : names) text += "\n" + name;
  View->Window()->Messages().ShowMessage(text, "Open", MessageIcon::Warning);
}

void TTrevanDoc::WriteFile(std::ostream& out) const {
  auto line = [&out](const std::string& text) { out << text << "\r\n"; };
  // A beam that uses nothing newer is written exactly as before.
  const std::string extended = ExtendedData();
  line(CFormat("Trevan version :%d ", extended.empty() ? CurrentVersion : ExtendedVersion));
  line(CFormat("Metric :%d ", Metric ? 1 : 0));
  line(CFormat("beam length :%9.9f ", Length));
  line(CFormat("number of forces :%d ", static_cast<int>(Charges.size())));
  for (const auto& c : Charges) line(CFormat("charge(x,f) :%9.9f %9.9f ", c->x, c->f));
  line(CFormat("number of distributed loads :%d ", static_cast<int>(DistrCharges.size())));
  for (const auto& d : DistrCharges) {
    const bool back = d->StoredReversed;
    line(CFormat("distributed charge(x1,x2,f1,f2) :%9.9f %9.9f %9.9f %9.9f ", back ? d->X2 : d->X1,
                 back ? d->X1 : d->X2, back ? d->F2 : d->F1, back ? d->F1 : d->F2));
  }
  line(CFormat("number of supports :%d ", SupportCount()));
  for (const element* e = FirstSupport(); e; e = e->Next.get())
    line(CFormat("support(X,type) :%9.9f %d ", e->X1, static_cast<int>(e->LeftType)));
  out << extended;
}

// Written beside the target and renamed over it only when complete, so a
// failed save never damages the previous file.
bool TTrevanDoc::Save(const std::string& fileName) {
  lastError_.clear();
  std::ostringstream text;
  WriteFile(text);
  lastError_ = SafeFileWriter::Replace(fileName, text.str());
  if (!lastError_.empty()) {
    // The box's second line says why, so the user knows what to change.
    ReportFileError("Error while saving file\n" + lastError_);
    return false;
  }
  MarkDirty(false);
  return true;
}

void TTrevanDoc::ReportFileError(const std::string& message) {
  if (View && View->Window())
    View->Window()->Messages().ShowMessage(message, "File Error", MessageIcon::Exclamation);
}

}  // namespace trevan
