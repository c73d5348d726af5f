#pragma once

#include <QDBusConnection>
#include <QObject>

#include <optional>

namespace tulma {

// Runs a JavaScript program inside KWin through its scripting interface on the session bus
// (org.kde.KWin, /Scripting) and waits for the answer that the program sends back through
// callDBus(Reply.Service, Reply.Path, Reply.Interface, "Report", text).
class TKWinScript : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tulma.KWinScriptReply")
  public:
    // Whether KWin runs on the session bus with its scripting interface.
    static bool Available();

    explicit TKWinScript(QObject* Parent = nullptr);
    ~TKWinScript() override;

    // Runs Program, in which REPLY_SERVICE, REPLY_PATH and REPLY_INTERFACE stand for where to send the
    // answer, and returns the text it reported; nothing when KWin refused the program or no answer came
    // within two seconds.
    std::optional<QString> Run(const QString& Program);

  public slots:
    Q_SCRIPTABLE void Report(const QString& Text);

  private:
    QDBusConnection Bus;
    std::optional<QString> Answer;
    unsigned Runs = 0;
};

}  // namespace tulma
