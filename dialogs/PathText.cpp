#include "PathText.h"

#include <QFile>

namespace tulma {

QString PathToQString(const std::string& Path) {
    return QFile::decodeName(QByteArray::fromStdString(Path));
}

std::string PathFromQString(const QString& Path) {
    return QFile::encodeName(Path).toStdString();
}

}  // namespace tulma
