#pragma once
// Dialog units as the dialog manager computes them from the template font:
// a horizontal unit is a quarter of the font's average character width, a
// vertical unit an eighth of its height.

#include <QFont>
#include <QRect>
#include <optional>
#include <string_view>

#include "framework/dialog_template.h"

struct DialogBaseUnits {
  int x;
  int y;

  bool operator==(const DialogBaseUnits&) const = default;
};

// number * numerator / denominator, rounded to nearest, halves away from zero.
int MulDiv(int number, int numerator, int denominator);

// The template font, by name at its point size for the screen's dpi.
QFont DialogFont(std::string_view family, int pointSize);

DialogBaseUnits MeasureDialogBaseUnits(const QFont& font);

// Tests pin the units so that pixel geometry does not depend on the fonts
// installed; std::nullopt measures the font again.
void PinDialogBaseUnits(std::optional<DialogBaseUnits> units);
DialogBaseUnits DialogBaseUnitsFor(const QFont& font);

QRect DialogToPixels(const DialogRect& rect, DialogBaseUnits units);
