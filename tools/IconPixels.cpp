// Build step: turns a rendered PNG of the program's icon into the pixels a window hands the window
// manager (32-bit premultiplied ARGB in the machine's byte order, row after row), so that the running
// program creates its windows without decoding a PNG for each size.
#include <QImage>

#include <cstdio>

int main(int Argc, char** Argv) {
    if (Argc != 3) {
        std::fprintf(stderr, "usage: %s PNG PIXELS\n", Argv[0]);
        return 2;
    }
    const QImage Read(QString::fromLocal8Bit(Argv[1]), "PNG");
    if (Read.isNull()) {
        std::fprintf(stderr, "%s: cannot read %s\n", Argv[0], Argv[1]);
        return 1;
    }
    const QImage Pixels = Read.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    std::FILE* Out = std::fopen(Argv[2], "wb");
    if (Out == nullptr) {
        std::fprintf(stderr, "%s: cannot write %s\n", Argv[0], Argv[2]);
        return 1;
    }
    const auto Size = static_cast<std::size_t>(Pixels.sizeInBytes());
    const bool Written = std::fwrite(Pixels.constBits(), 1, Size, Out) == Size;
    return std::fclose(Out) == 0 && Written ? 0 : 1;
}
