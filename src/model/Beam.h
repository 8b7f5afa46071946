#pragma once

#include <memory>
#include <string>
#include <vector>

#include "DistributedLoad.h"
#include "Geometry.h"
#include "PointForce.h"
#include "SupportNode.h"

namespace trevan {

class BeamView;
class Canvas;

// The beam of one document: its length and unit system, the loads on it,
// the support chain and the load samples of the analysis.
class TTrevanDoc {
 public:
  static constexpr int CurrentVersion = 11700;
  static constexpr double SampleStep = 0.004;  // width of one load sample cell
  static constexpr double MaxLength = 10000;
  static constexpr long long MaxRecordsPerKind = 100000;

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
  // The new support node, or none when x lies outside the chain or on a support.
  element* InsertSupport(double x, TSupportType type);
  void RemoveSupport(element& node);
  // Whether the object is one of this beam's loads or supports.
  bool Holds(const object& target) const;
  void MoveObject(object& target, int pixels);
  void PlaceObject(object& target, const object::Placement& placement);
  // The first object under the point; when that is the selected one, the
  // next one under it, so repeated clicks reach the objects below.
  object* FindObjectAt(Point point) const;
  void Draw(Canvas& canvas) const;
  void Clear();
  void SetMetric(bool metric);

  // Analysis inputs.
  int SampleCount() const;
  void SampleLoads();
  // The plain form of SampleLoads that walks every cell for every
  // distributed load; kept as the reference the fast form is checked against.
  void SampleLoadsEveryCell();
  double SumLoads(double a, double b) const;
  double SumLoadMoments(double a, double b) const;
  void ComputeSegmentEnds();

  element* Sentinel() const { return Chain.get(); }
  element* FirstSupport() const { return Chain ? Chain->Next.get() : nullptr; }
  int SupportCount() const;

  // Why the last Load or Save failed, for logs and the command line.
  const std::string& LastError() const { return lastError_; }

  std::vector<std::shared_ptr<charge>> Charges;
  std::vector<std::shared_ptr<distrcharge>> DistrCharges;
  std::shared_ptr<element> Chain;
  std::vector<double> LoadSamples;  // empty until the first Load or Clear
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
  void ReportFileError(const char* message);
  FileContents ReadFile(const std::string& fileName) const;
  void WriteFile(std::ostream& out) const;

  std::string lastError_;
};

}  // namespace trevan
