#include "X11Desktop.h"

#include "QtX11.h"
#include "X11DesktopWindows.h"
#include "X11HotKeys.h"
#include "X11Launcher.h"

namespace tulma {

X11Desktop::X11Desktop(QObject* Parent)
    : QObject(Parent),
      Keys(new X11HotKeys(this)),
      WindowList(
          std::make_unique<X11DesktopWindows>(QtX11Connection(), [this] { return Keys->LastPressTime(); })),
      Launch(new X11Launcher(QtX11Connection(), this)) {}

X11Desktop::~X11Desktop() = default;

HotKeyRegistry& X11Desktop::HotKeys() {
    return *Keys;
}

DesktopWindows& X11Desktop::Windows() {
    return *WindowList;
}

Launcher& X11Desktop::Starter() {
    return *Launch;
}

bool X11Desktop::LaunchesSettled() const {
    return Launch->Idle();
}

KeyNameLookup X11Desktop::KeyNames() const {
    return X11KeyNames();
}

}  // namespace tulma
