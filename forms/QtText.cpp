#include "QtText.h"

#include <QStringDecoder>
#include <array>

namespace tulma {
namespace {

// Windows-1252 at 0x80..0x9F; the five bytes it leaves undefined keep their own code points.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString FromWindows1252(std::string_view Bytes) {
    QString Text;
    Text.reserve(static_cast<qsizetype>(Bytes.size()));
    for (const char C : Bytes) {
        const auto Byte = static_cast<unsigned char>(C);
        Text.append(QChar(Byte >= 0x80 && Byte < 0xA0 ? Windows1252High[Byte - 0x80] : char16_t{Byte}));
    }
    return Text;
}

}  // namespace

QString ToQString(std::string_view Bytes) {
    QStringDecoder Decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString Text = Decoder.decode(QByteArrayView(Bytes.data(), static_cast<qsizetype>(Bytes.size())));
    return Decoder.hasError() ? FromWindows1252(Bytes) : Text;
}

std::string FromQString(const QString& Text) {
    return Text.toStdString();
}

}  // namespace tulma
