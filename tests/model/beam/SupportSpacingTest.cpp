#include <gtest/gtest.h>

#include "EditFixture.h"
#include "beam/SupportSpacing.h"
#include "drawing/TextContrast.h"

namespace trevan {
namespace {

class SupportSpacingTest : public test::EditFixture {};

// Closer than 1 % of the shorter span beside them; an end support has no
// span on its outer side, so the other one counts.
TEST_F(SupportSpacingTest, WarnsOfSupportsCloserThanAHundredthOfTheirSpans) {
  const struct {
    std::vector<double> supports;  // m, on a 15 m beam
    const char* warning;
  } rows[] = {
      {{0, 7.9999, 8}, "Supports 0.1 mm apart: reactions are very large"},
      {{0, 5, 5.04}, "Supports 4 cm apart: reactions are very large"},  // 1 % of 5 m is 5 cm
      {{0, 5, 5.06}, ""},
      {{0, 0.01, 15}, "Supports 1 cm apart: reactions are very large"},
      {{0, 15}, ""},
  };
  for (const auto& row : rows) {
    beam().Clear();
    for (double x : row.supports) ASSERT_NE(beam().InsertSupport(x, ftHinge), nullptr) << x;
    EXPECT_EQ(SupportSpacing::Warning(beam()), row.warning);
  }
  EXPECT_EQ(SupportSpacing::GapText(0.5 / 12, false), "0.5 in");
}

// Text in the default colours, or any the user picks, reads on white.
TEST(TextContrastTest, EveryTextColourReadsOnPaper) {
  EXPECT_NEAR(TextContrast::Ratio(Rgb::FromRgb(0, 0, 0), TextContrast::Paper), 21, 1e-9);
  EXPECT_NEAR(TextContrast::Ratio(TextContrast::Paper, TextContrast::Paper), 1, 1e-9);
  for (const Rgb c : {Rgb::FromRgb(255, 0, 0), Rgb::FromRgb(255, 0, 255), Rgb::FromRgb(0, 0, 255),
                      Rgb::FromRgb(255, 255, 0), Rgb::FromRgb(128, 0, 0)}) {
    const Rgb shown = TextContrast::ReadableOn(c, TextContrast::Paper);
    EXPECT_GE(TextContrast::Ratio(shown, TextContrast::Paper), TextContrast::Readable) << c.value;
    if (TextContrast::Ratio(c, TextContrast::Paper) >= TextContrast::Readable) {
      EXPECT_EQ(shown, c) << "a readable colour stays as it is";
    }
  }
}

}  // namespace
}  // namespace trevan
