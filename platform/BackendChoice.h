#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tulma {

// What a backend proved at start: whether it serves this session and, when not, why not, in words for
// the user ("the desktop portal refused global shortcuts: ...").
struct TBackendVerdict {
    bool Works = false;
    std::string Reason;
};

// One way of reaching the desktop. Candidates are listed in the order of preference; a backend that
// serves Wayland sessions natively is asked only in one, the others (X11, through XWayland there) in
// any session. Prove is asked at most once, and only when the choice depends on it.
struct TBackendCandidate {
    // As --hotkeys= names it: "x11", "portal"...
    std::string Name;
    bool HotKeys = false;
    bool Windows = false;
    bool WaylandOnly = false;
    std::function<TBackendVerdict()> Prove;
};

struct TAskedVerdict {
    std::string Backend;
    TBackendVerdict Verdict;
};

struct TBackendChoice {
    // The names of the chosen backends; empty when none serves.
    std::string HotKeyBackend;
    std::string WindowBackend;
    // Why the backends preferred for the hotkeys were passed over; empty when the first choice serves.
    std::string Fallback;
    // Every verdict asked, in the order asked.
    std::vector<TAskedVerdict> Verdicts;
};

// A backend named on the command line that does not serve; the message names it and says why.
class EBackendUnavailable : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct TChoiceRequest {
    bool WaylandSession = false;
    // The hotkey backend named by --hotkeys=, empty to choose.
    std::string ForcedHotKeyBackend = {};
    bool NeedHotKeys = true;
    bool NeedWindows = true;
    // Proves every candidate, even those that the choice does not need (for a report of them all).
    bool AskAll = false;
};

// Chooses this session's hotkey and window backends among Candidates; throws EBackendUnavailable
// when the forced hotkey backend is unknown or does not serve.
TBackendChoice ChooseBackends(const TChoiceRequest& Request,
                              const std::vector<TBackendCandidate>& Candidates);

}  // namespace tulma
