// Renders the SVG application icon to PNG files of the given sizes:
// render_icon ICON.svg OUTDIR SIZE...
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: render_icon ICON.svg OUTDIR SIZE...\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  if (!svg.isValid()) return 1;
  for (int i = 3; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    const QString path = QString("%1/veltrum-%2.png").arg(QString::fromLocal8Bit(argv[2])).arg(size);
    if (!image.save(path)) return 1;
  }
  return 0;
}
