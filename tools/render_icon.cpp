// Build-time helper: renders an SVG picture into a square PNG.
//   render_icon INPUT.svg OUTPUT.png SIZE
// The picture is scaled to fit SIZE x SIZE, keeping its aspect ratio, and
// centred on a transparent background. Exit code 0 on success, 1 on any error.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

namespace {
// Build machines often have no session (no XDG_RUNTIME_DIR); that notice is
// noise here. Everything else, such as a complaint about the SVG, is shown.
void printMessage(QtMsgType, const QMessageLogContext&, const QString& text) {
    if (text.startsWith(QLatin1String("QStandardPaths:"))) return;
    std::fprintf(stderr, "render_icon: %s\n", qPrintable(text));
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s INPUT.svg OUTPUT.png SIZE\n", argv[0]);
        return 1;
    }
    char* end = nullptr;
    const long size = std::strtol(argv[3], &end, 10);
    if (end == argv[3] || *end != '\0' || size < 1 || size > 4096) {
        std::fprintf(stderr, "render_icon: bad size '%s'\n", argv[3]);
        return 1;
    }
    qInstallMessageHandler(printMessage);
    int fakeArgc = 1;
    QGuiApplication app(fakeArgc, argv);  // fonts for any text in the picture

    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    const int side = static_cast<int>(size);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.setAspectRatioMode(Qt::KeepAspectRatio);
        svg.render(&painter, QRectF(0, 0, side, side));
    }
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "render_icon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
