#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include <functional>
#include <stdexcept>
#include <string>

class QMenu;
class QWidget;

namespace tulma {

// The notification area refused the icon.
class EOutOfResources : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The program's icon in the notification area (the tray). It follows the owner window: while the window
// is minimised the icon is shown and the window hidden, so it has no taskbar entry; on restore the icon
// goes away. Clicks on the icon become the events below. A minimise while a modal window is open does not
// go to the tray, whose icon could not answer before the modal window closes (TModalWindowKeeper undoes
// that minimise).
class TTrayIcon : public QObject {
    Q_OBJECT
  public:
    static constexpr int MaxTipLength = 63;

    using TNotify = std::function<void(QObject* Sender)>;
    using TMouseNotify = std::function<void(QObject* Sender, Qt::MouseButton Button,
                                            Qt::KeyboardModifiers Shift, int X, int Y)>;
    // Whether the desktop offers a notification area.
    using TAvailability = std::function<bool()>;

    TTrayIcon(QWidget* Owner, TAvailability ShellAvailable);
    ~TTrayIcon() override;

    bool Active() const { return FActive; }
    void SetActive(bool Value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value);
    const QIcon& Icon() const { return FIcon; }
    void SetIcon(const QIcon& Value);
    bool SeparateIcon() const { return FSeparateIcon; }
    void SetSeparateIcon(bool Value);

    // Opened by the component itself on a right click while the owner is hidden; none by default.
    QMenu* PopupMenu = nullptr;
    TNotify OnClick;
    TNotify OnDblClick;
    TMouseNotify OnRightClick;
    TNotify OnMinimize;
    TNotify OnRestore;

    bool ShellAvailable() const { return FShellAvailable; }
    // The tray came, went or was replaced: a minimised owner moves into a tray that came, and comes back
    // as an ordinary minimised window when the tray goes, so that it can always be reached.
    void TrayHostChanged();
    bool IconShown() const { return FIconShown; }

  signals:
    // The icon has just been added to the notification area.
    void IconAdded();

  public:
    bool Minimized() const { return FMinimized; }
    // The tip over the icon: at most MaxTipLength characters.
    QString Tip() const { return FNotifyIcon.toolTip(); }
    QSystemTrayIcon& TrayItem() { return FNotifyIcon; }

  protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

  private:
    QWidget* FOwner;
    TAvailability FAvailability;
    QSystemTrayIcon FNotifyIcon;
    // A click waits this long for a second one: a menu opened at once would take the double click.
    QTimer FPendingClick;
    bool FActive = false;
    std::string FHint;
    QIcon FIcon;
    bool FSeparateIcon = false;
    bool FShellAvailable = false;
    bool FMinimized = false;
    bool FIconShown = false;

    void AddIcon();
    void RemoveIcon();
    void SetTip(const QString& Text);
    void HandleCallback(QSystemTrayIcon::ActivationReason Reason);
    void HandleRightClick();
    void AppMinimize();
    void AppRestore();
};

}  // namespace tulma
