#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "beam/Beam.h"

namespace trevan::test {

// The support chain's invariants; a failure names the node it concerns.
inline ::testing::AssertionResult ChainIsConsistent(const TTrevanDoc& beam) {
  const element* sentinel = beam.Sentinel();
  if (!sentinel) return ::testing::AssertionFailure() << "no chain";
  if (sentinel->Prev || sentinel->LeftType != ftNone)
    return ::testing::AssertionFailure() << "the first node is not a sentinel";
  int index = 0;
  for (const element* e = sentinel; e; e = e->Next.get(), ++index) {
    if (e->SpanLength != e->X2 - e->X1)
      return ::testing::AssertionFailure()
             << "node " << index << ": span length " << e->SpanLength << " is not X2 - X1";
    if (const element* next = e->Next.get()) {
      if (next->Prev != e) return ::testing::AssertionFailure() << "node " << index << ": broken back link";
      if (e->X2 != next->X1)
        return ::testing::AssertionFailure()
               << "node " << index << ": X2 " << e->X2 << " differs from the next X1 " << next->X1;
      if (e->RightType != next->LeftType)
        return ::testing::AssertionFailure() << "node " << index << ": RightType mismatch";
      if (!(e->X1 < next->X1))
        return ::testing::AssertionFailure() << "node " << index << ": positions not ascending";
    } else if (e->RightType != ftNone) {
      return ::testing::AssertionFailure() << "the last node's RightType is not ftNone";
    }
  }
  return ::testing::AssertionSuccess();
}

inline std::vector<double> SupportPositions(const TTrevanDoc& beam) {
  std::vector<double> xs;
  for (const element* e = beam.FirstSupport(); e; e = e->Next.get()) xs.push_back(e->X1);
  return xs;
}

}  // namespace trevan::test
