#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "ChainChecks.h"
#include "RecordingMessages.h"
#include "headless/HeadlessWindow.h"

namespace trevan {
namespace {

// Every sample beam shipped with the program loads and analyses cleanly.
TEST(ExamplesTest, EverySampleBeamLoadsAndBalances) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(TREVAN_EXAMPLES_DIR)) {
    if (entry.path().extension() != ".tvn") continue;
    ++count;
    SCOPED_TRACE(entry.path().filename().string());
    test::RecordingMessages messages;
    HeadlessWindow window(messages);
    ASSERT_TRUE(window.Open(entry.path().string())) << window.LastError();
    window.Recalculate();
    const TTrevanDoc& beam = *window.beam();
    EXPECT_TRUE(test::ChainIsConsistent(beam));
    EXPECT_GT(beam.SupportCount(), 0);
    EXPECT_TRUE(std::isfinite(window.analysis()->ReportedMaxMoment));
    EXPECT_GT(window.analysis()->ReportedMaxMoment, 0);

    // The reactions carry every load on the beam.
    double loads = 0;
    for (const auto& f : beam.Charges) loads += f->f;
    for (const auto& d : beam.DistrCharges) loads += (d->X2 - d->X1) * (d->F1 + d->F2) / 2;
    double reactions = 0;
    for (const element* e = beam.FirstSupport(); e; e = e->Next.get()) reactions += e->Reaction();
    EXPECT_NEAR(reactions, loads, 1e-6 * loads);
    EXPECT_TRUE(messages.messages.empty());
  }
  EXPECT_GE(count, 5);
}

}  // namespace
}  // namespace trevan
