#include "municipality_chooser_dialog.h"

#include "locality_page_widget.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QToolButton>

namespace daxo::localities {
namespace {

const QColor kPanel(0x59, 0xB1, 0xC7);

QToolButton* flatButton(QWidget* parent, const char* name, const QString& text, int left, int width)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(text);
    b->setAutoRaise(true);
    b->setGeometry(left, 240, width, 24);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

} // namespace

TfrmEscolheMunicipio::TfrmEscolheMunicipio(MunicipalityChooser& chooser, ChosenList& list, const QString& caption,
                                           std::function<void()> changed, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      chooser_(chooser), list_(list), changed_(std::move(changed))
{
    setObjectName("frmEscolheMunicipio");
    setWindowTitle(caption);
    setFixedSize(304, 272);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, kPanel);
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::ButtonText, Qt::white);
    setPalette(p);

    auto* title = new QLabel("Selecione o Município", this);
    title->setGeometry(8, 6, 220, 16);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    Label6 = new LinkLabel("Fechar", this);
    Label6->setObjectName("Label6");
    Label6->setGeometry(250, 6, 46, 16);
    Label6->setPalette(p);
    Label6->onClick = [this] { close(); };

    DBGrid1 = new QTableWidget(this);
    DBGrid1->setObjectName("DBGrid1");
    DBGrid1->setGeometry(8, 26, 288, 164);
    DBGrid1->setColumnCount(1);
    DBGrid1->setHorizontalHeaderLabels({"Município"});
    DBGrid1->horizontalHeader()->hide();
    DBGrid1->verticalHeader()->hide();
    DBGrid1->setShowGrid(false);
    DBGrid1->setColumnWidth(0, 265);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->verticalHeader()->setDefaultSectionSize(18);
    DBGrid1->setRowCount(static_cast<int>(chooser_.rows().size()));
    for (int row = 0; row < DBGrid1->rowCount(); ++row)
        DBGrid1->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(chooser_.rows()[row].nome)));
    connect(DBGrid1, &QTableWidget::currentCellChanged, this, [this](int row) { chooser_.setCurrent(row); });
    connect(DBGrid1, &QTableWidget::cellDoubleClicked, this, [this] {
        addCurrent();
        accept();
    });

    auto* hint = new QLabel("Digite parte da busca", this);
    hint->setGeometry(8, 194, 200, 16);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setGeometry(8, 212, 288, 22);
    connect(Edit1, &QLineEdit::textEdited, this, [this](const QString& text) { Edit1Edited(text); });

    SpeedButton1 = flatButton(this, "SpeedButton1", "Adicionar +", 4, 84);
    SpeedButton2 = flatButton(this, "SpeedButton2", "Todos + ", 90, 70);
    SpeedButton3 = flatButton(this, "SpeedButton3", "Limpar -", 162, 70);
    SpeedButton4 = flatButton(this, "SpeedButton4", "Fechar", 234, 66);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { addCurrent(); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] {
        chooser_.addAll(list_);
        listChanged();
    });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] {
        MunicipalityChooser::clearChosen(list_);
        listChanged();
    });
    connect(SpeedButton4, &QToolButton::clicked, this, [this] { close(); });

    showCurrent();
    Edit1->setFocus();
}

void TfrmEscolheMunicipio::addCurrent()
{
    chooser_.addCurrent(list_);
    showCurrent();
    Edit1->clear();
    Edit1->setFocus();
    listChanged();
}

void TfrmEscolheMunicipio::Edit1Edited(const QString& text)
{
    const QString cased = QString::fromStdString(searchBoxCase(text.toStdString()));
    if (cased != text) {
        const int caret = Edit1->cursorPosition();
        Edit1->setText(cased);
        Edit1->setCursorPosition(caret);
    }
    chooser_.search(cased.toStdString());
    showCurrent();
}

void TfrmEscolheMunicipio::showCurrent()
{
    const int row = chooser_.current();
    if (row < 0)
        return;
    const QSignalBlocker block(DBGrid1);
    DBGrid1->setCurrentCell(row, 0);
    DBGrid1->scrollToItem(DBGrid1->item(row, 0), QAbstractItemView::EnsureVisible);
}

void TfrmEscolheMunicipio::listChanged()
{
    if (changed_)
        changed_();
}

} // namespace daxo::localities
