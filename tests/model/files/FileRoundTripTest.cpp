#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>

#include "RecordingMessages.h"
#include "TempDir.h"
#include "beam/UnitSystem.h"
#include "headless/HeadlessWindow.h"
#include "text/CLocaleText.h"

namespace trevan {
namespace {

// A beam as the reader built it, for comparing two reads.
struct Snapshot {
  bool metric = true;
  double length = 0;
  std::vector<double> values;  // forces, loads and supports in file order
  std::vector<int> types;
  BeamSection section = {};  // its last end follows the length, which is rounded
};

Snapshot Take(const TTrevanDoc& beam) {
  Snapshot s{beam.Metric, beam.Length, {}, {}};
  for (const auto& c : beam.Charges) s.values.insert(s.values.end(), {c->x, c->f});
  for (const auto& d : beam.DistrCharges) s.values.insert(s.values.end(), {d->X1, d->X2, d->F1, d->F2});
  for (const element* e = beam.FirstSupport(); e; e = e->Next.get()) {
    s.values.push_back(e->X1);
    s.types.push_back(e->LeftType);
  }
  s.section = beam.Section;
  if (!s.section.Empty()) s.section.segments.back().x2 = 0;
  return s;
}

// Saving keeps nine decimals; larger values print every digit they have.
::testing::AssertionResult SameBeam(const Snapshot& a, const Snapshot& b) {
  if (a.metric != b.metric || a.types != b.types || a.values.size() != b.values.size())
    return ::testing::AssertionFailure() << "the structure changed";
  if (!(a.section == b.section)) return ::testing::AssertionFailure() << "the section changed";
  if (std::fabs(a.length - b.length) > 1e-9) return ::testing::AssertionFailure() << "the length changed";
  for (std::size_t i = 0; i < a.values.size(); ++i)
    if (std::fabs(a.values[i] - b.values[i]) > 1e-9)
      return ::testing::AssertionFailure()
             << "value " << i << ": " << a.values[i] << " became " << b.values[i];
  return ::testing::AssertionSuccess();
}

// Files a user, an older version or another program might hand the reader:
// values on columns and off them, with few and many digits, in exponent
// form, at the limits and just inside them, supports nearly touching.
class FileMaker {
 public:
  explicit FileMaker(unsigned seed) : rng_(seed) {}

  std::string Make() {
    std::ostringstream out;
    const bool old = Chance(0.1);
    const bool metric = old || Chance(0.6);
    const bool sectioned = !old && Chance(0.3);
    out << "Trevan version :" << (old ? 11500 : sectioned ? 11800 : 11700) << " \r\n";
    if (!old) out << "Metric :" << (metric ? 1 : 0) << " \r\n";
    const double maxLength = metric ? 10000 : 32808.4;
    double length = 0;
    switch (Pick(4)) {
      case 0:
        length = 0.04 * (1 + Pick(500));
        break;
      case 1:
        length = std::exp(Uniform(std::log(0.01), std::log(maxLength)));
        break;
      case 2:
        length = Chance(0.5) ? 0.01 : maxLength;
        break;
      default:
        length = Uniform(0.01, 60);
        break;
    }
    const std::string lengthText = Number(length);
    out << "beam length :" << lengthText << " \r\n";

    const int forces = Pick(6);
    out << "number of forces :" << forces << " \r\n";
    for (int i = 0; i < forces; ++i)
      out << "charge(x,f) :" << Number(Position(length)) << " " << Number(Magnitude()) << " \r\n";
    const int loads = Pick(5);
    out << "number of distributed loads :" << loads << " \r\n";
    for (int i = 0; i < loads; ++i)
      out << "distributed charge(x1,x2,f1,f2) :" << Number(Position(length)) << " "
          << Number(Position(length)) << " " << Number(Magnitude()) << " " << Number(Magnitude()) << " \r\n";

    std::vector<double> supports;
    const int count = Pick(7);
    for (int i = 0; i < count; ++i) {
      const double lo = -0.4 + 1e-6, hi = length + 0.44 - 1e-6;
      switch (Pick(6)) {
        case 0:
          supports.push_back(Chance(0.5) ? lo + 1e-10 : hi - 1e-10);
          break;
        case 1:  // just far enough from the previous one
          supports.push_back(supports.empty() ? 0 : std::min(hi, supports.back() + 1e-6 + Uniform(0, 1e-8)));
          break;
        case 2:
          supports.push_back(supports.empty() ? length : supports.back());
          break;  // a repeat
        case 3:
          supports.push_back(0.04 * Pick(static_cast<int>(length / 0.04) + 1));
          break;
        default:
          supports.push_back(Uniform(lo, hi));
          break;
      }
    }
    out << "number of supports :" << supports.size() << " \r\n";
    for (const double x : supports) out << "support(X,type) :" << Number(x) << " " << Pick(4) << " \r\n";
    if (sectioned) out << Section(length, lengthText);
    return out.str();
  }

 private:
  // Segments ending where the beam does, in the length's own text.
  std::string Section(double length, const std::string& lengthText) {
    std::vector<double> ends;
    for (int n = Pick(4); n > 0; --n) ends.push_back(Uniform(0, length));
    std::sort(ends.begin(), ends.end());
    std::string lines = CFormat("number of segments :%zu \r\n", ends.size() + 1);
    std::string from = "0";
    for (std::size_t k = 0; k <= ends.size(); ++k) {
      const std::string to = k < ends.size() ? CFormat("%.17g", ends[k]) : lengthText;
      lines += "segment(x1,x2,E,I) :" + from + " " + to + " " + CFormat("%.17g %e ", Stiffness(), Stiffness()) + "\r\n";
      from = to;
    }
    return CFormat("number of extension lines :%zu \r\n", ends.size() + 2) + lines;
  }

  double Stiffness() { return std::exp(Uniform(std::log(1e-19), std::log(9.9e11))); }

  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  double Uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng_); }

  double Position(double length) {
    if (Chance(0.1)) return Uniform(-1e11, 1e11);  // far off the beam, still writable
    return Chance(0.5) ? 0.04 * Pick(static_cast<int>(length / 0.04) + 1) : Uniform(0, length);
  }

  double Magnitude() {
    const double sign = Chance(0.3) ? -1 : 1;
    switch (Pick(5)) {
      case 0:
        return sign * 999999999999.99;
      case 1:
        return 0;
      case 2:
        return sign * std::round(Uniform(0, 20000));
      default:
        return sign * std::exp(Uniform(std::log(1e-6), std::log(9.9e11)));
    }
  }

  std::string Number(double v) {
    switch (Pick(5)) {
      case 0:
        return CFormat("%.17g", v);
      case 1:
        return CFormat("%e", v);
      case 2:
        return CFormat("%.3f", v);
      default:
        return CFormat("%9.9f", v);
    }
  }

  std::mt19937 rng_;
};

TEST(FileRoundTripTest, WhatTheReaderAcceptsComesBackUnchanged) {
  SetApplicationMetric(true);
  test::TempDir dir;
  test::RecordingMessages messages;
  FileMaker maker(20261208);
  int accepted = 0;
  constexpr int Files = 400;
  for (int i = 0; i < Files; ++i) {
    const std::string original = maker.Make();
    HeadlessWindow window(messages);
    if (!window.Open(dir.Write("original.tvn", original))) continue;
    ++accepted;
    const Snapshot read = Take(*window.beam());
    ASSERT_TRUE(window.Save(dir.File("saved.tvn")));
    const std::string saved = test::TempDir::Read(dir.File("saved.tvn"));

    HeadlessWindow again(messages);
    ASSERT_TRUE(again.Open(dir.File("saved.tvn"))) << again.LastError() << "\n"
                                                   << original << "saved as\n"
                                                   << saved;
    ASSERT_TRUE(SameBeam(read, Take(*again.beam()))) << original << "saved as\n" << saved;
    ASSERT_TRUE(again.Save(dir.File("again.tvn")));
    ASSERT_EQ(test::TempDir::Read(dir.File("again.tvn")), saved) << original;
  }
  // Most of the set is readable, or the test would prove little.
  EXPECT_GT(accepted, Files / 2);
}

}  // namespace
}  // namespace trevan
