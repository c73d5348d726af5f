#pragma once

#include <QIcon>

#include <functional>

namespace tulma {

// An icon that Lookup finds only when it is first drawn. Finding a theme icon reads the
// icon themes' index files and keeps them, which a window that stays in the tray never needs.
QIcon DeferredIcon(std::function<QIcon()> Lookup);

}  // namespace tulma
