#include "DeferredIcon.h"

#include <QIconEngine>
#include <QPainter>

#include <memory>

namespace tulma {
namespace {

// The icon found, shared by every copy of the engine so that it is looked up once.
struct TLookedUpIcon {
    std::function<QIcon()> Lookup;
    QIcon Found;

    const QIcon& Get() {
        if (Lookup) {
            Found = std::exchange(Lookup, nullptr)();
        }
        return Found;
    }
};

class TDeferredIconEngine : public QIconEngine {
  public:
    explicit TDeferredIconEngine(std::shared_ptr<TLookedUpIcon> Icon) : Icon(std::move(Icon)) {}

    void paint(QPainter* Painter, const QRect& Rect, QIcon::Mode Mode, QIcon::State State) override {
        Icon->Get().paint(Painter, Rect, Qt::AlignCenter, Mode, State);
    }
    QPixmap pixmap(const QSize& Size, QIcon::Mode Mode, QIcon::State State) override {
        return Icon->Get().pixmap(Size, Mode, State);
    }
    // Laying out a list measures every line's icon; the size asked for serves, so that the lookup waits
    // for the first line drawn.
    QSize actualSize(const QSize& Size, QIcon::Mode, QIcon::State) override { return Size; }
    // Qt takes ownership of the copy.
    QIconEngine* clone() const override { return std::make_unique<TDeferredIconEngine>(Icon).release(); }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }

  private:
    std::shared_ptr<TLookedUpIcon> Icon;
};

}  // namespace

QIcon DeferredIcon(std::function<QIcon()> Lookup) {
    auto Icon = std::make_shared<TLookedUpIcon>(TLookedUpIcon{std::move(Lookup), {}});
    return QIcon(std::make_unique<TDeferredIconEngine>(std::move(Icon)).release());
}

}  // namespace tulma
