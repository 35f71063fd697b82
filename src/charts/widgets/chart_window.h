#pragma once
// TfrmGraphPopMasc and TfrmGrafPerc: a borderless, always-on-top window
// showing the bar series of one chart output, with its detail panel.
#include "charts/chart_series.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace daxo::charts {

struct ChartWindowSetup {
    ChartKind kind = ChartKind::Absolute;
    std::string header;              // LabelTopo: "Filtro:Censo 2000 - …"
    bool percentageButton = false;   // bt_Percentual shown (Absolute: indicators 0, 2, 3, 9, 13)
    int larguraTela = 1024;          // screen width read by the main window
};

class ChartWindow : public QWidget {
    Q_OBJECT
public:
    ChartWindow(ChartWindowSetup setup, std::vector<ChartSeries> series, QWidget* parent = nullptr);
    ~ChartWindow() override;

    // bt_Percentual: the owner switches to the other window (AlternaGrafico).
    std::function<void()> onSwitch;
    // "Fechar / Voltar" of the absolute window hides the percentage one too.
    std::function<void()> onClose;
    // FormShow hides the main window's waiting panel.
    std::function<void()> onShown;
    // Printing or saving failed: the text for the message window.
    std::function<void(const std::string&)> onError;
};

} // namespace daxo::charts
