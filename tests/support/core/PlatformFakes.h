#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "DesktopWindows.h"
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

    // The window system refusing a registration after it had taken it.
    void Withdraw(std::uint16_t Id) {
        Registered.erase(Id);
        if (WithdrawalHandler) {
            WithdrawalHandler({Id});
        }
    }
    void SetWithdrawalHandler(TWithdrawalHandler NewHandler) override {
        WithdrawalHandler = std::move(NewHandler);
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
    TWithdrawalHandler WithdrawalHandler;
};

// A desktop whose windows a test sets: Desktop in stacking order, topmost first, with the active window.
// Every activation is recorded; OnActivate says what else it does to the desktop.
class FakeDesktopWindows : public IDesktopWindows {
  public:
    enum class Activation {
        Recorded,  // nothing else: the desktop stays as the test set it
        Focuses,   // the window becomes the active one, in its place (as fluxbox's list keeps it)
        Raises,    // the window becomes the active one and goes to the top, as most window managers do
    };

    TWindowSnapshot Desktop;
    std::vector<TWindowHandle> Restored;
    Activation OnActivate = Activation::Recorded;

    // Windows with a title only, no program names, none active.
    void SetTitles(const std::vector<std::pair<TWindowHandle, std::string>>& Titled) {
        Desktop = {};
        for (const auto& [Handle, Title] : Titled) {
            Desktop.Windows.push_back({.Handle = Handle, .Title = Title, .Instance = {}, .Class = {}});
        }
    }

    std::vector<TWindowHandle> TopLevelWindows() override { return HandlesOf(Desktop); }
    std::string WindowTitle(TWindowHandle Window) override {
        const auto Found = std::ranges::find(Desktop.Windows, Window, &TWindowInfo::Handle);
        return Found == Desktop.Windows.end() ? std::string() : Found->Title;
    }
    TWindowSnapshot Snapshot() override { return Desktop; }
    void RestoreAndActivate(TWindowHandle Window) override {
        Restored.push_back(Window);
        if (OnActivate == Activation::Recorded) {
            return;
        }
        auto& List = Desktop.Windows;
        const auto At = std::ranges::find(List, Window, &TWindowInfo::Handle);
        if (OnActivate == Activation::Raises && At != List.end()) {
            std::rotate(List.begin(), At, At + 1);
        }
        Desktop.Active = Window;
    }
};

// Records every start. Files under MissingUnder (when set) do not exist: they start nothing.
class FakeLauncher : public ILauncher {
  public:
    struct Start {
        std::string File;
        std::string Parameters;
        std::string Directory;
        int ShowCommand = 0;
        bool operator==(const Start&) const = default;
    };
    std::vector<Start> Started;
    std::string MissingUnder;

    TLaunchResult Launch(const std::string& File, const std::string& Parameters, const std::string& Directory,
                         TShowCommand Show) override {
        Started.push_back({File, Parameters, Directory, static_cast<int>(Show)});
        if (!MissingUnder.empty() && File.starts_with(MissingUnder)) {
            return {false, "file not found"};
        }
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

}  // namespace tulma::test

namespace tulma {

// For comparing what FakeLaunchFailures was told.
inline bool operator==(const TLaunchFailure& A, const TLaunchFailure& B) {
    return std::tie(A.HotKey, A.File, A.Reason) == std::tie(B.HotKey, B.File, B.Reason);
}

}  // namespace tulma
