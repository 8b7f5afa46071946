#pragma once

#include <memory>

#include "beam/BeamObject.h"
#include "beam/SupportType.h"

namespace trevan {

class Bitmap;
class charge;
class distrcharge;

enum class SpanEnd { Left, Right };

// One node of the support chain: the support at X1 and the span from it to
// the next support (or the chain's right end) at X2. The analysis keeps the
// span's end moments and shears here.
//
// The chain owns its nodes through Next; Prev is a plain back link. Edit
// actions hold weak references, so a removed node is never touched again.
class element : public object {
 public:
  element(double x1, double x2, TSupportType leftType, TSupportType rightType, BeamView* view,
          const Bitmap* glyph);
  // Copies the values of a node, never its place in a chain.
  element(const element& other);
  element& operator=(const element& other);
  ~element() override = default;

  void UpdateProperties() override;
  void Draw(Canvas& canvas, int ox, int oy) const override;
  void MoveBy(int pixels) override;
  Placement GetPlacement() const override;
  void SetPlacement(const Placement& placement) override;
  Rect GetBounds() const override;
  std::string GetHint(bool fine) const override;
  void SetMetric(bool metric) override;
  bool ApplyProperties() override;
  bool CopyToClipboard(ClipboardService& clipboard) const override;
  std::string GetName() const override;
  bool IsSupport() const override { return true; }
  // The springs and the settlement: empty is rigid, not settled.
  bool RowMayBeEmpty(int row) const override { return row >= 2; }

  bool IsSentinel() const { return Prev == nullptr; }
  // A support past an end of the beam (from an older file) carries nothing:
  // the analysis takes it for one of type none.
  TSupportType ActingType() const { return OffBeam ? ftNone : LeftType; }
  bool LeftHeld() const { return IsHeld(ActingType()); }
  // Whether the far end of the span the analysis sees from here is held.
  bool RightHeld() const { return IsHeld(ReachRightType); }
  // A span of the analysis starts at the chain's start and at every held
  // support; a support of type none is not there for the analysis.
  bool StartsSpan() const { return IsSentinel() || LeftHeld(); }
  // The node that starts the next span of the analysis, past none supports.
  element* NextSpan() const;

  void ResetSegmentEnds();
  void AddChargeContribution(const charge& load);
  void AddDistrChargeContribution(const distrcharge& load);
  // A linear load from offset sa to sb (from X1), intensity h at sa and l at sb.
  void AddTrapezoidContribution(double sa, double sb, double h, double l);
  void AddEndMoment(SpanEnd end, double m);
  // This support's reaction (upward positive).
  double Reaction() const;

  // A support with a spring or a settlement; both need a section.
  bool HasProperties() const { return Spring != 0 || RotationalSpring != 0 || Settlement != 0; }

  double X1 = 0;
  double X2 = 0;
  double SpanLength = 0;
  // 0 means rigid or not settled; the analysis turns them into the beam's units.
  double Spring = 0;            // vertical stiffness, N/m or lbf/in
  double RotationalSpring = 0;  // a vice's only, Nm/rad or lbf·ft/rad
  double Settlement = 0;        // prescribed, downward positive, m or in
  TSupportType LeftType = ftNone;
  TSupportType RightType = ftNone;
  // Set by the beam before each analysis.
  bool OffBeam = false;
  // The span the analysis sees from a node that starts one: on past any
  // none supports to the next held support or the chain's end, and the type
  // there. The beam sets them before each analysis; the end values of that
  // whole span live on its first node, the nodes inside it carry nothing.
  double ReachX2 = 0;
  double ReachLength = 0;
  TSupportType ReachRightType = ftNone;
  double LeftMoment = 0;
  double RightMoment = 0;
  double LeftShear = 0;
  double RightShear = 0;
  std::shared_ptr<element> Next;
  element* Prev = nullptr;
  const Bitmap* Glyph = nullptr;

 private:
  // Why a position onto or past a neighbour is refused.
  std::string NeighboursText() const;
  void CopyValuesFrom(const element& other);
  // The rows after the type: the spring, for a vice the rotational spring,
  // then the settlement; none for a support of type none.
  struct PropertyRow {
    double element::*value;
    int power;  // the inspector shows the stored value times 10^power
  };
  int PropertyRows(PropertyRow rows[3]) const;
  void ApplyPropertyRows(element& values) const;
  // Moves the support to n, kept strictly between its neighbours.
  void PlaceAt(double n);
};

}  // namespace trevan
