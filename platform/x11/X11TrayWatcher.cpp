#include "X11TrayWatcher.h"

#include <QCoreApplication>

#include <string>

#include "QtX11.h"
#include "XcbAtoms.h"
#include "XcbWindowRequests.h"

namespace tulma {
namespace {

// Adds StructureNotify to what this connection hears of Window, keeping what it (Qt) asked for before.
void HearStructureOf(xcb_connection_t* Connection, xcb_window_t Window) {
    TXcbReply<xcb_get_window_attributes_reply_t> Attributes(
        xcb_get_window_attributes_reply(Connection, xcb_get_window_attributes(Connection, Window), nullptr));
    if (!Attributes) {
        return;
    }
    const std::uint32_t Mask = Attributes->your_event_mask | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(Connection, Window, XCB_CW_EVENT_MASK, &Mask);
}

}  // namespace

TX11TrayWatcher::TX11TrayWatcher(QObject* Parent) : QObject(Parent), Connection(QtX11Connection()) {
    if (Connection == nullptr) {
        return;
    }
    Root = FirstRoot(Connection);
    // A new tray announces itself to the root window with a MANAGER message (freedesktop system tray).
    Selection = InternAtom(Connection, "_NET_SYSTEM_TRAY_S0");
    Manager = InternAtom(Connection, "MANAGER");
    HearStructureOf(Connection, Root);
    FollowOwner();
    QCoreApplication::instance()->installNativeEventFilter(this);
}

TX11TrayWatcher::~TX11TrayWatcher() {
    if (Connection != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

bool TX11TrayWatcher::nativeEventFilter(const QByteArray& EventType, void* Message, qintptr*) {
    const xcb_generic_event_t* Event = XcbEventOf(EventType, Message);
    if (Event == nullptr) {
        return false;
    }
    const std::uint8_t Type = XcbEventKind(*Event);
    if (Type == XCB_CLIENT_MESSAGE) {
        const auto* Client = reinterpret_cast<const xcb_client_message_event_t*>(Event);
        if (Client->window == Root && Client->type == Manager && Client->format == 32 &&
            Client->data.data32[1] == Selection) {
            FollowOwner();
            AnnounceChange();
        }
    } else if (Type == XCB_DESTROY_NOTIFY) {
        const auto* Destroyed = reinterpret_cast<const xcb_destroy_notify_event_t*>(Event);
        if (Owner != XCB_WINDOW_NONE && Destroyed->window == Owner) {
            FollowOwner();
            AnnounceChange();
        }
    }
    // Qt follows the tray too: the events go on to it.
    return false;
}

void TX11TrayWatcher::FollowOwner() {
    TXcbReply<xcb_get_selection_owner_reply_t> Reply(
        xcb_get_selection_owner_reply(Connection, xcb_get_selection_owner(Connection, Selection), nullptr));
    Owner = Reply ? Reply->owner : xcb_window_t{XCB_WINDOW_NONE};
    if (Owner != XCB_WINDOW_NONE) {
        HearStructureOf(Connection, Owner);
    }
    xcb_flush(Connection);
}

void TX11TrayWatcher::AnnounceChange() {
    QMetaObject::invokeMethod(this, &TX11TrayWatcher::TrayHostChanged, Qt::QueuedConnection);
}

}  // namespace tulma
