#pragma once

#include <sys/socket.h>
#include <sys/un.h>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "FileDescriptor.h"

namespace tulma {

// The address of a Unix socket file; none when the path does not fit.
std::optional<sockaddr_un> AddressOf(const std::string& Path);
// A connected socket to the Unix socket Path; none when nobody answers. Plain sockets, so that the
// program loads no network library.
TFileDescriptor ConnectTo(const std::string& Path);
// Sends every byte; false when the peer is gone.
bool SendAll(int Fd, std::string_view Bytes);
// Bytes that arrive on Fd before Deadline: some bytes; empty when the peer closed or failed; nothing when
// none came in time.
std::optional<std::string> ReceiveSome(int Fd, std::chrono::steady_clock::time_point Deadline);

// Whether a process serves the Unix socket at Path.
bool SomeoneServes(const std::string& Path);

// Sends Request (a line with its end) to the server at Path and returns its reply line, with its end:
// none when nobody serves Path, empty when no whole line came within AnswerMs.
std::optional<std::string> AskLocalLine(const std::string& Path, const std::string& Request, int AnswerMs);

}  // namespace tulma
