#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "DesktopWindows.h"
#include "FileDialogs.h"
#include "HotKeyRegistry.h"
#include "LaunchFailureReport.h"
#include "Launcher.h"

namespace tulma::test {

// Registrations kept in memory; a combination in Taken belongs to "another program", which the window
// system names when TakenBecause has a reason for it.
class FakeHotKeyRegistry : public IHotKeyRegistry {
  public:
    struct Combination {
        unsigned Modifiers = 0;
        std::uint8_t VirtualKey = 0;
        auto operator<=>(const Combination&) const = default;  // NOLINT(readability-identifier-naming)
    };

    std::map<std::uint16_t, Combination> Registered;
    std::set<Combination> Taken;
    std::map<Combination, std::string> TakenBecause;
    int Attempts = 0;
    // The desktop's own choice of combination for a registration, as a desktop that decides reports it.
    std::map<std::uint16_t, std::string> Assigned;

    bool RegisterHotKey(std::uint16_t Id, unsigned Modifiers, std::uint8_t VirtualKey) override {
        ++Attempts;
        const Combination Wanted{Modifiers, VirtualKey};
        Refusals.erase(Id);
        if (Taken.contains(Wanted) && TakenBecause.contains(Wanted)) {
            Refusals[Id] = TakenBecause[Wanted];
        }
        if (VirtualKey == 0 || Registered.contains(Id) || Taken.contains(Wanted)) {
            return false;
        }
        for (const auto& [Other, Held] : Registered) {
            if (Held == Wanted) {
                return false;
            }
        }
        Registered[Id] = Wanted;
        return true;
    }
    void UnregisterHotKey(std::uint16_t Id) override { Registered.erase(Id); }
    void SetPressHandler(TPressHandler NewHandler) override { Handler = std::move(NewHandler); }
    std::optional<std::string> AssignedCombination(std::uint16_t Id) const override {
        const auto Found = Assigned.find(Id);
        return Found == Assigned.end() ? std::nullopt : std::optional(Found->second);
    }
    std::string RefusalReason(std::uint16_t Id) const override {
        const auto Found = Refusals.find(Id);
        return Found == Refusals.end() ? std::string() : Found->second;
    }
    void SetAssignmentHandler(std::function<void()> NewHandler) override {
        AssignmentHandler = std::move(NewHandler);
    }

    // The desktop deciding anew: nothing for the combination asked for.
    void Assign(std::uint16_t Id, std::optional<std::string> Combination) {
        if (Combination) {
            Assigned[Id] = *Combination;
        } else {
            Assigned.erase(Id);
        }
        if (AssignmentHandler) {
            AssignmentHandler();
        }
    }

    // The window system reporting a press of the combination, when it is registered.
    void Press(unsigned Modifiers, std::uint8_t VirtualKey) {
        for (const auto& [Id, Held] : Registered) {
            if (Held == Combination{Modifiers, VirtualKey} && Handler) {
                Handler(Id);
            }
        }
    }

  private:
    TPressHandler Handler;
    std::map<std::uint16_t, std::string> Refusals;
    std::function<void()> AssignmentHandler;
};

class FakeDesktopWindows : public IDesktopWindows {
  public:
    std::vector<std::pair<TWindowHandle, std::string>> Windows;
    std::vector<TWindowHandle> Restored;

    std::vector<TWindowHandle> TopLevelWindows() override {
        std::vector<TWindowHandle> Result;
        for (const auto& Window : Windows) {
            Result.push_back(Window.first);
        }
        return Result;
    }
    std::string WindowTitle(TWindowHandle Window) override {
        for (const auto& [Handle, Title] : Windows) {
            if (Handle == Window) {
                return Title;
            }
        }
        return {};
    }
    void RestoreAndActivate(TWindowHandle Window) override { Restored.push_back(Window); }
};

class FakeLauncher : public ILauncher {
  public:
    struct Start {
        std::string File;
        std::string Parameters;
        std::string Directory;
        int ShowCommand = 0;
    };
    std::vector<Start> Started;

    TLaunchResult Launch(const std::string& File, const std::string& Parameters, const std::string& Directory,
                         TShowCommand Show) override {
        Started.push_back({File, Parameters, Directory, static_cast<int>(Show)});
        return {true, {}};
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> Result;
        for (const auto& Item : Started) {
            Result.push_back(Item.File);
        }
        return Result;
    }
};

class FakeLaunchFailures : public ILaunchFailureReport {
  public:
    std::vector<TLaunchFailure> Told;
    void CommandFailed(const TLaunchFailure& Failure) override { Told.push_back(Failure); }
};

// Answers each dialog with the name queued for it, or cancels when none is queued.
class FakeFileDialogs : public IFileDialogs {
  public:
    std::optional<std::string> NextOpen;
    std::optional<std::string> NextSave;
    std::vector<std::string> Presets;

    std::optional<std::string> OpenFileName(QWidget*, const std::string& Preset) override {
        Presets.push_back(Preset);
        return std::exchange(NextOpen, std::nullopt);
    }
    std::optional<std::string> SaveFileName(QWidget*, const std::string& Preset) override {
        Presets.push_back(Preset);
        return std::exchange(NextSave, std::nullopt);
    }
};

}  // namespace tulma::test
