// Icons from the program's resources, rendered from their vector source at
// every size asked, so they stay crisp at any scale.
#include <QApplication>
#include <QFileInfo>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <map>
#include <memory>
#include <tuple>
#include <utility>

#include "dialog/dialog_qt.h"
#include "dialog/platform.h"

namespace {

// Renders the vector source at whatever size is asked, so icons stay crisp at any scale.
class SvgIconEngine : public QIconEngine {
public:
    explicit SvgIconEngine(QString path) : path_(std::move(path)) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap pm = scaledPixmap(rect.size(), mode, state, ratio);
        painter->drawPixmap(rect, pm);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override {
        QSvgRenderer renderer(path_);
        const QSize device = (QSizeF(size) * scale).toSize();
        QPixmap pm(device.isEmpty() ? QSize(1, 1) : device);
        pm.fill(Qt::transparent);
        if (renderer.isValid()) {
            QPainter p(&pm);
            p.setRenderHint(QPainter::Antialiasing);
            renderer.render(&p);
        }
        pm.setDevicePixelRatio(scale);
        if (mode == QIcon::Disabled && qApp) {
            QStyleOption opt;
            opt.palette = QApplication::palette();
            pm = QApplication::style()->generatedIconPixmap(QIcon::Disabled, pm, &opt);
        }
        return pm;
    }
    QIconEngine* clone() const override { return new SvgIconEngine(path_); }
    QString key() const override { return QStringLiteral("orvane-svg"); }

private:
    QString path_;
};

}  // namespace

namespace platform {

HICON LoadIconResource(int resourceId, int width, int height) {
    EnsureResources();
    const QString path = QStringLiteral(":/icons/%1.svg").arg(resourceId);
    if (!QFileInfo::exists(path)) return nullptr;
    if (width <= 0 || height <= 0) {
        const int side = qApp ? QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize) : 16;
        width = height = side;
    }
    static std::map<std::tuple<int, int, int>, std::unique_ptr<IconResource>> cache;
    auto& slot = cache[{resourceId, width, height}];
    if (!slot) {
        slot = std::make_unique<IconResource>();
        slot->resourceId = resourceId;
        slot->size = QSize(width, height);
        slot->icon = QIcon(new SvgIconEngine(path));
    }
    return slot.get();
}

}  // namespace platform
