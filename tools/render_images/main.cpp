// render_images <picture.svg> <output.{png,jpg,bmp}> <width> <height> [name=value ...]
// Every "{{name}}" in the SVG text is replaced by its value first, so one
// drawing can give several variants (the banner with each step highlighted).
#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "uso: render_images <svg> <saida> <largura> <altura> [nome=valor ...]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "render_images: não foi possível ler %s\n", argv[1]);
        return 1;
    }
    QByteArray svg = file.readAll();
    for (int i = 5; i < argc; ++i) {
        const QByteArray pair(argv[i]);
        const int eq = pair.indexOf('=');
        if (eq > 0)
            svg.replace("{{" + pair.left(eq) + "}}", pair.mid(eq + 1));
    }
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render_images: SVG inválido %s\n", argv[1]);
        return 1;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    QImage image(std::atoi(argv[3]), std::atoi(argv[4]), QImage::Format_ARGB32);
    // JPEG and BMP have no transparency: white underneath.
    image.fill(out.endsWith(".png", Qt::CaseInsensitive) ? QColor(Qt::transparent) : QColor(Qt::white));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    if (!image.save(out, nullptr, 92)) {
        std::fprintf(stderr, "render_images: não foi possível gravar %s\n", argv[2]);
        return 1;
    }
    return 0;
}
