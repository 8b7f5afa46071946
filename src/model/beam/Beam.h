#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "beam/BeamSection.h"
#include "beam/DerivedResults.h"
#include "beam/DistributedLoad.h"
#include "beam/InputLimits.h"
#include "beam/InternalHinge.h"
#include "beam/LoadCase.h"
#include "beam/PointForce.h"
#include "beam/PointMoment.h"
#include "beam/SupportNode.h"
#include "beam/TitleBlock.h"
#include "hosts/Geometry.h"

namespace trevan {

class BeamView;
class Canvas;
struct ExactResults;

// The beam of one document: its length and unit system, the loads on it,
// the support chain and the load samples of the analysis.
class TTrevanDoc {
 public:
  // The layout of the nine kinds of line; a file that also carries the
  // trailing block of newer data says ExtendedVersion.
  static constexpr int CurrentVersion = 11700;
  static constexpr int ExtendedVersion = 11800;
  static constexpr double SampleStep = 0.004;  // width of one load sample cell
  static constexpr long long MaxRecordsPerKind = 100000;
  // The status text of a loaded beam that cannot stand.
  static constexpr const char* UnstableText = "Unstable: add a vice or two supports";

  TTrevanDoc();
  virtual ~TTrevanDoc();
  TTrevanDoc(const TTrevanDoc&) = delete;
  TTrevanDoc& operator=(const TTrevanDoc&) = delete;

  // Reads the named file; an empty or missing name sets up an empty beam of
  // the current Length. Reports its own failures (see BeamFile.cpp).
  virtual bool Load(const std::string& fileName);
  virtual bool Save(const std::string& fileName);

  void AttachView(BeamView* view);

  static constexpr std::size_t AtEnd = static_cast<std::size_t>(-1);
  // A new load equal to the prototype, at index `at` of its list (the end
  // when at lies beyond it), so an undone delete puts it back in its place.
  std::shared_ptr<charge> AddCharge(const charge& prototype, std::size_t at = AtEnd);
  std::shared_ptr<distrcharge> AddDistrCharge(const distrcharge& prototype, std::size_t at = AtEnd);
  // Answer the index the load had; AtEnd when it was not on the beam.
  std::size_t RemoveCharge(const charge& target);
  std::size_t RemoveDistrCharge(const distrcharge& target);
  std::shared_ptr<couple> AddMoment(const couple& prototype, std::size_t at = AtEnd);
  std::size_t RemoveMoment(const couple& target);
  // None, adding nothing, when HingeProblem refuses the prototype's place.
  std::shared_ptr<joint> AddHinge(const joint& prototype, std::size_t at = AtEnd);
  std::size_t RemoveHinge(const joint& target);
  // Why an internal hinge cannot stand at x: off the beam, at a vice, or
  // closer than the smallest gap to a support or another hinge (moving
  // itself excluded). Empty when it can.
  std::string HingeProblem(double x, const joint* moving = nullptr) const;
  // Why a support of the type cannot stand at x: a hinge in the beam is too
  // close, or it is a vice right at one.
  std::string SupportProblem(double x, TSupportType type) const;
  // The new support node, or none when the support does not fit at x.
  element* InsertSupport(double x, TSupportType type);
  // Whether a support may be inserted at x: inside the chain and at least
  // the smallest gap away from every support.
  bool SupportFits(double x, TSupportType type = ftVice) const;
  void RemoveSupport(element& node);
  // Whether the object is one of this beam's loads, moments, hinges or supports.
  bool Holds(const object& target) const;
  void MoveObject(object& target, int pixels);
  void PlaceObject(object& target, const object::Placement& placement);
  // The first object under the point; when that is the selected one, the
  // next one under it, so repeated clicks reach the objects below.
  object* FindObjectAt(Point point) const;
  // Draws the beam; on a beam with load cases the loads of other cases than
  // `activeCase` are muted (AllCases draws every load in full colour).
  static constexpr std::size_t AllCases = static_cast<std::size_t>(-1);
  // The reactions drawn are those given (no arrows for an unsolved result),
  // else those of the loads as drawn.
  void Draw(Canvas& canvas, std::size_t activeCase = AllCases, const ExactResults* reactions = nullptr) const;
  void Clear();
  // Switches the unit system, converting every value; false, changing
  // nothing, when UnitSwitchProblem names a reason the beam could not be
  // kept in the other unit (it would break the limits of InputLimits.h).
  bool SetMetric(bool metric);
  std::string UnitSwitchProblem(bool metric) const;
  void SetSection(BeamSection section);
  // New cases, names and kinds; every user combination keeps a factor a case.
  void SetCases(LoadCases cases);

  // Analysis inputs.
  int SampleCount() const;
  // The cell of a position; a position within rounding of a cell's left
  // edge belongs to that cell. May lie outside the sampled cells.
  static long long CellOf(double x);
  void SampleLoads();
  // The plain form of SampleLoads that walks every cell for every
  // distributed load; kept as the reference the fast form is checked against.
  void SampleLoadsEveryCell();
  // The load of the cells from the one holding a up to, not including, the
  // one holding b.
  double SumLoads(double a, double b) const;
  // The moment of those loads about b, each at its own position.
  double SumLoadMoments(double a, double b) const;
  // Both at once, for the diagram columns.
  void SumLoadsAndMoments(double a, double b, double& load, double& moment) const;
  // The load at positions in [a, b) and its moment about b, taken from the
  // objects themselves; serves the overhangs that have no cells.
  void LoadsBetween(double a, double b, double& load, double& moment) const;
  void ComputeSegmentEnds();

  // A beam stands when its supports and springs leave its rigid parts between
  // internal hinges no motion (the exact solver's mechanism check).
  bool IsStable() const;
  // Loads past an end of the beam (from an older file) carry nothing.
  bool OnBeam(const charge& c) const { return limits::IsLoadPosition(c.x, Length); }
  bool OnBeam(const distrcharge& d) const {
    return limits::IsLoadPosition(d.X1, Length) && limits::IsLoadPosition(d.X2, Length);
  }
  bool OnBeam(const couple& c) const { return limits::IsLoadPosition(c.x, Length); }
  bool OnBeam(const joint& j) const { return limits::IsHingePosition(j.x, Length); }
  // Every load and support that lies past an end of the beam, named for a message.
  std::vector<std::string> ObjectsOffBeam() const;
  void ReportObjectsOffBeam() const;
  bool HasLoad() const;
  // Loaded but unable to stand: no reactions and no diagrams, only a warning.
  bool NeedsSupport() const { return !IsStable() && HasLoad(); }

  element* Sentinel() const { return Chain.get(); }
  element* FirstSupport() const { return Chain ? Chain->Next.get() : nullptr; }
  int SupportCount() const;

  // What the analysis keeps with this beam (see DerivedResults), one
  // keeper a slot: the solution of the loads as drawn, the chosen result.
  static constexpr std::size_t DerivedSlots = 2;
  DerivedResults* Derived(std::size_t slot = 0) const { return derived_[slot].get(); }
  void KeepDerived(std::unique_ptr<DerivedResults> derived, std::size_t slot = 0) const {
    derived_[slot] = std::move(derived);
  }

  // Why the last Load or Save failed, for logs and the command line.
  const std::string& LastError() const { return lastError_; }

  std::vector<std::shared_ptr<charge>> Charges;
  std::vector<std::shared_ptr<distrcharge>> DistrCharges;
  std::vector<std::shared_ptr<couple>> Moments;
  std::vector<std::shared_ptr<joint>> Hinges;
  std::shared_ptr<element> Chain;
  // The distributed load per cell; empty until the first Load or Clear.
  // Point forces are kept apart at their exact positions (sampledForces_),
  // so that a column inside a cell still sees the forces before it.
  std::vector<double> LoadSamples;
  // First moment of each cell's load about the cell's left edge, so that the
  // diagrams use every load's own lever arm.
  std::vector<double> LoadMoments;
  TitleBlock Title;
  // E and I along the beam; empty until the user sets them. Change it with
  // SetSection, so that the analysis follows.
  BeamSection Section;
  // The load cases the loads' Case indices name.
  LoadCases Cases;
  int Version = CurrentVersion;
  BeamView* View = nullptr;
  double Length = 0;
  bool Metric = true;

 private:
  struct FileContents;

  void Recompute();
  void MarkDirty(bool dirty);
  void NewSentinel();
  void AllocateSamples();
  void DestroyChain();
  element* LinkSupport(double x, TSupportType type);
  // Whether a moved hinge or support now stands too close to another joint.
  bool JointClashes(const object& target) const;
  std::string JointsSwitchProblem(bool metric, double length) const;
  element* SplitNode(element& node, double x, TSupportType type);
  // Links supports read from a file in one pass over their sorted positions.
  void LinkSupports(std::vector<std::pair<double, TSupportType>> supports);
  void ReportFileError(const std::string& message);
  void DrawLoads(Canvas& canvas, std::size_t activeCase) const;
  bool Muted(std::size_t loadCase, std::size_t activeCase) const;
  FileContents ReadFile(const std::string& fileName) const;
  static void CheckSupportPositions(const FileContents& contents);
  void WriteFile(std::ostream& out) const;
  std::string ExtendedData() const;
  static void ReadExtendedData(std::string_view rest, FileContents& contents);

  std::string lastError_;
  mutable std::array<std::unique_ptr<DerivedResults>, DerivedSlots> derived_;
  // Difference sums of the sampling, kept so that each run does not ask the
  // system for fresh pages.
  std::vector<double> sampleScratch_;
  // The point forces as (position, force), by position.
  std::vector<std::pair<double, double>> sampledForces_;
};

}  // namespace trevan
