#include "ProgramIcon.h"

#include <QCoreApplication>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QResource>

#include <algorithm>
#include <array>
#include <map>
#include <memory>

namespace tulma {

namespace {

// The sizes rendered from the icon's SVG source at build time: up to the largest that a window hands the
// window manager as ready pixels, the larger ones as PNGs.
constexpr std::array RenderedSizes{TULMA_ICON_SIZES};
constexpr int LargestWindowIcon = TULMA_WINDOW_ICON_LARGEST;

// Every window created hands the window manager each of these sizes: reading them where they lie in the
// program decodes nothing (a PNG decoder took most of a window's creation).
QPixmap ReadyPixels(int Size) {
    const QResource Pixels(QStringLiteral(":/icons/%1x%1/tulma.argb").arg(Size));
    if (Pixels.size() != static_cast<qint64>(Size) * Size * 4) {
        return {};
    }
    return QPixmap::fromImage(QImage(Pixels.data(), Size, Size, QImage::Format_ARGB32_Premultiplied));
}

// QIcon::addFile would load every image-format plugin to learn that a PNG is a PNG, and SVG needs a
// library of its own.
QPixmap DecodedPng(int Size) {
    QImageReader Reader(QStringLiteral(":/icons/%1x%1/tulma.png").arg(Size), "png");
    Reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(Reader.read());
}

// Reads each rendered size when a size near it is first asked for, and keeps it.
class TRenderedIcon {
  public:
    QPixmap Pixmap(const QSize& Wanted) {
        const int Size = NearestSize(std::max(Wanted.width(), Wanted.height()));
        QPixmap& Decoded = FDecoded[Size];
        if (Decoded.isNull()) {
            Decoded = Size <= LargestWindowIcon ? ReadyPixels(Size) : DecodedPng(Size);
        }
        return Size > Wanted.width() || Size > Wanted.height()
                   ? Decoded.scaled(Wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                   : Decoded;
    }

  private:
    std::map<int, QPixmap> FDecoded;

    // The smallest rendered size that covers Wanted, so that it is only ever scaled down.
    static int NearestSize(int Wanted) {
        const auto Covering = std::find_if(RenderedSizes.begin(), RenderedSizes.end(),
                                           [Wanted](int Size) { return Size >= Wanted; });
        return Covering == RenderedSizes.end() ? RenderedSizes.back() : *Covering;
    }
};

class TProgramIconEngine : public QIconEngine {
  public:
    explicit TProgramIconEngine(std::shared_ptr<TRenderedIcon> Icon) : Icon(std::move(Icon)) {}

    QPixmap pixmap(const QSize& Size, QIcon::Mode, QIcon::State) override { return Icon->Pixmap(Size); }
    QSize actualSize(const QSize& Size, QIcon::Mode, QIcon::State) override { return Size; }
    void paint(QPainter* Painter, const QRect& Rect, QIcon::Mode, QIcon::State) override {
        Painter->drawPixmap(Rect, Icon->Pixmap(Rect.size() * Painter->device()->devicePixelRatio()));
    }
    // The sizes that a window hands the window manager: each is decoded when a window is created, and the
    // largest (for icon themes) would cost more than all the others together.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> Sizes;
        for (const int Size : RenderedSizes) {
            if (Size <= LargestWindowIcon) {
                Sizes.append(QSize(Size, Size));
            }
        }
        return Sizes;
    }
    // Qt takes ownership of the copy.
    QIconEngine* clone() const override { return std::make_unique<TProgramIconEngine>(Icon).release(); }
    QString key() const override { return QStringLiteral("ProgramIconEngine"); }

  private:
    std::shared_ptr<TRenderedIcon> Icon;
};

QIcon& SharedIcon() {
    static QIcon Icon;
    return Icon;
}

// Let go while the application is still there: the pixmaps need it.
void ReleaseSharedIcon() {
    SharedIcon() = QIcon();
}

}  // namespace

// One icon object for every window: a fresh QIcon per dialog renders its pixmaps for the window manager
// anew and keeps them in the pixmap cache, some 100 kB for each dialog opened until the cache is full.
QIcon ProgramIcon() {
    QIcon& Icon = SharedIcon();
    if (Icon.isNull()) {
        Icon = QIcon(std::make_unique<TProgramIconEngine>(std::make_shared<TRenderedIcon>()).release());
        qAddPostRoutine(ReleaseSharedIcon);
    }
    return Icon;
}

}  // namespace tulma
