#pragma once

#include <QFont>
#include <QString>

class QLabel;

namespace tulma {

// A form's font: Family at PixelHeight, a sans-serif face standing in when Family is not installed.
QFont FormFont(const QString& Family, int PixelHeight);

// Stand-in faces run wider than the ones the forms were drawn for: a label whose text does not fit in
// Width pixels before the next control gets a font one pixel smaller, or, when that is not enough,
// wraps within Width.
void FitLabelText(QLabel* Label, int Width);

}  // namespace tulma
