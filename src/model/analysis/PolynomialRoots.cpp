#include "analysis/PolynomialRoots.h"

#include <cmath>

namespace trevan {

double Polynomial(const double* c, int degree, double t) {
  double v = c[degree];
  for (int k = degree - 1; k >= 0; --k) v = v * t + c[k];
  return v;
}

namespace {

// The one root of a polynomial that changes sign on [a, b]: Newton steps,
// kept inside the bracket by bisection.
double RootBetween(const double* c, const double* dc, int degree, double a, double b, double fa) {
  double t = (a + b) / 2;
  for (int i = 0; i < 100; ++i) {
    const double f = Polynomial(c, degree, t);
    if (f == 0) return t;
    if ((f < 0) == (fa < 0))
      a = t, fa = f;
    else
      b = t;
    const double slope = Polynomial(dc, degree - 1, t);
    double next = slope != 0 ? t - f / slope : (a + b) / 2;
    if (!(next > a && next < b)) next = (a + b) / 2;
    if (next == t || b - a <= 4e-16 * (std::fabs(a) + std::fabs(b))) return next;
    t = next;
  }
  return t;
}

}  // namespace

int SignChangesInside(const double* c, int degree, double L, double* roots) {
  while (degree > 0 && c[degree] == 0) --degree;
  if (degree <= 0) return 0;
  if (degree == 1) {
    const double t = -c[0] / c[1];
    roots[0] = t;
    return t > 0 && t < L ? 1 : 0;
  }
  double dc[5], edges[6];
  for (int k = 1; k <= degree; ++k) dc[k - 1] = k * c[k];
  edges[0] = 0;
  const int inner = SignChangesInside(dc, degree - 1, L, edges + 1);
  edges[inner + 1] = L;
  int n = 0;
  double a = 0, fa = Polynomial(c, degree, 0);
  for (int k = 1; k <= inner + 1; ++k) {
    const double b = edges[k], fb = Polynomial(c, degree, b);
    if (fb == 0 && k <= inner) {
      if (fa != 0) roots[n++] = b;
    } else if (fa != 0 && fb != 0 && (fa < 0) != (fb < 0)) {
      roots[n++] = RootBetween(c, dc, degree, a, b, fa);
    }
    a = b, fa = fb;
  }
  return n;
}

}  // namespace trevan
