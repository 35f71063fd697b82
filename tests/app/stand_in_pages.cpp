#include "stand_in_pages.h"

#include "indicators/catalogue.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace daxo::app {

StandInIndicatorPage::StandInIndicatorPage() : widget_(new QWidget)
{
    auto* titulo = new QLabel(QString::fromUtf8("Selecione o Indicador"), widget_);
    titulo->setGeometry(20, 10, 300, 22);
    cbIndicadores = new QComboBox(widget_);
    cbIndicadores->setObjectName("cbIndicadores");
    cbIndicadores->setGeometry(20, 36, 400, 26);
    for (const auto& info : indicators::catalogue())
        cbIndicadores->addItem(QString::fromStdString(info.itemText));
    cbIndicadores->setCurrentIndex(-1);
    QObject::connect(cbIndicadores, &QComboBox::activated, widget_, [this] { indicatorChanged(); });
    painel_ = new QLabel(widget_);
    painel_->setObjectName("PainelIndicadores");
    painel_->setGeometry(20, 70, 678, 260);
}

StandInIndicatorPage::~StandInIndicatorPage() { delete widget_; }

void StandInIndicatorPage::setPanelVisible(bool visible)
{
    panelVisible = visible;
    painel_->setVisible(visible);
}

bool StandInIndicatorPage::hasIndicator() const { return !cbIndicadores->currentText().isEmpty(); }
int StandInIndicatorPage::indicatorIndex() const { return cbIndicadores->currentIndex(); }
void StandInIndicatorPage::selectFirstIndicator() { cbIndicadores->setCurrentIndex(0); }

void StandInIndicatorPage::indicatorChanged()
{
    host_->setCaption(cbIndicadores->currentText().toStdString());
    if (onChange)
        onChange();
}

void StandInIndicatorPage::leavePage()
{
    if (onLeave)
        onLeave();
    ++leaveCount;
}

StandInLocalityPage::StandInLocalityPage() : widget_(new QWidget)
{
    widget_->setObjectName("PainelUnidade");
    estado_ = new QLabel(widget_);
    estado_->setGeometry(10, 10, 226, 200);
    estado_->setWordWrap(true);
    estado_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* escolher = new QPushButton("Brasil", widget_);
    escolher->setObjectName("TreeView1");
    escolher->setGeometry(10, 220, 120, 28);
    QObject::connect(escolher, &QPushButton::clicked, widget_, [this] { choose(); });
    show();
}

StandInLocalityPage::~StandInLocalityPage() { delete widget_; }

void StandInLocalityPage::clearMunicipioLabel()
{
    municipio.clear();
    show();
}

void StandInLocalityPage::choose()
{
    host_->localitySelectionTouched();
    ++chosen;
    show();
}

void StandInLocalityPage::show()
{
    estado_->setText(QString::fromStdString(heading) + QString("\nLocalidades escolhidas: %1").arg(chosen));
}

} // namespace daxo::app
