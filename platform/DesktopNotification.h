#pragma once

#include <QString>

namespace tulma {

enum class TNotificationDelivery {
    InBackground,  // return at once; for a program that goes on running
    Wait,          // until the service has taken it; for a program that ends right after
};

// Shows a passive notification through the desktop's notification service (org.freedesktop.Notifications
// on the session bus). False when the session has no such service, running or startable.
bool ShowDesktopNotification(const QString& Summary, const QString& Body, TNotificationDelivery Delivery);

}  // namespace tulma
