#pragma once

#include <QString>

#include <chrono>
#include <functional>
#include <iostream>
#include <map>
#include <string>

#include "DesktopNotification.h"
#include "LaunchFailureReport.h"

namespace tulma {

// Tells the user that a hotkey's command started nothing: one line on standard error and a passive
// desktop notification, or, on a desktop without a notification service, the fallback (the tray icon's
// balloon). Never a modal box: a hotkey is pressed while the user works elsewhere. The same failure is
// told at most once a second, so that a held or repeated key does not flood the desktop.
class TLaunchFailureNotifier : public ILaunchFailureReport {
  public:
    using TClock = std::function<std::chrono::steady_clock::time_point()>;
    using TFallback = std::function<void(const QString& Summary, const QString& Body)>;

    explicit TLaunchFailureNotifier(TNotificationDelivery Delivery = TNotificationDelivery::InBackground,
                                    std::ostream& Log = std::cerr,
                                    TClock Clock = std::chrono::steady_clock::now);

    void SetFallback(TFallback Show) { Fallback = std::move(Show); }
    void CommandFailed(const TLaunchFailure& Failure) override;
    // A desktop notification, or the fallback when the desktop has no notification service.
    void Tell(const QString& Summary, const QString& Body);

  private:
    TNotificationDelivery Delivery;
    std::ostream& Log;
    TClock Clock;
    TFallback Fallback;
    // When each failure, by its line, was last told.
    std::map<std::string, std::chrono::steady_clock::time_point> LastTold;

    bool TellAgain(const std::string& Line);
};

}  // namespace tulma
