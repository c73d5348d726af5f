#include "ProgramIcon.h"

#include <QCoreApplication>

namespace tulma {

namespace {

QIcon& SharedIcon() {
    static QIcon Icon;
    return Icon;
}

// Let go while the application (and the icon engine's plugin) is still there.
void ReleaseSharedIcon() {
    SharedIcon() = QIcon();
}

}  // namespace

// One icon object for every window: a fresh QIcon per dialog renders its pixmaps for the window manager
// anew and keeps them in the pixmap cache, some 100 kB for each dialog opened until the cache is full.
QIcon ProgramIcon() {
    QIcon& Icon = SharedIcon();
    if (Icon.isNull()) {
        Icon = QIcon(QStringLiteral(":/icons/tulma.svg"));
        qAddPostRoutine(ReleaseSharedIcon);
    }
    return Icon;
}

}  // namespace tulma
