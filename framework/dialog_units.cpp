#include "framework/dialog_units.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <cmath>
#include <mutex>

namespace {

struct FontStandIn {
  const char* family;
  const char* standIn;
};

// Families the templates name that Linux does not ship, and what replaces them.
constexpr FontStandIn kFontStandIns[] = {
    {"MS Sans Serif", "Liberation Sans"},
};

constexpr char kAverageWidthSample[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kSampleLetters = 26;
constexpr int kPointsPerInch = 72;
// A base unit is four dialog units across and eight down.
constexpr int kUnitsPerBaseX = 4;
constexpr int kUnitsPerBaseY = 8;

std::optional<DialogBaseUnits> g_pinnedUnits;

void InstallFontStandIns() {
  static std::once_flag installed;
  std::call_once(installed, [] {
    for (const FontStandIn& font : kFontStandIns) QFont::insertSubstitution(font.family, font.standIn);
  });
}

}  // namespace

int MulDiv(int number, int numerator, int denominator) {
  const long long product = static_cast<long long>(number) * numerator;
  const long long half = denominator / 2;
  const bool negative = (product < 0) != (denominator < 0);
  return static_cast<int>((negative ? product - half : product + half) / denominator);
}

QFont DialogFont(std::string_view family, int pointSize) {
  InstallFontStandIns();
  QFont font(QString::fromUtf8(family.data(), static_cast<qsizetype>(family.size())));
  const int dpi = static_cast<int>(std::lround(QGuiApplication::primaryScreen()->logicalDotsPerInchY()));
  font.setPixelSize(MulDiv(pointSize, dpi, kPointsPerInch));
  return font;
}

DialogBaseUnits MeasureDialogBaseUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int sampleWidth = metrics.horizontalAdvance(QString::fromLatin1(kAverageWidthSample));
  return {(sampleWidth / kSampleLetters + 1) / 2, metrics.height()};
}

void PinDialogBaseUnits(std::optional<DialogBaseUnits> units) { g_pinnedUnits = units; }

DialogBaseUnits DialogBaseUnitsFor(const QFont& font) {
  return g_pinnedUnits ? *g_pinnedUnits : MeasureDialogBaseUnits(font);
}

QRect DialogToPixels(const DialogRect& rect, DialogBaseUnits units) {
  return {MulDiv(rect.x, units.x, kUnitsPerBaseX), MulDiv(rect.y, units.y, kUnitsPerBaseY),
          MulDiv(rect.cx, units.x, kUnitsPerBaseX), MulDiv(rect.cy, units.y, kUnitsPerBaseY)};
}
