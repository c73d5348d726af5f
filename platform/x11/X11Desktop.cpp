#include "X11Desktop.h"

#include "QtX11.h"
#include "X11DesktopWindows.h"
#include "X11HotKeys.h"
#include "X11Launcher.h"

namespace tulma {

TX11Desktop::TX11Desktop(QObject* Parent)
    : QObject(Parent),
      Keys(new TX11HotKeys(this)),
      WindowList(
          std::make_unique<TX11DesktopWindows>(QtX11Connection(), [this] { return Keys->LastPressTime(); })),
      Starts(new TX11Launcher(QtX11Connection(), this, [this] { return Keys->LastPressTime(); })) {}

TX11Desktop::~TX11Desktop() = default;

IHotKeyRegistry& TX11Desktop::HotKeys() {
    return *Keys;
}

IDesktopWindows& TX11Desktop::Windows() {
    return *WindowList;
}

ILauncher& TX11Desktop::Launcher() {
    return *Starts;
}

bool TX11Desktop::LaunchesSettled() const {
    return Starts->Idle();
}

TKeyNameLookup TX11Desktop::KeyNames() const {
    return X11KeyNames();
}

}  // namespace tulma
