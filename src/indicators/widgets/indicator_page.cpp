#include "indicator_page.h"

#include "indicator_page_widget.h"
#include "platform/system_errors.h"

#include <QMessageBox>

namespace daxo::indicators {

namespace {
void showFailure(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& error) {
        QMessageBox::warning(nullptr, "DAXO",
                             QString::fromStdString(platform::userMessage(error)).replace('\r', '\n'));
    }
}
} // namespace

IndicatorPageController::IndicatorPageController(std::function<void(const std::function<void()>&)> run)
{
    auto runner = run ? std::move(run) : std::function<void(const std::function<void()>&)>(showFailure);
    // The census can change while the page is hidden; read it before every action.
    widget_ = std::make_unique<IndicatorPageWidget>(panels_, [this, runner](const std::function<void()>& action) {
        runner([this, action] {
            syncCensus();
            action();
        });
    });
}

IndicatorPageController::~IndicatorPageController() = default;

void IndicatorPageController::attach(app::WizardHost& host)
{
    host_ = &host;
    panels_.onCaptionChanged = [this](const std::string& caption) {
        if (host_) host_->setCaption(caption);
    };
}

QWidget* IndicatorPageController::widget() { return widget_.get(); }

void IndicatorPageController::setPanelVisible(bool visible) { widget_->setPanelVisible(visible); }

void IndicatorPageController::syncCensus()
{
    if (host_) panels_.setCensus(host_->censusText());
}

template <class F> void IndicatorPageController::withRefresh(F&& action)
{
    struct Refresh {
        IndicatorPageWidget& page;
        ~Refresh() { page.refresh(); }
    } refresh{*widget_};
    syncCensus();
    action();
}

void IndicatorPageController::selectFirstIndicator()
{
    withRefresh([this] {
        panels_.selectIndicator(0);
        panels_.showPanel(0);
    });
}

void IndicatorPageController::indicatorChanged()
{
    withRefresh([this] { panels_.cbIndicadoresChange(); });
}

void IndicatorPageController::leavePage()
{
    withRefresh([this] {
        panels_.VerificaPasso3();
        rows_ = MontaLinhasIndicador(panels_);
    });
}

void IndicatorPageController::restore(const std::function<void(IndicatorPanels&)>& change)
{
    withRefresh([&] { change(panels_); });
}

void IndicatorPageController::rebuildCaption()
{
    withRefresh([this] { panels_.MontaFiltro(); });
}

} // namespace daxo::indicators
