#include "DesktopApplication.h"

#include <QGuiApplication>

#include "X11DisplayProbe.h"

namespace tulma {

std::unique_ptr<QCoreApplication> DesktopApplication(int& Argc, char** Argv) {
    const TX11DisplayProbe Probe;
    if (Probe.Reachable()) {
        return std::make_unique<QGuiApplication>(Argc, Argv);
    }
    return std::make_unique<QCoreApplication>(Argc, Argv);
}

}  // namespace tulma
