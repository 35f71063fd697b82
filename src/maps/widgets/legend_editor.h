#pragma once
// TfrmLegenda: the legend editor. Shows a copy of the map window's legend
// with one edit box per class holding its upper limit; "Atualizar" redraws
// the class map with the limits typed.
#include "maps/map_classes.h"

#include <QDialog>

#include <array>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;

namespace daxo::maps {

class TfrmMapaBrasil;

class TfrmLegenda : public QDialog {
public:
    explicit TfrmLegenda(TfrmMapaBrasil& mapa, QWidget* parent = nullptr);

    // The text of each visible edit box, by row.
    std::array<std::optional<std::string>, kMaxClasses + 1> limites() const;

    void FormShow();
    void btAtualizaClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Linha {
        QLabel* painel;
        QLabel* inicio;
        QLabel* ate;
        QLabel* fim;
        QLineEdit* edit;
    };
    TfrmMapaBrasil& mapa_;
    std::array<Linha, kMaxClasses + 1> linhas_{};
    QLabel* Label10 = nullptr;
};

} // namespace daxo::maps
