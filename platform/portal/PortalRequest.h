#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QVariantList>
#include <QVariantMap>

#include <functional>

namespace tulma {

// The desktop portal's bus name and object, for every call and signal of the portal.
inline const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
inline const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");

// One call of a desktop portal method that answers later, through the Response signal of a Request
// object. The request's path is known before the call (it derives from the caller's bus name and the
// handle token), so the answer is listened for before it can come. Deletes itself after the answer;
// a call that fails answers with code 2 and no results.
class TPortalRequest : public QObject {
    Q_OBJECT
  public:
    using TAnswer = std::function<void(uint Code, const QVariantMap& Results)>;

    // Calls Interface.Method on the portal object with Arguments followed by Options, to which the
    // request's handle token is added. Done is not called once Context is gone.
    static void Call(QObject* Context, const QDBusConnection& Bus, const QString& Interface,
                     const QString& Method, QVariantList Arguments, QVariantMap Options, TAnswer Done);

  private slots:
    void Receive(uint Code, const QVariantMap& Results);

  private:
    QDBusConnection Bus;
    QString Path;
    TAnswer Done;
    bool Answered = false;

    TPortalRequest(QObject* Context, const QDBusConnection& Bus, QString Path, TAnswer Done);
    void Finish(uint Code, const QVariantMap& Results);
};

}  // namespace tulma
