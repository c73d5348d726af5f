#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <xcb/xcb.h>

namespace tulma {

// Notices the notification area (tray) of the first screen coming, going and being replaced: the owner
// of the selection _NET_SYSTEM_TRAY_S<screen>. A tray host often starts after the programs of a login,
// and may restart. Needs a QGuiApplication on the xcb platform; on another platform it never signals.
class TX11TrayWatcher : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
  public:
    explicit TX11TrayWatcher(QObject* Parent = nullptr);
    ~TX11TrayWatcher() override;

    bool nativeEventFilter(const QByteArray& EventType, void* Message, qintptr* Result) override;

  signals:
    // The tray's owner changed. Queued, so that Qt has seen the same event by the time it arrives.
    void TrayHostChanged();

  private:
    xcb_connection_t* Connection;
    xcb_window_t Root = XCB_WINDOW_NONE;
    xcb_atom_t Selection = XCB_ATOM_NONE;
    xcb_atom_t Manager = XCB_ATOM_NONE;
    xcb_window_t Owner = XCB_WINDOW_NONE;

    // Reads the selection's owner and asks to hear of its window's end.
    void FollowOwner();
    void AnnounceChange();
};

}  // namespace tulma
