#include <gtest/gtest.h>

#include "BackendChoice.h"

namespace tulma {
namespace {

// Session x each backend's verdict -> choice, reason and which backends had to prove themselves.
// A verdict is "" for a backend that serves, else its reason.
struct ChoiceCase {
    const char* Title;
    bool Wayland;
    const char* Forced;
    const char* Portal;
    const char* KWin;
    const char* X11;
    const char* HotKeys;
    const char* Windows;
    const char* Fallback;
    const char* Asked;
};

const ChoiceCase ChoiceCases[] = {
    {"X11 session: X11 without asking the bus", false, "", "", "", "", "x11", "x11", "", "x11"},
    {"KDE Wayland: the portal and KWin's windows", true, "", "", "", "", "portal", "kwin", "", "portal kwin"},
    {"a portal that refuses its session: X11 grabs with the reason", true, "", "refused: response 2",
     "no KWin", "", "x11", "x11", "refused: response 2", "portal x11 kwin"},
    {"Wayland without XWayland: the portal alone", true, "", "", "no KWin", "no X display", "portal", "", "",
     "portal kwin x11"},
    {"nothing serves", true, "", "no portal", "no KWin", "no X display", "", "", "no portal; no X display",
     "portal x11 kwin"},
    {"forced X11 in a Wayland session", true, "x11", "", "", "", "x11", "kwin", "", "x11 kwin"},
    {"forced portal in an X11 session", false, "portal", "", "", "", "portal", "x11", "", "portal x11"},
};

std::vector<TBackendCandidate> Candidates(const ChoiceCase& Case) {
    const auto Verdict = [](const char* Reason) {
        return [Reason] { return TBackendVerdict{Reason[0] == '\0', Reason}; };
    };
    return {
        {"portal", true, false, true, Verdict(Case.Portal)},
        {"kwin", false, true, true, Verdict(Case.KWin)},
        {"x11", true, true, false, Verdict(Case.X11)},
    };
}

std::string AskedOf(const TBackendChoice& Choice) {
    std::string Names;
    for (const TAskedVerdict& Asked : Choice.Verdicts) {
        Names += (Names.empty() ? "" : " ") + Asked.Backend;
    }
    return Names;
}

TEST(BackendChoice, SessionAndVerdictsGiveTheChoiceAndItsReason) {
    for (const ChoiceCase& Case : ChoiceCases) {
        const TBackendChoice Choice = ChooseBackends(
            {.WaylandSession = Case.Wayland, .ForcedHotKeyBackend = Case.Forced}, Candidates(Case));
        EXPECT_EQ(Choice.HotKeyBackend, Case.HotKeys) << Case.Title;
        EXPECT_EQ(Choice.WindowBackend, Case.Windows) << Case.Title;
        EXPECT_EQ(Choice.Fallback, Case.Fallback) << Case.Title;
        EXPECT_EQ(AskedOf(Choice), Case.Asked) << Case.Title;
    }
}

TEST(BackendChoice, AForcedBackendThatFailsOrIsUnknownSaysWhy) {
    const ChoiceCase Refusing{"", true, "portal", "refused: response 2", "", "", "", "", "", ""};
    for (const auto& [Forced, Message] : {std::pair{"portal", "--hotkeys=portal: refused: response 2"},
                                          std::pair{"kwin", "--hotkeys=kwin: no such hotkey backend"}}) {
        try {
            ChooseBackends({.WaylandSession = true, .ForcedHotKeyBackend = Forced}, Candidates(Refusing));
            ADD_FAILURE() << Forced;
        } catch (const EBackendUnavailable& Error) {
            EXPECT_EQ(std::string(Error.what()), Message);
        }
    }
}

TEST(BackendChoice, OnlyTheNeededRolesAreChosenAndAskAllProvesEveryBackend) {
    const ChoiceCase Serving{"", true, "", "", "", "", "", "", "", ""};
    const TBackendChoice Windows =
        ChooseBackends({.WaylandSession = true, .NeedHotKeys = false}, Candidates(Serving));
    EXPECT_EQ(Windows.HotKeyBackend, "");
    EXPECT_EQ(Windows.WindowBackend, "kwin");
    EXPECT_EQ(AskedOf(Windows), "kwin") << "a window listing never opens a portal session";
    const TBackendChoice All = ChooseBackends({.WaylandSession = false, .AskAll = true}, Candidates(Serving));
    EXPECT_EQ(All.HotKeyBackend, "x11");
    EXPECT_EQ(AskedOf(All), "x11 portal kwin");
}

}  // namespace
}  // namespace tulma
