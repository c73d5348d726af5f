#pragma once

namespace tulma {

class TFormMain;
class TLaunchFailureNotifier;

// Failures reach the user while the window is open: a hotkey whose command started nothing and the
// hotkeys refused at start-up go to a desktop notification, or, without a notification service, to the
// window's notice line (and the tray balloon while the tray icon shows).
void TellFailuresIn(TFormMain& Window, TLaunchFailureNotifier& Notifier);

}  // namespace tulma
