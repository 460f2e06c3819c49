#include <gtest/gtest.h>

#include <QFontInfo>
#include <string>

#include "framework/dialog_units.h"
#include "tests/framework/probe_dialog.h"

namespace {

struct MulDivCase {
  int number;
  int numerator;
  int denominator;
  int expected;
};

class MulDivRounding : public testing::TestWithParam<MulDivCase> {};

TEST_P(MulDivRounding, RoundsToNearestWithHalvesAwayFromZero) {
  const MulDivCase& c = GetParam();
  EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(DialogUnits, MulDivRounding,
                         testing::Values(MulDivCase{131, 6, 4, 197},   // 196.5
                                         MulDivCase{153, 13, 8, 249},  // 248.625
                                         MulDivCase{3, 13, 8, 5},      // 4.875
                                         MulDivCase{5, 13, 8, 8},      // 8.125
                                         MulDivCase{4, 6, 4, 6},       // exact
                                         MulDivCase{-5, 6, 4, -8},     // -7.5
                                         MulDivCase{0, 13, 8, 0}),
                         [](const testing::TestParamInfo<MulDivCase>& info) {
                           const MulDivCase& c = info.param;
                           return (c.number < 0 ? "minus" + std::to_string(-c.number) : std::to_string(c.number)) +
                                  "times" + std::to_string(c.numerator) + "by" + std::to_string(c.denominator);
                         });

TEST(DialogUnits, PixelsAtPinnedBaseUnits) {
  const QRect pixels = DialogToPixels(DialogRect{112, 5, 9, 15}, DialogBaseUnits{6, 13});
  EXPECT_EQ(pixels, QRect(168, 8, 14, 24));
}

TEST(DialogUnits, TemplateFontIsLiberationSansAtEightPointForTheScreen) {
  const QFont font = DialogFont("MS Sans Serif", 8);
  EXPECT_EQ(QFontInfo(font).family(), "Liberation Sans");
  // 8 pt at the offscreen platform's 96 dpi: MulDiv(8, 96, 72).
  EXPECT_EQ(font.pixelSize(), 11);
}

TEST(DialogUnits, PinnedUnitsReplaceTheMeasuredOnesUntilUnpinned) {
  const QFont font = DialogFont("MS Sans Serif", 8);
  const DialogBaseUnits measured = MeasureDialogBaseUnits(font);
  EXPECT_GT(measured.x, 0);
  EXPECT_GT(measured.y, measured.x);
  PinDialogBaseUnits(DialogBaseUnits{50, 60});
  EXPECT_EQ(DialogBaseUnitsFor(font), (DialogBaseUnits{50, 60}));
  PinDialogBaseUnits(std::nullopt);
  EXPECT_EQ(DialogBaseUnitsFor(font), measured);
  PinDialogBaseUnits(kTestBaseUnits);
}

}  // namespace
