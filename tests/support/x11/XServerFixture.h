#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <xcb/xcb.h>

#include "EventLoopWait.h"
#include "XcbAtoms.h"
#include "XcbConnection.h"

typedef struct _XCBKeySymbols xcb_key_symbols_t;  // NOLINT(readability-identifier-naming): xcb-keysyms' name

namespace tulma::test {

// A private X display for tests: Xvfb on a free display number, optionally with openbox as window
// manager, and an observer connection of the test's own. Start sets DISPLAY for the process; Stop (or
// destruction) ends what Start began.
class XServerFixture {
  public:
    XServerFixture() = default;
    XServerFixture(const XServerFixture&) = delete;
    XServerFixture& operator=(const XServerFixture&) = delete;
    ~XServerFixture();

    static bool XvfbInstalled();

    // Throws std::runtime_error when the server or the window manager does not come up.
    void Start(bool WithWindowManager = true);
    void Stop();
    bool Running() const { return Xvfb > 0; }
    const std::string& DisplayName() const { return Display; }
    // The observer connection: for looking at windows and faking input, never shared with the code under
    // test.
    xcb_connection_t* Connection() const { return Observer ? Observer->Get() : nullptr; }
    xcb_window_t Root() const;

    bool HasWindowManager() const { return WindowManager > 0; }
    pid_t ServerPid() const { return Xvfb; }

  private:
    pid_t Xvfb = -1;
    pid_t WindowManager = -1;
    std::string Display;
    std::optional<TXcbConnection> Observer;

    void StartServer();
    void StartWindowManager();
    bool WindowManagerManages();
};

// Starts a program with the current environment, output discarded unless Quiet is false.
pid_t StartProgram(const std::vector<std::string>& Argv, bool Quiet = true);
// Ends a process started by StartProgram and reaps it.
void Terminate(pid_t Pid);

// Keeps the event loop running for Ms milliseconds.
void Settle(int Ms);

// Helpers on the observer connection.
std::vector<std::uint32_t> WindowProperty(xcb_connection_t* Connection, xcb_window_t Window,
                                          const std::string& Property, xcb_atom_t Type);
xcb_window_t ActiveWindow(xcb_connection_t* Connection);
bool HasState(xcb_connection_t* Connection, xcb_window_t Window, const std::string& State);
// The managed window whose _NET_WM_PID is Pid, or none.
xcb_window_t WindowOfPid(xcb_connection_t* Connection, pid_t Pid);

// Keysyms of the keys that tests press besides letters (a letter's keysym is the lower-case letter).
namespace Keys {
constexpr std::uint32_t Shift = 0xffe1;
constexpr std::uint32_t Control = 0xffe3;
constexpr std::uint32_t Alt = 0xffe9;
constexpr std::uint32_t Return = 0xff0d;
constexpr std::uint32_t Escape = 0xff1b;
}  // namespace Keys

// Real key presses through the XTEST extension.
class FakeKeyboard {
  public:
    explicit FakeKeyboard(xcb_connection_t* Connection);
    ~FakeKeyboard();
    FakeKeyboard(const FakeKeyboard&) = delete;
    FakeKeyboard& operator=(const FakeKeyboard&) = delete;

    xcb_keycode_t Keycode(std::uint32_t Keysym) const;
    void Press(std::uint32_t Keysym);
    void Release(std::uint32_t Keysym);
    // Presses the keys in order and releases them in reverse order.
    void Chord(const std::vector<std::uint32_t>& Keysyms);
    void Tap(std::uint32_t Keysym) { Chord({Keysym}); }

  private:
    xcb_connection_t* Connection;
    xcb_key_symbols_t* Symbols;
    void Fake(std::uint8_t Type, std::uint32_t Keysym);
};

}  // namespace tulma::test
