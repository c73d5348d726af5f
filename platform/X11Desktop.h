#pragma once

#include <QObject>

#include <memory>

#include "DesktopWindows.h"
#include "HotKeyRegistry.h"
#include "KeyNames.h"
#include "Launcher.h"

namespace tulma {

class X11DesktopWindows;
class X11HotKeys;
class X11Launcher;

// The desktop services of an application running on X11, wired to each other: activations carry the
// time of the hotkey press that led to them. Needs a QGuiApplication on the xcb platform; throws
// std::runtime_error otherwise.
class X11Desktop : public QObject {
    Q_OBJECT
  public:
    explicit X11Desktop(QObject* Parent = nullptr);
    ~X11Desktop() override;

    HotKeyRegistry& HotKeys();
    // The same object as HotKeys(), for connecting to its HotKeyPressed signal.
    X11HotKeys& HotKeySignals() { return *Keys; }
    DesktopWindows& Windows();
    Launcher& Starter();
    // Whether every program started so far has had its show command applied (or given up on).
    bool LaunchesSettled() const;
    KeyNameLookup KeyNames() const;

  private:
    X11HotKeys* Keys;
    std::unique_ptr<X11DesktopWindows> WindowList;
    X11Launcher* Launch;
};

}  // namespace tulma
