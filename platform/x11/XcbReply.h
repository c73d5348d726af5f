#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

#include <xcb/xcb.h>

namespace tulma {

struct TFreeDeleter {
    void operator()(void* Pointer) const { std::free(Pointer); }
};

// xcb hands out replies and errors allocated with malloc.
template <class T>
using TXcbReply = std::unique_ptr<T, TFreeDeleter>;

// A request whose reply is collected later, so that other work overlaps the round trip. A reply never
// collected is discarded, not left queued.
template <class Reply, class Cookie>
class TDeferredReply {
  public:
    using TCollector = Reply* (*)(xcb_connection_t*, Cookie, xcb_generic_error_t**);

    TDeferredReply(xcb_connection_t* Connection, Cookie Sent, TCollector Collect)
        : Connection(Connection), Sent(Sent), Collect(Collect) {}
    ~TDeferredReply() {
        if (Pending) {
            xcb_discard_reply(Connection, Sent.sequence);
        }
    }
    TDeferredReply(TDeferredReply&& Other) noexcept
        : Connection(Other.Connection), Sent(Other.Sent), Collect(Other.Collect), Pending(Other.Pending) {
        Other.Pending = false;
    }
    TDeferredReply& operator=(TDeferredReply&&) = delete;

    // Waits for the reply; null when the request failed. Only once.
    TXcbReply<Reply> Take() {
        Pending = false;
        xcb_generic_error_t* Error = nullptr;
        TXcbReply<Reply> Answer(Collect(Connection, Sent, &Error));
        std::free(Error);
        return Answer;
    }

  private:
    xcb_connection_t* Connection;
    Cookie Sent;
    TCollector Collect;
    bool Pending = true;
};

using TDeferredProperty = TDeferredReply<xcb_get_property_reply_t, xcb_get_property_cookie_t>;

}  // namespace tulma
