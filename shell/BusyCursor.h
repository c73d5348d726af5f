#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace tulma {

// The busy cursor for as long as the object lives, so that a failure on the way gives the normal
// cursor back.
class TBusyCursor {
  public:
    TBusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

}  // namespace tulma
