#include "application.h"
#include "batch.h"
#include "chart_output.h"
#include "data_module_setup.h"
#include "legend_window.h"
#include "main_window.h"
#include "map_output.h"
#include "query_actions.h"
#include "splash.h"
#include "table_output.h"
#include "indicators/widgets/indicator_page.h"
#include "localities/widgets/locality_page.h"
#include "localities/widgets/selection_map.h"

#include <QDir>
#include <QApplication>
#include <QIcon>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>

using namespace daxo::app;

// Saved queries run without a display: the map is drawn by its window,
// built off screen, and pictures need fonts, which that platform gives.
int runCommandLine(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The library's notes (in English) are not for whoever reads the output.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString&) {
        if (type == QtFatalMsg)
            std::abort();
    });
    QApplication gui(argc, argv);
    keepDecimalPoint();
    BatchOptions options;
    try {
        options = parseBatchArguments(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 2;
    }
    return runBatch(options, QCoreApplication::applicationDirPath().toStdString(), std::cout, std::cerr);
}

int main(int argc, char** argv)
{
    if (isBatchCall(argc, argv))
        return runCommandLine(argc, argv);
    usePortugueseDates();
    DaxoApplication app(argc, argv);
    // Help pages, pictures and the exit clean-up work relative to the program folder.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    auto* splash = new TfrmAbertura;
    splash->show();
    splash->repaint();
    QApplication::processEvents();
    QApplication::setApplicationName("Velmora");
    QApplication::setWindowIcon(QIcon("icone.png"));

    auto indicators = std::make_unique<daxo::indicators::IndicatorPageController>(runAction);
    auto localities = std::make_unique<daxo::localities::LocalityPageController>(
        dmDAXO, [page = indicators.get()] { page->rebuildCaption(); }, runAction);
    auto* indicatorPage = indicators.get();
    auto* localityPage = localities.get();
    daxo::localities::SelectionMapWidget selectionMap(
        localityPage->page(), [localityPage] { return localityPage->CodigoLocal(); }, runAction);
    localityPage->setSelectionMap(&selectionMap);
    TfrmPrincipal frmPrincipal(std::move(indicators), std::move(localities));
    frmPrincipal.setLayerLoader([&selectionMap] {
        const std::string missing =
            daxo::localities::missingMapsMessage(selectionMap.loadLayers(std::filesystem::current_path()));
        if (!missing.empty())
            throw std::runtime_error(missing);
    });
    frmPrincipal.setSplash(splash);
    wireTableOutput(frmPrincipal, *indicatorPage, *localityPage);
    wireChartOutput(frmPrincipal, *indicatorPage, *localityPage);
    wireMapOutput(frmPrincipal, *indicatorPage, *localityPage);
    wireQueryActions(frmPrincipal, *indicatorPage, *localityPage);
    app.run([] { criaDmDAXO(std::filesystem::current_path()); });
    TfrmLegenda frmLegenda;

    frmPrincipal.show();
    return app.exec();
}
