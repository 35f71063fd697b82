#include "locality_page.h"

#include "locality_page_widget.h"
#include "municipality_chooser_dialog.h"
#include "platform/data_module.h"
#include "platform/system_errors.h"

#include <QCheckBox>
#include <QListWidget>
#include <QTreeWidget>

namespace daxo::localities {
LocalityPageController::LocalityPageController(std::function<platform::DataModule&()> dataModule,
                                               std::function<void()> rebuildCaption, Runner run)
    : dataModule_(std::move(dataModule)), rebuildCaption_(std::move(rebuildCaption)),
      run_(std::move(run)), widget_(std::make_unique<LocalityPageWidget>())
{
    connectEvents();
}

LocalityPageController::~LocalityPageController() = default;

QWidget* LocalityPageController::widget() { return widget_.get(); }

void LocalityPageController::act(const std::function<void()>& action)
{
    run_([this, &action] {
        struct Refresh {
            LocalityPageController& page;
            ~Refresh() { page.widget_->showChosen(page.selection_.chosen()); }
        } refresh{*this};
        action();
    });
}

void LocalityPageController::connectEvents()
{
    LocalityPageWidget& w = *widget_;
    auto selected1 = [&w] { return LocalityPageWidget::selectedPosition(w.TreeView1); };
    auto selected2 = [&w] { return LocalityPageWidget::selectedPosition(w.TreeView2); };

    QObject::connect(w.TreeView1, &QTreeWidget::itemClicked, &w,
                     [this, selected1] { act([&] { selection_.TreeView1Click(selected1()); }); });
    QObject::connect(w.TreeView1, &QTreeWidget::itemDoubleClicked, &w,
                     [this, selected1] { act([&] { selection_.TreeView1DblClick(selected1()); }); });
    QObject::connect(w.TreeView1, &QTreeWidget::itemExpanded, &w,
                     [this, selected1] { act([&] { selection_.TreeView1Expanded(selected1()); }); });

    QObject::connect(w.TreeView2, &QTreeWidget::itemClicked, &w,
                     [this, selected2] { act([&] { selection_.TreeView2Click(selected2()); }); });
    QObject::connect(w.TreeView2, &QTreeWidget::itemDoubleClicked, &w,
                     [this, selected2] { act([&] { selection_.TreeView2DblClick(selected2()); }); });
    QObject::connect(w.TreeView2, &QTreeWidget::itemExpanded, &w, [this, &w, selected2] {
        if (w.TreeView2->isVisible())
            act([&] { selection_.TreeView2Expanded(selected2()); });
    });

    QObject::connect(w.cbSelecao, &QListWidget::currentRowChanged, &w,
                     [this](int row) { selection_.chosen().select(row); });
    QObject::connect(w.cbSelecao, &QListWidget::itemClicked, &w, [this] { act([&] { selection_.cbSelecaoClick(); }); });
    QObject::connect(w.cbSelecao, &QListWidget::itemDoubleClicked, &w,
                     [this] { act([&] { selection_.cbSelecaoDblClick(); }); });
    w.lblLimpar1->onClick = [this] { act([&] { selection_.cbSelecaoDblClick(); }); };
    w.lblLimpar->onClick = [this] { act([&] { selection_.lblLimparClick(); }); };

    QObject::connect(w.ckMostrarMunicipio, &QCheckBox::clicked, &w, [this](bool ticked) {
        if (map_)
            run_([&] { map_->ckMostrarMunicipioClick(ticked); });
    });
}

void LocalityPageController::setHierarchyTreeVisible(bool visible) { widget_->TreeView1->setVisible(visible); }

void LocalityPageController::setMigrationTreeVisible(bool visible) { widget_->TreeView2->setVisible(visible); }

void LocalityPageController::setSelectionEnabled(bool enabled)
{
    widget_->TreeView1->setEnabled(enabled);
    widget_->cbSelecao->setEnabled(enabled);
}

void LocalityPageController::setChosenListVisible(bool visible)
{
    for (QWidget* w : {static_cast<QWidget*>(widget_->cbSelecao), static_cast<QWidget*>(widget_->lblCodLocal),
                       static_cast<QWidget*>(widget_->lblLimpar), static_cast<QWidget*>(widget_->lblLimpar1)})
        w->setVisible(visible);
}

void LocalityPageController::hideMaps()
{
    widget_->mapArea->hide();
    widget_->Panel2->hide();
}

void LocalityPageController::clearChosen()
{
    selection_.chosen().clear();
    widget_->showChosen(selection_.chosen());
}

void LocalityPageController::restoreChosen(const std::vector<std::string>& texts, const std::vector<std::string>& codes)
{
    selection_.chosen().clear();
    for (std::size_t i = 0; i < texts.size() && i < codes.size(); ++i)
        selection_.chosen().append(texts[i], codes[i]);
    widget_->showChosen(selection_.chosen());
}

void LocalityPageController::clearMunicipioLabel() { widget_->LabelMunicipio->clear(); }

void LocalityPageController::setHeading(const std::string& text)
{
    widget_->lblGeral->setText(QString::fromStdString(text));
}

void LocalityPageController::showMap(const std::string& camada)
{
    widget_->mapArea->show();
    camadaAtual_ = camada;
}

void LocalityPageController::Pintaqui(const std::string& valor, const std::string& camada, std::uint32_t cor)
{
    showMap(camada);
    if (map_)
        map_->Pintaqui(valor, camada, cor);
}

void LocalityPageController::PintaquiEstado(const std::string& valor, const std::string& camada, std::uint32_t cor)
{
    showMap(camada);
    if (map_)
        map_->PintaquiEstado(valor, camada, cor);
}

void LocalityPageController::setTreeHint(const std::string& text)
{
    widget_->TreeView1->setToolTip(QString::fromStdString(text).replace('\r', '\n'));
}

void LocalityPageController::showChosenList()
{
    widget_->cbSelecao->show();
    widget_->lblCodLocal->show();
    widget_->lblLimpar->show();
}

void LocalityPageController::openMunicipalityChooser(const State& state, const std::string& caption)
{
    MunicipalityChooser chooser;
    try {
        chooser.load(dataModule_().qryTemp, state.uf);
    } catch (const MunicipalityTableError&) {
        throw;
    } catch (const std::exception& e) {
        throw MunicipalityTableError(platform::userMessage(e));
    }
    TfrmEscolheMunicipio frm(chooser, selection_.chosen(), QString::fromStdString(caption),
                             [this] { widget_->showChosen(selection_.chosen()); }, widget_.get());
    const QPoint at = widget_->TreeView1->mapToGlobal(QPoint(0, 0));
    frm.move(at.x() + 20, at.y() + 10);
    frm.exec();
}

void LocalityPageController::selectionTouched()
{
    if (host_)
        host_->localitySelectionTouched();
}

void LocalityPageController::rebuildCaption()
{
    if (rebuildCaption_)
        rebuildCaption_();
}

int LocalityPageController::indicatorIndex() const { return host_ ? host_->indicatorIndex() : -1; }

void LocalityPageController::untickShowNames()
{
    QCheckBox* box = widget_->ckMostrarMunicipio;
    if (!box->isChecked())
        return;
    box->setChecked(false);
    if (map_)
        map_->ckMostrarMunicipioClick(false);
}

void LocalityPageController::setMapToolbarVisible(bool visible) { widget_->Panel2->setVisible(visible); }

} // namespace daxo::localities
