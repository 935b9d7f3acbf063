#include "help/deferred_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <memory>
#include <utility>

namespace tavrinel {

namespace {

// Hands every request to the made icon through QIcon's own calls, which
// bring their own scaling for the screen's density: pixmap() and
// availableSizes() are asked in device pixels at a ratio of one.
class DeferredIconEngine final : public QIconEngine {
public:
    explicit DeferredIconEngine(std::shared_ptr<std::function<QIcon()>> make)
        : make_(std::move(make)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Made().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Made().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Made().pixmap(size, 1.0, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Made().availableSizes(mode, state);
    }
    bool isNull() override { return made_ && icon_.isNull(); }
    QIconEngine* clone() const override {
        auto* copy = new DeferredIconEngine(make_);
        copy->icon_ = icon_;
        copy->made_ = made_;
        return copy;
    }

private:
    const QIcon& Made() {
        if (!made_) {
            icon_ = (*make_)();
            made_ = true;
        }
        return icon_;
    }

    std::shared_ptr<std::function<QIcon()>> make_;
    QIcon icon_;
    bool made_ = false;
};

}  // namespace

QIcon DeferredIcon(std::function<QIcon()> make) {
    return QIcon(new DeferredIconEngine(std::make_shared<std::function<QIcon()>>(std::move(make))));
}

}  // namespace tavrinel
