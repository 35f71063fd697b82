#include "map_picture.h"

#include "platform/map_painting.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace daxo::maps {

namespace {

constexpr double kMargem = 28;
constexpr double kLarguraLegenda = 260;
constexpr double kKmPorGrau = 111.32;   // along the equator
const char* const kFonte = "Fonte: DAXO - Velmora, Kalvoria. Censo Demográfico ";

QFont letra(double pixels, bool negrito = false)
{
    QFont font("Arial");
    font.setPixelSize(static_cast<int>(pixels));
    font.setBold(negrito);
    return font;
}

QString texto(const std::string& s) { return QString::fromStdString(s).replace('\r', ' ').replace('\n', ' '); }

// Draws word-wrapped text from the top of `area` and returns its height.
double escreve(QPainter& p, const QRectF& area, const QString& text, const QFont& font, int alinhamento = Qt::AlignLeft)
{
    p.setFont(font);
    p.setPen(Qt::black);
    const int flags = alinhamento | Qt::AlignTop | Qt::TextWordWrap;
    const QRectF usado = QFontMetricsF(font, p.device()).boundingRect(area, flags, text);
    p.drawText(area, flags, text);
    return usado.height();
}

QString kmTexto(double km)
{
    return (km >= 1 ? QString::number(km, 'f', 0) : QString::number(km, 'f', 1).replace('.', ',')) + " km";
}

void desenhaEscala(QPainter& p, const QRectF& mapa, const platform::MapRectangle& view)
{
    const BarraEscala barra = barraEscala(kmPorPixel(view, mapa.width()), mapa.width() / 4);
    if (barra.pixels <= 0)
        return;
    const QPointF origem = mapa.bottomLeft() + QPointF(14, -18);
    const double altura = 6, passo = barra.pixels / 4;
    p.setPen(QPen(Qt::black, 0.8));
    for (int i = 0; i < 4; ++i) {
        p.setBrush(i % 2 ? Qt::white : Qt::black);
        p.drawRect(QRectF(origem.x() + i * passo, origem.y() - altura, passo, altura));
    }
    p.setFont(letra(11));
    const QFontMetricsF medidas(p.font(), p.device());
    p.drawText(QPointF(origem.x() - medidas.horizontalAdvance("0") / 2, origem.y() - altura - 4), "0");
    const QString fim = kmTexto(barra.km);
    p.drawText(QPointF(origem.x() + barra.pixels - medidas.horizontalAdvance(fim) / 2, origem.y() - altura - 4), fim);
}

void desenhaNorte(QPainter& p, const QRectF& mapa)
{
    const QPointF ponta = mapa.topRight() + QPointF(-30, 34);
    QPainterPath seta;
    seta.moveTo(ponta);
    seta.lineTo(ponta + QPointF(9, 28));
    seta.lineTo(ponta + QPointF(0, 21));
    seta.lineTo(ponta + QPointF(-9, 28));
    seta.closeSubpath();
    p.setPen(QPen(Qt::black, 0.8));
    p.setBrush(Qt::black);
    p.drawPath(seta);
    p.setFont(letra(14, true));
    const QFontMetricsF medidas(p.font(), p.device());
    p.drawText(QPointF(ponta.x() - medidas.horizontalAdvance("N") / 2, ponta.y() - 6), "N");
}

void desenhaLegenda(QPainter& p, QRectF area, const FiguraMapa& figura)
{
    area.setTop(area.top() + escreve(p, area, texto(figura.indicador), letra(13, true)) + 10);
    const QFont font = letra(12);
    const double amostra = 24, alturaAmostra = 15;
    for (const auto& item : figura.legenda) {
        const QRectF linha(area.left() + (item.temCor ? amostra + 8 : 0), area.top(),
                           area.width() - (item.temCor ? amostra + 8 : 0), area.height());
        const double altura = std::max(alturaAmostra, escreve(p, linha, texto(item.texto), font));
        if (item.temCor) {
            p.setPen(QPen(QColor(0x80, 0x80, 0x80), 0.8));
            p.setBrush(QColor::fromRgb(item.cor));
            p.drawRect(QRectF(area.left(), area.top(), amostra, alturaAmostra));
        }
        area.setTop(area.top() + altura + 6);
    }
}

} // namespace

double kmPorPixel(const platform::MapRectangle& view, double larguraPixels)
{
    if (larguraPixels <= 0 || view.isEmpty())
        return 0;
    const double latitude = view.center().y * std::numbers::pi / 180;
    return view.width() * kKmPorGrau * std::cos(latitude) / larguraPixels;
}

BarraEscala barraEscala(double kmPorPixel, double maxPixels)
{
    if (!(kmPorPixel > 0) || !(maxPixels > 0))
        return {};
    const double maximo = kmPorPixel * maxPixels;
    const double potencia = std::pow(10.0, std::floor(std::log10(maximo)));
    double km = potencia;
    for (double fator : {5.0, 2.0})
        if (fator * potencia <= maximo) {
            km = fator * potencia;
            break;
        }
    return {km, km / kmPorPixel};
}

void desenhaFigura(QPainter& p, QSize tamanho, const FiguraMapa& figura)
{
    QRectF livre(kMargem, kMargem, tamanho.width() - 2 * kMargem, tamanho.height() - 2 * kMargem);
    livre.setTop(livre.top() + escreve(p, livre, texto(figura.titulo), letra(20, true)) + 4);
    QString linha = "Censo: " + texto(figura.censo);
    if (!figura.localidade.empty())
        linha += "  ·  " + texto(figura.localidade);
    livre.setTop(livre.top() + escreve(p, livre, linha, letra(13)) + 14);

    const QFont fonte = letra(11);
    const double alturaFonte = QFontMetricsF(fonte, p.device()).height();
    const QRectF rodape(livre.left(), livre.bottom() - alturaFonte, livre.width(), alturaFonte);
    p.setFont(fonte);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawText(rodape, Qt::AlignLeft | Qt::AlignVCenter, kFonte + texto(figura.censo) + ".");
    livre.setBottom(rodape.top() - 12);

    const QRectF mapa(livre.left(), livre.top(), livre.width() - kLarguraLegenda - 20, livre.height());
    const QRectF legenda(mapa.right() + 20, livre.top(), kLarguraLegenda, livre.height());
    platform::paintLayers(p, figura.camadas, figura.extensao, mapa, platform::MapDrawing::Picture);
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRect(mapa);
    desenhaNorte(p, mapa);
    desenhaEscala(p, mapa, platform::viewOf(figura.extensao, mapa));
    desenhaLegenda(p, legenda, figura);
}

void gravaFigura(const std::filesystem::path& arquivo, const FiguraMapa& figura)
{
    const auto formato = platform::pictureFormatOf(arquivo);
    if (!formato)
        throw std::runtime_error("Escolha um arquivo .png, .svg ou .pdf para exportar o mapa.");
    platform::writePicture(arquivo, *formato, kTamanhoFigura, figura.titulo,
                           [&](QPainter& p) { desenhaFigura(p, kTamanhoFigura, figura); });
}

} // namespace daxo::maps
