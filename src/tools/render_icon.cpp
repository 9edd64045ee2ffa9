// Renders the SVG icon to a square PNG of the given size: yarrow-render-icon IN.svg SIZE OUT.png.
// The PNG icons are made from the one SVG at build time, so they cannot drift from it.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: yarrow-render-icon IN.svg SIZE OUT.png\n");
        return 2;
    }
    // No display at build time: the offscreen platform is enough to paint into an image.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int size = std::atoi(argv[2]);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid() || size < 16 || size > 1024) {
        std::fprintf(stderr, "yarrow-render-icon: cannot render '%s' at %s px\n", argv[1], argv[2]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
    }
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "yarrow-render-icon: cannot write '%s'\n", argv[3]);
        return 1;
    }
    return 0;
}
