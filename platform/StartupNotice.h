#pragma once

#include <string>

namespace tulma {

// The application a start announces.
struct TStartupInfo {
    std::string Name;
    std::string Icon;
    std::string Program;
    std::string WindowClass;
    std::string ApplicationId;
};

// Tells the desktop that an application is being started (startup notification), so that it shows the
// start and lets the new window take the focus that the hotkey press gave.
class IStartupNotice {
  public:
    IStartupNotice() = default;
    IStartupNotice(const IStartupNotice&) = delete;
    IStartupNotice& operator=(const IStartupNotice&) = delete;
    virtual ~IStartupNotice() = default;

    // Announces a start and returns its startup id, which the application is handed; empty for none.
    virtual std::string Begin(const TStartupInfo& Info) = 0;
    // The start with this id failed: the desktop stops waiting for it.
    virtual void Cancel(const std::string& Id) = 0;
};

}  // namespace tulma
