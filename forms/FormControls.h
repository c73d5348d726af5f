#pragma once

#include <QRect>
#include <QString>

#include <initializer_list>

class QLabel;
class QPushButton;
class QWidget;

// Controls placed at fixed positions in a form's client area, named as the form's code names them; every
// window places its controls through these.
namespace tulma {

template <class Control>
Control* PlaceControl(QWidget* Parent, const char* Name, const QRect& Position) {
    auto* Widget = new Control(Parent);
    Widget->setObjectName(Name);
    Widget->setGeometry(Position);
    return Widget;
}

// A label sized to its text at (Left, Top); its accelerator moves the focus to Buddy.
QLabel* PlaceLabel(QWidget* Parent, const QString& Text, int Left, int Top, QWidget* Buddy = nullptr);

QPushButton* PlaceButton(QWidget* Parent, const char* Name, const QString& Text, const QRect& Position);

// Tab and Shift+Tab visit the controls in the order given.
void SetTabOrder(std::initializer_list<QWidget*> Order);

}  // namespace tulma
