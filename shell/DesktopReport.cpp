#include "DesktopReport.h"

#include "DesktopApplication.h"
#include "DesktopBackends.h"
#include "DisplaySession.h"
#include "ProgramOptions.h"

namespace tulma {

int PrintDesktopReport(const TProgramOptions& Options, int& Argc, char** Argv, std::ostream& Out) {
    const auto Application = DesktopApplication(Argc, Argv);
    const TSessionFacts Session = DescribeSession();
    Out << "session: " << Session.Type << ", desktop " << Session.Desktop << ", compositor "
        << Session.Compositor << '\n';
    const TBackendChoice Choice = ChooseDesktopBackends(
        {.ForcedHotKeyBackend = HotKeyBackendName(Options.HotKeyBackend), .AskAll = true});
    for (const TAskedVerdict& Asked : Choice.Verdicts) {
        Out << Asked.Backend << ": " << (Asked.Verdict.Works ? "serves" : "does not serve") << " ("
            << Asked.Verdict.Reason << ")\n";
    }
    Out << "hotkeys: " << (Choice.HotKeyBackend.empty() ? "none" : Choice.HotKeyBackend);
    if (!Choice.Fallback.empty()) {
        Out << " (" << Choice.Fallback << ")";
    }
    Out << "\nwindows: " << (Choice.WindowBackend.empty() ? "none" : Choice.WindowBackend) << '\n';
    return 0;
}

}  // namespace tulma
