#include "FailureNotices.h"

#include "FMain.h"
#include "LaunchFailureNotifier.h"

namespace tulma {

void TellFailuresIn(TFormMain& Window, TLaunchFailureNotifier& Notifier) {
    Notifier.SetFallback(
        [&Window](const QString& Summary, const QString& Body) { Window.ShowNotice(Summary, Body); });
    QObject::connect(
        &Window, &TFormMain::HotKeysRefused, &Window,
        [&Notifier](const QString& Summary, const QString& Body) { Notifier.Tell(Summary, Body); });
}

}  // namespace tulma
