#include "FormFont.h"

#include <QFontMetrics>
#include <QLabel>

namespace tulma {
namespace {

bool Fits(const QFont& Font, const QString& Text, int Width) {
    return QFontMetrics(Font).horizontalAdvance(Text) <= Width;
}

}  // namespace

QFont FormFont(const QString& Family, int PixelHeight) {
    QFont Font(Family);
    Font.setStyleHint(QFont::SansSerif);
    Font.setPixelSize(PixelHeight);
    return Font;
}

void FitLabelText(QLabel* Label, int Width) {
    QFont Smaller = Label->font();
    Smaller.setPixelSize(Smaller.pixelSize() - 1);
    if (Fits(Label->font(), Label->text(), Width)) {
        return;
    }
    if (Fits(Smaller, Label->text(), Width)) {
        Label->setFont(Smaller);
    } else {
        Label->setWordWrap(true);
        Label->setFixedWidth(Width);
    }
    Label->adjustSize();
}

}  // namespace tulma
