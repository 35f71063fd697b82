// The class map of a state and of Brasil: legend rows against the colours
// drawn, class count and palette, views, identification and pictures.
#include "map_window_fixture.h"

#include "maps/map_classes.h"
#include "platform/safe_files.h"
#include "platform/system_errors.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <fstream>
#include <regex>

using namespace daxo::maps;
using namespace daxo::maps::test;

namespace {

class ClassMap : public MapWindowTest {
protected:
    // Every feature with a value is painted in the swatch colour of the
    // legend row whose range holds its value.
    void expectColoursFollowTheLegend(const std::string& coluna)
    {
        const auto cores = coresDesenhadas();
        const auto v = valores(coluna);
        ASSERT_EQ(cores.size(), v.size());
        int comValor = 0;
        for (std::size_t i = 0; i < v.size(); ++i) {
            if (v[i] <= 0)
                continue;
            ++comValor;
            int linha = -1;
            for (int k = 0; k <= kMaxClasses; ++k) {
                const QString n = QString::number(90 + k);
                if (!visivel("Label" + n + "I"))
                    continue;
                const double fim = visivel("Label" + n + "F") ? numero(texto("Label" + n + "F")) : 1e300;
                if (v[i] >= numero(texto("Label" + n + "I")) - 1e-9 && v[i] <= fim + 1e-9)
                    linha = k;
            }
            ASSERT_GE(linha, 0) << "value " << v[i] << " lies in no legend row";
            const QColor swatch = rotulo("Panel" + QString::number(90 + linha))->palette().color(QPalette::Window);
            EXPECT_EQ(cores[i], static_cast<std::uint32_t>(swatch.rgb() & 0xFFFFFF)) << "feature " << i;
        }
        EXPECT_GT(comValor, 1);
    }
    int linhasVisiveis()
    {
        int n = 0;
        for (int k = 0; k <= kMaxClasses; ++k)
            n += visivel("Panel" + QString::number(90 + k));
        return n;
    }
    void escolheClasses(int n)
    {
        auto* combo = janela->findChild<QComboBox*>("ComboBox1");
        combo->setCurrentIndex(combo->findText(QString::number(n)));
        emit combo->activated(combo->currentIndex());
    }
    std::vector<std::uint32_t> coresDasLinhas()
    {
        std::vector<std::uint32_t> out;
        for (int k = 0; k <= kMaxClasses; ++k)
            if (visivel("Panel" + QString::number(90 + k)))
                out.push_back(rotulo("Panel" + QString::number(90 + k))->palette().color(QPalette::Window).rgb() &
                              0xFFFFFF);
        return out;
    }
};

TEST_F(ClassMap, AStateOpensByMunicipalityWithFiveClassesAndItsCaption)
{
    auto& w = abre(0, "Acre", "12");
    EXPECT_EQ(w.ArquivoCamadaAtual(), "tempmapa.dbf");
    EXPECT_TRUE(visivel("rdVisao"));
    EXPECT_FALSE(visivel("rdVisao2"));
    EXPECT_TRUE(w.findChild<QGroupBox*>("rdVisao")->findChildren<QRadioButton*>()[1]->isChecked());
    EXPECT_EQ(texto("LabelTopo"), "Filtro:Indicador de teste - Censo: 2000\nAcre");
    const auto indicadores = w.findChild<QGroupBox*>("RadioGroup1")->findChildren<QRadioButton*>();
    ASSERT_EQ(indicadores.size(), 2);
    EXPECT_TRUE(indicadores[0]->isChecked());
    EXPECT_TRUE(erros.empty()) << erros.front();
    EXPECT_EQ(linhasVisiveis(), 5);
    EXPECT_EQ(coresDasLinhas(), coresClasses(1, 5));
    EXPECT_FALSE(visivel("PnValorIndicadorUnico"));
    EXPECT_TRUE(visivel("PnMudaLegenda"));
    expectColoursFollowTheLegend("v01");

    indicadores[1]->click();
    expectColoursFollowTheLegend("v02");
}

TEST_F(ClassMap, ClassCountAndPaletteRedrawTheMap)
{
    auto& w = abre(0, "Acre", "12");
    escolheClasses(3);
    EXPECT_EQ(linhasVisiveis(), 3);
    const auto nove = coresClasses(1, 9);
    EXPECT_EQ(coresDasLinhas(), std::vector<std::uint32_t>(nove.begin(), nove.begin() + 3));
    expectColoursFollowTheLegend("v01");

    auto* cor = w.findChild<QPushButton*>("btCor");
    cor->click();
    EXPECT_EQ(w.PaletaAtual(), 2);
    EXPECT_EQ(coresDasLinhas().front(), coresClasses(2, 9).front());
    expectColoursFollowTheLegend("v01");
    for (int i = 0; i < 5; ++i)
        cor->click();
    EXPECT_EQ(w.PaletaAtual(), 1) << "six presses come back to the first palette";
    escolheClasses(9);
    EXPECT_EQ(coresDasLinhas(), nove);
    expectColoursFollowTheLegend("v01");
    EXPECT_TRUE(erros.empty()) << erros.front();
}

TEST_F(ClassMap, NamesAndOutlinesAreDrawnOverTheClasses)
{
    auto& w = abre(0, "Acre", "12");
    auto& layer = w.mapamostra().Layers().item(0);
    ASSERT_NE(std::dynamic_pointer_cast<daxo::platform::ClassBreaksRenderer>(layer.renderer), nullptr);
    EXPECT_FALSE(layer.renderer->symbolsFor(layer.table()).front()->outline);

    w.findChild<QCheckBox*>("ckMostrarMunicipio")->click();
    w.findChild<QCheckBox*>("chkMostraLinhas")->click();
    const auto placer = std::dynamic_pointer_cast<daxo::platform::LabelPlacer>(layer.renderer);
    ASSERT_NE(placer, nullptr);
    EXPECT_EQ(placer->field, "NAME1_");
    EXPECT_EQ(placer->defaultSymbol.font, "Verdana");
    EXPECT_EQ(placer->labelsFor(layer.table()).size(), layer.featureCount());
    EXPECT_TRUE(layer.renderer->symbolsFor(layer.table()).front()->outline);
    expectColoursFollowTheLegend("v01");
}

TEST_F(ClassMap, BrasilOpensByMunicipalityAndTheViewsSwitchLayers)
{
    auto& w = abre(0, "Brasil", "0");
    EXPECT_TRUE(erros.empty()) << erros.front();
    EXPECT_FALSE(visivel("rdVisao"));
    EXPECT_TRUE(visivel("rdVisao2"));
    EXPECT_EQ(w.ArquivoCamadaAtual(), "mumapa.dbf");
    expectColoursFollowTheLegend("v01");

    auto buttons = w.findChild<QGroupBox*>("rdVisao2")->findChildren<QRadioButton*>();
    w.findChild<QGroupBox*>("RadioGroup1")->findChildren<QRadioButton*>()[1]->click();
    // The small installation has three states: fewer than five classes, so
    // the map is drawn with three and the message follows.
    buttons[1]->click();
    ASSERT_EQ(erros, std::vector<std::string>{kAvisoQuebras});
    erros.clear();
    EXPECT_EQ(w.findChild<QLineEdit*>("Edit1")->text(), "3");
    EXPECT_EQ(w.findChild<QComboBox*>("ComboBox1")->currentText(), "3");
    EXPECT_EQ(linhasVisiveis(), 3);
    const auto cinco = coresClasses(1, 5);
    EXPECT_EQ(coresDasLinhas(), std::vector<std::uint32_t>(cinco.begin(), cinco.begin() + 3))
        << "the colours of the five classes asked for";
    EXPECT_EQ(w.ArquivoCamadaAtual(), "tempmapa.dbf");
    EXPECT_EQ(w.mapamostra().Layers().count(), 2) << "each view adds a layer";
    EXPECT_TRUE(w.findChild<QGroupBox*>("RadioGroup1")->findChildren<QRadioButton*>()[0]->isChecked());
    EXPECT_FALSE(w.mapamostra().Layers().item(1).visible);
    expectColoursFollowTheLegend("v01");
    buttons[0]->click();
    EXPECT_EQ(w.ArquivoCamadaAtual(), "brmapa.dbf");
    expectColoursFollowTheLegend("v01");
    EXPECT_TRUE(erros.empty()) << erros.front();
}

// Municipalities that did not exist in 1991 have no value: they are drawn
// outside the classes, in the colour of the legend's own row for them.
TEST_F(ClassMap, FeaturesWithoutAPositiveValueAreOutsideTheClasses)
{
    censo = "1991";
    semValor = {"Acrelândia", "Bujari", "Capixaba"};
    auto& w = abre(0, "Acre", "12");
    const auto cores = coresDesenhadas();
    const auto v = valores("v01");
    int zerados = 0;
    for (std::size_t i = 0; i < v.size(); ++i)
        if (v[i] <= 0) {
            ++zerados;
            EXPECT_EQ(cores[i], kCorSemDado) << "feature " << i;
        } else {
            EXPECT_NE(cores[i], kCorSemDado) << "feature " << i;
        }
    ASSERT_EQ(zerados, 3);
    expectColoursFollowTheLegend("v01");

    escolheClasses(9);
    const auto cores9 = coresDesenhadas();
    ASSERT_TRUE(visivel("PanelSemDado") && visivel("LabelSemDado"));
    EXPECT_EQ(rotulo("PanelSemDado")->palette().color(QPalette::Window).rgb() & 0xFFFFFF, kCorSemDado);
    EXPECT_EQ(texto("LabelSemDado").trimmed(), kSemDado);
    expectFits(rotulo("LabelSemDado"));
    // Right under the last class, above the legend editor's button.
    const int ultima = rotulo("Panel" + QString::number(90 + linhasVisiveis() - 1))->geometry().bottom();
    EXPECT_GT(rotulo("LabelSemDado")->y(), ultima);
    EXPECT_LT(rotulo("LabelSemDado")->geometry().bottom(), w.findChild<QWidget*>("PnMudaLegenda")->y());

    // White names keep a dark halo over the light classes.
    QTest::mouseClick(w.findChild<QCheckBox*>("ckMostrarMunicipio"), Qt::LeftButton);
    const auto placer = std::dynamic_pointer_cast<daxo::platform::LabelPlacer>(w.mapamostra().Layers().item(0).renderer);
    ASSERT_NE(placer, nullptr);
    EXPECT_EQ(placer->defaultSymbol.colour, 0xFFFFFFu);
    EXPECT_TRUE(placer->halo);
    EXPECT_EQ(coresDesenhadas(), cores9);
    EXPECT_TRUE(erros.empty()) << erros.front();
}

TEST_F(ClassMap, IdentifyShowsNameAndValueAndLeavingEmptiesIt)
{
    auto& w = abre(0, "Acre", "12");
    QString achado;
    for (int y = 5; y < 427 && achado.isEmpty(); y += 7)
        for (int x = 5; x < 590 && achado.isEmpty(); x += 7) {
            w.Identify("tempmapa", x, y);
            achado = texto("lblMunicipio");
        }
    ASSERT_FALSE(achado.isEmpty());
    const QString nome = achado.section('-', 0, 0);
    bool encontrado = false;
    for (auto r = w.mapamostra().Layers().item(0).records(); !r.eof(); r.moveNext())
        if (QString::fromStdString(r.text("NAME1_")) == nome) {
            encontrado = true;
            EXPECT_EQ(achado.section('-', 1), QString::fromStdString(formataValor(0, r.value("v01").asFloat())));
        }
    EXPECT_TRUE(encontrado) << achado.toStdString();

    w.Identify("tempmapa", -5000, -5000);
    EXPECT_EQ(texto("lblMunicipio"), achado) << "outside every feature the text stays";
    w.mapamostra().onExit();
    EXPECT_TRUE(texto("lblMunicipio").isEmpty());
}

TEST_F(ClassMap, ZoomButtonsScaleTheExtentAndTheWholeLayerComesBack)
{
    auto& w = abre(0, "Acre", "12");
    const auto inteiro = w.mapamostra().Extent();
    // The tool bar lies over the map: the whole layer starts right of it.
    const int direita = w.findChild<QWidget*>("PainelControleMapa")->geometry().right() + 1 - w.mapamostra().x();
    EXPECT_LE(w.mapamostra().toMapPoint(direita, 0).x, w.mapamostra().Layers().item(0).extent().left());
    w.findChild<QToolButton*>("btZoomMais")->click();
    EXPECT_NEAR(w.mapamostra().Extent().width(), inteiro.width() * 0.8, inteiro.width() * 1e-9);
    EXPECT_NEAR(w.mapamostra().Extent().center().x, inteiro.center().x, inteiro.width() * 1e-9);
    w.findChild<QToolButton*>("btZoomMenos")->click();
    w.findChild<QToolButton*>("btZoomMenos")->click();
    EXPECT_NEAR(w.mapamostra().Extent().width(), inteiro.width() * 0.8 * 1.2 * 1.2, inteiro.width() * 1e-9);
    w.findChild<QToolButton*>("btVisualTotal")->click();
    EXPECT_EQ(w.mapamostra().Extent(), inteiro);
    EXPECT_TRUE(w.findChild<QToolButton*>("btZoomMouse")->isChecked());
    w.findChild<QToolButton*>("btMoveMapa")->click();
    EXPECT_FALSE(w.findChild<QToolButton*>("btZoomMouse")->isChecked()) << "one mouse mode at a time";
    EXPECT_TRUE(erros.empty()) << erros.front();
}

std::string conteudo(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST_F(ClassMap, PictureForAPaperOutlivesTheWindowInThreeFormats)
{
    auto& w = abre(0, "Acre", "12");
    const FiguraMapa figura = w.figura();
    EXPECT_EQ(figura.titulo, "Indicador de teste");
    EXPECT_EQ(figura.indicador, "Homens");
    ASSERT_FALSE(figura.legenda.empty());
    // The legend rows as the window shows them, without its padding.
    EXPECT_EQ(figura.legenda.front().texto,
              texto("Label90I").trimmed().toStdString() + " até " + texto("Label90F").trimmed().toStdString());
    janela.reset();

    const fs::path pasta = folder / "figuras";
    fs::create_directories(pasta);
    gravaFigura(pasta / "acre.PNG", figura);
    EXPECT_EQ(QImage(QString::fromStdString((pasta / "acre.PNG").string())).size(), kTamanhoFigura * 3);
    gravaFigura(pasta / "acre.svg", figura);
    EXPECT_NE(conteudo(pasta / "acre.svg").find(R"(viewBox="0 0 1123 794")"), std::string::npos);
    gravaFigura(pasta / "acre.pdf", figura);
    const std::string pdf = conteudo(pasta / "acre.pdf");
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_TRUE(std::regex_search(pdf, std::regex(R"(/MediaBox \[0 0 842(\.0+)? 596(\.0+)?\])"))) << "A4 landscape";

    try {
        gravaFigura(pasta / "acre.gif", figura);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Escolha um arquivo .png, .svg ou .pdf para exportar o mapa.");
    }
    {
        const daxo::platform::SimulatedWriteFailure cheio(std::errc::no_space_on_device);
        EXPECT_THROW(gravaFigura(pasta / "cheio.pdf", figura), daxo::platform::FileError);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(pasta), fs::directory_iterator()), 3) << "nothing half-written";
}

TEST_F(ClassMap, SavedPicturesAreWrittenAndOpened)
{
    auto& w = abre(0, "Acre", "12");
    w.findChild<QPushButton*>("btnSalvar")->click();
    EXPECT_TRUE(visivel("PnSalvar"));
    w.findChild<QPushButton*>("SalvaMapa")->click();
    w.findChild<QPushButton*>("SalvaLegenda")->click();
    ASSERT_EQ(abertos, (std::vector<fs::path>{folder / "mapa.EMF", folder / "mapaleg.EMF"}));
    EXPECT_GT(fs::file_size(folder / "mapa.EMF"), 100u);
    std::ifstream legenda(folder / "mapaleg.EMF", std::ios::binary);
    char magic[2] = {};
    legenda.read(magic, 2);
    EXPECT_EQ(std::string(magic, 2), "BM") << "the legend picture is a bitmap";
    w.findChild<QPushButton*>("btFecharLegenda")->click();
    EXPECT_FALSE(visivel("PnSalvar"));
    EXPECT_TRUE(erros.empty()) << erros.front();
}

TEST_F(ClassMap, AWorkingLayerThatCannotBeLoadedOpensNoWindowAndIsToldInPortuguese)
{
    const MapWindowData data = prepara(0, "Acre", "12");
    fs::remove(folder / "tempmapa.shp");
    {
        TfrmMapaBrasil w(data, *dm, "Indicador de teste", "2000");
        EXPECT_THROW(w.mostraPrimeiraVisao(), daxo::platform::MapError);
    }
    // Shown all the same, a click under "Indicador(es)" names what failed.
    janela = std::make_unique<TfrmMapaBrasil>(data, *dm, "Indicador de teste", "2000");
    janela->onError = [this](const std::exception& e) { erros.push_back(daxo::platform::userMessage(e)); };
    janela->show();
    QApplication::processEvents();
    ASSERT_EQ(erros.size(), 1u);
    EXPECT_EQ(erros[0], "Arquivo de mapa não encontrado: " + (folder / "tempmapa.shp").string());
    auto* item = janela->findChild<QGroupBox*>("RadioGroup1")->findChildren<QRadioButton*>()[1];
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(8, item->height() / 2));
    ASSERT_EQ(erros.size(), 2u);
    EXPECT_EQ(erros[1], "Nenhuma camada foi carregada no mapa");
}

} // namespace
