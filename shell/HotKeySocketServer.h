#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <string>

namespace tulma {

class TLocalLineServer;

// Takes "tulma --run NAME" requests on the hotkey socket and has the named hotkey run, the requests of
// desktop shortcuts to run a hotkey by its identifier, and the request of a second "tulma [FILE]" to show
// the running one instead. When another Tulma of the same user already
// serves the socket, this one stays silent.
class THotKeySocketServer : public QObject {
    Q_OBJECT
  public:
    // RunHotKey runs the hotkey that a name means; false when no hotkey fits.
    using TRunHotKey = std::function<bool(const std::string& Name)>;

    // ShowWindow shows the program's window when the hotkey file it is given (a full path, or empty for
    // none) is the one in use; false when it is another.
    using TShowWindow = std::function<bool(const std::string& FileName)>;

    // RunHotKeyId runs the hotkey with an identifier when the hotkey file it is given (as ShowWindow's) is
    // the one in use: what a desktop shortcut of Tulma's asks for.
    enum class TRunIdAnswer { Ran, Unknown, OtherFile };
    using TRunHotKeyId = std::function<TRunIdAnswer(std::int32_t ID, const std::string& FileName)>;

    THotKeySocketServer(TRunHotKey RunHotKey, TShowWindow ShowWindow, TRunHotKeyId RunHotKeyId,
                        QObject* Parent = nullptr);

    bool Listening() const;

  private:
    TRunHotKey RunHotKey;
    TShowWindow ShowWindow;
    TRunHotKeyId RunHotKeyId;
    TLocalLineServer* Server;

    std::string Answer(const std::string& Request);
};

}  // namespace tulma
