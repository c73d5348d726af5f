#pragma once

#include <QObject>

#include <functional>
#include <string>

namespace tulma {

class TLocalLineServer;

// Takes "tulma --run NAME" requests on the hotkey socket and has the named hotkey run, and the request of
// a second "tulma [FILE]" to show the running one instead. When another Tulma of the same user already
// serves the socket, this one stays silent.
class THotKeyServer : public QObject {
    Q_OBJECT
  public:
    // RunHotKey runs the hotkey that a name means; false when no hotkey fits.
    using TRunHotKey = std::function<bool(const std::string& Name)>;

    // ShowWindow shows the program's window when the hotkey file it is given (a full path, or empty for
    // none) is the one in use; false when it is another.
    using TShowWindow = std::function<bool(const std::string& FileName)>;

    THotKeyServer(TRunHotKey RunHotKey, TShowWindow ShowWindow, QObject* Parent = nullptr);

    bool Listening() const;

  private:
    TRunHotKey RunHotKey;
    TShowWindow ShowWindow;
    TLocalLineServer* Server;

    std::string Answer(const std::string& Request);
};

}  // namespace tulma
