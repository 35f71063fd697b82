// What the map window draws: the view's layer, the class map with its
// legend, the highlight map of a single locality, and the identification.
#include "map_window.h"

#include "legend_editor.h"
#include "map_views.h"
#include "maps/highlight.h"
#include "maps/layer_statistics.h"
#include "platform/map_control.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include <stdexcept>

namespace daxo::maps {

using platform::LabelPlacer;
using platform::MapLayer;

namespace {

void pinta(QLabel* painel, std::uint32_t cor)
{
    QPalette pal = painel->palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(cor));
    painel->setPalette(pal);
}

// The names drawn over the renderer beneath; crowded ones move or are left out.
std::shared_ptr<platform::MapRenderer> comNomes(std::shared_ptr<platform::MapRenderer> beneath, std::string field,
                                                platform::TextSymbol symbol, bool halo)
{
    auto placer = std::make_shared<LabelPlacer>();
    placer->field = std::move(field);
    placer->defaultSymbol = std::move(symbol);
    placer->dropOverlapping = true;
    placer->halo = halo;
    placer->beneath = std::move(beneath);
    return placer;
}

// The legend rows as a picture shows them: each class with its colour and
// limits, then the features outside the classes when there are any.
std::vector<ItemLegendaFigura> itensLegenda(const Legenda& legenda)
{
    std::vector<ItemLegendaFigura> itens;
    for (const LinhaLegenda& l : legenda.linhas)
        if (l.visivel)
            itens.push_back({.cor = l.cor, .texto = QStringList{QString::fromStdString(l.inicio).trimmed(),
                                                                l.ate ? "até" : "", QString::fromStdString(l.fim).trimmed()}
                                                        .filter(QRegularExpression("."))
                                                        .join(' ')
                                                        .toStdString()});
    if (legenda.semDado.visivel)
        itens.push_back({.cor = legenda.semDado.cor, .texto = legenda.semDado.inicio});
    return itens;
}

} // namespace

int TfrmMapaBrasil::itemVisao() const { return rdVisao->isHidden() ? -1 : visoes_->checkedId(); }

int TfrmMapaBrasil::itemVisaoNacional() const
{
    return rdVisao2->isHidden() ? -1 : visoesNacionais_->checkedId();
}

std::string TfrmMapaBrasil::colunaAtual() const
{
    const int item = indicadores_->checkedId();
    if (item < 0 || item >= static_cast<int>(data_.RadioGroup2.size()))
        throw std::runtime_error("Nenhum indicador escolhido para o mapa");
    return data_.RadioGroup2[item];
}

void TfrmMapaBrasil::FormShow()
{
    auto& state = data_.state;
    const bool nacional = state.MapaNacional;
    rdVisao->setVisible(!nacional);
    rdVisao2->setVisible(nacional);
    QButtonGroup* grupo = nacional ? visoesNacionais_ : visoes_;
    const int item = itemInicial(state, data_.code, grupo->checkedId());
    grupo->button(item)->setChecked(true);

    const Visao& v = visao(nacional, item);
    auto layer = std::make_shared<MapLayer>();
    layer->setFile(data_.programa / (v.camada + ".shp"));
    ArquivoCamadaAtual_ = v.arquivo();
    posicaoNome_ = v.posicaoNome;
    mapamostra_->Layers().add(layer);
    state.PrimeiraExibicaoMapa = false;

    for (int i = 0; i < mapamostra_->Layers().count(); ++i)
        mapamostra_->Layers().item(i).visible = false;
    layer->visible = true;
    mostraInteira(*layer);
    mapamostra_->setScrollBars(false);
    mapamostra_->refresh();

    // The carriage return starts the locality's line.
    LabelTopo->setText(QString::fromStdString(textoTopo(legenda_, censo_, data_.sel)).replace('\r', '\n'));
    if (QAbstractButton* primeiro = indicadores_->button(0))
        primeiro->setChecked(true);
    RadioGroup1Click();
}

void TfrmMapaBrasil::RadioGroup1Click()
{
    const auto& s = data_.state;
    if (s.NivelMicro || s.NivelMunicipio || s.NivelRegiao)
        ApenasUma();
    else
        Button1Click();
}

void TfrmMapaBrasil::escondeLinhas()
{
    for (auto& l : linhas_)
        for (QLabel* w : {l.painel, l.inicio, l.ate, l.fim})
            w->hide();
    PanelSemDado->hide();
    LabelSemDado->hide();
    fimComAviso(false);
}

FiguraMapa TfrmMapaBrasil::figura() const
{
    const int item = indicadores_->checkedId();
    return {.camadas = mapamostra_->Layers(),
            .extensao = mapamostra_->Extent(),
            .titulo = legenda_,
            .censo = censo_,
            .localidade = data_.sel,
            .indicador = item >= 0 && item < static_cast<int>(data_.RadioGroup1.size()) ? data_.RadioGroup1[item] : "",
            .legenda = legendaFigura_};
}

void TfrmMapaBrasil::mostraLegenda(const Legenda& legenda)
{
    escondeLinhas();
    for (std::size_t k = 0; k < linhas_.size(); ++k) {
        const LinhaLegenda& dados = legenda.linhas[k];
        const LinhaWidgets& l = linhas_[k];
        if (!dados.visivel)
            continue;
        pinta(l.painel, dados.cor);
        l.inicio->setText(QString::fromStdString(dados.inicio));
        l.fim->setText(QString::fromStdString(dados.fim));
        l.painel->show();
        l.inicio->setVisible(!dados.inicio.empty());
        l.fim->setVisible(!dados.fim.empty());
        l.ate->setVisible(dados.ate);
    }
    pinta(PanelSemDado, legenda.semDado.cor);
    mostraSemDado(legenda.semDado, static_cast<int>(legenda.coresRenderer.size()));
    legendaFigura_ = itensLegenda(legenda);
}

bool TfrmMapaBrasil::Button1Click()
{
    return guard([this] { desenhaClasses(); });
}

void TfrmMapaBrasil::ApenasUma()
{
    guard([this] { desenhaDestaque(); });
}

// Everything is computed before anything is shown, so a limit typed wrong
// leaves the map and its legend as they were.
void TfrmMapaBrasil::desenhaClasses()
{
    PnMudaLegenda->show();
    const int pedidas = Edit1->text().toInt();
    const auto& s = data_.state;
    rdVisao->setVisible(!(s.NomeCamada == "REGIOES" || s.NomeCamada == "ESTADOS" || s.NivelMunicipio) &&
                        !s.MapaNacional);

    MapLayer& layer = mapamostra_->Layers().item(0);
    const std::string coluna = colunaAtual();
    const platform::FieldStatistics fs = layer.records().statistics(coluna);
    const Estatisticas stats{.minimo = fs.minimum,
                             .maximo = fs.maximum,
                             .quantidade = fs.count,
                             .semValor = static_cast<std::size_t>(fs.count) < layer.featureCount() || (fs.count > 0 && fs.minimum <= 0)};
    const CamposVisao campos = camposVisao(!rdVisao->isHidden(), visoes_->checkedId(), itemVisaoNacional());
    const int indicador = data_.indicator;
    Quebras quebras = calculaQuebras(valoresPositivos(dm_, data_.programa, ArquivoCamadaAtual_, coluna, campos.ordem),
                                     stats, pedidas, unidadeClasse(indicador));
    if (LegendaEmEdicao && editor_)
        aplicaLimitesDigitados(quebras, editor_->limites());
    const Legenda legenda = montaLegenda(quebras, stats, indicador, PaletaAtual_, pedidas);

    // Fewer positive values than classes leave the user's count for the
    // next column; fewer localities than classes change it.
    if (quebras.reduzidasAoTotal) {
        Edit1->setText(QString::number(quebras.classes));
        ComboBox1->setCurrentIndex(std::max(quebras.classes - 2, -1));
    }
    auto renderer = std::make_shared<platform::ClassBreaksRenderer>();
    renderer->field = coluna;
    renderer->setBreakCount(static_cast<int>(legenda.quebrasRenderer.size()));
    for (std::size_t k = 0; k < legenda.quebrasRenderer.size(); ++k)
        renderer->setBreak(static_cast<int>(k), legenda.quebrasRenderer[k]);
    // A single class is painted in the colour its swatch shows.
    for (std::size_t k = 0; k < legenda.coresRenderer.size(); ++k) {
        platform::Symbol& symbol = renderer->symbol(static_cast<int>(k));
        symbol.fillColour = legenda.coresRenderer[k];
        symbol.outline = chkMostraLinhas->isChecked();
    }
    renderer->notPositive = platform::Symbol{.fillColour = legenda.semDado.cor, .outline = chkMostraLinhas->isChecked()};
    PnValorIndicadorUnico->hide();
    mostraLegenda(legenda);

    if (ckMostrarMunicipio->isChecked())
        layer.renderer = comNomes(renderer, campos.rotulo,
                                  {.font = "Verdana", .size = 6, .height = mapamostra_->Extent().height() / 50,
                                   .colour = 0xFFFFFF, .bold = false},
                                  true);
    else
        layer.renderer = renderer;
    mapamostra_->refresh();
    // Drawn: the fewer classes are told, not treated as a failure.
    if (quebras.aviso)
        report(AvisoMapa(*quebras.aviso));
}

void TfrmMapaBrasil::desenhaDestaque()
{
    btCor->hide();
    // The value is searched again for every drawing: a view or a column
    // never shows the value of another.
    escondeLinhas();
    legendaFigura_.clear();
    chkMostraLinhas->hide();
    const auto& s = data_.state;
    const Destaque d = escolheDestaque({.sel = data_.sel,
                                        .code = data_.code,
                                        .NivelRegiao = s.NivelRegiao,
                                        .NivelMicro = s.NivelMicro,
                                        .NivelMunicipio = s.NivelMunicipio,
                                        .rdVisao = visoes_->checkedId(),
                                        .rdVisao2 = itemVisaoNacional()});
    rdVisao->setVisible(d.rdVisaoVisivel && !s.MapaNacional);

    auto& layers = mapamostra_->Layers();
    for (int i = 0; i < layers.count(); ++i)
        layers.item(i).visible = false;
    MapLayer& layer = layers.item(0);
    layer.visible = true;

    MapLayer* fonte = d.valorDasRegioes ? layers.find(visao(true, 0).camada) : &layer;
    if (d.mostraValor && fonte) {
        const platform::Recordset achado = fonte->searchExpression(d.filtro);
        if (!achado.eof()) {
            bool ehValor = false;
            const std::string texto = textoValorUnico(data_.indicator, achado.value(colunaAtual()).asFloat(), ehValor);
            QLabel* alvo = ehValor ? linhas_[0].inicio : linhas_[0].fim;
            fimComAviso(!ehValor);
            alvo->setText(QString::fromStdString(texto));
            alvo->show();
            legendaFigura_.push_back(
                {.cor = kCorDestaque, .temCor = ehValor, .texto = ehValor ? data_.sel + ": " + texto : texto});
            if (ehValor) {
                pinta(linhas_[0].painel, kCorDestaque);
                linhas_[0].painel->show();
            }
        }
    }

    platform::StringList chaves;
    for (platform::Recordset r = layer.records(); !r.eof(); r.moveNext())
        chaves.add(r.text(d.campoChave));
    auto renderer = std::make_shared<platform::ValueMapRenderer>();
    renderer->field = d.campoChave;
    renderer->setValueCount(chaves.count());
    for (int i = 0; i < chaves.count(); ++i) {
        renderer->setValue(i, chaves.item(i));
        const bool destaque = chaves.item(i) == d.alvo;
        renderer->symbol(i) = {.fillColour = destaque ? kCorDestaque : kCorFundo,
                               .outline = true,
                               .outlineColour = kCorContorno,
                               .emphasis = destaque ? 10 : 0,
                               .outlineWidth = 1};
    }
    if (ckMostrarMunicipio->isChecked())
        layer.renderer = comNomes(renderer, d.campoRotulo, {.font = "Verdana", .size = 7, .colour = 0x000000}, true);
    else
        layer.renderer = renderer;
    mapamostra_->refresh();
}

void TfrmMapaBrasil::Identify(const std::string& layerName, int x, int y)
{
    auto& layers = mapamostra_->Layers();
    if (layers.count() == 0)
        return;
    MapLayer* layer = layers.find(layerName);
    if (!layer || layer->layerType() != MapLayer::kFeatureLayer)
        return;
    const platform::MapPoint p = mapamostra_->toMapPoint(x, y);
    const platform::Recordset achado =
        layer->shapeType() == MapLayer::kPolygonShapes ? layer->searchShape(p) : layer->searchByDistance(p, 0.5);
    if (achado.eof())
        return;
    lblMunicipio->setText(QString::fromStdString(textoIdentificacao(
        achado.valueAt(posicaoNome_).asString(), data_.indicator, achado.value(colunaAtual()).asFloat())));
}

} // namespace daxo::maps
