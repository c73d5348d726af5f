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

TTrayIcon::TTrayIcon(QWidget* OwnerWindow, TAvailability ShellAvailable)
    : QObject(OwnerWindow),
      FOwner(OwnerWindow),
      FAvailability(std::move(ShellAvailable)),
      FIcon(QApplication::windowIcon()) {
    FShellAvailable = FAvailability();
    FNotifyIcon.setIcon(FIcon);
    SetTip(QApplication::applicationName());
    connect(&FNotifyIcon, &QSystemTrayIcon::activated, this, &TTrayIcon::HandleCallback);
    FPendingClick.setSingleShot(true);
    connect(&FPendingClick, &QTimer::timeout, this, [this] { Notify(OnClick, this); });
    FOwner->installEventFilter(this);
    FMinimized = FOwner->isMinimized();
}

TTrayIcon::~TTrayIcon() {
    FOwner->removeEventFilter(this);
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
    FNotifyIcon.setIcon(FIcon);
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
    FShellAvailable = FAvailability();
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
        FOwner->hide();
    } else if (WasHidden) {
        FOwner->showMinimized();
    }
}

bool TTrayIcon::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == FOwner && Event->type() == QEvent::WindowStateChange) {
        const bool NowMinimized = FOwner->isMinimized();
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
    if (!FAvailability()) {
        throw EOutOfResources("Cannot create shell notification icon");
    }
    FNotifyIcon.show();
    FIconShown = true;
    emit IconAdded();
}

void TTrayIcon::RemoveIcon() {
    FNotifyIcon.hide();
    FIconShown = false;
}

void TTrayIcon::SetTip(const QString& Text) {
    FNotifyIcon.setToolTip(Text.left(MaxTipLength));
}

void TTrayIcon::HandleCallback(QSystemTrayIcon::ActivationReason Reason) {
    switch (Reason) {
        case QSystemTrayIcon::Trigger:
            FPendingClick.start(QApplication::doubleClickInterval());
            break;
        case QSystemTrayIcon::DoubleClick:
            FPendingClick.stop();
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
    if (PopupMenu != nullptr && (!FOwner->isVisible() || FSeparateIcon)) {
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
        FShellAvailable = FAvailability();
        if (!FIconShown && FShellAvailable) {
            AddIcon();
        }
        if (FIconShown) {
            // Later, so that whoever minimised the window has finished showing it.
            QTimer::singleShot(0, FOwner, [this] {
                if (FMinimized && FIconShown) {
                    FOwner->hide();
                }
            });
        }
    }
    FMinimized = true;
    Notify(OnMinimize, this);
}

void TTrayIcon::AppRestore() {
    if (FActive) {
        FOwner->show();
        if (!FSeparateIcon) {
            RemoveIcon();
        }
    }
    Notify(OnRestore, this);
    FMinimized = false;
}

}  // namespace tulma
