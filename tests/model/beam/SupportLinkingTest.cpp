// Supports read from a file are linked in one pass over their sorted
// positions; the chain must be the one that inserting them one by one, in
// file order, builds.
#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

#include "ChainChecks.h"
#include "RecordingMessages.h"
#include "TempDir.h"
#include "beam/UnitSystem.h"
#include "headless/HeadlessWindow.h"
#include "text/CLocaleText.h"

namespace trevan {
namespace {

std::vector<std::pair<double, int>> ChainOf(const TTrevanDoc& beam) {
  std::vector<std::pair<double, int>> chain;
  for (const element* e = beam.FirstSupport(); e; e = e->Next.get()) chain.emplace_back(e->X1, e->LeftType);
  return chain;
}

TEST(SupportLinkingTest, OnePassGivesTheChainOfInsertionInFileOrder) {
  SetApplicationMetric(true);
  std::mt19937 random(3);
  for (int trial = 0; trial < 20; ++trial) {
    std::vector<std::pair<double, int>> supports;
    for (int i = 0; i < 40; ++i)  // on a coarse grid, so positions repeat
      supports.emplace_back(0.25 * static_cast<int>(random() % 41), static_cast<int>(random() % 4));
    if (trial % 2) std::sort(supports.begin(), supports.end());
    std::string file = "Trevan version :11700 \r\nMetric :1 \r\nbeam length :10.000000000 \r\n";
    file += "number of forces :0 \r\nnumber of distributed loads :0 \r\n";
    file += "number of supports :" + std::to_string(supports.size()) + " \r\n";
    for (auto [x, type] : supports) file += CFormat("support(X,type) :%9.9f %d \r\n", x, type);

    test::TempDir dir;
    test::RecordingMessages messages;
    HeadlessWindow read(messages), inserted(messages);
    ASSERT_TRUE(read.Open(dir.Write("beam.tvn", file)));
    inserted.NewBeam(10);
    for (auto [x, type] : supports) inserted.beam()->InsertSupport(x, static_cast<TSupportType>(type));
    EXPECT_TRUE(test::ChainIsConsistent(*read.beam())) << "trial " << trial;
    EXPECT_EQ(ChainOf(*read.beam()), ChainOf(*inserted.beam())) << "trial " << trial;
  }
}

}  // namespace
}  // namespace trevan
