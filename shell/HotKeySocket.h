#pragma once

#include <QString>

#include "HotKeySocketProtocol.h"

namespace tulma {

// The hotkey socket: the Unix socket on which a running Tulma takes "tulma --run NAME" requests. There is one
// per user and X display: it lies in $XDG_RUNTIME_DIR (else in the temporary folder, under the user's number)
// and its name carries the display.
QString HotKeySocketName();

}  // namespace tulma
