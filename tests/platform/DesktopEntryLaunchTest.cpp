#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "ChildEnvironment.h"
#include "ProbeRecord.h"
#include "QtX11.h"
#include "TempDir.h"
#include "X11Launcher.h"
#include "XDisplayTest.h"

using namespace std::chrono_literals;

namespace tulma::test {
namespace {

std::string Entry(const std::string& Keys) {
    return "[Desktop Entry]\nType=Application\nName=Probe\n" + Keys;
}

class DesktopEntryLaunchTest : public XDisplayTest {
  protected:
    TempDir Dir;
    std::unique_ptr<TX11Launcher> Launcher;
    std::string ProbeOutput;

    void SetUp() override {
        XDisplayTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        std::filesystem::create_directories(Dir.File("data/applications"));
        std::filesystem::create_directories(Dir.File("work"));
        setenv("XDG_DATA_HOME", Dir.File("data").c_str(), 1);
        setenv("XDG_DATA_DIRS", Dir.File("none").c_str(), 1);
        Launcher = std::make_unique<TX11Launcher>(QtX11Connection());
        ProbeOutput = Dir.File("probe");
        setenv("TULMA_PROBE_FILE", ProbeOutput.c_str(), 1);
        setenv("TULMA_PROBE_ENV", "TULMA_TERMINAL,DESKTOP_STARTUP_ID,TULMA_OWN_SETTING,PATH", 1);
    }

    // The startup-notification message sent to the root window, put together from its 20-byte pieces.
    std::string StartupMessage() {
        const xcb_atom_t Begin = InternAtom(X(), "_NET_STARTUP_INFO_BEGIN");
        const xcb_atom_t More = InternAtom(X(), "_NET_STARTUP_INFO");
        std::string Message;
        WaitUntil(
            [&] {
                while (xcb_generic_event_t* Event = xcb_poll_for_event(X())) {
                    const auto* Piece = reinterpret_cast<const xcb_client_message_event_t*>(Event);
                    if ((Event->response_type & 0x7F) == XCB_CLIENT_MESSAGE &&
                        (Piece->type == Begin || Piece->type == More)) {
                        Message.append(reinterpret_cast<const char*>(Piece->data.data8), 20);
                    }
                    std::free(Event);
                }
                return Message.find('\0') != std::string::npos;
            },
            5s);
        return Message.substr(0, Message.find('\0'));
    }

    // Starts File and reads what the probe wrote.
    ProbeRecord Run(const std::string& File, const std::string& Parameters, const std::string& Directory) {
        std::filesystem::remove(ProbeOutput);
        ProbeRecord Record;
        const TLaunchResult Result = Launcher->Launch(File, Parameters, Directory, TShowCommand::ShowNormal);
        EXPECT_TRUE(Result.Started) << File << ": " << Result.Reason;
        EXPECT_TRUE(WaitUntil([&] { return ProbeRecord::Read(ProbeOutput, &Record); }, 5s)) << File;
        return Record;
    }
};

TEST_F(DesktopEntryLaunchTest, ParametersFillTheFieldCodesInTheEntrysFolder) {
    const std::string Probe = TULMA_ARGV_PROBE;
    const struct {
        std::string Keys;
        std::string Parameters;
        std::string Directory;
        std::vector<std::string> Argv;  // after the probe's own name
        std::string RunsIn;
    } Cases[] = {
        {"Exec=" + Probe + " --one %f\n",
         "a.txt",
         Dir.File("work"),
         {"--one", Dir.File("work/a.txt")},
         Dir.File("work")},
        {"Exec=" + Probe + " %F\nPath=" + Dir.Path().string() + "\n",
         "\"b c.txt\" /d.txt",
         Dir.File("work"),
         {Dir.File("work/b c.txt"), "/d.txt"},
         Dir.Path().string()},
        {"Exec=" + Probe + " %U\n",
         "https://example.org/x /e.txt",
         "",
         {"https://example.org/x", "/e.txt"},
         std::filesystem::current_path().string()},
        {"Exec=" + Probe + " \"quoted arg\" %u\n",
         "",
         "",
         {"quoted arg"},
         std::filesystem::current_path().string()},
    };
    for (const auto& Case : Cases) {
        const std::string File = Dir.Write("probe.desktop", Entry(Case.Keys));
        const ProbeRecord Record = Run(File, Case.Parameters, Case.Directory);
        std::vector<std::string> Expected{Probe};
        Expected.insert(Expected.end(), Case.Argv.begin(), Case.Argv.end());
        EXPECT_EQ(Record.Argv, Expected) << Case.Keys;
        EXPECT_EQ(Record.Directory, Case.RunsIn) << Case.Keys;
        EXPECT_EQ(Record.StandardInput, "/dev/null");
        EXPECT_NE(Record.Session, getsid(0));
    }
}

TEST_F(DesktopEntryLaunchTest, ApplicationIdsTerminalsAndStartupNotification) {
    Dir.Write("data/applications/org.example.Probe.desktop",
              Entry("Exec=" + std::string(TULMA_ARGV_PROBE) + " by-id\nStartupNotify=true\n"));
    const std::uint32_t PropertyChanges = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(X(), Root(), XCB_CW_EVENT_MASK, &PropertyChanges);
    std::free(xcb_get_input_focus_reply(X(), xcb_get_input_focus(X()), nullptr));
    // What Tulma sets for itself stays Tulma's, as for any other start.
    SetOwnVariable("TULMA_OWN_SETTING", "tulma's", true);
    ProbeRecord Record = Run("org.example.Probe", "", "");
    EXPECT_EQ(Record.Argv, (std::vector<std::string>{TULMA_ARGV_PROBE, "by-id"}));
    EXPECT_EQ(Record.Environment["TULMA_OWN_SETTING"], "");
    EXPECT_EQ(Record.Environment["PATH"], std::getenv("PATH"));
    const std::string Id = Record.Environment["DESKTOP_STARTUP_ID"];
    EXPECT_TRUE(Id.starts_with("tulma-")) << Id;
    const std::string Announced = StartupMessage();
    EXPECT_TRUE(Announced.starts_with("new: ID=\"" + Id + "\" NAME=\"Probe\"")) << Announced;
    EXPECT_NE(Announced.find(" APPLICATION_ID=\"org.example.Probe.desktop\""), std::string::npos)
        << Announced;

    // The desktop's terminal runs the program; this one says it did.
    std::filesystem::create_directories(Dir.File("bin"));
    Dir.Write("bin/gnome-terminal", "#!/bin/sh\n[ \"$1\" = -- ] && shift\nTULMA_TERMINAL=yes exec \"$@\"\n",
              true);
    const std::string Path = std::getenv("PATH");
    setenv("PATH", (Dir.File("bin:") + Path).c_str(), 1);
    Record = Run(Dir.Write("terminal.desktop", Entry("Exec=" + std::string(TULMA_ARGV_PROBE) +
                                                     " in-terminal\n"
                                                     "Terminal=true\n")),
                 "", "");
    setenv("PATH", Path.c_str(), 1);
    EXPECT_EQ(Record.Argv, (std::vector<std::string>{TULMA_ARGV_PROBE, "in-terminal"}));
    EXPECT_EQ(Record.Environment["TULMA_TERMINAL"], "yes");
}

TEST_F(DesktopEntryLaunchTest, EntriesThatCannotStartStartNothingAndSayWhy) {
    const struct {
        std::string File;
        std::string Directory;
        std::string Reason;
    } Cases[] = {
        {Dir.Write("tryexec.desktop", Entry("Exec=true\nTryExec=no-such-program-here\n")), "",
         "its program no-such-program-here (TryExec) is not installed"},
        {Dir.Write("hidden.desktop", Entry("Exec=true\nHidden=true\n")), "",
         "the entry is marked as deleted (Hidden)"},
        {Dir.Write("missing.desktop", Entry("Exec=no-such-program-here\n")), "",
         "its program no-such-program-here is not installed"},
        {Dir.Write("plain.desktop", Entry("Exec=true\n")), Dir.File("no-such-folder"),
         "working directory " + Dir.File("no-such-folder") + " does not exist"},
    };
    for (const auto& Case : Cases) {
        const TLaunchResult Result =
            Launcher->Launch(Case.File, "", Case.Directory, TShowCommand::ShowNormal);
        EXPECT_FALSE(Result.Started) << Case.File;
        EXPECT_EQ(Result.Reason, Case.Reason);
    }
}

// A launcher script starts the window in another process: the entry's window class finds it.
TEST_F(DesktopEntryLaunchTest, ShowCommandReachesTheWindowOfTheEntrysClass) {
    const std::string Script = Dir.Write(
        "launch.sh",
        "#!/bin/sh\n\"" + std::string(TULMA_TEST_WINDOW) + "\" \"Entry window\" --class probe ProbeClass &\n",
        true);
    const std::string File =
        Dir.Write("class.desktop", Entry("Exec=" + Script + "\nStartupWMClass=ProbeClass\n"));
    ASSERT_TRUE(Launcher->Launch(File, "", "", TShowCommand::ShowMaximized).Started);
    const auto Windows = [&] { return WindowProperty(X(), Root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW); };
    EXPECT_TRUE(WaitUntil(
        [&] {
            const auto Listed = Windows();
            return !Listed.empty() && HasState(X(), Listed.back(), "_NET_WM_STATE_MAXIMIZED_VERT");
        },
        15s));
    for (std::uint32_t Window : Windows()) {
        if (const auto Pid = WindowProperty(X(), Window, "_NET_WM_PID", XCB_ATOM_CARDINAL); !Pid.empty()) {
            kill(static_cast<pid_t>(Pid[0]), SIGTERM);
        }
    }
}

}  // namespace
}  // namespace tulma::test
