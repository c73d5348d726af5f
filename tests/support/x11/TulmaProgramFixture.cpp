#include "TulmaProgramFixture.h"

#include <sys/wait.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "ClassRegistration.h"
#include "VirtualKeys.h"

using namespace std::chrono_literals;

namespace tulma::test {

namespace fs = std::filesystem;

namespace {}  // namespace

void Pause(int Ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(Ms));
}

std::vector<std::uint32_t> ChordOf(std::uint16_t HotKey) {
    std::vector<std::uint32_t> Keysyms;
    if ((HotKey & 0x4000) != 0) {
        Keysyms.push_back(Keys::Control);
    }
    if ((HotKey & 0x8000) != 0) {
        Keysyms.push_back(Keys::Alt);
    }
    if ((HotKey & 0x2000) != 0) {
        Keysyms.push_back(Keys::Shift);
    }
    Keysyms.push_back(KeysymFromVirtualKey(static_cast<std::uint8_t>(HotKey & 0xFF)));
    return Keysyms;
}

void TulmaProgramFixture::SetUpTestSuite() {
    RegisterAllClasses();
}

void TulmaProgramFixture::SetUp() {
    if (!XServerFixture::XvfbInstalled()) {
        GTEST_SKIP() << "Xvfb is not installed";
    }
    Display.Start(true);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    Keyboard = std::make_unique<FakeKeyboard>(Display.Connection());
    Folder = std::make_unique<TempDir>();
    Dir = Folder->Path();
    // The program looks for its message file, its default hotkey file and its desktop-entry module
    // beside itself.
    CopyProgram(TULMA_PROGRAM, TULMA_MESSAGE_FILE, Dir, {TULMA_DESKTOP_ENTRY_MODULE});
    if (TrayAtStart) {
        StartTray();
    }
}

void TulmaProgramFixture::TearDown() {
    for (auto Pid = Started.rbegin(); Pid != Started.rend(); ++Pid) {
        Terminate(*Pid);
    }
    Started.clear();
    Keyboard.reset();
    Display.Stop();
    Folder.reset();
}

void TulmaProgramFixture::StartTray() {
    Started.push_back(Tray =
                          StartProgram({"trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel",
                                        "--width", "120", "--height", "24", "--SetDockType", "false"}));
    ASSERT_TRUE(WaitUntil([this] { return TrayOwner() != XCB_WINDOW_NONE; }, 10s, 100ms))
        << "trayer did not come up";
}

void TulmaProgramFixture::StopTray() {
    Terminate(Tray);
    std::erase(Started, Tray);
    ASSERT_TRUE(WaitUntil([this] { return TrayOwner() == XCB_WINDOW_NONE; }, 10s, 100ms))
        << "trayer did not end";
}

xcb_window_t TulmaProgramFixture::TrayOwner() {
    xcb_connection_t* Connection = Display.Connection();
    const xcb_atom_t Selection = InternAtom(Connection, "_NET_SYSTEM_TRAY_S0");
    auto* Reply =
        xcb_get_selection_owner_reply(Connection, xcb_get_selection_owner(Connection, Selection), nullptr);
    const xcb_window_t Owner = Reply != nullptr ? Reply->owner : xcb_window_t{XCB_WINDOW_NONE};
    std::free(Reply);
    return Owner;
}

pid_t TulmaProgramFixture::StartTulma(const std::string& FileName) {
    const pid_t Pid = StartProgram({(Dir / "tulma").string(), FileName});
    Started.push_back(Pid);
    return Pid;
}

xcb_window_t TulmaProgramFixture::MainWindow(pid_t Pid) {
    xcb_window_t Window = XCB_WINDOW_NONE;
    WaitUntil([&] { return (Window = WindowOfPid(Display.Connection(), Pid)) != XCB_WINDOW_NONE; }, 10s,
              100ms);
    return Window;
}

bool TulmaProgramFixture::Viewable(xcb_window_t Window) {
    auto* Reply = xcb_get_window_attributes_reply(
        Display.Connection(), xcb_get_window_attributes(Display.Connection(), Window), nullptr);
    const bool Result = Reply != nullptr && Reply->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(Reply);
    return Result;
}

bool TulmaProgramFixture::RaisedAbove(xcb_window_t Window, const std::set<xcb_window_t>& Others) {
    const std::vector<xcb_window_t> BottomFirst = Children(Display.Root());
    const auto Place = [&](xcb_window_t Client) { return std::ranges::find(BottomFirst, FrameOf(Client)); };
    return std::ranges::all_of(
        Others, [&](xcb_window_t Other) { return Other == Window || Place(Other) < Place(Window); });
}

int TulmaProgramFixture::QuitByButton(pid_t Pid, xcb_window_t Main) {
    ClickInWindow(Main, 373, 274);
    return WaitForEnd(Pid);
}

int TulmaProgramFixture::EndBySignal(pid_t Pid, int Signal) {
    kill(Pid, Signal);
    return WaitForEnd(Pid);
}

int TulmaProgramFixture::WaitForEnd(pid_t Pid) {
    int Status = 0;
    if (!WaitUntil([&] { return waitpid(Pid, &Status, WNOHANG) == Pid; }, 30s, 20ms)) {
        return -1;
    }
    std::erase(Started, Pid);
    return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
}

std::string TulmaProgramFixture::Marker() const {
    return (Dir / "marker").string();
}

int TulmaProgramFixture::Runs() const {
    std::ifstream File(Marker());
    int Lines = 0;
    for (std::string Line; std::getline(File, Line);) {
        ++Lines;
    }
    return Lines;
}

void TulmaProgramFixture::Press(const std::vector<std::uint32_t>& Keysyms) {
    Keyboard->Chord(Keysyms);
    xcb_flush(Display.Connection());
}

bool TulmaProgramFixture::PressUntilRun(const std::vector<std::uint32_t>& Keysyms, int SettleMs) {
    const int Before = Runs();
    for (int Attempt = 0; Attempt < 50; ++Attempt) {
        Press(Keysyms);
        if (WaitUntil([&] { return Runs() > Before; }, 300ms, 5ms)) {
            Pause(SettleMs);
            return true;
        }
    }
    return false;
}

std::vector<xcb_window_t> TulmaProgramFixture::Children(xcb_window_t Window) {
    auto* Reply =
        xcb_query_tree_reply(Display.Connection(), xcb_query_tree(Display.Connection(), Window), nullptr);
    std::vector<xcb_window_t> Result;
    if (Reply != nullptr) {
        const xcb_window_t* First = xcb_query_tree_children(Reply);
        Result.assign(First, First + xcb_query_tree_children_length(Reply));
        std::free(Reply);
    }
    return Result;
}

std::string TulmaProgramFixture::ClassOf(xcb_window_t Window) {
    auto* Reply = xcb_get_property_reply(
        Display.Connection(),
        xcb_get_property(Display.Connection(), 0, Window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 64),
        nullptr);
    std::string Result;
    if (Reply != nullptr) {
        Result.assign(static_cast<const char*>(xcb_get_property_value(Reply)),
                      xcb_get_property_value_length(Reply));
        std::free(Reply);
    }
    return Result.substr(0, Result.find('\0'));
}

// Tulma's icon wherever the tray that holds it lives (trayer, or a window manager's own tray): a small
// window of Tulma's that the tray has embedded, so not a top-level window and no client of the window
// manager.
std::vector<TPoint> TulmaProgramFixture::TrayIcons() {
    constexpr int MaxIconSize = 64;
    const auto Clients =
        WindowProperty(Display.Connection(), Display.Root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW);
    std::vector<TPoint> Icons;
    std::vector<xcb_window_t> Pending = Children(Display.Root());
    while (!Pending.empty()) {
        const xcb_window_t Window = Pending.back();
        Pending.pop_back();
        for (const xcb_window_t Child : Children(Window)) {
            Pending.push_back(Child);
            if (ClassOf(Child) == "tulma" && std::ranges::find(Clients, Child) == Clients.end() &&
                Viewable(Child) && SizeOf(Child).X <= MaxIconSize && SizeOf(Child).Y <= MaxIconSize) {
                Icons.push_back(CentreOf(Child));
            }
        }
    }
    return Icons;
}

TPoint TulmaProgramFixture::SizeOf(xcb_window_t Window) {
    auto* Geometry =
        xcb_get_geometry_reply(Display.Connection(), xcb_get_geometry(Display.Connection(), Window), nullptr);
    const TPoint Size = Geometry != nullptr ? TPoint{Geometry->width, Geometry->height} : TPoint{};
    std::free(Geometry);
    return Size;
}

TPoint TulmaProgramFixture::CentreOf(xcb_window_t Window) {
    xcb_connection_t* Connection = Display.Connection();
    auto* Geometry = xcb_get_geometry_reply(Connection, xcb_get_geometry(Connection, Window), nullptr);
    auto* Origin = xcb_translate_coordinates_reply(
        Connection, xcb_translate_coordinates(Connection, Window, Display.Root(), 0, 0), nullptr);
    TPoint Centre;
    if (Geometry != nullptr && Origin != nullptr) {
        Centre = {Origin->dst_x + Geometry->width / 2, Origin->dst_y + Geometry->height / 2};
    }
    std::free(Geometry);
    std::free(Origin);
    return Centre;
}

void TulmaProgramFixture::Click(TPoint Where) {
    xcb_connection_t* Connection = Display.Connection();
    xcb_test_fake_input(Connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, Display.Root(),
                        static_cast<int16_t>(Where.X), static_cast<int16_t>(Where.Y), 0);
    xcb_test_fake_input(Connection, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0, 0, 0);
    xcb_test_fake_input(Connection, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0, 0, 0);
    xcb_flush(Connection);
}

xcb_window_t TulmaProgramFixture::FrameOf(xcb_window_t Window) {
    xcb_connection_t* Connection = Display.Connection();
    for (;;) {
        auto* Reply = xcb_query_tree_reply(Connection, xcb_query_tree(Connection, Window), nullptr);
        const xcb_window_t Parent = Reply != nullptr ? Reply->parent : xcb_window_t{XCB_WINDOW_NONE};
        std::free(Reply);
        if (Parent == XCB_WINDOW_NONE || Parent == Display.Root()) {
            return Window;
        }
        Window = Parent;
    }
}

// Openbox draws the title bar's buttons as windows inside its title window, packed to the right in the
// order of its title layout ("NLIMC" by default: iconify, maximise, close), a maximise button only for a
// window that can be resized: the iconify button is the leftmost square button of the right half.
TPoint TulmaProgramFixture::MinimiseButtonOf(xcb_window_t Window) {
    xcb_connection_t* Connection = Display.Connection();
    const xcb_window_t Frame = FrameOf(Window);
    const TPoint FrameCentre = CentreOf(Frame);
    TPoint Found{-1, -1};
    for (const xcb_window_t Part : Children(Frame)) {
        for (const xcb_window_t Button : Children(Part)) {
            auto* Geometry =
                xcb_get_geometry_reply(Connection, xcb_get_geometry(Connection, Button), nullptr);
            const bool Square = Geometry != nullptr && Geometry->width == Geometry->height &&
                                Geometry->width >= 8 && Geometry->width <= 32;
            std::free(Geometry);
            const TPoint Centre = CentreOf(Button);
            if (Square && Viewable(Button) && Centre.X > FrameCentre.X &&
                (Found.X < 0 || Centre.X < Found.X)) {
                Found = Centre;
            }
        }
    }
    return Found;
}

void TulmaProgramFixture::Xdotool(const std::string& Arguments) {
    ASSERT_EQ(std::system(("xdotool " + Arguments + " >/dev/null 2>&1").c_str()), 0) << Arguments;
}

void TulmaProgramFixture::ClickInWindow(xcb_window_t Window, int X, int Y) {
    Xdotool("mousemove --window " + std::to_string(Window) + " " + std::to_string(X) + " " +
            std::to_string(Y) + " click 1");
}

}  // namespace tulma::test
