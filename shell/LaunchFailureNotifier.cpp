#include "LaunchFailureNotifier.h"

#include "DesktopNotification.h"
#include "QtText.h"

namespace tulma {

namespace {

constexpr std::chrono::seconds Quiet{1};

}  // namespace

TLaunchFailureNotifier::TLaunchFailureNotifier(TNotificationDelivery Delivery, std::ostream& Log,
                                               TClock Clock)
    : Delivery(Delivery), Log(Log), Clock(std::move(Clock)) {}

void TLaunchFailureNotifier::CommandFailed(const TLaunchFailure& Failure) {
    const std::string Summary = "Hotkey \"" + Failure.HotKey + "\" started nothing";
    const std::string Body = Failure.File.empty() ? Failure.Reason : Failure.File + ": " + Failure.Reason;
    const std::string Line = Summary + ": " + Body;
    if (!TellAgain(Line)) {
        return;
    }
    Log << "tulma: " << Line << std::endl;
    Tell(ToQString(Summary), ToQString(Body));
}

void TLaunchFailureNotifier::Tell(const QString& Summary, const QString& Body) {
    if (!ShowDesktopNotification(Summary, Body, Delivery) && Fallback) {
        Fallback(Summary, Body);
    }
}

bool TLaunchFailureNotifier::TellAgain(const std::string& Line) {
    const auto Now = Clock();
    std::erase_if(LastTold, [&](const auto& Told) { return Now - Told.second >= Quiet; });
    return LastTold.emplace(Line, Now).second;
}

}  // namespace tulma
