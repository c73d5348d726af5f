#pragma once

#include <QFont>
#include <QString>

namespace tulma {

// A form's font: Family at PixelHeight, a sans-serif face standing in when Family is not installed.
QFont FormFont(const QString& Family, int PixelHeight);

}  // namespace tulma
