#pragma once

#include <cstdint>
#include <string>

#include "Launcher.h"
#include "ListEntry.h"

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

    // Brings back the first window whose title contains LookForWindow, or else starts Exec with its
    // environment references expanded. The result says why nothing started, when nothing did.
    TLaunchResult ExecuteCommand(IDesktopWindows& Windows, ILauncher& Launcher) const;

    void Store(TObjectStream& Stream) const override;
    void CopyTo(TStreamableObject& Dest) const override;
    int32_t GetRegistrationCode() const override { return ClassCode; }
    void VisitFields(TFieldVisitor& Visitor) override;
};

}  // namespace tulma
