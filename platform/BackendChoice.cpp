#include "BackendChoice.h"

#include <optional>

namespace tulma {
namespace {

// Each candidate's verdict, asked once and recorded in the order asked.
class TProofs {
  public:
    TProofs(const std::vector<TBackendCandidate>& Candidates, std::vector<TAskedVerdict>& Record)
        : Candidates(Candidates), Asked(Candidates.size()), Record(Record) {}

    const TBackendVerdict& Of(std::size_t Index) {
        if (!Asked[Index]) {
            Asked[Index] = Candidates[Index].Prove();
            Record.push_back({Candidates[Index].Name, *Asked[Index]});
        }
        return *Asked[Index];
    }

  private:
    const std::vector<TBackendCandidate>& Candidates;
    std::vector<std::optional<TBackendVerdict>> Asked;
    std::vector<TAskedVerdict>& Record;
};

std::string ForcedHotKeyBackend(const TChoiceRequest& Request,
                                const std::vector<TBackendCandidate>& Candidates, TProofs& Proofs) {
    const std::string Option = "--hotkeys=" + Request.ForcedHotKeyBackend;
    for (std::size_t I = 0; I < Candidates.size(); ++I) {
        if (Candidates[I].HotKeys && Candidates[I].Name == Request.ForcedHotKeyBackend) {
            const TBackendVerdict& Verdict = Proofs.Of(I);
            if (!Verdict.Works) {
                throw EBackendUnavailable(Option + ": " + Verdict.Reason);
            }
            return Candidates[I].Name;
        }
    }
    throw EBackendUnavailable(Option + ": no such hotkey backend");
}

}  // namespace

TBackendChoice ChooseBackends(const TChoiceRequest& Request,
                              const std::vector<TBackendCandidate>& Candidates) {
    TBackendChoice Choice;
    TProofs Proofs(Candidates, Choice.Verdicts);
    const auto Considered = [&](const TBackendCandidate& Candidate) {
        return Request.WaylandSession || !Candidate.WaylandOnly;
    };
    if (Request.NeedHotKeys && !Request.ForcedHotKeyBackend.empty()) {
        Choice.HotKeyBackend = ForcedHotKeyBackend(Request, Candidates, Proofs);
    } else if (Request.NeedHotKeys) {
        for (std::size_t I = 0; I < Candidates.size() && Choice.HotKeyBackend.empty(); ++I) {
            if (!Candidates[I].HotKeys || !Considered(Candidates[I])) {
                continue;
            }
            if (const TBackendVerdict& Verdict = Proofs.Of(I); Verdict.Works) {
                Choice.HotKeyBackend = Candidates[I].Name;
            } else {
                Choice.Fallback += (Choice.Fallback.empty() ? "" : "; ") + Verdict.Reason;
            }
        }
    }
    for (std::size_t I = 0; Request.NeedWindows && I < Candidates.size() && Choice.WindowBackend.empty();
         ++I) {
        if (Candidates[I].Windows && Considered(Candidates[I]) && Proofs.Of(I).Works) {
            Choice.WindowBackend = Candidates[I].Name;
        }
    }
    for (std::size_t I = 0; Request.AskAll && I < Candidates.size(); ++I) {
        Proofs.Of(I);
    }
    return Choice;
}

}  // namespace tulma
