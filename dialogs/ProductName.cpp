#include "ProductName.h"

#include <QLabel>
#include <QPalette>

#include "FormFont.h"

namespace tulma {

void ShowAsProductName(QLabel* Label) {
    QFont Font = FormFont("Arial", 24);
    Font.setBold(true);
    Font.setItalic(true);
    Label->setFont(Font);
    QPalette Colours = Label->palette();
    Colours.setColor(QPalette::WindowText, Qt::red);
    Label->setPalette(Colours);
}

}  // namespace tulma
