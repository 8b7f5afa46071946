// Renders an SVG icon as the PNG sizes the desktop's icon themes look up:
// trevan-icons SVG OUTDIR NAME SIZE... writes OUTDIR/SIZExSIZE/apps/NAME.png.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 5) {
    std::fprintf(stderr, "usage: trevan-icons SVG OUTDIR NAME SIZE...\n");
    return 64;
  }
  QSvgRenderer svg(args[1]);
  if (!svg.isValid()) {
    std::fprintf(stderr, "trevan-icons: cannot read %s\n", qPrintable(args[1]));
    return 1;
  }
  for (qsizetype i = 4; i < args.size(); ++i) {
    const int size = args[i].toInt();
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
      QPainter painter(&image);
      painter.setRenderHint(QPainter::Antialiasing);
      svg.render(&painter);
    }
    const QString dir = QString("%1/%2x%2/apps").arg(args[2]).arg(size);
    QDir().mkpath(dir);
    if (!image.save(dir + "/" + args[3] + ".png")) return 1;
  }
  return 0;
}
