#pragma once

#include <cstdint>
#include <string>

#include "IDList.h"
#include "ListEntry.h"

namespace tulma {

class IDesktopWindows;
class ILaunchFailureReport;
class ILauncher;

// One hotkey: a name, a key combination and its commands, run in order.
class THotTulma : public TSimpleListEntry {
  public:
    static constexpr int32_t ClassCode = 155;
    static constexpr const char* ClassName = "THotTulma";

    THotTulma() = default;
    explicit THotTulma(TObjectStream& Stream);

    // Virtual-key code in bits 0-7, Shift 0x2000, Ctrl 0x4000, Alt 0x8000; 0 for no key.
    uint16_t HotKey = 0;
    // The hotkey's registration with the window system while it is registered; never stored.
    uint16_t Atom = 0;

    TIDList& Commands() { return FCommands; }
    const TIDList& Commands() const { return FCommands; }

    // Runs every command in list order, whatever the previous one did. A command that starts nothing
    // is told to Failures, under this hotkey's name.
    void ExecuteHotKey(IDesktopWindows& Windows, ILauncher& Launcher, ILaunchFailureReport& Failures) const;

    // "Name (key)", for every kind.
    std::string GetDescription(int32_t Kind) const override;
    void Store(TObjectStream& Stream) const override;
    // Copies everything but Atom, so an edited copy written back keeps the registration.
    void CopyTo(TStreamableObject& Dest) const override;
    int32_t GetRegistrationCode() const override { return ClassCode; }
    void VisitFields(TFieldVisitor& Visitor) override;

  private:
    TIDList FCommands;
};

}  // namespace tulma
