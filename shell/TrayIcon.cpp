#include "TrayIcon.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QTimer>
#include <QWidget>

namespace tulma {
namespace {

void Notify(const TTrayIcon::TNotify& Event, QObject* Sender) {
    if (Event) {
        Event(Sender);
    }
}

}  // namespace

TTrayIcon::TTrayIcon(QWidget* Owner, TAvailability ShellAvailable)
    : QObject(Owner),
      Owner(Owner),
      Availability(std::move(ShellAvailable)),
      FIcon(QApplication::windowIcon()) {
    FShellAvailable = Availability();
    NotifyIcon.setIcon(FIcon);
    SetTip(QApplication::applicationName());
    connect(&NotifyIcon, &QSystemTrayIcon::activated, this, &TTrayIcon::HandleCallback);
    PendingClick.setSingleShot(true);
    connect(&PendingClick, &QTimer::timeout, this, [this] { Notify(OnClick, this); });
    Owner->installEventFilter(this);
    FMinimized = Owner->isMinimized();
}

TTrayIcon::~TTrayIcon() {
    Owner->removeEventFilter(this);
    if (FActive) {
        RemoveIcon();
    }
}

void TTrayIcon::SetActive(bool Value) {
    FActive = Value;
    if (FActive && (FMinimized || FSeparateIcon)) {
        AddIcon();
    } else {
        RemoveIcon();
    }
}

void TTrayIcon::SetHint(const std::string& Value) {
    if (Value == FHint) {
        return;
    }
    FHint = Value;
    SetTip(QString::fromStdString(FHint));
}

void TTrayIcon::SetIcon(const QIcon& Value) {
    if (Value.cacheKey() == FIcon.cacheKey()) {
        return;
    }
    FIcon = Value;
    NotifyIcon.setIcon(FIcon);
}

void TTrayIcon::SetSeparateIcon(bool Value) {
    FSeparateIcon = Value;
    if (FSeparateIcon && FActive) {
        AddIcon();
    } else if (!FSeparateIcon && FActive && !FMinimized) {
        RemoveIcon();
    }
}

void TTrayIcon::TrayHostChanged() {
    FShellAvailable = Availability();
    if (!FActive) {
        return;
    }
    // A replaced tray holds no icon of ours: the icon is added to the new one afresh.
    const bool WasHidden = FMinimized && FIconShown;
    RemoveIcon();
    if (FShellAvailable && (FMinimized || FSeparateIcon)) {
        AddIcon();
    }
    if (FMinimized && FIconShown) {
        Owner->hide();
    } else if (WasHidden) {
        Owner->showMinimized();
    }
}

bool TTrayIcon::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == Owner && Event->type() == QEvent::WindowStateChange) {
        const bool NowMinimized = Owner->isMinimized();
        if (NowMinimized && !FMinimized && QApplication::activeModalWidget() == nullptr) {
            AppMinimize();
        } else if (!NowMinimized && FMinimized) {
            AppRestore();
        }
    }
    return QObject::eventFilter(Watched, Event);
}

void TTrayIcon::AddIcon() {
    if (!FActive || !FShellAvailable || FIconShown) {
        return;
    }
    if (!Availability()) {
        throw EOutOfResources("Cannot create shell notification icon");
    }
    NotifyIcon.show();
    FIconShown = true;
}

void TTrayIcon::RemoveIcon() {
    NotifyIcon.hide();
    FIconShown = false;
}

void TTrayIcon::SetTip(const QString& Text) {
    NotifyIcon.setToolTip(Text.left(MaxTipLength));
}

void TTrayIcon::HandleCallback(QSystemTrayIcon::ActivationReason Reason) {
    switch (Reason) {
        case QSystemTrayIcon::Trigger:
            PendingClick.start(QApplication::doubleClickInterval());
            break;
        case QSystemTrayIcon::DoubleClick:
            PendingClick.stop();
            Notify(OnDblClick, this);
            break;
        case QSystemTrayIcon::Context:
            HandleRightClick();
            break;
        default:
            break;
    }
}

void TTrayIcon::HandleRightClick() {
    const QPoint Position = QCursor::pos();
    if (PopupMenu != nullptr && (!Owner->isVisible() || FSeparateIcon)) {
        PopupMenu->popup(Position);
    }
    if (OnRightClick) {
        OnRightClick(this, Qt::RightButton, Qt::NoModifier, Position.x(), Position.y());
    }
}

void TTrayIcon::AppMinimize() {
    if (FActive) {
        // The taskbar entry goes only when the icon takes its place: without a notification area the
        // minimised window stays where the user can restore it. A tray may have come since the start.
        FShellAvailable = Availability();
        if (!FIconShown && FShellAvailable) {
            AddIcon();
        }
        if (FIconShown) {
            // Later, so that whoever minimised the window has finished showing it.
            QTimer::singleShot(0, Owner, [this] {
                if (FMinimized && FIconShown) {
                    Owner->hide();
                }
            });
        }
    }
    FMinimized = true;
    Notify(OnMinimize, this);
}

void TTrayIcon::AppRestore() {
    if (FActive) {
        Owner->show();
        if (!FSeparateIcon) {
            RemoveIcon();
        }
    }
    Notify(OnRestore, this);
    FMinimized = false;
}

}  // namespace tulma
