// Renders SVG files to square PNG images: svg2png SIZE OUTDIR FILE.svg...
// Used by the build to make the application's icons from their sources.
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() < 4) {
        err << "usage: svg2png SIZE OUTDIR FILE.svg...\n";
        return 2;
    }
    const int size = args.at(1).toInt();
    const QString outDir = args.at(2);
    for (const QString &file : args.mid(3)) {
        QSvgRenderer renderer(file);
        if (!renderer.isValid()) {
            err << "svg2png: cannot read " << file << '\n';
            return 1;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        const QString out = outDir + '/' + QFileInfo(file).completeBaseName() + ".png";
        if (!image.save(out, "PNG")) {
            err << "svg2png: cannot write " << out << '\n';
            return 1;
        }
    }
    return 0;
}
