#include "charts/widgets/chart_window.h"
#include "charts/widgets/chart_export.h"
#include "charts/widgets/chart_window_look.h"

#include "platform/bar_chart.h"
#include "platform/file_dialog.h"
#include "platform/image_files.h"
#include "platform/safe_files.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace daxo::charts {
namespace {

bool fadeSupported()
{
    const QString platform = QGuiApplication::platformName();
    return platform != "offscreen" && platform != "minimal";
}

} // namespace

ChartWindow::ChartWindow(ChartWindowSetup setup, std::vector<ChartSeries> series, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      setup_(std::move(setup)),
      chart_(new platform::BarChart(this)),
      tools_(chart_->model())
{
    setObjectName(setup_.kind == ChartKind::Absolute ? "frmGraphPopMasc" : "frmGrafPerc");
    paintFlat(this, Qt::white);
    chart_->setObjectName("DBChart1");
    chart_->model().setSeries(toBarSeries(series));
    chart_->onMouseZoom = [this](bool zoomed) {
        tools_.zoomedByMouse(zoomed);
        refresh();
    };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildHeader();
    layout->addWidget(labelTopo_);
    auto* chartRow = new QHBoxLayout;
    chartRow->setContentsMargins(4, 0, 5, 0);
    chartRow->addWidget(chart_);
    layout->addLayout(chartRow, 1);
    buildDetailPanel();
    layout->addWidget(panel2_);
    buildBottomBar();
    layout->addWidget(panel3_);

    setFixedSize(790, alturaInicial(setup_.larguraTela));
    move(1, 1);
    if (fadeSupported())
        setWindowOpacity(0.0);
    fillSeriesList(0);
    refresh();
}

ChartWindow::~ChartWindow() = default;
int ChartWindow::selectedSeries() const
{
    return comboBox1_->currentIndex();
}

// Puts the controls in step with the chart and repaints it.
void ChartWindow::refresh()
{
    normal_->setEnabled(tools_.normalEnabled());
    marksOff_->setVisible(tools_.marksOn());
    marksOn_->setVisible(!tools_.marksOn());
    checkBox1_->setChecked(tools_.is3D());
    scrollBar2_->setEnabled(tools_.is3D());
    scrollBar3_->setEnabled(tools_.is3D());
    chart_->update();
}

void ChartWindow::fillSeriesList(int selected)
{
    comboBox1_->clear();
    for (const auto& title : tools_.seriesTitles())
        comboBox1_->addItem(QString::fromStdString(title));
    comboBox1_->setCurrentIndex(selected < comboBox1_->count() ? selected : 0);
    ComboBox1Change();
}

void ChartWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // FormShow
    chart_->model().titleLines.clear();
    chart_->model().legendVisible = true;
    if (onShown)
        onShown();
    // Shown without being activated (no window manager): fade in anyway.
    if (!faded_)
        QTimer::singleShot(0, this, [this] { fadeIn(); });
}

bool ChartWindow::event(QEvent* e)
{
    const bool result = QWidget::event(e);
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return result;
}

void ChartWindow::FormActivate()
{
    apresentacao_->setVisible(setup_.kind == ChartKind::Percentage || setup_.percentageButton);
    fillSeriesList(0);
    fadeIn();
}

void ChartWindow::fadeIn()
{
    if (faded_)
        return;
    faded_ = true;
    if (!fadeSupported())
        return;
    // Clicks wait for the end of the animation: one of them could replace
    // this window while it is still fading in.
    for (int opacity = 0; opacity < 255; opacity += 14) {
        setWindowOpacity(opacity / 255.0);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(3);
    }
    setWindowOpacity(1.0);
}

void ChartWindow::withTitleAndFooter(const std::function<bool()>& output, const std::string& failure)
{
    auto& model = chart_->model();
    addTitleAndFooter(model, setup_.header);
    const bool done = output();
    model.titleLines.clear();
    model.footerLines.clear();
    chart_->update();
    if (!done && onError)
        onError(failure);
}

void ChartWindow::printChart(QPrinter& printer)
{
    withTitleAndFooter([&] { return chart_->printLandscape(printer); },
                       "Não foi possível imprimir o gráfico. Verifique a impressora.");
}

void ChartWindow::saveChart(const std::string& path)
{
    // The message is read after the output: a failure puts its own reason in it.
    std::string failure;
    withTitleAndFooter(
        [&] {
            try {
                const std::filesystem::path file(path);
                if (const auto format = platform::pictureFormatOf(file))
                    writeChartPicture(file, *format, chart_->model(), setup_.header);
                else if (isChartData(file))
                    platform::writeFileSafely(file, chartCsv(setup_.dataLines, chart_->model()));
                else
                    platform::saveImageSafely(chart_->toImage(), path, "BMP");
                return true;
            } catch (const platform::FileError& e) {
                failure = e.what();
                return false;
            }
        },
        failure);
}

void ChartWindow::btnImprimirClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printChart(printer);
}

void ChartWindow::btnSalvarClick()
{
    std::optional<std::string> path;
    if (chooseBitmapFile) {
        path = chooseBitmapFile();
    } else if (const auto file = platform::askForFile(
                   this, {.title = "Salvar", .filters = QStringList{"Windows Bitmap (*.bmp)"} + chartFileFilters()})) {
        path = file->string();
    }
    if (path)
        saveChart(*path);
}

void ChartWindow::btnFecharClick()
{
    if (setup_.kind == ChartKind::Absolute && onClose)
        onClose();
    hide();
}

void ChartWindow::SpeedButton14Click()
{
    const bool opening = detailButton_->text() == QString::fromUtf8(kAbrirDetalhe);
    if (opening) {
        panel2_->show();
        detailButton_->setText(QString::fromUtf8(kFecharDetalhe));
    } else {
        detailButton_->setText(QString::fromUtf8(kAbrirDetalhe));
    }
    const auto heights = opening ? openingHeights(setup_.larguraTela) : closingHeights(setup_.larguraTela);
    for (std::size_t i = 0; i < heights.size(); ++i) {
        if (!opening && i + 1 == heights.size())
            panel2_->hide();
        setFixedHeight(heights[i]);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void ChartWindow::CheckBox1Click()
{
    tools_.set3D(checkBox1_->isChecked());
    refresh();
}

void ChartWindow::ScrollBar2Change()
{
    if (scrollBar2_->isEnabled())
        tools_.setDepth(scrollBar2_->value());
    refresh();
}

void ChartWindow::ScrollBar3Change()
{
    if (scrollBar3_->isEnabled())
        tools_.setRotation(scrollBar3_->value());
    refresh();
}

void ChartWindow::SpeedButton8Click()
{
    fillSeriesList(tools_.moveLater(selectedSeries()));
}

void ChartWindow::SpeedButton9Click()
{
    fillSeriesList(tools_.moveEarlier(selectedSeries()));
}

void ChartWindow::SpeedButton11Click()
{
    tools_.toggleMarks();
}

void ChartWindow::RadioGroup1Click()
{
    tools_.setLayout(selectedSeries(), atras_->isChecked() ? platform::BarLayout::Behind : platform::BarLayout::Side);
    refresh();
}

void ChartWindow::ComboBox1Change()
{
    const int index = selectedSeries();
    const auto& series = chart_->model().series();
    const bool valid = index >= 0 && index < static_cast<int>(series.size());
    if (valid) {
        paintFlat(shape1_, qcolour(series[index].colour));
        (series[index].layout == platform::BarLayout::Behind ? atras_ : lado_)->setChecked(true);
    }
    shape1_->setVisible(valid);
}

} // namespace daxo::charts
