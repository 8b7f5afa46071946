#pragma once

namespace trevan {

// The value of c[0] + c[1] t + ... + c[degree] t^degree.
double Polynomial(const double* c, int degree, double t);

// The real roots of that polynomial strictly inside (0, L) where its sign
// changes, ascending, to machine precision: each lies alone between two
// neighbouring extremes, which are the roots of the derivative. degree <= 5;
// roots has room for degree values; answers their number.
int SignChangesInside(const double* c, int degree, double L, double* roots);

}  // namespace trevan
