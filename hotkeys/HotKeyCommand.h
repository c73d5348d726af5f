#pragma once

#include <cstdint>
#include <string>

#include "Launcher.h"
#include "ListEntry.h"
#include "WindowCycle.h"

namespace tulma {

class IDesktopWindows;

// One command of a hotkey: what to start and how, or which window to bring back instead.
class THotKeyCommand : public TSimpleListEntry {
  public:
    static constexpr int32_t ClassCode = 201;
    static constexpr const char* ClassName = "THotKeyCommand";

    THotKeyCommand() = default;
    explicit THotKeyCommand(TObjectStream& Stream);

    std::string Exec;
    std::string Parameters;
    std::string Directory;
    std::string LookForWindow;
    int32_t ExecMode = 0;

    // Brings back a window that LookForWindow matches, the next one of its cycle when there are several,
    // or else starts Exec with its environment references expanded. The result says why nothing
    // started, when nothing did.
    TLaunchResult ExecuteCommand(IDesktopWindows& Windows, ILauncher& Launcher) const;

    void Store(TObjectStream& Stream) const override;
    void CopyTo(TStreamableObject& Dest) const override;
    int32_t GetRegistrationCode() const override { return ClassCode; }
    void VisitFields(TFieldVisitor& Visitor) override;

  private:
    // The windows visited by this command's presses; never stored or copied.
    mutable TWindowCycle FWindowCycle;
};

}  // namespace tulma
