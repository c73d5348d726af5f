#include "BusCall.h"

namespace tulma {

QDBusMessage BusMethodCall(const TBusMethod& Method, const QVariantList& Arguments) {
    QDBusMessage Message =
        QDBusMessage::createMethodCall(Method.Service, Method.Path, Method.Interface, Method.Name);
    Message.setArguments(Arguments);
    return Message;
}

QDBusMessage CallBusMethod(const QDBusConnection& Bus, const TBusMethod& Method,
                           const QVariantList& Arguments, int WaitMs, QDBus::CallMode Mode) {
    return Bus.call(BusMethodCall(Method, Arguments), Mode, WaitMs);
}

}  // namespace tulma
