// render_icon: draws an SVG icon into PNG files of the given square sizes,
// for the icon theme's fixed-size folders.
//
//   render_icon ICON.svg OUTPUT-FOLDER NAME SIZE...
//
// writes OUTPUT-FOLDER/SIZExSIZE/NAME.png for each size (NAME may hold a
// folder, as in apps/trasolan).

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: render_icon ICON.svg OUTPUT-FOLDER NAME SIZE...\n");
        return 2;
    }
    // No window is shown; the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir output(QString::fromLocal8Bit(argv[2]));
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (int i = 4; i < argc; ++i) {
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        if (size <= 0 || size > 1024) {
            std::fprintf(stderr, "render_icon: bad size %s\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        const QString path =
            output.filePath(QStringLiteral("%1x%1/%2.png").arg(QString::number(size), name));
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !image.save(path)) {
            std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
