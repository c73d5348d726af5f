#include "ProgramIcon.h"

namespace tulma {

QIcon ProgramIcon() {
    return QIcon(QStringLiteral(":/icons/tulma.svg"));
}

}  // namespace tulma
