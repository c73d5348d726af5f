// A native Wayland window for the tests: titled with its first argument; creates the file named by its
// second argument once the compositor shows it. With --minimize it minimises itself once active, creates
// READY_FILE once minimised, and READY_FILE.activated when the desktop activates it again. --app-id
// gives it that app id (else Qt's, the executable's name).
//   tulma_wayland_window [--app-id ID] [--minimize] TITLE READY_FILE
#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstring>

namespace {

void Touch(const QString& Name) {
    QFile(Name).open(QIODevice::WriteOnly);
}

// Minimises itself once the desktop has activated it, reports ready once that took the focus away, and
// reports the next activation.
class MinimizingWindow : public QWidget {
  public:
    QString ReadyFile;

  protected:
    bool event(QEvent* Event) override {
        if (Event->type() == QEvent::WindowActivate) {
            if (!Minimized) {
                Minimized = true;
                QTimer::singleShot(0, this, [this] { showMinimized(); });
            } else if (Deactivated) {
                Touch(ReadyFile + ".activated");
            }
        } else if (Event->type() == QEvent::WindowDeactivate && Minimized && !Deactivated) {
            Deactivated = true;
            Touch(ReadyFile);
        }
        return QWidget::event(Event);
    }

  private:
    bool Minimized = false;
    bool Deactivated = false;
};

}  // namespace

int main(int Argc, char** Argv) {
    const bool Named = Argc >= 3 && std::strcmp(Argv[1], "--app-id") == 0;
    const int First = Named ? 3 : 1;
    const bool Minimize = Argc == First + 3 && std::strcmp(Argv[First], "--minimize") == 0;
    if (Argc != First + 2 && !Minimize) {
        std::fprintf(stderr, "usage: tulma_wayland_window [--app-id ID] [--minimize] TITLE READY_FILE\n");
        return 2;
    }
    const QString Title = QString::fromLocal8Bit(Argv[Argc - 2]);
    const QString Ready = QString::fromLocal8Bit(Argv[Argc - 1]);
    qputenv("QT_QPA_PLATFORM", "wayland");
    QApplication Application(Argc, Argv);
    if (Named) {
        QGuiApplication::setDesktopFileName(QString::fromLocal8Bit(Argv[2]));
    }
    if (Minimize) {
        MinimizingWindow Window;
        Window.ReadyFile = Ready;
        Window.setWindowTitle(Title);
        Window.resize(320, 200);
        Window.show();
        return Application.exec();
    }
    QWidget Window;
    Window.setWindowTitle(Title);
    Window.resize(320, 200);
    Window.show();
    QTimer Exposed;
    QObject::connect(&Exposed, &QTimer::timeout, [&] {
        if (Window.windowHandle() != nullptr && Window.windowHandle()->isExposed()) {
            Exposed.stop();
            Touch(Ready);
        }
    });
    Exposed.start(20);
    return Application.exec();
}
