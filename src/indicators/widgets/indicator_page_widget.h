#pragma once
// The indicator page's widgets (TabSheet3): the heading, cbIndicadores,
// PainelIndicadores with one page per indicator, and lblNotas. A thin mirror
// of IndicatorPanels: user input goes to the model, then every widget is
// refreshed from it.
#include "indicators/indicator_panels.h"

#include <QWidget>

#include <functional>
#include <map>
#include <vector>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QStackedWidget;
class QTextEdit;
class QVBoxLayout;

namespace daxo::indicators {

class IndicatorPageWidget : public QWidget {
public:
    // `run` performs a user action and reports its refusal or failure.
    IndicatorPageWidget(IndicatorPanels& panels, std::function<void(const std::function<void()>&)> run,
                        QWidget* parent = nullptr);

    void refresh();                        // every widget from the model
    void setPanelVisible(bool visible);    // PainelIndicadores
    QWidget* panelPage(int indicator) const { return pages_.at(static_cast<std::size_t>(indicator)); }

private:
    QWidget* buildPanel(int indicator);
    QWidget* buildGroup(const std::string& group, const std::vector<int>& members);
    QWidget* controlWidget(int index);
    QWidget* ageGroup(const std::vector<int>& members);
    QWidget* positionGroup(const std::vector<int>& members);
    QWidget* sanitationGroup(const std::vector<int>& members);
    QWidget* radioGroup(int index);
    void userAction(const std::function<void()>& action);
    void refreshControl(int index);

    IndicatorPanels& panels_;
    std::function<void(const std::function<void()>&)> run_;
    QComboBox* cbIndicadores_ = nullptr;
    QFrame* painelIndicadores_ = nullptr;
    QStackedWidget* pageControl2_ = nullptr;
    QTextEdit* lblNotas_ = nullptr;
    std::vector<QWidget*> pages_;
    std::vector<QGroupBox*> groupBoxes_;
    std::map<int, QWidget*> widgets_;   // by position in panels_.controls()
    bool refreshing_ = false;
};

} // namespace daxo::indicators
