#include <unistd.h>

#include <algorithm>
#include <memory>
#include <string>

#include "DesktopWindowsTest.h"
#include "QtX11.h"
#include "X11DesktopWindows.h"
#include "XcbWindowRequests.h"
#include "XcbWindowText.h"

using namespace std::chrono_literals;

namespace tulma::test {
namespace {

class X11DesktopWindowsTest : public DesktopWindowsTest {
  protected:
    // Starts the test client and waits until the window manager has taken its window on.
    xcb_window_t OpenWindow(const std::vector<std::string>& Arguments) {
        std::vector<std::string> Argv{TULMA_TEST_WINDOW};
        Argv.insert(Argv.end(), Arguments.begin(), Arguments.end());
        const pid_t Pid = StartProgram(Argv);
        Started.push_back(Pid);
        xcb_window_t Window = XCB_WINDOW_NONE;
        WaitUntil([&] { return (Window = WindowOfPid(X(), Pid)) != XCB_WINDOW_NONE; }, 5s);
        return Window;
    }

    xcb_window_t FindByTitle(const std::string& Title) {
        for (TWindowHandle Window : Windows->TopLevelWindows()) {
            if (Windows->WindowTitle(Window) == Title) {
                return static_cast<xcb_window_t>(Window);
            }
        }
        return XCB_WINDOW_NONE;
    }

    void RequestState(xcb_window_t Window, std::uint32_t Action, const std::string& First,
                      const std::string& Second) {
        SendClientMessage(Window, "_NET_WM_STATE",
                          {Action, InternAtom(X(), First), Second.empty() ? 0 : InternAtom(X(), Second), 1});
    }

    // Sets a text property of a window and waits until the server has done it.
    void ChangeText(xcb_window_t Window, const char* Property, const char* Type, const std::string& Text) {
        SetText(X(), Window, InternAtom(X(), Property), InternAtom(X(), Type), Text);
        InputFocus(X());
    }

    void SendClientMessage(xcb_window_t Window, const std::string& Type, std::vector<std::uint32_t> Data) {
        xcb_client_message_event_t Event{};
        Event.response_type = XCB_CLIENT_MESSAGE;
        Event.format = 32;
        Event.window = Window;
        Event.type = InternAtom(X(), Type);
        std::copy(Data.begin(), Data.end(), Event.data.data32);
        xcb_send_event(X(), 0, Root(),
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&Event));
        xcb_flush(X());
    }
};

TEST_F(X11DesktopWindowsTest, WindowsAreListedTopmostFirstWithTheirTitles) {
    const xcb_window_t Notepad = OpenWindow({"Untitled - NOTEPAD"});
    const xcb_window_t Other = OpenWindow({"Other window"});
    ASSERT_NE(Notepad, xcb_window_t{XCB_WINDOW_NONE});
    ASSERT_NE(Other, xcb_window_t{XCB_WINDOW_NONE});
    WaitUntil([&] { return FindByTitle("Other window") == Other; }, 5s);

    EXPECT_EQ(FindByTitle("Untitled - NOTEPAD"), Notepad);
    const auto List = Windows->TopLevelWindows();
    const auto NotepadAt = std::find(List.begin(), List.end(), Notepad);
    const auto OtherAt = std::find(List.begin(), List.end(), Other);
    ASSERT_NE(NotepadAt, List.end());
    EXPECT_LT(OtherAt, NotepadAt) << "the window opened last is on top";
}

TEST_F(X11DesktopWindowsTest, TitlesAreCutAt199BytesOnACharacterBoundary) {
    const std::string Long = std::string(198, 'x') + "\xC3\xA4" + "tail";
    const xcb_window_t Window = OpenWindow({Long});
    EXPECT_EQ(Windows->WindowTitle(Window), std::string(198, 'x'));
    const xcb_window_t Exact = OpenWindow({std::string(199, 'y') + "z"});
    EXPECT_EQ(Windows->WindowTitle(Exact), std::string(199, 'y'));
}

TEST_F(X11DesktopWindowsTest, LegacyLatin1TitleIsReadAsUtf8) {
    const xcb_window_t Window = OpenWindow({"\xC4pfel", "--legacy"});
    EXPECT_EQ(Windows->WindowTitle(Window), "\xC3\x84pfel");
    EXPECT_EQ(Windows->WindowTitle(0x7ffffff), "") << "a window that does not exist has no title";
}

TEST_F(X11DesktopWindowsTest, MinimisedAndMaximisedWindowIsRestoredAndActivated) {
    const xcb_window_t Notepad = OpenWindow({"Untitled - NOTEPAD"});
    const xcb_window_t Other = OpenWindow({"Other window"});
    RequestState(Notepad, 1, "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ");
    ASSERT_TRUE(WaitUntil([&] { return HasState(X(), Notepad, "_NET_WM_STATE_MAXIMIZED_VERT"); }, 5s));
    SendClientMessage(Notepad, "WM_CHANGE_STATE", {3});
    ASSERT_TRUE(WaitUntil([&] { return HasState(X(), Notepad, "_NET_WM_STATE_HIDDEN"); }, 5s));
    SendClientMessage(Other, "_NET_ACTIVE_WINDOW", {2, 0, 0});
    ASSERT_TRUE(WaitUntil([&] { return ActiveWindow(X()) == Other; }, 5s));

    Windows->RestoreAndActivate(FindByTitle("Untitled - NOTEPAD"));
    EXPECT_TRUE(WaitUntil([&] { return ActiveWindow(X()) == Notepad; }, 5s));
    EXPECT_TRUE(WaitUntil(
        [&] {
            return !HasState(X(), Notepad, "_NET_WM_STATE_HIDDEN") &&
                   !HasState(X(), Notepad, "_NET_WM_STATE_MAXIMIZED_VERT") &&
                   !HasState(X(), Notepad, "_NET_WM_STATE_MAXIMIZED_HORZ") && Viewable(Notepad);
        },
        5s));
    const auto List = Windows->TopLevelWindows();
    ASSERT_FALSE(List.empty());
    EXPECT_EQ(List.front(), Notepad) << "raised to the top";
}

// Each state is taken back on its own: a window that is only maximised, only maximised one way, or only
// minimised.
TEST_F(X11DesktopWindowsTest, WindowWithOneStateIsRestoredAndActivated) {
    const xcb_window_t Other = OpenWindow({"Other window"});
    struct TCase {
        const char* Title;
        std::string First;
        std::string Second;
    };
    for (const TCase& Case :
         {TCase{"Maximised", "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ"},
          TCase{"Maximised across", "_NET_WM_STATE_MAXIMIZED_HORZ", ""},
          TCase{"Minimised", "_NET_WM_STATE_HIDDEN", ""}}) {
        const xcb_window_t Window = OpenWindow({Case.Title});
        if (Case.First == "_NET_WM_STATE_HIDDEN") {
            SendClientMessage(Window, "WM_CHANGE_STATE", {3});
        } else {
            RequestState(Window, 1, Case.First, Case.Second);
        }
        ASSERT_TRUE(WaitUntil([&] { return HasState(X(), Window, Case.First); }, 5s)) << Case.Title;
        SendClientMessage(Other, "_NET_ACTIVE_WINDOW", {2, 0, 0});
        ASSERT_TRUE(WaitUntil([&] { return ActiveWindow(X()) == Other; }, 5s)) << Case.Title;

        Windows->RestoreAndActivate(Window);
        EXPECT_TRUE(WaitUntil(
            [&] {
                return ActiveWindow(X()) == Window && !HasState(X(), Window, Case.First) && Viewable(Window);
            },
            5s))
            << Case.Title;
    }
}

TEST_F(X11DesktopWindowsTest, SnapshotHasProgramNamesAndTheActiveWindow) {
    const xcb_window_t Terminal = OpenWindow({"~/src", "--class", "xterm", "XTerm"});
    const xcb_window_t Legacy = OpenWindow({"\xC4pfel", "--legacy", "--class",
                                            "\xE9"
                                            "dit",
                                            "Edit"});
    SendClientMessage(Terminal, "_NET_ACTIVE_WINDOW", {2, 0, 0});
    ASSERT_TRUE(WaitUntil([&] { return ActiveWindow(X()) == Terminal; }, 5s));

    // The window manager may pass the focus on once more after the new windows map; the snapshot must
    // follow where it settles.
    TWindowSnapshot Desktop;
    EXPECT_TRUE(WaitUntil([&] { return (Desktop = Windows->Snapshot()).Active == Terminal; }, 5s))
        << "active: " << Desktop.Active;
    const auto Find = [&](xcb_window_t Window) {
        return std::ranges::find(Desktop.Windows, TWindowHandle{Window}, &TWindowInfo::Handle);
    };
    ASSERT_NE(Find(Terminal), Desktop.Windows.end());
    ASSERT_NE(Find(Legacy), Desktop.Windows.end());
    EXPECT_EQ(
        (std::vector<std::string>{Find(Terminal)->Title, Find(Terminal)->Instance, Find(Terminal)->Class}),
        (std::vector<std::string>{"~/src", "xterm", "XTerm"}));
    EXPECT_EQ((std::vector<std::string>{Find(Legacy)->Title, Find(Legacy)->Instance, Find(Legacy)->Class}),
              (std::vector<std::string>{"\xC3\x84pfel",
                                        "\xC3\xA9"
                                        "dit",
                                        "Edit"}));
}

// A search after the first one reads only what changed: windows closed, created, retitled or renamed just
// before it must be seen as they are (the changes of names are on the server before its list, with no event
// handled in between), and a window read again must be watched again.
TEST_F(X11DesktopWindowsTest, SearchSeesWindowsAsTheyAreAfterChangesJustBefore) {
    const xcb_window_t Retitled = OpenWindow({"Old title"});
    const xcb_window_t Legacy = OpenWindow({"Old legacy", "--legacy"});
    const xcb_window_t Renamed = OpenWindow({"Renamed class", "--class", "old", "Old"});
    const xcb_window_t Closed = OpenWindow({"Closed window"});
    Windows->Snapshot();

    Terminate(Started.back());
    Started.pop_back();
    ASSERT_TRUE(WaitUntil(
        [&] {
            return std::ranges::count(WindowProperty(X(), Root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW),
                                      Closed) == 0;
        },
        5s));
    const xcb_window_t Created = OpenWindow({"Created window"});
    ChangeText(Retitled, "_NET_WM_NAME", "UTF8_STRING", "New title");
    ChangeText(Legacy, "WM_NAME", "STRING", "New legacy");
    ChangeText(Renamed, "WM_CLASS", "STRING", std::string("new\0New\0", 8));
    const TWindowSnapshot First = Windows->Snapshot();
    ChangeText(Retitled, "_NET_WM_NAME", "UTF8_STRING", "Newer title");
    const TWindowSnapshot Second = Windows->Snapshot();

    struct TCase {
        const TWindowSnapshot& Desktop;
        xcb_window_t Window;
        std::vector<std::string> Names;  // title, instance, class; empty: not listed
    };
    const TCase Cases[] = {
        {First, Retitled, {"New title", "testwindow", "TestWindow"}},
        {First, Legacy, {"New legacy", "testwindow", "TestWindow"}},
        {First, Renamed, {"Renamed class", "new", "New"}},
        {First, Created, {"Created window", "testwindow", "TestWindow"}},
        {Second, Retitled, {"Newer title", "testwindow", "TestWindow"}},
    };
    for (const TCase& Case : Cases) {
        const auto Found =
            std::ranges::find(Case.Desktop.Windows, TWindowHandle{Case.Window}, &TWindowInfo::Handle);
        const std::vector<std::string> Names =
            Found == Case.Desktop.Windows.end()
                ? std::vector<std::string>{}
                : std::vector<std::string>{Found->Title, Found->Instance, Found->Class};
        EXPECT_EQ(Names, Case.Names) << "window " << Case.Window
                                     << (&Case.Desktop == &First ? " in the first search"
                                                                 : " in the second search");
    }
    // The server may give the closed window's id to the one created after it.
    EXPECT_EQ(std::ranges::count(First.Windows, std::string("Closed window"), &TWindowInfo::Title), 0);
}

TEST_F(X11DesktopWindowsTest, WithoutAConnectionOfItsOwnEverySearchReadsEveryWindow) {
    const xcb_window_t Window = OpenWindow({"Old title"});
    const std::string Display = std::getenv("DISPLAY");
    setenv("DISPLAY", ":65000", 1);
    TX11DesktopWindows OnQtsConnection(QtX11Connection());
    setenv("DISPLAY", Display.c_str(), 1);
    OnQtsConnection.Snapshot();

    ChangeText(Window, "_NET_WM_NAME", "UTF8_STRING", "New title");
    const TWindowSnapshot Desktop = OnQtsConnection.Snapshot();
    const auto Found = std::ranges::find(Desktop.Windows, TWindowHandle{Window}, &TWindowInfo::Handle);
    ASSERT_NE(Found, Desktop.Windows.end());
    EXPECT_EQ(Found->Title, "New title");
}

TEST_F(X11DesktopWindowsTest, WindowThatHasGoneIsIgnored) {
    const xcb_window_t Window = OpenWindow({"Short-lived"});
    Terminate(Started.back());
    Started.pop_back();
    WaitUntil([&] { return FindByTitle("Short-lived") == XCB_WINDOW_NONE; }, 5s);
    EXPECT_NO_THROW(Windows->RestoreAndActivate(Window));
    EXPECT_EQ(Windows->WindowTitle(Window), "");
}

}  // namespace
}  // namespace tulma::test
