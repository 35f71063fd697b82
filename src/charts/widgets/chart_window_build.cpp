// The regions and controls of a chart window, laid out once.
#include "charts/widgets/chart_window.h"
#include "charts/widgets/chart_window_look.h"

#include "platform/bar_chart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace daxo::charts {
namespace {

constexpr const char* kCaptionStyle = "QLabel { color: white; font: bold 10px Arial; }";

// Long captions take two lines so the panel's groups fit its width.
QLabel* whiteLabel(const QString& text)
{
    auto* label = new QLabel(text);
    label->setStyleSheet(kCaptionStyle);
    label->setAlignment(Qt::AlignCenter);
    if (text.size() > 15) {
        label->setWordWrap(true);
        label->setFixedWidth(QFontMetrics(QFont("Arial", 8)).horizontalAdvance(text) / 2 + 24);
    }
    return label;
}

// A label that acts when clicked.
class ClickLabel : public QLabel {
public:
    ClickLabel(const QString& text, std::function<void()> action, QWidget* parent)
        : QLabel(text, parent), action_(std::move(action))
    {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    // A click: the left button released over the label.
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            action_();
    }

private:
    std::function<void()> action_;
};

} // namespace

void ChartWindow::buildHeader()
{
    QString header = QString::fromStdString(setup_.header);
    header.replace("\r\n", "\n").replace('\r', '\n');
    labelTopo_ = new QLabel(header, this);
    labelTopo_->setObjectName("LabelTopo");
    labelTopo_->setFixedHeight(37);
    labelTopo_->setAlignment(Qt::AlignCenter);
    labelTopo_->setWordWrap(true);
    labelTopo_->setStyleSheet("QLabel { background: white; color: rgb(20, 65, 155); font: bold 11px Arial; }");
}

QToolButton* ChartWindow::smallButton(const QString& name, const QString& glyph, const QString& hint,
                                      std::function<void()> action)
{
    auto* button = new QToolButton;
    button->setObjectName(name);
    button->setText(glyph);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setFixedSize(22, 22);
    connect(button, &QToolButton::clicked, this, [this, action = std::move(action)] {
        action();
        refresh();
    });
    return button;
}

// A caption over a row of controls; the caption may itself be a control.
QWidget* ChartWindow::toolGroup(QWidget* caption, const std::vector<QWidget*>& controls)
{
    auto* group = new QWidget;
    auto* column = new QVBoxLayout(group);
    column->setContentsMargins(2, 3, 2, 2);
    column->setSpacing(2);
    column->addWidget(caption, 0, Qt::AlignHCenter);
    auto* row = new QHBoxLayout;
    row->setSpacing(1);
    for (QWidget* control : controls)
        row->addWidget(control);
    column->addLayout(row);
    column->addStretch();
    return group;
}

QWidget* ChartWindow::toolGroup(const QString& caption, const std::vector<QWidget*>& controls)
{
    return toolGroup(whiteLabel(caption), controls);
}

void ChartWindow::buildDetailPanel()
{
    panel2_ = new QFrame(this);
    panel2_->setObjectName("Panel2");
    panel2_->setFixedHeight(76);
    paintFlat(panel2_, kAzulClaro);
    panel2_->setStyleSheet("QToolButton, QPushButton { font: bold 11px Arial; }"
                           "QCheckBox, QRadioButton { color: white; font: bold 10px Arial; }"
                           "QComboBox { font: 10px Arial; }");
    panel2_->hide();

    scrollBar3_ = new QScrollBar(Qt::Horizontal);
    scrollBar3_->setObjectName("ScrollBar3");
    scrollBar3_->setRange(270, 360);
    scrollBar3_->setValue(360);
    scrollBar3_->setFixedWidth(64);
    connect(scrollBar3_, &QScrollBar::valueChanged, this, [this] { ScrollBar3Change(); });

    checkBox1_ = new QCheckBox("3&D:");
    checkBox1_->setObjectName("CheckBox1");
    checkBox1_->setChecked(true);
    connect(checkBox1_, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    scrollBar2_ = new QScrollBar(Qt::Horizontal);
    scrollBar2_->setObjectName("ScrollBar2");
    scrollBar2_->setRange(1, 100);
    scrollBar2_->setValue(15);
    scrollBar2_->setFixedWidth(56);
    connect(scrollBar2_, &QScrollBar::valueChanged, this, [this] { ScrollBar2Change(); });

    normal_ = smallButton("SpeedButton6", "Normal", "Normal", [this] { tools_.normal(); });
    normal_->setFixedWidth(50);
    auto* formaOriginal = new ClickLabel("Forma Original", [this] {
        tools_.zoom(80);
        refresh();
    }, nullptr);
    formaOriginal->setObjectName("LabelFormaOriginal");
    formaOriginal->setStyleSheet(kCaptionStyle);

    marksOff_ = smallButton("SpeedButton11", "☑", "Liga e desliga a legenda superior", [this] { SpeedButton11Click(); });
    marksOn_ = smallButton("SpeedButton13", "☐", "Liga e desliga a legenda superior", [this] { SpeedButton11Click(); });

    const SwitchButton switching = switchButton(setup_.kind);
    auto* percentual = new QPushButton(QString::fromUtf8(switching.caption));
    percentual->setObjectName("bt_Percentual");
    percentual->setToolTip(QString::fromUtf8(switching.hint));
    percentual->setFixedSize(56, 22);
    connect(percentual, &QPushButton::clicked, this, [this] {
        if (onSwitch)
            onSwitch();
    });

    comboBox1_ = new QComboBox;
    comboBox1_->setObjectName("ComboBox1");
    comboBox1_->setFixedWidth(110);
    connect(comboBox1_, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    shape1_ = new QFrame;
    shape1_->setObjectName("Shape1");
    shape1_->setFixedSize(16, 16);
    shape1_->setFrameShape(QFrame::Box);

    auto* radioGroup = new QWidget;
    radioGroup->setObjectName("RadioGroup2");
    auto* radios = new QVBoxLayout(radioGroup);
    radios->setContentsMargins(0, 0, 0, 0);
    radios->setSpacing(0);
    atras_ = new QRadioButton("Atrás");
    lado_ = new QRadioButton("Lado");
    lado_->setChecked(true);
    for (QRadioButton* r : {atras_, lado_}) {
        radios->addWidget(r);
        connect(r, &QRadioButton::clicked, this, [this] { RadioGroup1Click(); });
    }

    auto* row = new QHBoxLayout(panel2_);
    row->setContentsMargins(2, 0, 2, 0);
    row->setSpacing(0);
    row->addWidget(toolGroup("Rotação", {scrollBar3_}));
    row->addWidget(toolGroup(checkBox1_, {whiteLabel("2D"), scrollBar2_, whiteLabel("3D")}));
    row->addWidget(toolGroup("Visualização",
                             {smallButton("SpeedButton5", "+", "Aproxima", [this] { tools_.zoom(120); }),
                              smallButton("SpeedButton7", "−", "Afasta", [this] { tools_.zoom(80); })}));
    row->addWidget(toolGroup(formaOriginal, {normal_}));
    row->addWidget(toolGroup(
        "Posição Gráfico",
        // The arrows tell where the bars go: a range moved up moves them down.
        {smallButton("SpeedButton1", "◀", "Move para a esquerda", [this] { tools_.scrollHorizontal(10); }),
         smallButton("SpeedButton2", "▲", "Move para cima", [this] { tools_.scrollVertical(-3); }),
         smallButton("SpeedButton3", "▼", "Move para baixo", [this] { tools_.scrollVertical(3); }),
         smallButton("SpeedButton4", "▶", "Move para a direita", [this] { tools_.scrollHorizontal(-3); })}));
    row->addWidget(toolGroup("Legenda Superior", {marksOff_, marksOn_}));
    row->addWidget(toolGroup("Posição Legenda", {smallButton("SpeedButton10", "↻", "Posição da legenda",
                                                             [this] { tools_.nextLegendPosition(); })}));
    apresentacao_ = toolGroup("Apresentação", {percentual});
    row->addWidget(apresentacao_);
    QWidget* seriesOrder =
        toolGroup("Posição Barra",
                  {smallButton("SpeedButton9", "◀", "Uma posição antes", [this] { SpeedButton9Click(); }), shape1_,
                   smallButton("SpeedButton8", "▶", "Uma posição depois", [this] { SpeedButton8Click(); })});
    static_cast<QVBoxLayout*>(seriesOrder->layout())->insertWidget(2, comboBox1_);
    row->addWidget(seriesOrder);
    row->addWidget(toolGroup("Posição das Barras", {radioGroup}));
    row->addStretch();
    apresentacao_->setVisible(setup_.kind == ChartKind::Percentage || setup_.percentageButton);
}

void ChartWindow::buildBottomBar()
{
    panel3_ = new QFrame(this);
    panel3_->setObjectName("Panel3");
    panel3_->setFixedHeight(40);
    paintFlat(panel3_, kAzulBarra);
    panel3_->setStyleSheet("QPushButton { color: white; font: bold 12px Arial; border: none; padding: 4px 10px; }"
                           "QPushButton:hover { text-decoration: underline; }");
    auto* row = new QHBoxLayout(panel3_);
    row->setContentsMargins(8, 0, 8, 0);
    const auto add = [&](const char* name, const QString& caption, void (ChartWindow::*handler)()) {
        auto* button = new QPushButton(caption);
        button->setObjectName(name);
        button->setFlat(true);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
        row->addWidget(button);
        return button;
    };
    add("btnImprimir", "Imprimir", &ChartWindow::btnImprimirClick);
    add("btnSalvar", "Salvar", &ChartWindow::btnSalvarClick);
    add("btnFechar", "Fechar / Voltar", &ChartWindow::btnFecharClick);
    row->addStretch();
    detailButton_ = add("SpeedButton14", kAbrirDetalhe, &ChartWindow::SpeedButton14Click);
}

} // namespace daxo::charts
