#include "QtText.h"

#include <QStringDecoder>

#include "ByteText.h"

namespace tulma {

QString ToQString(std::string_view Bytes) {
    if (!IsValidUtf8(Bytes)) {
        const std::u16string Windows1252 = FromWindows1252(Bytes);
        return QString::fromUtf16(Windows1252.data(), static_cast<qsizetype>(Windows1252.size()));
    }
    QStringDecoder Decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    return Decoder.decode(QByteArrayView(Bytes.data(), static_cast<qsizetype>(Bytes.size())));
}

std::string FromQString(const QString& Text) {
    return Text.toStdString();
}

}  // namespace tulma
