// Long runs of the real tulma program: many presses, many edits of a combination, many reloads of a
// large file. Afterwards every press must still launch, and the program must hold no more descriptors,
// grabs, memory or unreaped children than a small bound above what it held before.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <xcb/xcb.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "HeldCombinations.h"
#include "ProcessFigures.h"
#include "ShellTestSupport.h"
#include "TulmaProgramFixture.h"
#include "VirtualKeys.h"

using namespace std::chrono_literals;

namespace tulma::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int Shift = 0x2000, Ctrl = 0x4000, Alt = 0x8000;
constexpr auto CtrlAltK = static_cast<std::uint16_t>(Ctrl | Alt | 'K');
constexpr auto CtrlAltL = static_cast<std::uint16_t>(Ctrl | Alt | 'L');
constexpr auto CtrlAltJ = static_cast<std::uint16_t>(Ctrl | Alt | 'J');
constexpr std::uint32_t KeyE = 'e';
constexpr std::uint32_t KeyK = 'k';

// Resident memory may move by allocator noise; a leak of a few hundred bytes per step over thousands of
// steps goes beyond this.
constexpr long ResidentSlackKb = 2048;
constexpr int OpenFilesSlack = 2;

// Every Ctrl+Alt combination of a letter or digit: the neighbourhood in which a lost or doubled grab of
// the soak's own combinations would show.
std::vector<std::uint16_t> CtrlAltCombinations() {
    std::vector<std::uint16_t> HotKeys;
    for (std::uint16_t Key = 'A'; Key <= 'Z'; ++Key) {
        HotKeys.push_back(static_cast<std::uint16_t>(Ctrl | Alt | Key));
    }
    for (std::uint16_t Key = '0'; Key <= '9'; ++Key) {
        HotKeys.push_back(static_cast<std::uint16_t>(Ctrl | Alt | Key));
    }
    return HotKeys;
}

// Each modifier set (none included) with each key that the test display's keyboard has among letters,
// digits, function keys, keypad digits and the navigation and editing keys; the three marker
// combinations left out.
std::vector<std::uint16_t> ManyCombinations(const FakeKeyboard& Keyboard) {
    std::vector<std::uint8_t> Keys;
    auto AddRange = [&](std::uint8_t First, std::uint8_t Last) {
        for (unsigned Key = First; Key <= Last; ++Key) {
            if (Keyboard.Keycode(KeysymFromVirtualKey(static_cast<std::uint8_t>(Key))) != 0) {
                Keys.push_back(static_cast<std::uint8_t>(Key));
            }
        }
    };
    AddRange('A', 'Z');
    AddRange('0', '9');
    AddRange(Vk::F1, Vk::F24);
    AddRange(Vk::Numpad0, Vk::Numpad0 + 9);
    AddRange(0x21, 0x28);  // Page Up to Down
    AddRange(Vk::Insert, Vk::Delete);
    std::vector<std::uint16_t> HotKeys;
    for (const int Modifiers :
         {0, Shift, Ctrl, Alt, Shift | Ctrl, Shift | Alt, Ctrl | Alt, Shift | Ctrl | Alt}) {
        for (const std::uint8_t Key : Keys) {
            const auto HotKey = static_cast<std::uint16_t>(Modifiers | Key);
            if (HotKey != CtrlAltK && HotKey != CtrlAltL && HotKey != CtrlAltJ) {
                HotKeys.push_back(HotKey);
            }
        }
    }
    return HotKeys;
}

std::set<std::uint16_t> Without(const std::set<std::uint16_t>& All, const std::set<std::uint16_t>& Others) {
    std::set<std::uint16_t> Result;
    for (const std::uint16_t HotKey : All) {
        if (Others.count(HotKey) == 0) {
            Result.insert(HotKey);
        }
    }
    return Result;
}

double SecondsSince(Clock::time_point Start) {
    return std::chrono::duration<double>(Clock::now() - Start).count();
}

class TulmaSoakTest : public TulmaProgramFixture {
  protected:
    // A command that adds Line and a line break to the marker.
    std::string AppendToMarker(const std::string& Line) {
        return "-c \"echo " + Line + " >> " + Marker() + "\"";
    }

    // The marker's size: every run of the soak's probe command adds two bytes.
    std::uintmax_t MarkerBytes() const {
        std::error_code Error;
        const std::uintmax_t Size = fs::file_size(Marker(), Error);
        return Error ? 0 : Size;
    }

    // Figures of the idle program: started children have had time to end and be reaped.
    ProcessFigures SettledFigures(pid_t Tulma) {
        Pause(1500);
        return FiguresOf(Tulma);
    }

    void Report(const std::string& Soak, const ProcessFigures& Before, const ProcessFigures& After,
                std::size_t GrabsBefore, std::size_t GrabsAfter, double Seconds) {
        const std::string Line = Compare(Before, After) + ", grabs " + std::to_string(GrabsBefore) + " -> " +
                                 std::to_string(GrabsAfter) + ", elapsed " + std::to_string(Seconds) + " s";
        RecordProperty("figures", Line);
        std::cout << "[soak] " << Soak << ": " << Line << std::endl;
    }

    void ExpectBounded(const ProcessFigures& Before, const ProcessFigures& After) {
        EXPECT_LE(After.OpenFiles, Before.OpenFiles + OpenFilesSlack);
        EXPECT_LE(After.ResidentKb, Before.ResidentKb + ResidentSlackKb);
        EXPECT_LE(After.Threads, Before.Threads);
        EXPECT_EQ(After.Zombies, 0);
    }
};

TEST_F(TulmaSoakTest, TenThousandPressesEachLaunchTheirCommand) {
    constexpr int Presses = 10000;
    const std::string FileName = (Dir / "keys.tul").string();
    WriteHotKeyFile(FileName, {{"Probe", CtrlAltK, "/bin/sh", AppendToMarker("x")}});
    const pid_t Tulma = StartTulma(FileName);
    ASSERT_NE(MainWindow(Tulma), XCB_WINDOW_NONE);
    ASSERT_TRUE(PressUntilRun(ChordOf(CtrlAltK)));
    const auto Held = [&] {
        return HeldCombinations(Display.Connection(), *Keyboard, CtrlAltCombinations());
    };
    const std::set<std::uint16_t> GrabsBefore = Held();
    ASSERT_EQ(GrabsBefore.count(CtrlAltK), 1u);
    const ProcessFigures Before = SettledFigures(Tulma);

    const auto Start = Clock::now();
    std::uintmax_t Expected = MarkerBytes();
    int Lost = 0;
    for (int Press = 0; Press < Presses; ++Press) {
        Expected += 2;
        TulmaProgramFixture::Press(ChordOf(CtrlAltK));
        // A press in the millisecond of the last release, after the key was down for a while (this
        // process held up between the two), looks like auto-repeat and is rightly ignored.
        Pause(3);
        if (!WaitUntil([&] { return MarkerBytes() >= Expected; }, 10s, 1ms)) {
            ADD_FAILURE() << "press " << Press << " launched nothing within 10 s; the program "
                          << (kill(Tulma, 0) == 0 ? "runs" : "has gone");
            Expected = MarkerBytes();
            if (++Lost == 10) {
                break;
            }
        }
    }
    const double Seconds = SecondsSince(Start);

    const ProcessFigures After = SettledFigures(Tulma);
    EXPECT_EQ(MarkerBytes(), Expected) << "a press launched more than once, or late";
    const std::set<std::uint16_t> GrabsAfter = Held();
    Report("10000 presses", Before, After, GrabsBefore.size(), GrabsAfter.size(), Seconds);
    EXPECT_EQ(GrabsAfter, GrabsBefore);
    ExpectBounded(Before, After);
    EXPECT_TRUE(PressUntilRun(ChordOf(CtrlAltK)));
    EXPECT_EQ(QuitByButton(Tulma, MainWindow(Tulma)), 0);
}

TEST_F(TulmaSoakTest, ThousandEditsOfTheCombinationKeepOnlyTheNewOneRunning) {
    constexpr int Cycles = 1000;
    // Every so many cycles, the combination given up is pressed too and must run nothing.
    constexpr int OldCombinationEvery = 50;
    const std::string FileName = (Dir / "keys.tul").string();
    WriteHotKeyFile(FileName, {{"Probe", CtrlAltK, "/bin/sh", AppendToMarker("x")}});
    const pid_t Tulma = StartTulma(FileName);
    const xcb_window_t Main = MainWindow(Tulma);
    ASSERT_NE(Main, XCB_WINDOW_NONE);
    ASSERT_TRUE(PressUntilRun(ChordOf(CtrlAltK)));
    Xdotool("windowactivate --sync " + std::to_string(Main));
    const auto Held = [&] {
        return HeldCombinations(Display.Connection(), *Keyboard, CtrlAltCombinations());
    };
    const std::set<std::uint16_t> GrabsBefore = Held();
    const ProcessFigures Before = SettledFigures(Tulma);

    const auto Start = Clock::now();
    std::uint16_t Current = CtrlAltK;
    for (int Cycle = 0; Cycle < Cycles; ++Cycle) {
        const std::uint16_t Next = Current == CtrlAltK ? CtrlAltL : CtrlAltK;
        ClickInWindow(Main, 40, 57);  // the list's only line
        Press({Keys::Alt, KeyE});
        ASSERT_TRUE(WaitUntil(
            [&] {
                const xcb_window_t Active = ActiveWindow(Display.Connection());
                return Active != Main && Active != XCB_WINDOW_NONE;
            },
            10s, 5ms))
            << "cycle " << Cycle << ": the definition dialog did not open";
        Press({Keys::Alt, KeyK});  // to the key field
        Press(ChordOf(Next));
        Press({Keys::Return});
        ASSERT_TRUE(WaitUntil([&] { return ActiveWindow(Display.Connection()) == Main; }, 10s, 5ms))
            << "cycle " << Cycle << ": the definition dialog did not close";
        ASSERT_TRUE(PressUntilRun(ChordOf(Next), 0))
            << "cycle " << Cycle << ": the new combination does not run";
        if (Cycle % OldCombinationEvery == 0) {
            Pause(300);  // a repeated press of the new combination may still be running
            const int Runs = TulmaProgramFixture::Runs();
            Press(ChordOf(Current));
            Pause(700);
            EXPECT_EQ(TulmaProgramFixture::Runs(), Runs)
                << "cycle " << Cycle << ": the old combination still runs";
        }
        Current = Next;
    }
    const double Seconds = SecondsSince(Start);

    const ProcessFigures After = SettledFigures(Tulma);
    const std::set<std::uint16_t> GrabsAfter = Held();
    Report("1000 edit cycles", Before, After, GrabsBefore.size(), GrabsAfter.size(), Seconds);
    // Cycles come in pairs, so the combination is Ctrl+Alt+K again, held once as before.
    EXPECT_EQ(GrabsAfter, GrabsBefore);
    ExpectBounded(Before, After);
    // The edits are unsaved: Quit asks, and No ends the program without saving.
    ClickInWindow(Main, 373, 274);
    ASSERT_TRUE(WaitUntil([&] { return ActiveWindow(Display.Connection()) != Main; }, 10s, 20ms));
    Keyboard->Tap('n');
    xcb_flush(Display.Connection());
    int Status = -1;
    ASSERT_TRUE(WaitUntil([&] { return waitpid(Tulma, &Status, WNOHANG) == Tulma; }, 30s, 20ms));
    std::erase(Started, Tulma);
    EXPECT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 0) << "wait status " << Status;
}

TEST_F(TulmaSoakTest, HundredReloadsOfAThousandHotKeysKeepThemAllRegistered) {
    constexpr int HotKeyCount = 1000;
    constexpr int Reloads = 100;
    const std::vector<std::uint16_t> Combinations = ManyCombinations(*Keyboard);
    std::vector<std::uint16_t> Probed = Combinations;
    Probed.insert(Probed.end(), {CtrlAltK, CtrlAltL, CtrlAltJ});
    // The window manager's own key bindings are held before the program starts.
    const auto Held = [&] { return HeldCombinations(Display.Connection(), *Keyboard, Probed); };
    const std::set<std::uint16_t> Others = Held();

    // Three hotkeys that mark the file's start, middle and end; the combinations repeat once they run
    // out, and the repeats are refused as taken.
    std::vector<THotKeyOutline> HotKeys;
    const std::vector<std::pair<int, std::uint16_t>> Markers{
        {0, CtrlAltK}, {HotKeyCount / 2, CtrlAltL}, {HotKeyCount - 1, CtrlAltJ}};
    std::size_t Next = 0;
    for (int Index = 0; Index < HotKeyCount; ++Index) {
        const std::string Name = "Hotkey " + std::to_string(Index);
        bool Marked = false;
        for (const auto& [Position, HotKey] : Markers) {
            if (Position == Index) {
                HotKeys.emplace_back(Name, HotKey, "/bin/sh", AppendToMarker(std::to_string(Index)));
                Marked = true;
            }
        }
        if (!Marked) {
            HotKeys.emplace_back(Name, Combinations[Next++ % Combinations.size()], "/bin/true");
        }
    }
    const std::string FileName = (Dir / "large.tul").string();
    WriteHotKeyFile(FileName, HotKeys);
    const pid_t Tulma = StartTulma(FileName);
    const xcb_window_t Main = MainWindow(Tulma);
    ASSERT_NE(Main, XCB_WINDOW_NONE);
    ASSERT_TRUE(PressUntilRun(ChordOf(CtrlAltJ)));
    const std::set<std::uint16_t> GrabsBefore = Without(Held(), Others);
    const ProcessFigures Before = SettledFigures(Tulma);

    const auto Start = Clock::now();
    for (int Reload = 0; Reload < Reloads; ++Reload) {
        ClickInWindow(Main, 273, 274);  // the Reload button
        // Presses that reach the program while it reloads are not hotkeys yet; PressUntilRun repeats.
        ASSERT_TRUE(PressUntilRun(ChordOf(CtrlAltJ), 0))
            << "reload " << Reload << ": the last hotkey does not run";
    }
    const double Seconds = SecondsSince(Start);

    const ProcessFigures After = SettledFigures(Tulma);
    const std::set<std::uint16_t> GrabsAfter = Without(Held(), Others);
    Report("100 reloads of 1000 hotkeys", Before, After, GrabsBefore.size(), GrabsAfter.size(), Seconds);
    EXPECT_GE(GrabsBefore.size(), Combinations.size() / 2);
    EXPECT_EQ(GrabsAfter, GrabsBefore);
    ExpectBounded(Before, After);
    for (const std::uint16_t HotKey : {CtrlAltK, CtrlAltL, CtrlAltJ}) {
        EXPECT_TRUE(PressUntilRun(ChordOf(HotKey))) << "combination " << HotKey;
    }
    EXPECT_EQ(QuitByButton(Tulma, Main), 0);
}

}  // namespace
}  // namespace tulma::test
