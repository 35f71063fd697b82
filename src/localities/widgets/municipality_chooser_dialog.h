#pragma once
// TfrmEscolheMunicipio: the modal window over a loaded MunicipalityChooser
// that adds municipalities to the chosen list.
#include "localities/municipality_chooser.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QTableWidget;
class QToolButton;

namespace daxo::localities {

class LinkLabel;

class TfrmEscolheMunicipio : public QDialog {
public:
    // `changed` runs after every change of the chosen list.
    TfrmEscolheMunicipio(MunicipalityChooser& chooser, ChosenList& list, const QString& caption,
                         std::function<void()> changed, QWidget* parent = nullptr);

    QTableWidget* DBGrid1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;   // "Adicionar +"
    QToolButton* SpeedButton2 = nullptr;   // "Todos + "
    QToolButton* SpeedButton3 = nullptr;   // "Limpar -"
    QToolButton* SpeedButton4 = nullptr;   // "Fechar"
    LinkLabel* Label6 = nullptr;           // "Fechar"

private:
    void addCurrent();
    void Edit1Edited(const QString& text);
    void showCurrent();
    void listChanged();

    MunicipalityChooser& chooser_;
    ChosenList& list_;
    std::function<void()> changed_;
};

} // namespace daxo::localities
