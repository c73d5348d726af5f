#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

#include "DesktopWindows.h"

namespace tulma {

// The windows of a GNOME Shell session, native Wayland ones included, which only the shell can see: Tulma's
// Shell extension lists them, topmost first, with their WM_CLASS (a native window's app id) and the focused
// one, and activates one. While the extension does not answer, the X11 implementation finds the XWayland
// windows. X11 windows keep their X window ids; native ones get handles of their own (top bit set) that
// they keep while they are open.
class TGnomeShellWindows : public QObject, public IDesktopWindows {
    Q_OBJECT
  public:
    explicit TGnomeShellWindows(IDesktopWindows& X11Windows, QObject* Parent = nullptr);

    std::vector<TWindowHandle> TopLevelWindows() override;
    std::string WindowTitle(TWindowHandle Window) override;
    void RestoreAndActivate(TWindowHandle Window) override;
    TWindowSnapshot Snapshot() override;
    void SearchDone(const std::string& Text, const TWindowInfo* Chosen) override;

    // Whether the extension answered the last question (at first: whether it is on the bus).
    bool ExtensionAnswers() const { return Answers; }

  signals:
    // The extension began or stopped answering.
    void ExtensionAnswersChanged();

  private:
    struct TListedWindow {
        TWindowHandle Handle = 0;
        std::uint64_t ShellId = 0;
        std::string Title;
    };

    IDesktopWindows& X11Windows;
    bool Answers = false;
    // The windows of the last listing.
    std::vector<TListedWindow> Listed;
    TWindowHandle NextNative = 0;

    void SetAnswers(bool Now);
    TWindowHandle HandleOf(std::uint64_t ShellId, std::uint32_t XWindow);
    const TListedWindow* Find(TWindowHandle Window) const;
};

// Whether GNOME Shell runs on the session bus.
bool GnomeShellOnBus();

// Whether Tulma's Shell extension is on the session bus.
bool ShellExtensionOnBus();

// The uuid of the extension form that this shell runs (GNOME 45 changed how extensions are written).
QString ShellExtensionUuid();

// How to enable the extension, in the user's language.
std::string EnableShellExtensionHint();

}  // namespace tulma
