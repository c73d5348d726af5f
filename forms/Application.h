#pragma once

#include <QApplication>
#include <exception>
#include <functional>

namespace tulma {

// The program's application object. It holds the one application-wide error handler: an error that
// escapes the handling of an event is shown in a message box (its message, the application's display
// name as caption, a stop icon and OK) and the program goes on with the next event. It also makes
// the Qt message box the box of the message catalogue.
class TApplication : public QApplication {
    Q_OBJECT

  public:
    TApplication(int& Argc, char** Argv);

    bool notify(QObject* Receiver, QEvent* Event) override;

    // The error handler's box, for errors caught outside the event loop (during start-up).
    static void ShowException(const std::exception& Error);
    // Runs Action; an error it raises is shown by ShowException. True when Action ran to its end.
    static bool RunGuarded(const std::function<void()>& Action);
};

}  // namespace tulma
