#include "analysis/ExactElement.h"

namespace trevan {

namespace {

void FullStiffness(double L, double EI, double k[4][4]) {
  const double a = 12 * EI / (L * L * L), b = 6 * EI / (L * L), c = 4 * EI / L, d = 2 * EI / L;
  const double rows[4][4] = {{a, b, -a, b}, {b, c, -b, d}, {-a, -b, a, -b}, {b, d, -b, c}};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) k[i][j] = rows[i][j];
}

// What the ends exert on the element with both held: the couples, and the
// forces that balance them and the load.
void FixedEndActions(const ExactElement& e, double L, double actions[4]) {
  const double right = (e.loadMoment - e.fixedLeft - e.fixedRight) / L;
  actions[0] = e.load - right;
  actions[1] = e.fixedLeft;
  actions[2] = right;
  actions[3] = e.fixedRight;
}

// Eliminates unknown r, whose action is zero, from the element's relation.
void Condense(int r, double k[4][4], double fixed[4]) {
  const double pivot = k[r][r];
  for (int a = 0; a < 4; ++a) {
    if (a == r) continue;
    const double f = k[a][r] / pivot;
    for (int b = 0; b < 4; ++b)
      if (b != r) k[a][b] -= f * k[r][b];
    fixed[a] -= f * fixed[r];
  }
  for (int a = 0; a < 4; ++a) k[a][r] = k[r][a] = 0;
  fixed[r] = 0;
}

}  // namespace

// The work-equivalent end actions of the cubic shape functions: exact for a
// point load or couple.
void ExactElement::AddPoint(double L, double s, double p) {
  const double r = L - s;
  fixedLeft += p * s * r * r / (L * L);
  fixedRight -= p * s * s * r / (L * L);
  load += p;
  loadMoment += p * s;
}

void ExactElement::AddCouple(double L, double s, double c) {
  const double xi = s / L;
  fixedLeft -= c * (1 - xi) * (1 - 3 * xi);
  fixedRight += c * xi * (2 - 3 * xi);
  loadMoment -= c;
}

void ExactElement::Stiffness(double L, double k[4][4], double fixed[4]) const {
  FullStiffness(L, EI, k);
  FixedEndActions(*this, L, fixed);
  if (releasedLeft) Condense(1, k, fixed);
  if (releasedRight) Condense(3, k, fixed);
}

void ExactElement::FindReleasedRotations(double L) {
  if (!releasedLeft && !releasedRight) return;
  double k[4][4], fixed[4];
  FullStiffness(L, EI, k);
  FixedEndActions(*this, L, fixed);
  // The couple rows: r1 = k1. d + f1 = 0 and r3 = k3. d + f3 = 0 with the
  // released rotations unknown.
  auto rest = [&](int row) {
    double v = fixed[row];
    for (int b = 0; b < 4; ++b)
      if (!(b == 1 && releasedLeft) && !(b == 3 && releasedRight)) v += k[row][b] * ends[b];
    return v;
  };
  if (releasedLeft && releasedRight) {
    const double r1 = rest(1), r3 = rest(3);
    const double det = k[1][1] * k[3][3] - k[1][3] * k[3][1];
    ends[1] = (-r1 * k[3][3] + r3 * k[1][3]) / det;
    ends[3] = (-r3 * k[1][1] + r1 * k[3][1]) / det;
  } else if (releasedLeft) {
    ends[1] = -rest(1) / k[1][1];
  } else {
    ends[3] = -rest(3) / k[3][3];
  }
}

double ExactElement::LeftCouple(double L) const {
  if (releasedLeft) return 0;
  const double sway = 6 * EI * (ends[0] - ends[2]) / (L * L);
  return fixedLeft + EI * (4 * ends[1] + 2 * ends[3]) / L + sway;
}

double ExactElement::RightCouple(double L) const {
  if (releasedRight) return 0;
  const double sway = 6 * EI * (ends[0] - ends[2]) / (L * L);
  return fixedRight + EI * (2 * ends[1] + 4 * ends[3]) / L + sway;
}

std::vector<double> BandMatrix::Solve(std::vector<double> rhs) {
  for (std::size_t i = 0; i < n_; ++i) {
    const double pivot = band_[4 * i];
    for (std::size_t k = 1; k < 4 && i + k < n_; ++k) {
      const double f = band_[4 * i + k] / pivot;
      if (f == 0) continue;
      for (std::size_t m = k; m < 4 && i + m < n_; ++m) band_[4 * (i + k) + (m - k)] -= f * band_[4 * i + m];
      rhs[i + k] -= f * rhs[i];
    }
  }
  for (std::size_t i = n_; i-- > 0;) {
    double v = rhs[i];
    for (std::size_t k = 1; k < 4 && i + k < n_; ++k) v -= band_[4 * i + k] * rhs[i + k];
    rhs[i] = v / band_[4 * i];
  }
  return rhs;
}

}  // namespace trevan
