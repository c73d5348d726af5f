#pragma once

#include <QObject>

#include <memory>

#include "DesktopWindows.h"
#include "HotKeyRegistry.h"
#include "KeyNames.h"
#include "Launcher.h"

namespace tulma {

class TX11DesktopWindows;
class TX11HotKeys;
class TX11Launcher;

// The desktop services of an application running on X11, wired to each other: activations carry the
// time of the hotkey press that led to them. Needs a QGuiApplication on the xcb platform; throws
// std::runtime_error otherwise.
class TX11Desktop : public QObject {
    Q_OBJECT
  public:
    explicit TX11Desktop(QObject* Parent = nullptr);
    ~TX11Desktop() override;

    IHotKeyRegistry& HotKeys();
    // The same object as HotKeys(), for connecting to its HotKeyPressed signal.
    TX11HotKeys& HotKeySignals() { return *Keys; }
    IDesktopWindows& Windows();
    ILauncher& Launcher();
    // Whether every program started so far has had its show command applied (or given up on).
    bool LaunchesSettled() const;
    TKeyNameLookup KeyNames() const;

  private:
    TX11HotKeys* Keys;
    std::unique_ptr<TX11DesktopWindows> WindowList;
    TX11Launcher* Starts;
};

}  // namespace tulma
