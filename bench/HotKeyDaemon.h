#pragma once

#include <sys/types.h>

#include <filesystem>
#include <memory>
#include <string>

#include "ProbePipe.h"
#include "TempDir.h"
#include "XServerFixture.h"

namespace tulma::bench {

// A hotkey daemon on a display of its own (Xvfb with openbox), with Ctrl+Alt+L bound to the launch
// probe and Bindings - 1 other combinations bound to "true". Either the real tulma program with a hotkey
// file, sxhkd with a configuration file, or the floor daemon (bench_floor_daemon, this one binding only).
class THotKeyDaemon {
  public:
    enum class TKind { Tulma, Sxhkd, Floor };
    // What has the focus when the key goes down: nothing (Tulma minimised, idling), another program's
    // window (xterm; Tulma minimised), or Tulma's own main window (the daemon's window; the others have
    // none, so there xterm has it).
    enum class TFocus { Nothing, OtherWindow, OwnWindow };

    // Returns once a press of the hotkey starts the probe. Throws std::runtime_error otherwise.
    THotKeyDaemon(TKind Kind, int Bindings, TFocus Focus = TFocus::Nothing);
    ~THotKeyDaemon();
    THotKeyDaemon(const THotKeyDaemon&) = delete;
    THotKeyDaemon& operator=(const THotKeyDaemon&) = delete;

    // One press of Ctrl+Alt+L: seconds from just before the L key goes down (the modifiers are held
    // already) to the first statement of the started probe. Returns after the keys are up and the probe
    // is gone, so that launches never overlap.
    double PressToLaunch();

    pid_t Pid() const { return Daemon; }

  private:
    TKind Kind;
    int Bindings;
    TFocus Focus;
    test::XServerFixture Display;
    test::TempDir Dir;
    std::unique_ptr<TProbePipe> Pipe;
    std::unique_ptr<test::FakeKeyboard> Keyboard;
    pid_t Daemon = -1;
    pid_t OtherProgram = -1;

    void StartTulma();
    void FocusWindowOf(pid_t Pid);
    void StartSxhkd();
    void StartFloor();
    void WaitUntilAnswering();
    void Settle();
    std::string Name() const;
};

}  // namespace tulma::bench
