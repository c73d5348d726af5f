#include "FormFont.h"

namespace tulma {

QFont FormFont(const QString& Family, int PixelHeight) {
    QFont Font(Family);
    Font.setStyleHint(QFont::SansSerif);
    Font.setPixelSize(PixelHeight);
    return Font;
}

}  // namespace tulma
