#include "locality_page_widget.h"

#include "localities/locality_tree.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHeaderView>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QTreeWidget>

#include <vector>

namespace daxo::localities {
namespace {

const QColor kDarkBlue(0x56, 0x81, 0x96);   // 9863510 as RGB
const QColor kLightBlue(0x4A, 0xAE, 0xCE);  // 13545034 as RGB

QString q(const std::string& s) { return QString::fromStdString(s); }

QTreeWidget* makeTree(QWidget* parent, const char* name, QRect place)
{
    auto* tree = new QTreeWidget(parent);
    tree->setObjectName(name);
    tree->setGeometry(place);
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setExpandsOnDoubleClick(true);
    // "Rio Grande do Norte Rural" and "… Urbano" stay apart when cut short;
    // the whole text is the node's hint then.
    tree->setTextElideMode(Qt::ElideMiddle);
    // Keep the selection visible when the tree loses the focus.
    QPalette palette = tree->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    tree->setPalette(palette);
    return tree;
}

// Items for nodes given in pre-order with their parents' positions.
template <class Nodes> void fill(QTreeWidget* tree, const Nodes& nodes)
{
    std::vector<QTreeWidgetItem*> items;
    items.reserve(nodes.size());
    for (const auto& node : nodes) {
        auto* item = node.parent < 0 ? new QTreeWidgetItem(tree)
                                     : new QTreeWidgetItem(items[static_cast<std::size_t>(node.parent)]);
        item->setText(0, q(node.text));
        item->setData(0, Qt::UserRole, node.position);
        items.push_back(item);
    }
}

QLabel* blueLabel(QWidget* parent, const char* name, const QString& text, QRect place, bool bold)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, kDarkBlue);
    label->setPalette(p);
    return label;
}

enum class Glyph { Print, FullView, Pan, ZoomOut, ZoomIn, ZoomRect };

// The tool bar's pictures, drawn in white on the panel.
QIcon icon(Glyph glyph)
{
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1.6));
    switch (glyph) {
    case Glyph::Print:
        p.drawRect(QRectF(5, 2, 8, 5));
        p.drawRect(QRectF(2, 7, 14, 6));
        p.drawRect(QRectF(5, 11, 8, 5));
        break;
    case Glyph::FullView:
        p.drawRect(QRectF(2, 2, 14, 14));
        p.drawRect(QRectF(6, 6, 6, 6));
        break;
    case Glyph::Pan:
        p.drawLine(QLineF(9, 1, 9, 17));
        p.drawLine(QLineF(1, 9, 17, 9));
        p.drawPolyline(QPolygonF({QPointF(6, 4), QPointF(9, 1), QPointF(12, 4)}));
        p.drawPolyline(QPolygonF({QPointF(6, 14), QPointF(9, 17), QPointF(12, 14)}));
        p.drawPolyline(QPolygonF({QPointF(4, 6), QPointF(1, 9), QPointF(4, 12)}));
        p.drawPolyline(QPolygonF({QPointF(14, 6), QPointF(17, 9), QPointF(14, 12)}));
        break;
    case Glyph::ZoomOut:
    case Glyph::ZoomIn:
        p.drawEllipse(QRectF(2, 2, 10, 10));
        p.drawLine(QLineF(11, 11, 16, 16));
        p.drawLine(QLineF(4.5, 7, 9.5, 7));
        if (glyph == Glyph::ZoomIn)
            p.drawLine(QLineF(7, 4.5, 7, 9.5));
        break;
    case Glyph::ZoomRect:
        p.setPen(QPen(Qt::white, 1.4, Qt::DashLine));
        p.drawRect(QRectF(2, 3, 14, 12));
        break;
    }
    return QIcon(pixmap);
}

QToolButton* toolButton(QWidget* parent, const char* name, int left, const QString& hint, Glyph glyph)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setGeometry(left, 0, 25, 25);
    b->setAutoRaise(true);
    b->setToolTip(hint);
    b->setIcon(icon(glyph));
    return b;
}

} // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, kDarkBlue);
    setPalette(p);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick)
        onClick();
}

LocalityPageWidget::LocalityPageWidget(QWidget* parent) : QWidget(parent)
{
    setObjectName("PainelUnidade");
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    buildTrees();
    buildChosenList();
    buildMapArea();
}

void LocalityPageWidget::buildTrees()
{
    TreeView1 = makeTree(this, "TreeView1", QRect(1, 4, 227, 240));
    fill(TreeView1, hierarchyTree());
    TreeView2 = makeTree(this, "TreeView2", QRect(0, 3, 229, 243));
    fill(TreeView2, migrationTree());
    TreeView2->hide();
}

void LocalityPageWidget::buildChosenList()
{
    lblCodLocal = blueLabel(this, "lblCodLocal", "Localidades  Escolhidas", QRect(15, 245, 221, 14), true);

    cbSelecao = new QListWidget(this);
    cbSelecao->setObjectName("cbSelecao");
    // Shortened by a few pixels so the links below stay on the page.
    cbSelecao->setGeometry(15, 259, 221, 66);
    cbSelecao->setSelectionMode(QAbstractItemView::SingleSelection);
    cbSelecao->setToolTip("Locais selecionados para a pesquisa - Duplo click - Apaga Item ");

    lblLimpar1 = new LinkLabel("Limpar Selecionada", this);
    lblLimpar1->setObjectName("lblLimpar1");
    lblLimpar1->setGeometry(14, 326, 140, 14);
    lblLimpar = new LinkLabel("Limpar Todas", this);
    lblLimpar->setObjectName("lblLimpar");
    lblLimpar->setGeometry(157, 326, 84, 14);
}

void LocalityPageWidget::buildMapArea()
{
    lblGeral = blueLabel(this, "lblGeral", "", QRect(240, 0, 476, 15), true);

    mapArea = new QWidget(this);
    mapArea->setObjectName("mapArea");
    // Ends where the tool bar begins.
    mapArea->setGeometry(236, 15, 481, 300);
    mapArea->hide();

    // Two lines beside the tool bar, within the page: "Microrregião de … - n
    // Municípios" is longer than the room left of Panel2.
    LabelMunicipio = blueLabel(this, "LabelMunicipio", "", QRect(240, 315, 201, 26), false);
    LabelMunicipio->setWordWrap(true);
    LabelMunicipio->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont labelFont = LabelMunicipio->font();
    labelFont.setPointSize(8);
    LabelMunicipio->setFont(labelFont);

    Panel2 = new QWidget(this);
    Panel2->setObjectName("Panel2");
    Panel2->setGeometry(443, 315, 273, 26);
    Panel2->setAutoFillBackground(true);
    QPalette panel = Panel2->palette();
    panel.setColor(QPalette::Window, kLightBlue);
    panel.setColor(QPalette::WindowText, Qt::white);
    panel.setColor(QPalette::ButtonText, Qt::white);
    Panel2->setPalette(panel);
    QFont small = Panel2->font();
    small.setPointSize(8);
    Panel2->setFont(small);
    ckMostrarMunicipio = new QCheckBox("Mostrar nomes", Panel2);
    ckMostrarMunicipio->setObjectName("ckMostrarMunicipio");
    ckMostrarMunicipio->setGeometry(9, 4, 108, 18);
    btImpMapa = toolButton(Panel2, "btImpMapa", 120, "Imprime o mapa atual", Glyph::Print);
    btVisualTotal = toolButton(Panel2, "btVisualTotal", 146, "Visualiza todo o mapa", Glyph::FullView);
    btMoveMapa = toolButton(Panel2, "btMoveMapa", 173, "Move o Mapa", Glyph::Pan);
    btZoomMenos = toolButton(Panel2, "btZoomMenos", 196, "Reduzir", Glyph::ZoomOut);
    btZoomMais = toolButton(Panel2, "btZoomMais", 219, "Ampliar", Glyph::ZoomIn);
    btZoomMouse = toolButton(Panel2, "btZoomMouse", 243, QString::fromUtf8("Amplia a área selecionada"),
                             Glyph::ZoomRect);
    auto* group = new QButtonGroup(Panel2);
    for (QToolButton* b : {btMoveMapa, btZoomMouse}) {
        b->setCheckable(true);
        group->addButton(b);
    }
    group->setExclusive(true);
    btZoomMouse->setChecked(true);
    Panel2->hide();
}

void LocalityPageWidget::showChosen(const ChosenList& list)
{
    const QSignalBlocker block(cbSelecao);
    QStringList texts;
    for (const std::string& text : list.texts())
        texts << q(text);
    QStringList shown;
    for (int i = 0; i < cbSelecao->count(); ++i)
        shown << cbSelecao->item(i)->text();
    // Items rebuilt between the two clicks of a double click would lose it.
    if (shown != texts) {
        cbSelecao->clear();
        cbSelecao->addItems(texts);
    }
    cbSelecao->setCurrentRow(list.selected());
}

int LocalityPageWidget::positionOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, Qt::UserRole).toInt() : -1;
}

int LocalityPageWidget::selectedPosition(const QTreeWidget* tree)
{
    const auto selected = tree->selectedItems();
    return selected.isEmpty() ? -1 : positionOf(selected.front());
}

} // namespace daxo::localities
