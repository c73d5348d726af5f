#pragma once

#include <string>

namespace tulma {

// A command of a hotkey that started nothing.
struct LaunchFailure {
    std::string HotKey;  // the hotkey's name
    std::string File;    // the command's file, as the user wrote it
    std::string Reason;  // from LaunchResult
};

// Where a hotkey run tells the user that one of its commands could not start its program.
class LaunchFailureReport {
  public:
    LaunchFailureReport() = default;
    LaunchFailureReport(const LaunchFailureReport&) = delete;
    LaunchFailureReport& operator=(const LaunchFailureReport&) = delete;
    virtual ~LaunchFailureReport() = default;

    virtual void CommandFailed(const LaunchFailure& Failure) = 0;
};

}  // namespace tulma
