#include "XServerFixture.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include "FileDescriptor.h"

using namespace std::chrono_literals;

extern char** environ;  // NOLINT(readability-identifier-naming): the C library's name

namespace tulma::test {

namespace {

using Clock = std::chrono::steady_clock;

std::string FindProgram(const std::string& Name) {
    const char* Path = std::getenv("PATH");
    std::string Dirs = Path != nullptr ? Path : "/usr/bin:/bin";
    std::size_t Start = 0;
    while (Start <= Dirs.size()) {
        std::size_t End = Dirs.find(':', Start);
        End = End == std::string::npos ? Dirs.size() : End;
        const std::string Candidate = Dirs.substr(Start, End - Start) + "/" + Name;
        if (access(Candidate.c_str(), X_OK) == 0) {
            return Candidate;
        }
        Start = End + 1;
    }
    return {};
}

// Descriptors without close-on-exec (the -displayfd pipe) are inherited.
pid_t StartProgramWith(const std::vector<std::string>& Argv, bool Quiet) {
    std::vector<char*> Args;
    for (const std::string& Arg : Argv) {
        Args.push_back(const_cast<char*>(Arg.c_str()));
    }
    Args.push_back(nullptr);
    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    if (Quiet) {
        posix_spawn_file_actions_addopen(&Actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&Actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    pid_t Pid = -1;
    const int Error = posix_spawnp(&Pid, Args[0], &Actions, nullptr, Args.data(), environ);
    posix_spawn_file_actions_destroy(&Actions);
    if (Error != 0) {
        throw std::runtime_error("cannot start " + Argv[0] + ": " + std::strerror(Error));
    }
    return Pid;
}

// Reads one line from Fd, waiting at most TimeoutMs.
std::string ReadLine(int Fd, int TimeoutMs) {
    std::string Line;
    const auto Deadline = Clock::now() + std::chrono::milliseconds(TimeoutMs);
    while (Line.find('\n') == std::string::npos) {
        const auto Left =
            std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - Clock::now()).count();
        pollfd Poll{Fd, POLLIN, 0};
        if (Left <= 0 || poll(&Poll, 1, static_cast<int>(Left)) <= 0) {
            break;
        }
        char Buffer[64];
        const ssize_t Got = read(Fd, Buffer, sizeof Buffer);
        if (Got <= 0) {
            break;
        }
        Line.append(Buffer, static_cast<std::size_t>(Got));
    }
    return Line.substr(0, Line.find('\n'));
}

// openbox unless TULMA_TEST_WM names another EWMH window manager, so that the tests can be run by hand
// under fluxbox or icewm too.
std::vector<std::string> WindowManagerCommand() {
    const char* Chosen = std::getenv("TULMA_TEST_WM");
    if (Chosen == nullptr || *Chosen == '\0' || std::string(Chosen) == "openbox") {
        return {"openbox", "--sm-disable"};
    }
    return {Chosen};
}

}  // namespace

XServerFixture::~XServerFixture() {
    Stop();
}

bool XServerFixture::XvfbInstalled() {
    return !FindProgram("Xvfb").empty();
}

xcb_window_t XServerFixture::Root() const {
    return xcb_setup_roots_iterator(xcb_get_setup(Connection())).data->root;
}

void XServerFixture::Start(bool WithWindowManager) {
    StartServer();
    if (WithWindowManager) {
        StartWindowManager();
    }
}

// Xvfb picks a free display number itself and writes it to the descriptor given by -displayfd.
void XServerFixture::StartServer() {
    int Pipe[2];
    if (pipe(Pipe) != 0) {
        throw std::runtime_error("pipe failed");
    }
    TFileDescriptor ReadEnd(Pipe[0]);
    TFileDescriptor WriteEnd(Pipe[1]);
    fcntl(ReadEnd.Get(), F_SETFD, FD_CLOEXEC);
    Xvfb = StartProgramWith({"Xvfb", "-displayfd", std::to_string(WriteEnd.Get()), "-screen", "0",
                             "1280x1024x24", "-nolisten", "tcp", "-ac", "-noreset"},
                            true);
    WriteEnd.Reset();
    const std::string Number = ReadLine(ReadEnd.Get(), 15000);
    ReadEnd.Reset();
    if (Number.empty()) {
        Stop();
        throw std::runtime_error("Xvfb did not report a display");
    }
    Display = ":" + Number;
    setenv("DISPLAY", Display.c_str(), 1);
    Observer.emplace(Display.c_str());
    if (Observer->Failed()) {
        Stop();
        throw std::runtime_error("cannot connect to " + Display);
    }
}

void XServerFixture::StartWindowManager() {
    WindowManager = StartProgramWith(WindowManagerCommand(), true);
    const bool Up = WaitUntil(
        [this] {
            return !WindowProperty(Connection(), Root(), "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW).empty();
        },
        15s);
    if (!Up || !WindowManagerManages()) {
        Stop();
        throw std::runtime_error(WindowManagerCommand().front() + " did not come up");
    }
}

// The window manager announces itself before it takes on windows, and a window mapped in between stays
// unmanaged. Ready means: a window mapped now shows up in the client list.
bool XServerFixture::WindowManagerManages() {
    xcb_screen_t* Screen = xcb_setup_roots_iterator(xcb_get_setup(Connection())).data;
    const auto Deadline = Clock::now() + std::chrono::seconds(15);
    while (Clock::now() < Deadline) {
        const xcb_window_t Probe = xcb_generate_id(Connection());
        xcb_create_window(Connection(), XCB_COPY_FROM_PARENT, Probe, Screen->root, 0, 0, 10, 10, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, Screen->root_visual, 0, nullptr);
        xcb_map_window(Connection(), Probe);
        xcb_flush(Connection());
        const bool Managed = WaitUntil(
            [&] {
                const auto Clients =
                    WindowProperty(Connection(), Root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW);
                return std::find(Clients.begin(), Clients.end(), Probe) != Clients.end();
            },
            500ms);
        xcb_destroy_window(Connection(), Probe);
        xcb_flush(Connection());
        if (Managed) {
            return WaitUntil(
                [&] {
                    return WindowProperty(Connection(), Root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW).empty();
                },
                5s);
        }
    }
    return false;
}

void XServerFixture::Stop() {
    Observer.reset();
    if (WindowManager > 0) {
        Terminate(WindowManager);
        WindowManager = -1;
    }
    if (Xvfb > 0) {
        Terminate(Xvfb);
        Xvfb = -1;
    }
}

pid_t StartProgram(const std::vector<std::string>& Argv, bool Quiet) {
    return StartProgramWith(Argv, Quiet);
}

void Terminate(pid_t Pid) {
    kill(Pid, SIGTERM);
    for (int Tries = 0; Tries < 200; ++Tries) {
        if (waitpid(Pid, nullptr, WNOHANG) == Pid) {
            return;
        }
        usleep(10000);
    }
    kill(Pid, SIGKILL);
    waitpid(Pid, nullptr, 0);
}

void Settle(int Ms) {
    WaitUntil([] { return false; }, std::chrono::milliseconds(Ms));
}

std::vector<std::uint32_t> WindowProperty(xcb_connection_t* Connection, xcb_window_t Window,
                                          const std::string& Property, xcb_atom_t Type) {
    xcb_generic_error_t* Error = nullptr;
    xcb_get_property_reply_t* Reply = xcb_get_property_reply(
        Connection, xcb_get_property(Connection, 0, Window, InternAtom(Connection, Property), Type, 0, 4096),
        &Error);
    std::free(Error);
    std::vector<std::uint32_t> Values;
    if (Reply != nullptr && Reply->format == 32) {
        const auto* Data = static_cast<const std::uint32_t*>(xcb_get_property_value(Reply));
        Values.assign(Data, Data + xcb_get_property_value_length(Reply) / 4);
    }
    std::free(Reply);
    return Values;
}

xcb_window_t ActiveWindow(xcb_connection_t* Connection) {
    const xcb_window_t Root = xcb_setup_roots_iterator(xcb_get_setup(Connection)).data->root;
    const auto Active = WindowProperty(Connection, Root, "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW);
    return Active.empty() ? xcb_window_t{XCB_WINDOW_NONE} : Active[0];
}

bool HasState(xcb_connection_t* Connection, xcb_window_t Window, const std::string& State) {
    const xcb_atom_t Wanted = InternAtom(Connection, State);
    for (std::uint32_t Atom : WindowProperty(Connection, Window, "_NET_WM_STATE", XCB_ATOM_ATOM)) {
        if (Atom == Wanted) {
            return true;
        }
    }
    return false;
}

xcb_window_t WindowOfPid(xcb_connection_t* Connection, pid_t Pid) {
    const xcb_window_t Root = xcb_setup_roots_iterator(xcb_get_setup(Connection)).data->root;
    for (std::uint32_t Window : WindowProperty(Connection, Root, "_NET_CLIENT_LIST", XCB_ATOM_WINDOW)) {
        const auto Owner = WindowProperty(Connection, Window, "_NET_WM_PID", XCB_ATOM_CARDINAL);
        if (!Owner.empty() && static_cast<pid_t>(Owner[0]) == Pid) {
            return Window;
        }
    }
    return XCB_WINDOW_NONE;
}

FakeKeyboard::FakeKeyboard(xcb_connection_t* Connection)
    : Connection(Connection), Symbols(xcb_key_symbols_alloc(Connection)) {}

FakeKeyboard::~FakeKeyboard() {
    xcb_key_symbols_free(Symbols);
}

xcb_keycode_t FakeKeyboard::Keycode(std::uint32_t Keysym) const {
    xcb_keycode_t* Codes = xcb_key_symbols_get_keycode(Symbols, Keysym);
    const xcb_keycode_t Code = Codes != nullptr ? Codes[0] : 0;
    std::free(Codes);
    return Code;
}

void FakeKeyboard::Fake(std::uint8_t Type, std::uint32_t Keysym) {
    const xcb_keycode_t Code = Keycode(Keysym);
    if (Code == 0) {
        throw std::runtime_error("no key for keysym " + std::to_string(Keysym));
    }
    xcb_generic_error_t* Error = xcb_request_check(
        Connection,
        xcb_test_fake_input_checked(Connection, Type, Code, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0, 0, 0));
    std::free(Error);
}

void FakeKeyboard::Press(std::uint32_t Keysym) {
    Fake(XCB_KEY_PRESS, Keysym);
}

void FakeKeyboard::Release(std::uint32_t Keysym) {
    Fake(XCB_KEY_RELEASE, Keysym);
}

void FakeKeyboard::Chord(const std::vector<std::uint32_t>& Keysyms) {
    for (std::uint32_t Keysym : Keysyms) {
        Press(Keysym);
    }
    for (auto It = Keysyms.rbegin(); It != Keysyms.rend(); ++It) {
        Release(*It);
    }
}

}  // namespace tulma::test
