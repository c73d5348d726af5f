#pragma once

#include <string>

namespace tulma {

// A command of a hotkey that started nothing.
struct TLaunchFailure {
    std::string HotKey;  // the hotkey's name
    std::string File;    // the command's file, as the user wrote it
    std::string Reason;  // from TLaunchResult
};

// Where a hotkey run tells the user that one of its commands could not start its program.
class ILaunchFailureReport {
  public:
    ILaunchFailureReport() = default;
    ILaunchFailureReport(const ILaunchFailureReport&) = delete;
    ILaunchFailureReport& operator=(const ILaunchFailureReport&) = delete;
    virtual ~ILaunchFailureReport() = default;

    virtual void CommandFailed(const TLaunchFailure& Failure) = 0;
};

}  // namespace tulma
