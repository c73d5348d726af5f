#include "HotKeySocket.h"

#include <unistd.h>

#include <QDir>

namespace tulma {

QString HotKeySocketName() {
    QString Folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!Folder.startsWith('/')) {
        Folder = QDir::tempPath();
    }
    QString Display = qEnvironmentVariable("DISPLAY");
    Display.replace('/', '_');
    return QString("%1/tulma-%2-%3.socket").arg(Folder).arg(getuid()).arg(Display);
}

}  // namespace tulma
