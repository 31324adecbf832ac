// kolvane_render_icons: draws the program's SVG icon as the PNG sizes of the
// icon theme, at build time, so that no drawn file is kept in the sources.
// Usage: kolvane_render_icons ICON.svg OUTDIR SIZE...
// writes OUTDIR/<size>x<size>/apps/<name of ICON>.png for each size.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fputs("usage: kolvane_render_icons ICON.svg OUTDIR SIZE...\n", stderr);
        return 1;
    }
    const QString svg = args.at(1);
    const QString name = QFileInfo(svg).completeBaseName() + QStringLiteral(".png");
    for (qsizetype i = 3; i < args.size(); ++i) {
        bool ok = false;
        const int size = args.at(i).toInt(&ok);
        if (!ok || size <= 0 || size > 1024) {
            std::fprintf(stderr, "kolvane_render_icons: bad size %s\n", qPrintable(args.at(i)));
            return 1;
        }
        // The SVG image plugin draws at the asked size, so every size is sharp.
        QImageReader reader(svg, "svg");
        reader.setScaledSize(QSize(size, size));
        const QImage image = reader.read();
        if (image.isNull()) {
            std::fprintf(stderr, "kolvane_render_icons: %s: %s (is Qt's SVG plugin there?)\n",
                         qPrintable(svg), qPrintable(reader.errorString()));
            return 1;
        }
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args.at(2)).arg(size);
        const QString out = folder + QLatin1Char('/') + name;
        if (!QDir().mkpath(folder) || !image.save(out, "PNG")) {
            std::fprintf(stderr, "kolvane_render_icons: cannot write %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
