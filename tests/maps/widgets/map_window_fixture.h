#pragma once
// The map window on the small sample installation: the query runs through
// the map preparation, then the window is built on the working layers.
#include "indicators/indicator_panels.h"
#include "indicators/indicator_rows.h"
#include "localities/chosen_list.h"
#include "maps/widgets/legend_editor.h"
#include "maps/widgets/map_window.h"
#include "platform/dbf_table.h"
#include "platform/map_control.h"
#include "query/query_runner.h"
#include "report_run.h"

#include <QApplication>
#include <QLabel>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <unistd.h>

namespace daxo::maps::test {

namespace fs = std::filesystem;

class MapWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = fs::temp_directory_path() / ("daxo_map_window_" + std::to_string(::getpid()));
        daxo::test::generateInstallation(folder, true);
        dm = std::make_unique<platform::DataModule>(folder / "Bases");
    }
    static void TearDownTestSuite()
    {
        dm.reset();
        fs::remove_all(folder);
    }
    void TearDown() override { janela.reset(); }

    // The query of `indicator` with the boxes ticked, prepared for one locality.
    MapWindowData prepara(int indicator, const std::string& name, const std::string& code,
                          const std::vector<std::string>& boxes = {"chkMasculino", "chkFeminino"}, int age = 0)
    {
        const auto rows = daxo::test::chosenRows({.indicator = indicator, .boxes = boxes, .firstAge = age, .lastAge = age});
        localities::MigrationLists migration;
        query::QueryRunner runner(*dm, migration);
        MapWindowData data;
        bt_MapaClick(*dm, runner,
                     {.choice = {.indicator = indicator, .census = censo, .names = {name}, .codes = {code}},
                      .rows = &rows,
                      .programa = folder},
                     {.abreJanela = [&](const MapWindowData& d) { data = d; }});
        zeraValores();
        return data;
    }
    // The same, shown in a new window.
    TfrmMapaBrasil& abre(int indicator, const std::string& name, const std::string& code,
                         const std::vector<std::string>& boxes = {"chkMasculino", "chkFeminino"}, int age = 0)
    {
        janela.reset();
        janela = std::make_unique<TfrmMapaBrasil>(prepara(indicator, name, code, boxes, age), *dm,
                                                  "Indicador de teste", censo);
        janela->onError = [this](const std::exception& e) { erros.push_back(e.what()); };
        janela->abreArquivo = [this](const fs::path& f) { abertos.push_back(f); };
        janela->show();
        QApplication::processEvents();
        return *janela;
    }

    QLabel* rotulo(const QString& name) const { return janela->findChild<QLabel*>(name); }
    QString texto(const QString& name) const { return rotulo(name)->text(); }
    bool visivel(const QString& name) const { return !janela->findChild<QWidget*>(name)->isHidden(); }
    // The colour each feature of the layer on show is painted with.
    std::vector<std::uint32_t> coresDesenhadas()
    {
        auto& layer = janela->mapamostra().Layers().item(0);
        const auto symbols = layer.renderer->symbolsFor(layer.table());
        std::vector<std::uint32_t> cores;
        for (const auto* s : symbols)
            cores.push_back(s ? s->fillColour : layer.defaultSymbol().fillColour);
        return cores;
    }
    // The label's text fits inside it, measured with the label's own font
    // (whichever font that turned out to be).
    static void expectFits(QLabel* label)
    {
        label->ensurePolished();
        const QRect room = label->contentsRect();
        const int flags = (label->wordWrap() ? Qt::TextWordWrap : 0) | static_cast<int>(label->alignment());
        const QRect needs = label->fontMetrics().boundingRect(room, flags, label->text());
        EXPECT_TRUE(room.contains(needs)) << label->text().toStdString() << ": " << needs.width() << "x"
                                          << needs.height() << " in " << room.width() << "x" << room.height();
    }
    std::vector<double> valores(const std::string& coluna)
    {
        std::vector<double> out;
        for (auto r = janela->mapamostra().Layers().item(0).records(); !r.eof(); r.moveNext())
            out.push_back(r.value(coluna).asFloat());
        return out;
    }

    std::string censo = "2000";   // of the next window opened
    // Municipalities (NAME1_) left without values in the next window's
    // layer, as the runner leaves one created after 1991: the sample's
    // municipalities all existed then.
    std::vector<std::string> semValor;
    void zeraValores()
    {
        if (semValor.empty())
            return;
        auto table = platform::DbfTable::open(folder / "tempmapa.dbf");
        const int nome = table.fieldIndex("NAME1_");
        for (std::size_t r = 0; r < table.recordCount(); ++r)
            if (std::find(semValor.begin(), semValor.end(), table.value(r, nome).asString()) != semValor.end())
                for (const char* coluna : {"v01", "v02", "v03", "v04", "v05", "v06", "v07", "v08", "v09"})
                    table.setValue(r, table.fieldIndex(coluna), 0);
        table.save();
    }
    static inline fs::path folder;
    static inline std::unique_ptr<platform::DataModule> dm;
    std::unique_ptr<TfrmMapaBrasil> janela;
    std::vector<std::string> erros;
    std::vector<fs::path> abertos;
};

// A legend text such as « 1.234,56» as a number.
inline double numero(QString text)
{
    return text.trimmed().remove('.').replace(',', '.').toDouble();
}

} // namespace daxo::maps::test
