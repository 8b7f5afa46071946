#include "analysis/ExactDeflection.h"

#include <cmath>

#include "analysis/PolynomialRoots.h"

namespace trevan {

namespace {

// Fills the piece's rotation and deflection from the upward deflection w0
// and the rotation theta0 at its left end.
void Integrate(ExactResults::Piece& p, double EI, double w0, double theta0) {
  const double* m = p.m;
  p.r[0] = theta0;
  p.r[1] = m[0] / EI, p.r[2] = m[1] / (2 * EI), p.r[3] = m[2] / (3 * EI), p.r[4] = m[3] / (4 * EI);
  p.d[0] = -w0, p.d[1] = -theta0;
  p.d[2] = -m[0] / (2 * EI), p.d[3] = -m[1] / (6 * EI), p.d[4] = -m[2] / (12 * EI), p.d[5] = -m[3] / (20 * EI);
}

void IntegratePieces(const std::vector<NodeState>& nodes, const std::function<double(double)>& stiffnessAt,
                     std::vector<ExactResults::Piece>& pieces) {
  auto EIOf = [&](const ExactResults::Piece& p) { return stiffnessAt((p.x0 + p.x1) / 2); };
  std::size_t first = 0;
  while (first < pieces.size() && pieces[first].x0 < nodes.front().x) ++first;
  // Leftward from the first node: the end values are known, the start ones follow.
  double w = nodes.front().w, theta = nodes.front().thetaLeft;
  for (std::size_t k = first; k-- > 0;) {
    ExactResults::Piece& p = pieces[k];
    Integrate(p, EIOf(p), 0, 0);
    const double L = p.x1 - p.x0;
    const double theta0 = theta - p.Rotation(p.x1);
    const double w0 = w - theta0 * L + p.Deflection(p.x1);
    Integrate(p, EIOf(p), w0, theta0);
    w = w0, theta = theta0;
  }
  std::size_t j = 0;
  for (std::size_t k = first; k < pieces.size(); ++k) {
    ExactResults::Piece& p = pieces[k];
    while (j < nodes.size() && nodes[j].x <= p.x0) {
      if (nodes[j].x == p.x0) w = nodes[j].w, theta = nodes[j].theta;
      ++j;
    }
    Integrate(p, EIOf(p), w, theta);
    w = -p.Deflection(p.x1), theta = p.Rotation(p.x1);
  }
}

// The largest deflections of one span or overhang: at the starts of its
// pieces, where the rotation changes sign inside them, and at its end when
// that is the end of the beam.
void FindSpanExtremes(const std::vector<ExactResults::Piece>& pieces, std::size_t& k, ExactResults::Span& span,
                      bool last) {
  span.down = span.up = {0, span.x0};
  auto consider = [&](double x, double value) {
    if (value > span.down.value) span.down = {value, x};
    if (value < span.up.value) span.up = {value, x};
  };
  for (; k < pieces.size() && pieces[k].x0 < span.x1; ++k) {
    const ExactResults::Piece& p = pieces[k];
    consider(p.x0, p.d[0]);
    double roots[4];
    for (int r = 0, n = SignChangesInside(p.r, 4, p.x1 - p.x0, roots); r < n; ++r)
      consider(p.x0 + roots[r], p.Deflection(p.x0 + roots[r]));
    if (last && k + 1 == pieces.size()) consider(p.x1, p.Deflection(p.x1));
  }
}

void FindSpans(const std::vector<NodeState>& nodes, double start, double end, ExactResults& results) {
  std::vector<double> edges;
  for (const NodeState& n : nodes)
    if (n.support) edges.push_back(n.x);
  if (start < edges.front()) results.spans.push_back({start, edges.front(), true});
  for (std::size_t i = 0; i + 1 < edges.size(); ++i) results.spans.push_back({edges[i], edges[i + 1], false});
  if (edges.back() < end) results.spans.push_back({edges.back(), end, true});
  std::size_t k = 0;
  results.maxDeflection = {0, start};
  for (std::size_t s = 0; s < results.spans.size(); ++s) {
    ExactResults::Span& span = results.spans[s];
    FindSpanExtremes(results.pieces, k, span, s + 1 == results.spans.size());
    const ExactResults::Extreme& largest = span.Largest();
    if (std::abs(largest.value) > std::abs(results.maxDeflection.value)) results.maxDeflection = largest;
  }
}

}  // namespace

void AddDeflections(const std::vector<NodeState>& nodes, const std::function<double(double)>& stiffnessAt,
                    double start, double end, ExactResults& results) {
  if (nodes.empty() || results.pieces.empty()) return;
  results.deflected = true;
  IntegratePieces(nodes, stiffnessAt, results.pieces);
  for (auto& s : results.supports) s.rotation = results.RotationAt(s.x);
  FindSpans(nodes, start, end, results);
}

}  // namespace trevan
