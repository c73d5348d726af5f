#include "ModalWindowKeeper.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <vector>

namespace tulma {

TModalWindowKeeper::TModalWindowKeeper(QObject* Parent) : QObject(Parent) {
    QApplication::instance()->installEventFilter(this);
}

TModalWindowKeeper::~TModalWindowKeeper() {
    QApplication::instance()->removeEventFilter(this);
}

bool TModalWindowKeeper::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() == QEvent::WindowStateChange && Watched->isWidgetType()) {
        const auto* Window = static_cast<const QWidget*>(Watched);
        if (Window->isWindow() && Window->isMinimized() && !BringBackPending &&
            QApplication::activeModalWidget() != nullptr) {
            // Later: the window manager may still be minimising the other windows of the group.
            BringBackPending = true;
            QTimer::singleShot(0, this, [this] { BringBack(); });
        }
    }
    return QObject::eventFilter(Watched, Event);
}

void TModalWindowKeeper::BringBack() {
    BringBackPending = false;
    QWidget* Modal = QApplication::activeModalWidget();
    if (Modal == nullptr) {
        return;
    }
    // The owners first, so that the modal window ends up above them.
    std::vector<QWidget*> Chain;
    for (QWidget* Window = Modal; Window != nullptr;
         Window = Window->parentWidget() != nullptr ? Window->parentWidget()->window() : nullptr) {
        Chain.push_back(Window);
    }
    for (auto Window = Chain.rbegin(); Window != Chain.rend(); ++Window) {
        if ((*Window)->isMinimized()) {
            (*Window)->showNormal();
        }
    }
    Modal->raise();
    Modal->activateWindow();
}

}  // namespace tulma
