#include "SideBySideReporter.h"

#include <cstdio>
#include <set>

namespace tulma::bench {

namespace {

constexpr const char* Ours = "tulma";
// A reference, not a contender: what the least possible work takes on this machine.
constexpr const char* Floor = "floor";

struct TTarget {
    double Median;
    double Tail;
};

// The share of the other contender's time that Tulma may take at the median and at the 99th percentile,
// by family; elsewhere Tulma must merely be at least as fast. On GNOME both go through the same daemon,
// and Tulma's path adds a process and a socket round trip to the peer's; on KDE both are actions of the
// same shortcut service, and Tulma's hotkey runs its command through its own machinery.
TTarget TargetRatio(const std::string& Family) {
    static const std::map<std::string, TTarget> Targets = {{"PressToLaunch", {0.5, 0.6}},
                                                           {"PressToLaunch1000", {0.5, 0.6}},
                                                           {"PressToLaunch-OtherWindowFocused", {0.5, 0.6}},
                                                           {"PressToLaunch-OwnWindowFocused", {0.5, 0.6}},
                                                           {"ActivateDeepWindow-500windows", {0.2, 0.2}},
                                                           {"ActivateDeepWindow-50windows", {0.35, 0.35}},
                                                           {"GnomePressToLaunch", {1.5, 2.0}},
                                                           {"KdePressToLaunch", {1.5, 2.0}}};
    const auto Found = Targets.find(Family);
    return Found == Targets.end() ? TTarget{1.0, 1.0} : Found->second;
}
const char* const Columns[] = {"median", "p90", "p99", "max"};

std::string Family(const std::string& Name) {
    return Name.substr(0, Name.find('/'));
}

std::string Contender(const std::string& Name) {
    const auto Slash = Name.find('/');
    return Slash == std::string::npos ? std::string() : Name.substr(Slash + 1);
}

std::string Row(const std::string& Name, const std::map<std::string, double>& Values,
                const std::string& Unit) {
    std::string Line;
    char Cell[64];
    std::snprintf(Cell, sizeof Cell, "  %-34s", Name.c_str());
    Line += Cell;
    for (const char* Column : Columns) {
        const auto Found = Values.find(Column);
        std::snprintf(Cell, sizeof Cell, " %10.1f", Found != Values.end() ? Found->second : 0.0);
        Line += Cell;
    }
    return Line + " " + Unit + "\n";
}

}  // namespace

void TSideBySideReporter::ReportRuns(const std::vector<Run>& Runs) {
    ConsoleReporter::ReportRuns(Runs);
    for (const Run& Each : Runs) {
        if (Each.run_type == Run::RT_Aggregate && !Each.error_occurred) {
            const std::string& Name = Each.run_name.function_name;
            Figures[Name][Each.aggregate_name] = Each.GetAdjustedRealTime();
            Units[Name] = benchmark::GetTimeUnitString(Each.time_unit);
        }
    }
}

bool TSideBySideReporter::PrintSummary(std::ostream& Out) const {
    bool AllInFavour = true;
    char Header[128];
    std::snprintf(Header, sizeof Header, "  %-34s %10s %10s %10s %10s\n", "", "median", "p90", "p99", "max");
    std::set<std::string> Families;
    for (const auto& [Name, Values] : Figures) {
        Families.insert(Family(Name));
    }
    for (const std::string& Name : Families) {
        Out << "\n" << Name << "\n" << Header;
        for (const auto& [Bench, Values] : Figures) {
            if (Family(Bench) == Name) {
                Out << Row(Bench, Values, Units.at(Bench));
            }
        }
        const auto Tulma = Figures.find(Name + "/" + Ours);
        if (Tulma == Figures.end()) {
            continue;
        }
        const auto Reference = Figures.find(Name + "/" + Floor);
        for (const auto& [Bench, Values] : Figures) {
            if (Family(Bench) != Name || Bench == Tulma->first || Contender(Bench) == Floor) {
                continue;
            }
            if (Reference != Figures.end()) {
                char Line[160];
                std::snprintf(Line, sizeof Line, "  floor: median %.2fx, p99 %.2fx of %s's time\n",
                              Reference->second.at("median") / Values.at("median"),
                              Reference->second.at("p99") / Values.at("p99"), Contender(Bench).c_str());
                Out << Line;
            }
            const double MedianRatio = Tulma->second.at("median") / Values.at("median");
            const double TailRatio = Tulma->second.at("p99") / Values.at("p99");
            const TTarget Target = TargetRatio(Name);
            const bool Met = MedianRatio <= Target.Median && TailRatio <= Target.Tail;
            AllInFavour = AllInFavour && Met;
            char Verdict[192];
            std::snprintf(
                Verdict, sizeof Verdict,
                "  verdict vs %s: median %.2fx, p99 %.2fx of its time (target <= %.2fx, <= %.2fx): %s\n",
                Contender(Bench).c_str(), MedianRatio, TailRatio, Target.Median, Target.Tail,
                Met ? "met" : "NOT met");
            Out << Verdict;
        }
    }
    return AllInFavour;
}

}  // namespace tulma::bench
