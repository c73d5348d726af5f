#include "OwnX11Connection.h"

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>

#include <cstdlib>

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
}

}  // namespace tulma
