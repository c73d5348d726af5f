// A native Wayland window for the tests: titled with its first argument; creates the file named by its
// second argument once the compositor shows it.
//   tulma_wayland_window TITLE READY_FILE
#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>

int main(int Argc, char** Argv) {
    if (Argc != 3) {
        std::fprintf(stderr, "usage: tulma_wayland_window TITLE READY_FILE\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "wayland");
    QApplication Application(Argc, Argv);
    QWidget Window;
    Window.setWindowTitle(QString::fromLocal8Bit(Argv[1]));
    Window.resize(320, 200);
    Window.show();
    QTimer Exposed;
    QObject::connect(&Exposed, &QTimer::timeout, [&] {
        if (Window.windowHandle() != nullptr && Window.windowHandle()->isExposed()) {
            Exposed.stop();
            QFile(QString::fromLocal8Bit(Argv[2])).open(QIODevice::WriteOnly);
        }
    });
    Exposed.start(20);
    return Application.exec();
}
