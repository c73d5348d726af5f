#pragma once

#include <QLoggingCategory>

namespace tulma {

// Diagnostics for "my hotkey does nothing": refused grabs, starts with their arguments and results,
// window searches with their match. Off by default; QT_LOGGING_RULES="tulma.platform.debug=true" turns
// it on.
Q_DECLARE_LOGGING_CATEGORY(PlatformLog)

}  // namespace tulma
