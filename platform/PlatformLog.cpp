#include "PlatformLog.h"

namespace tulma {

Q_LOGGING_CATEGORY(PlatformLog, "tulma.platform", QtWarningMsg)

}  // namespace tulma
