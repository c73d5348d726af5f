#pragma once

#include <cstdint>
#include <string>

namespace tulma {

enum class TRunReply {
    NoServer,   // no Tulma serves the hotkey socket
    Ran,        // the running Tulma ran the hotkey
    Unknown,    // the running Tulma has no hotkey of that name
    NoAnswer,   // the running Tulma took the request but did not answer in time
    OtherFile,  // the running Tulma has another hotkey file open
};

// Asks the running Tulma to run the hotkey that Name means; waits a bounded time for the answer.
TRunReply SendRunRequest(const std::string& Name);

// Asks the running Tulma to run the hotkey with identifier ID when FileName (a full path) is the hotkey
// file it has open; waits a bounded time for the answer.
TRunReply SendRunIdRequest(std::int32_t ID, const std::string& FileName);

// Asks the running Tulma to show its window when FileName (a full path, or empty for none) is the hotkey
// file it has open; true when it did. False when none runs, it has another file open, or it does not
// answer in time.
bool SendShowRequest(const std::string& FileName);

}  // namespace tulma
