#pragma once
// PainelUnidade: the locality trees, the chosen list with its links, the
// heading, the area of the selection map and its tool bar Panel2.
#include "localities/chosen_list.h"

#include <QLabel>
#include <QWidget>

#include <functional>

class QCheckBox;
class QListWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace daxo::localities {

// A blue label that acts on a click.
class LinkLabel : public QLabel {
public:
    LinkLabel(const QString& text, QWidget* parent);
    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class LocalityPageWidget : public QWidget {
public:
    explicit LocalityPageWidget(QWidget* parent = nullptr);

    QTreeWidget* TreeView1 = nullptr;
    QTreeWidget* TreeView2 = nullptr;
    QListWidget* cbSelecao = nullptr;
    QLabel* lblCodLocal = nullptr;
    LinkLabel* lblLimpar = nullptr;    // "Limpar Todas"
    LinkLabel* lblLimpar1 = nullptr;   // "Limpar Selecionada"
    QLabel* lblGeral = nullptr;
    QLabel* LabelMunicipio = nullptr;
    // Where Map1 and Map2 go; empty until the selection map is placed in it.
    QWidget* mapArea = nullptr;
    QWidget* Panel2 = nullptr;
    QCheckBox* ckMostrarMunicipio = nullptr;
    QToolButton* btImpMapa = nullptr;
    QToolButton* btVisualTotal = nullptr;
    QToolButton* btMoveMapa = nullptr;
    QToolButton* btZoomMenos = nullptr;
    QToolButton* btZoomMais = nullptr;
    QToolButton* btZoomMouse = nullptr;

    // cbSelecao shows the list's texts and selection.
    void showChosen(const ChosenList& list);

    // Position of the node behind a tree item, -1 for none.
    static int positionOf(const QTreeWidgetItem* item);
    static int selectedPosition(const QTreeWidget* tree);

private:
    void buildTrees();
    void buildChosenList();
    void buildMapArea();
};

} // namespace daxo::localities
