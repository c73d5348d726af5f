#pragma once

#include <QIcon>

namespace tulma {

// Tulma's own icon, at any size: a key cap struck by lightning. For the windows, the tray and the about box.
QIcon ProgramIcon();

}  // namespace tulma
