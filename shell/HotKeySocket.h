#pragma once

#include <QString>

namespace tulma {

// The local socket on which a running Tulma takes "tulma --run NAME" requests. There is one per user
// and X display: it lies in $XDG_RUNTIME_DIR (else in the temporary folder, under the user's number)
// and its name carries the display.
QString HotKeySocketName();

// A request is the hotkey's name and a line end; the reply is one of the lines below.
inline constexpr char RanReply[] = "ran\n";
inline constexpr char UnknownReply[] = "unknown\n";
// A request that starts with a NUL byte is no hotkey's name (a command-line argument cannot hold one):
// ShowRequest and a hotkey file's path (empty for none) ask the running Tulma to show its window when
// that file is the one it has open; it replies with one of the lines below.
inline constexpr char ShowRequest[] = "\0show ";
inline constexpr qsizetype ShowRequestLength = sizeof(ShowRequest) - 1;
inline constexpr char ShownReply[] = "shown\n";
inline constexpr char OtherFileReply[] = "other file\n";
// Longer requests are refused without an answer.
inline constexpr qint64 MaxRequestLength = 4096;

}  // namespace tulma
