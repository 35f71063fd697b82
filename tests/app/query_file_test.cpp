// Saved queries: "Salvar consulta…" and "Abrir consulta…" on the output step
// of the main window, and the same file run from the command line, on the
// small sample installation.
#include "app/batch.h"
#include "app/saved_query.h"
#include "charts/chart_data.h"
#include "output_walk.h"

#include <QDesktopServices>
#include <QImage>
#include <QPushButton>
#include <QSvgRenderer>
#include <QUrl>

#include <fstream>
#include <sstream>

using namespace daxo::app;
namespace fs = std::filesystem;

namespace {

std::string bytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Takes the pages the program hands to the desktop, which opens nothing here.
class NoBrowser : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl&) {}
};

class QueryFileTest : public daxo::app::test::OutputWalk {
protected:
    void SetUp() override
    {
        OutputWalk::SetUp();
        QDesktopServices::setUrlHandler("file", &noBrowser, "open");
        saida = program / "lote";
        fs::create_directories(saida);
    }
    void TearDown() override
    {
        QDesktopServices::unsetUrlHandler("file");
        fs::remove_all(saida);
        OutputWalk::TearDown();
    }

    // The command line over the same installation; its output and errors.
    int batch(std::vector<std::string> arguments)
    {
        out.str({});
        err.str({});
        return runBatch(parseBatchArguments(arguments), program, out, err);
    }

    NoBrowser noBrowser;
    fs::path saida;
    std::ostringstream out, err;
};

} // namespace

TEST_F(QueryFileTest, SavedQueryRunInBatchWritesThePagesOfTheWindow)
{
    walkToLocalities(0, {"chkMasculino", "chkFeminino", "chkTodos"}, 5, 5);
    chooseLocality("Sergipe");
    chooseLocality("Acre", 2);
    click("btAvancar");
    queryFile = program / "consulta com espaço.json";
    click("btSalvarConsulta");
    ASSERT_TRUE(fs::exists(*queryFile)) << messages.join(" | ").toStdString();
    click("bt_tabela");
    ASSERT_TRUE(messages.isEmpty()) << messages.join(" | ").toStdString();

    ASSERT_EQ(batch({"--consulta", queryFile->string(), "--saida", saida.string()}), 0) << err.str();
    const std::vector<std::string> names = {"População2.html",  "População2.xls",  "População2p.html",
                                            "População2p.xls",  "População2pb.html", "População2pb.xls"};
    std::string listed;
    for (const auto& name : names) {
        listed += (saida / name).string() + "\n";
        ASSERT_TRUE(fs::exists(saida / name)) << name;
        EXPECT_EQ(bytes(saida / name), bytes(program / name)) << name;
    }
    for (const char* name : {"População2.csv", "População2p.csv", "População2pb.csv", "População2.xlsx"}) {
        listed += (saida / name).string() + "\n";
        EXPECT_TRUE(fs::exists(saida / name)) << name;
    }
    EXPECT_EQ(out.str(), listed) << "every file written is printed, in order";

    // Only the workbook; two files in one call, numbered one after the other
    // and after the reports already in the folder, which stay.
    ASSERT_EQ(batch({"--formatos", "xlsx", "--consulta", queryFile->string(), "--consulta", queryFile->string(),
                     "--saida", saida.string()}),
              0) << err.str();
    EXPECT_EQ(out.str(), (saida / "População3.xlsx").string() + "\n" + (saida / "População4.xlsx").string() + "\n");
    EXPECT_EQ(bytes(saida / "População2.html"), bytes(program / "População2.html"));
}

TEST_F(QueryFileTest, OpeningAQueryRestoresTheWizardOrSaysWhatItCouldNot)
{
    walkToLocalities(0, {"chkMasculino", "chkFeminino"}, 5, 5);
    chooseLocality("Sergipe");
    click("btAvancar");
    const std::string caption = window->wizard().caption();
    queryFile = program / "sergipe.json";
    click("btSalvarConsulta");

    // Other choices: women unticked, the total ticked, one more locality.
    click("btVoltar");
    click("btVoltar");
    tick("chkFeminino");
    tick("chkTodos");
    click("btAvancar");
    chooseLocality("Acre", 2);
    click("btAvancar");
    ASSERT_NE(window->wizard().caption(), caption);

    click("btAbrirConsulta");
    EXPECT_TRUE(messages.isEmpty()) << messages.join(" | ").toStdString();
    EXPECT_EQ(window->PassoAtual(), PassoSaida);
    EXPECT_EQ(window->wizard().caption(), caption);
    EXPECT_EQ(window->wizard().censusText(), "2000");
    EXPECT_TRUE(window->findChild<QCheckBox*>("chkFeminino")->isChecked());
    EXPECT_FALSE(window->findChild<QCheckBox*>("chkTodos")->isChecked());
    auto* chosen = window->findChild<QListWidget*>("cbSelecao");
    ASSERT_EQ(chosen->count(), 1);
    EXPECT_EQ(chosen->item(0)->text(), "Sergipe");

    // A choice the panel no longer has is named, with the reason.
    auto saved = readQueryFile(*queryFile);
    saved.panel.push_back({.control = "chkInexistente", .toggle = true, .checked = true});
    writeQueryFile(*queryFile, saved);
    click("btAbrirConsulta");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.front().toStdString(), "A consulta não pôde ser restaurada por inteiro:\n- o controle "
                                              "«chkInexistente» não existe no painel deste indicador.");
    std::ofstream(*queryFile) << "{\"formato\": \"DAXO consulta\", \"versao\": 2}";
    messages.clear();
    click("btAbrirConsulta");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.front().toStdString(), "A consulta foi salva por uma versão mais nova do programa (versão 2 "
                                              "do arquivo; esta versão lê até a 1).");
}

TEST_F(QueryFileTest, OpeningAQueryStartsFromAFreshPanelAndKnowsItsPlaces)
{
    walkToLocalities(0, {"chkFeminino"});
    chooseLocality("Sergipe");
    click("btAvancar");
    const std::string caption = window->wizard().caption();
    queryFile = program / "a mao.json";
    click("btSalvarConsulta");
    // Written by hand: no colour named, so none is meant.
    auto saved = readQueryFile(*queryFile);
    std::erase_if(saved.panel, [](const PanelSetting& s) {
        return s.control == "chkBranco" || s.control == "chkPreto" || s.control == "chkTodas";
    });
    writeQueryFile(*queryFile, saved);

    click("btVoltar");
    click("btVoltar");
    tick("chkBranco");
    click("btAvancar");
    click("btAvancar");
    ASSERT_NE(window->wizard().caption(), caption);
    click("btAbrirConsulta");
    EXPECT_TRUE(messages.isEmpty()) << messages.join(" | ").toStdString();
    EXPECT_EQ(window->wizard().caption(), caption) << "the same query as on the command line";

    // A place this installation does not offer is refused before the wizard moves.
    saved.names = {"Sergipe", "SE Itaporanga d'Ajuda"};
    saved.codes = {"28", "280320"};
    writeQueryFile(*queryFile, saved);
    click("btAbrirConsulta");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.front().toStdString(), "A consulta não pôde ser restaurada por inteiro:\n- a localidade «SE "
                                              "Itaporanga d'Ajuda» de código 280320 não existe nesta instalação.");
    EXPECT_EQ(window->findChild<QListWidget*>("cbSelecao")->count(), 1);
    EXPECT_EQ(window->wizard().caption(), caption);

    // The chooser's own text for the municipality is known, on the command line too.
    saved.names[1] = "Itaporanga d'Ajuda";
    writeQueryFile(*queryFile, saved);
    EXPECT_EQ(batch({"--consulta", queryFile->string(), "--formatos", "csv", "--saida", saida.string()}), 0)
        << err.str();
    saved.codes[1] = "280321";
    const fs::path other = program / "outra.json";
    writeQueryFile(other, saved);
    EXPECT_EQ(batch({"--consulta", queryFile->string(), "--consulta", other.string(), "--saida", saida.string()}), 1);
    EXPECT_EQ(err.str(), "Consulta " + other.string() + ":\nA consulta não pôde ser restaurada por inteiro:\n- a "
                         "localidade «Itaporanga d'Ajuda» de código 280321 não existe nesta instalação.\n");
}

TEST_F(QueryFileTest, BatchRefusalsExitWithTheWindowsMessage)
{
    walkToLocalities();
    chooseLocality("Sergipe");
    chooseLocality("Acre", 2);
    click("btAvancar");
    queryFile = program / "duas.json";
    click("btSalvarConsulta");
    click("bt_Mapa");
    ASSERT_EQ(messages.size(), 1);

    EXPECT_EQ(batch({"--consulta", queryFile->string(), "--saida-tipo", "mapa", "--saida", saida.string()}), 1);
    EXPECT_EQ(err.str(), messages.front().toStdString() + "\n");
    EXPECT_EQ(out.str(), "");

    // Where the files cannot go, nothing runs.
    EXPECT_EQ(batch({"--consulta", queryFile->string(), "--saida", queryFile->string()}), 1);
    EXPECT_EQ(err.str(), "A saída " + queryFile->string() + " não é uma pasta.\n");
    fs::create_directories(program / "outra");
    fs::copy_file(*queryFile, program / "outra" / "duas.json");
    EXPECT_EQ(batch({"--consulta", queryFile->string(), "--consulta", (program / "outra" / "duas.json").string(),
                     "--saida-tipo", "grafico", "--saida", saida.string()}),
              1);
    EXPECT_NE(err.str().find("têm o mesmo nome"), std::string::npos) << err.str();
    EXPECT_EQ(out.str(), "");
}

TEST_F(QueryFileTest, MapInBatchIsTheWindowsFirstViewAsPicturesNamedAfterTheQuery)
{
    walkToLocalities();
    chooseLocality("Sergipe");
    click("btAvancar");
    queryFile = program / "uma.json";
    click("btSalvarConsulta");
    ASSERT_EQ(batch({"--consulta", queryFile->string(), "--saida-tipo", "mapa", "--formatos", "pdf,png", "--saida",
                     saida.string()}),
              0)
        << err.str();
    EXPECT_EQ(out.str(), (saida / "uma_mapa.png").string() + "\n" + (saida / "uma_mapa.pdf").string() + "\n");
    EXPECT_FALSE(QImage(QString::fromStdString((saida / "uma_mapa.png").string())).isNull());
    EXPECT_FALSE(fs::exists(saida / "uma_mapa.svg")) << "only the formats asked for";

    EXPECT_EQ(batch({"--ajuda"}), 0);
    EXPECT_EQ(out.str(), kUsoLinhaDeComando);
    EXPECT_THROW(parseBatchArguments({"--consulta", "a.json", "--formatos", "html,gif"}), std::runtime_error);
}

TEST_F(QueryFileTest, ExportarKeepsTheLastTableWhereTheUserChooses)
{
    walkToLocalities();
    chooseLocality("Sergipe");
    click("btAvancar");
    auto* exportar = window->findChild<QPushButton*>("btExportar");
    ASSERT_NE(exportar, nullptr);
    EXPECT_FALSE(exportar->isEnabled()) << "nothing to export yet";
    click("bt_tabela");
    ASSERT_TRUE(exportar->isEnabled());

    const fs::path kept = saida / "guardados";
    fs::create_directories(kept);
    queryFile = kept / "sergipe.xlsx";
    click("btExportar");
    EXPECT_EQ(bytes(kept / "sergipe.xlsx"), bytes(program / "População2.xlsx"));
    queryFile = kept / "sergipe.csv";
    click("btExportar");
    EXPECT_EQ(bytes(kept / "sergipe.csv"), bytes(program / "População2.csv"));
    // The page keeps its links: the other pages beside it under their own names.
    queryFile = kept / "sergipe.html";
    click("btExportar");
    for (const char* name : {"sergipe.html", "População2.html", "População2.xls", "População2pb.html"})
        EXPECT_TRUE(fs::exists(kept / name)) << name;
    EXPECT_EQ(bytes(kept / "sergipe.html"), bytes(program / "População2.html"));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(" | ").toStdString();

    queryFile = kept / "sergipe.gif";
    click("btExportar");
    EXPECT_EQ(messages, QStringList{"Escolha um arquivo .xlsx, .csv ou .html para exportar a tabela."});
}

TEST_F(QueryFileTest, ExportarKeepsTheChartAndBatchWritesTheSameFiles)
{
    walkToLocalities();
    chooseLocality("Sergipe");
    click("btAvancar");
    const fs::path sergipe = program / "sergipe.json";
    queryFile = sergipe;
    click("btSalvarConsulta");
    click("bt_grafico");
    ASSERT_TRUE(messages.isEmpty()) << messages.join(" | ").toStdString();
    auto* exportar = window->findChild<QPushButton*>("btExportar");
    ASSERT_TRUE(exportar->isEnabled());

    const fs::path kept = saida / "guardados";
    fs::create_directories(kept);
    for (const char* name : {"sergipe.svg", "sergipe.csv", "sergipe.png"}) {
        queryFile = kept / name;
        click("btExportar");
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join(" | ").toStdString();
    EXPECT_TRUE(QSvgRenderer(QString::fromStdString((kept / "sergipe.svg").string())).isValid());
    EXPECT_EQ(QImage(QString::fromStdString((kept / "sergipe.png").string())).width(), 1123 * 3);
    const std::string csv = bytes(kept / "sergipe.csv");
    EXPECT_NE(csv.find("Localidade;Homens;Mulheres\r\n"), std::string::npos) << csv;

    // The command line writes the absolute chart and the percentage one.
    ASSERT_EQ(batch({"--consulta", sergipe.string(), "--saida-tipo", "grafico", "--saida", saida.string()}),
              0) << err.str();
    std::string listed;
    for (const char* suffix : {"", "_percentual"})
        for (const char* extension : {".png", ".svg", ".pdf", ".csv"}) {
            const fs::path file = saida / ("sergipe_grafico" + std::string(suffix) + extension);
            listed += file.string() + "\n";
            EXPECT_GT(fs::file_size(file), 0u) << file;
        }
    EXPECT_EQ(out.str(), listed);
    EXPECT_EQ(bytes(saida / "sergipe_grafico.csv"), csv) << "the same chart as the window's";
    EXPECT_EQ(bytes(saida / "sergipe_grafico.svg"), bytes(kept / "sergipe.svg"));

    // The chart's refusals, word for word, and formats that do not fit the output.
    click("btVoltar");
    addNode("Unidade da Federação");
    click("btAvancar");
    queryFile = program / "estados.json";
    click("btSalvarConsulta");
    click("bt_grafico");
    ASSERT_EQ(messages, QStringList{QString::fromUtf8(daxo::charts::kRecusaNiveis)});
    EXPECT_EQ(batch({"--consulta", queryFile->string(), "--saida-tipo", "grafico", "--saida", saida.string()}), 1);
    EXPECT_EQ(err.str(), messages.front().toStdString() + "\n");
    EXPECT_EQ(out.str(), "");
    const auto refusal = [](std::vector<std::string> arguments) {
        try {
            parseBatchArguments(arguments);
        } catch (const std::runtime_error& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(refusal({"--consulta", "a.json", "--formatos", "png,csv"}),
              "O formato png não serve para a saída tabela (use html, xlsx ou csv)");
    EXPECT_EQ(refusal({"--formatos", "xlsx", "--saida-tipo", "grafico", "--consulta", "a.json"}),
              "O formato xlsx não serve para a saída grafico (use png, svg, pdf ou csv)");
}

#include "query_file_test.moc"
