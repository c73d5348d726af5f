#pragma once

#include <QObject>

#include <functional>
#include <string>

class QLocalServer;
class QLocalSocket;

namespace tulma {

// Takes "tulma --run NAME" requests on the hotkey socket and has the named hotkey run. When another
// Tulma of the same user already serves the socket, this one stays silent.
class THotKeyServer : public QObject {
    Q_OBJECT
  public:
    // RunHotKey runs the hotkey that a name means; false when no hotkey fits.
    using TRunHotKey = std::function<bool(const std::string& Name)>;

    explicit THotKeyServer(TRunHotKey RunHotKey, QObject* Parent = nullptr);

    bool Listening() const;

  private:
    TRunHotKey RunHotKey;
    QLocalServer* Server;

    void Listen();
    void Serve(QLocalSocket* Client);
};

}  // namespace tulma
