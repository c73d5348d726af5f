#pragma once

#include <string>

namespace tulma {

enum class TRunReply {
    NoServer,  // no Tulma serves the hotkey socket
    Ran,       // the running Tulma ran the hotkey
    Unknown,   // the running Tulma has no hotkey of that name
    NoAnswer,  // the running Tulma took the request but did not answer in time
};

// Asks the running Tulma to run the hotkey that Name means; waits a bounded time for the answer.
TRunReply SendRunRequest(const std::string& Name);

}  // namespace tulma
