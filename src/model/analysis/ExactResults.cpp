#include "analysis/ExactResults.h"

#include <algorithm>

#include "analysis/PolynomialRoots.h"

namespace trevan {

double ExactResults::Piece::Shear(double x) const {
  const double t = x - x0;
  return v[0] + t * (v[1] + t * v[2]);
}

double ExactResults::Piece::Moment(double x) const {
  const double t = x - x0;
  return m[0] + t * (m[1] + t * (m[2] + t * m[3]));
}

double ExactResults::Piece::Rotation(double x) const { return Polynomial(r, 4, x - x0); }

double ExactResults::Piece::Deflection(double x) const { return Polynomial(d, 5, x - x0); }

namespace {
const ExactResults::Piece* PieceAt(const std::vector<ExactResults::Piece>& pieces, double x) {
  if (pieces.empty() || x < pieces.front().x0 || x > pieces.back().x1) return nullptr;
  auto it = std::upper_bound(pieces.begin(), pieces.end(), x,
                             [](double v, const ExactResults::Piece& p) { return v < p.x1; });
  return it == pieces.end() ? &pieces.back() : &*it;
}
}  // namespace

double ExactResults::ShearAt(double x) const {
  const Piece* p = PieceAt(pieces, x);
  return p ? p->Shear(x) : 0;
}

double ExactResults::MomentAt(double x) const {
  const Piece* p = PieceAt(pieces, x);
  return p ? p->Moment(x) : 0;
}

double ExactResults::RotationAt(double x) const {
  const Piece* p = PieceAt(pieces, x);
  return p ? p->Rotation(x) : 0;
}

double ExactResults::DeflectionAt(double x) const {
  const Piece* p = PieceAt(pieces, x);
  return p ? p->Deflection(x) : 0;
}

}  // namespace trevan
