// daxo_render_layers: draws polygon layers to a PNG, to look at the generated
// maps before the map window exists.
//   daxo_render_layers <out.png> <layer.shp> [<colour field>]
// Features with the same value of the colour field share a colour.
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <shapefil.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "uso: daxo_render_layers <saida.png> <camada.shp> [campo de cor]\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    SHPHandle shp = SHPOpen(argv[2], "rb");
    DBFHandle dbf = DBFOpen(argv[2], "rb");
    if (!shp || !dbf) {
        std::fprintf(stderr, "não foi possível abrir %s\n", argv[2]);
        return 1;
    }
    int count = 0, type = 0;
    double minBound[4], maxBound[4];
    SHPGetInfo(shp, &count, &type, minBound, maxBound);
    const int colourField = argc > 3 ? DBFGetFieldIndex(dbf, argv[3]) : -1;

    const int size = 900;
    const double scale = (size - 20) / std::max(maxBound[0] - minBound[0], maxBound[1] - minBound[1]);
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    std::map<std::string, QColor> colours;
    for (int i = 0; i < count; ++i) {
        SHPObject* object = SHPReadObject(shp, i);
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        for (int part = 0; part < object->nParts; ++part) {
            const int first = object->panPartStart[part];
            const int last = part + 1 < object->nParts ? object->panPartStart[part + 1] : object->nVertices;
            for (int v = first; v < last; ++v) {
                const QPointF p(10 + (object->padfX[v] - minBound[0]) * scale, 10 + (maxBound[1] - object->padfY[v]) * scale);
                v == first ? path.moveTo(p) : path.lineTo(p);
            }
            path.closeSubpath();
        }
        SHPDestroyObject(object);
        const std::string key = colourField >= 0 ? DBFReadStringAttribute(dbf, i, colourField) : std::to_string(i);
        if (!colours.count(key)) colours[key] = QColor::fromHsv(static_cast<int>((colours.size() * 137) % 360), 90, 235);
        painter.setPen(QPen(QColor(60, 60, 60), 0.6));
        painter.setBrush(colours[key]);
        painter.drawPath(path);
    }
    painter.end();
    SHPClose(shp);
    DBFClose(dbf);
    return image.save(argv[1]) ? 0 : 1;
}
