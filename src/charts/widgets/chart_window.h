#pragma once
// TfrmGraphPopMasc and TfrmGrafPerc: a borderless, always-on-top window
// showing the bar series of one chart output, with its detail panel.
#include "charts/chart_series.h"

#include "charts/widgets/chart_tools.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPrinter;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QToolButton;

namespace daxo::platform {
class BarChart;
}

namespace daxo::charts {

struct ChartWindowSetup {
    ChartKind kind = ChartKind::Absolute;
    std::string header;              // LabelTopo: "Filtro:Censo 2000 - …"
    std::vector<std::string> dataLines;   // above the table of the chart's CSV file
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
    // "Salvar" asks here for the file name; nothing when cancelled.
    std::function<std::optional<std::string>()> chooseBitmapFile;

    ChartKind kind() const { return setup_.kind; }
    platform::BarChart* chart() const { return chart_; }
    const ChartTools& tools() const { return tools_; }
    int selectedSeries() const;

    // The chart with title and footer on a printer, or into a file by its
    // extension: a picture of a paper's size in .png, .svg or .pdf, the data
    // in .csv, else the chart as the window shows it in a bitmap. Failures
    // go to onError.
    void printChart(QPrinter& printer);
    void saveChart(const std::string& path);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildHeader();
    void buildDetailPanel();
    void buildBottomBar();
    QWidget* toolGroup(QWidget* caption, const std::vector<QWidget*>& controls);
    QWidget* toolGroup(const QString& caption, const std::vector<QWidget*>& controls);
    QToolButton* smallButton(const QString& name, const QString& glyph, const QString& hint,
                             std::function<void()> action);
    void refresh();
    void fadeIn();
    void withTitleAndFooter(const std::function<bool()>& output, const std::string& failure);

    void FormActivate();
    void btnImprimirClick();
    void btnSalvarClick();
    void btnFecharClick();
    void SpeedButton14Click();
    void CheckBox1Click();
    void ScrollBar2Change();
    void ScrollBar3Change();
    void SpeedButton8Click();
    void SpeedButton9Click();
    void SpeedButton11Click();
    void RadioGroup1Click();
    void ComboBox1Change();
    void fillSeriesList(int selected);

    ChartWindowSetup setup_;
    platform::BarChart* chart_ = nullptr;
    ChartTools tools_;
    bool faded_ = false;

    QLabel* labelTopo_ = nullptr;
    QFrame* panel2_ = nullptr;
    QFrame* panel3_ = nullptr;
    QCheckBox* checkBox1_ = nullptr;
    QScrollBar* scrollBar2_ = nullptr;
    QScrollBar* scrollBar3_ = nullptr;
    QToolButton* normal_ = nullptr;
    QToolButton* marksOff_ = nullptr;   // SpeedButton11: marks are on
    QToolButton* marksOn_ = nullptr;    // SpeedButton13: marks are off
    QComboBox* comboBox1_ = nullptr;
    QFrame* shape1_ = nullptr;
    QRadioButton* atras_ = nullptr;
    QRadioButton* lado_ = nullptr;
    QWidget* apresentacao_ = nullptr;
    QPushButton* detailButton_ = nullptr;
};

} // namespace daxo::charts
