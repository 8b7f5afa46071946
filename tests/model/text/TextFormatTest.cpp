#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "RecordingMessages.h"
#include "TempDir.h"
#include "beam/UnitSystem.h"
#include "headless/HeadlessWindow.h"
#include "text/CLocaleText.h"

namespace trevan {
namespace {

TEST(TextFormatTest, FloatToTextDropsTrailingZeros) {
  EXPECT_EQ(FloatToText(1000), "1000");
  EXPECT_EQ(FloatToText(0.25), "0.25");
  EXPECT_EQ(FloatToText(-3.5), "-3.5");
  EXPECT_EQ(FloatToText(0.1 + 0.2), "0.3");
}

TEST(TextFormatTest, ParsingFollowsTheStandardConversion) {
  EXPECT_EQ(ParseReal("  12.5abc"), 12.5);
  EXPECT_EQ(ParseReal("abc"), 0);
  EXPECT_EQ(ParseReal(""), 0);
  EXPECT_EQ(ParseInteger("42 "), 42);
  EXPECT_EQ(ParseInteger("x"), 0);
  double v = 0;
  EXPECT_TRUE(TryParseReal(" 3.25 ", v));
  EXPECT_EQ(v, 3.25);
  EXPECT_FALSE(TryParseReal("3.25x", v));
  EXPECT_FALSE(TryParseReal("nan", v));
  EXPECT_FALSE(TryParseReal("", v));
}

TEST(TextFormatTest, TruncationSaturates) {
  EXPECT_EQ(TruncToInt(-2.7), -2);
  EXPECT_EQ(TruncToInt(2.7), 2);
  EXPECT_EQ(TruncToInt(1e300), INT_MAX);
  EXPECT_EQ(TruncToInt(-1e300), INT_MIN);
  EXPECT_EQ(TruncToInt(NAN), 0);
}

// Files, texts and status lines must not take a comma from the user's locale.
class CommaLocaleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
      GTEST_SKIP() << "no locale with a decimal comma is installed";
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    SetApplicationMetric(true);
  }
  void TearDown() override { std::setlocale(LC_ALL, previous_.c_str()); }

 private:
  std::string previous_;
};

TEST_F(CommaLocaleTest, FilesAndTextsUseADecimalPoint) {
  EXPECT_EQ(CFormat("%5.3f", 2.5), "2.500");
  EXPECT_EQ(FloatToText(0.25), "0.25");
  EXPECT_EQ(ParseReal("1.5"), 1.5);

  test::TempDir dir;
  test::RecordingMessages messages;
  HeadlessWindow window(messages);
  window.NewBeam(10);
  window.beam()->AddCharge(charge(2.5, 1000.5, &window));
  window.beam()->InsertSupport(0, ftVice);
  EXPECT_EQ(window.MaxMomentText(), "Max. moment :    2501 Nm");
  EXPECT_EQ(window.beam()->Charges[0]->GetHint(false), "x=  2.50 m   f=  1000 N");
  const std::string file = dir.File("comma.tvn");
  ASSERT_TRUE(window.Save(file));
  EXPECT_NE(test::TempDir::Read(file).find("charge(x,f) :2.500000000 1000.500000000 \r\n"),
            std::string::npos);

  HeadlessWindow other(messages);
  ASSERT_TRUE(other.Open(file));
  EXPECT_EQ(other.beam()->Charges[0]->x, 2.5);
  EXPECT_EQ(other.beam()->Charges[0]->f, 1000.5);
}

}  // namespace
}  // namespace trevan
