#include "FormControls.h"

#include <QLabel>
#include <QPushButton>

namespace tulma {

QLabel* PlaceLabel(QWidget* Parent, const QString& Text, int Left, int Top, QWidget* Buddy) {
    auto* Label = new QLabel(Text, Parent);
    Label->move(Left, Top);
    Label->setBuddy(Buddy);
    Label->adjustSize();
    return Label;
}

QPushButton* PlaceButton(QWidget* Parent, const char* Name, const QString& Text, const QRect& Position) {
    auto* Button = PlaceControl<QPushButton>(Parent, Name, Position);
    Button->setText(Text);
    return Button;
}

void SetTabOrder(std::initializer_list<QWidget*> Order) {
    QWidget* Previous = nullptr;
    for (QWidget* Control : Order) {
        if (Previous != nullptr) {
            QWidget::setTabOrder(Previous, Control);
        }
        Previous = Control;
    }
}

}  // namespace tulma
