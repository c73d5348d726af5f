#pragma once

#include <QCoreApplication>

#include <memory>

namespace tulma {

// The application object of a command-line entry (--run, --list-windows, --desktop): on the X display
// when one answers, so that X11 can serve, else one without any display, for the backends that need
// none.
std::unique_ptr<QCoreApplication> DesktopApplication(int& Argc, char** Argv);

}  // namespace tulma
