#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>

// The lines that the running Tulma takes on its hotkey socket, free of Qt so that the light press
// command (tulma-press) can speak them too.
namespace tulma {

// A request is the hotkey's name and a line end; the reply is one of the lines below.
inline constexpr char RanReply[] = "ran\n";
inline constexpr char UnknownReply[] = "unknown\n";
// A request that starts with a NUL byte is no hotkey's name (a command-line argument cannot hold one):
// ShowRequest and a hotkey file's path (empty for none) ask the running Tulma to show its window when
// that file is the one it has open; it replies with one of the lines below.
inline constexpr char ShowRequest[] = "\0show ";
inline constexpr std::ptrdiff_t ShowRequestLength = sizeof(ShowRequest) - 1;
inline constexpr char ShownReply[] = "shown\n";
inline constexpr char OtherFileReply[] = "other file\n";
// RunIdRequest, a hotkey's identifier in decimal, a space and the hotkey file's path (empty for none)
// runs the hotkey with that identifier when that file is the one open: names may repeat, identifiers
// do not. The reply is RanReply, UnknownReply or OtherFileReply.
inline constexpr char RunIdRequest[] = "\0run ";
inline constexpr std::ptrdiff_t RunIdRequestLength = sizeof(RunIdRequest) - 1;
// How long a request waits for the answer: the running Tulma answers from its event loop, which a busy
// moment may hold up for a while.
inline constexpr int AnswerMs = 10000;
// Longer requests are refused without an answer.
inline constexpr std::ptrdiff_t MaxRequestLength = 4096;

// The request line that runs hotkey ID of FileName; none when the path cannot go in one line.
std::optional<std::string> RunIdRequestLine(std::int32_t ID, const std::string& FileName);

struct TRunIdRequest {
    std::int32_t ID = 0;
    std::string FileName;
};

// The identifier and file of a RunIdRequest line without its line end; none when Request is no such
// request or its identifier is no number.
std::optional<TRunIdRequest> ParseRunIdRequest(const std::string& Request);

}  // namespace tulma
