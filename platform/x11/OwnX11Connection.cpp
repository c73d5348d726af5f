#include "OwnX11Connection.h"

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>

#include <cstdlib>

#include "PlatformLog.h"

namespace tulma {

TOwnX11Connection::TOwnX11Connection() {
    if (Connection.Failed()) {
        return;
    }
    Readable =
        std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(Connection.Get()), QSocketNotifier::Read);
    connect(Readable.get(), &QSocketNotifier::activated, this, [this] { Dispatch(true); });
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            [this] { Dispatch(false); });
}

TOwnX11Connection::~TOwnX11Connection() = default;

void TOwnX11Connection::Dispatch(bool ReadSocket) {
    xcb_connection_t* X = Connection.Get();
    QAbstractEventDispatcher* Dispatcher = QAbstractEventDispatcher::instance();
    while (xcb_generic_event_t* Event = ReadSocket ? xcb_poll_for_event(X) : xcb_poll_for_queued_event(X)) {
        qintptr Result = 0;
        if (Dispatcher != nullptr) {
            Dispatcher->filterNativeEvent("xcb_generic_event_t", Event, &Result);
        }
        std::free(Event);
    }
    xcb_flush(X);
    // A display that went away (XWayland ended) leaves its socket readable for good.
    if (xcb_connection_has_error(X) != 0 && Readable->isEnabled()) {
        Readable->setEnabled(false);
        qCWarning(PlatformLog)
            << "the X display went away: X11 windows and grabs are out of reach from now on";
    }
}

}  // namespace tulma
