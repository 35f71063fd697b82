#include "indicator_page_widget.h"

#include "indicators/catalogue.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace daxo::indicators {

namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

// Hints keep their line breaks; a lone carriage return breaks a line too.
QString hintText(const std::string& hint)
{
    QString text = qs(hint);
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    return text;
}

constexpr int PageWidth = 718;

} // namespace

IndicatorPageWidget::IndicatorPageWidget(IndicatorPanels& panels, std::function<void(const std::function<void()>&)> run,
                                         QWidget* parent)
    : QWidget(parent), panels_(panels), run_(std::move(run))
{
    setObjectName("TabSheet3");
    setFixedSize(PageWidth, 340);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 4, 8, 4);
    outer->setSpacing(4);

    auto* top = new QHBoxLayout;
    auto* heading = new QLabel("Selecione o Indicador");
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    cbIndicadores_ = new QComboBox;
    cbIndicadores_->setObjectName("cbIndicadores");
    cbIndicadores_->setToolTip("Selecione o Indicador");
    cbIndicadores_->setMaxVisibleItems(IndicatorCount);
    cbIndicadores_->setCursor(Qt::PointingHandCursor);
    cbIndicadores_->setMinimumWidth(480);
    for (const IndicatorInfo& info : catalogue()) cbIndicadores_->addItem(qs(info.itemText));
    cbIndicadores_->setCurrentIndex(-1);
    top->addWidget(heading);
    top->addWidget(cbIndicadores_, 1);
    outer->addLayout(top);
    connect(cbIndicadores_, &QComboBox::activated, this, [this](int index) {
        if (index != panels_.indicatorIndex()) userAction([this, index] { panels_.chooseIndicator(index); });
    });

    painelIndicadores_ = new QFrame;
    painelIndicadores_->setObjectName("PainelIndicadores");
    auto* panelLayout = new QVBoxLayout(painelIndicadores_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    pageControl2_ = new QStackedWidget;
    pageControl2_->setObjectName("PageControl2");
    for (int indicator = 0; indicator < IndicatorCount; ++indicator) {
        pages_.push_back(buildPanel(indicator));
        pageControl2_->addWidget(pages_.back());
    }
    panelLayout->addWidget(pageControl2_);
    outer->addWidget(painelIndicadores_, 1);

    lblNotas_ = new QTextEdit;
    lblNotas_->setObjectName("lblNotas");
    lblNotas_->setReadOnly(true);
    lblNotas_->setFrameShape(QFrame::NoFrame);
    lblNotas_->setFocusPolicy(Qt::NoFocus);
    lblNotas_->setFixedHeight(88);
    QFont notesFont = lblNotas_->font();
    notesFont.setPointSizeF(notesFont.pointSizeF() * 0.9);
    lblNotas_->setFont(notesFont);
    lblNotas_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    outer->addWidget(lblNotas_);
    refresh();
}

QWidget* IndicatorPageWidget::buildPanel(int indicator)
{
    const IndicatorInfo& info = indicatorInfo(indicator);
    auto* page = new QWidget;
    page->setObjectName(qs(info.page));
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    auto* box = new QGroupBox(qs(info.groupCaption));
    box->setObjectName(qs(info.groupBox));
    groupBoxes_.push_back(box);
    pageLayout->addWidget(box);
    auto* rows = new QVBoxLayout(box);
    rows->setSpacing(8);
    constexpr int Spacing = 14;
    auto newRow = [rows] {
        auto* row = new QHBoxLayout;
        row->setSpacing(Spacing);
        rows->addLayout(row);
        return row;
    };
    QHBoxLayout* columns = newRow();
    // The width inside the group box, where the columns of a row go.
    const QMargins margins = rows->contentsMargins();
    const int rowLimit = PageWidth - 16 - margins.left() - margins.right() - 4;
    int rowWidth = 0;   // of the current row's columns with the room between them

    // The panel's controls in layout groups, in the order they first appear.
    std::vector<std::pair<std::string, std::vector<int>>> groups;
    const auto& controls = panels_.controls();
    for (int i = 0; i < static_cast<int>(controls.size()); ++i) {
        if (controls[static_cast<std::size_t>(i)].indicator != indicator) continue;
        const std::string& group = controls[static_cast<std::size_t>(i)].group;
        auto it = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.first == group; });
        if (it == groups.end()) groups.push_back({group, {i}});
        else it->second.push_back(i);
    }
    // The head-of-household label stands over the sex and colour boxes;
    // groups that do not fit the row start a new one.
    QVBoxLayout* headColumn = nullptr;
    int headLabel = 0, headBoxes = 0;   // widths of the head column's label and of its boxes
    for (const auto& [group, members] : groups) {
        QWidget* column = buildGroup(group, members);
        const int width = column->sizeHint().width();
        if (headColumn && (group == "sexo" || group == "cor")) {
            static_cast<QHBoxLayout*>(headColumn->itemAt(1)->layout())->addWidget(column, 0, Qt::AlignTop);
            const int before = std::max(headLabel, headBoxes);
            headBoxes += (headBoxes > 0 ? Spacing : 0) + width;
            rowWidth += std::max(headLabel, headBoxes) - before;
            continue;
        }
        if (rowWidth > 0 && rowWidth + Spacing + width > rowLimit) {
            columns->addStretch();
            columns = newRow();
            rowWidth = 0;
        }
        rowWidth += (rowWidth > 0 ? Spacing : 0) + width;
        if (group == "chefe") {
            headLabel = width;
            headBoxes = 0;
            headColumn = new QVBoxLayout;
            headColumn->addWidget(column);
            auto* boxes = new QHBoxLayout;
            boxes->setSpacing(Spacing);
            headColumn->addLayout(boxes);
            headColumn->addStretch();
            columns->addLayout(headColumn);
        } else {
            columns->addWidget(column, 0, Qt::AlignTop);
        }
    }
    columns->addStretch();
    rows->addStretch();
    return page;
}

QWidget* IndicatorPageWidget::buildGroup(const std::string& group, const std::vector<int>& members)
{
    if (group == "idade") return ageGroup(members);
    if (group == "saneamento") return sanitationGroup(members);
    if (group == "tipo") return radioGroup(members.front());
    if (group == "posicao") return positionGroup(members);
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    if (group == "previdencia") {   // the frame with its box inside
        auto* frame = new QGroupBox(qs(panels_.controls()[static_cast<std::size_t>(members.front())].caption));
        frame->setToolTip(hintText(panels_.controls()[static_cast<std::size_t>(members.front())].hint));
        auto* inner = new QVBoxLayout(frame);
        for (std::size_t m = 1; m < members.size(); ++m) inner->addWidget(controlWidget(members[m]));
        widgets_[members.front()] = frame;
        layout->addWidget(frame);
        return column;
    }
    for (int index : members) layout->addWidget(controlWidget(index));
    return column;
}

QWidget* IndicatorPageWidget::controlWidget(int index)
{
    const Control& c = panels_.controls()[static_cast<std::size_t>(index)];
    QWidget* widget = nullptr;
    switch (c.kind) {
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(qs(c.caption));
        connect(box, &QCheckBox::clicked, this, [this, index] {
            userAction([this, index] { panels_.clickCheckBox(panels_.controls()[static_cast<std::size_t>(index)].name); });
        });
        widget = box;
        break;
    }
    case ControlKind::RadioButton: {
        auto* radio = new QRadioButton(qs(c.caption));
        radio->setAutoExclusive(false);   // the model keeps them exclusive
        connect(radio, &QRadioButton::clicked, this, [this, index] {
            userAction([this, index] { panels_.clickRadioButton(panels_.controls()[static_cast<std::size_t>(index)].name); });
        });
        widget = radio;
        break;
    }
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox;
        combo->setCursor(Qt::PointingHandCursor);
        // Sized by its items once, before it is first shown: the size that
        // follows every change of the list comes from a timer, after the
        // layout has placed the combo.
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
        for (const std::string& item : c.items) combo->addItem(qs(item));
        if (c.group == "idade") combo->setMinimumWidth(72);
        connect(combo, &QComboBox::activated, this, [this, index](int item) {
            userAction([this, index, item] {
                panels_.selectComboItem(panels_.controls()[static_cast<std::size_t>(index)].name, item);
            });
        });
        widget = combo;
        break;
    }
    case ControlKind::RadioGroup: return radioGroup(index);
    case ControlKind::Label: widget = new QLabel(qs(c.caption)); break;
    }
    widget->setObjectName(qs(c.name));
    widgets_[index] = widget;
    return widget;
}

QWidget* IndicatorPageWidget::radioGroup(int index)
{
    const Control& c = panels_.controls()[static_cast<std::size_t>(index)];
    auto* box = new QGroupBox(qs(c.caption));
    box->setObjectName(qs(c.name));
    auto* layout = new QVBoxLayout(box);
    layout->setSpacing(2);
    auto* buttons = new QButtonGroup(box);
    buttons->setExclusive(false);
    for (int item = 0; item < static_cast<int>(c.items.size()); ++item) {
        auto* radio = new QRadioButton(qs(c.items[static_cast<std::size_t>(item)]));
        radio->setAutoExclusive(false);
        buttons->addButton(radio, item);
        layout->addWidget(radio);
    }
    connect(buttons, &QButtonGroup::idClicked, this, [this, index](int item) {
        userAction([this, index, item] {
            panels_.selectRadioItem(panels_.controls()[static_cast<std::size_t>(index)].name, item);
        });
    });
    widgets_[index] = box;
    return box;
}

QWidget* IndicatorPageWidget::ageGroup(const std::vector<int>& members)
{
    // "Faixa Etária" over one or two rows of "De" [first] "a" [last].
    auto* column = new QWidget;
    auto* grid = new QGridLayout(column);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->addWidget(controlWidget(members.front()), 0, 0, 1, 4);
    for (std::size_t m = 1; m < members.size(); ++m) {
        const int row = 1 + static_cast<int>((m - 1) / 4);
        grid->addWidget(controlWidget(members[m]), row, static_cast<int>((m - 1) % 4));
    }
    return column;
}

QWidget* IndicatorPageWidget::positionGroup(const std::vector<int>& members)
{
    // "Posição na ocupação" over its combo; "<- ou ->" beside the combo, on
    // the line of the age range that follows.
    auto* column = new QWidget;
    auto* grid = new QGridLayout(column);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(14);
    grid->addWidget(controlWidget(members.front()), 0, 0, 1, static_cast<int>(members.size()) - 1);
    for (std::size_t m = 1; m < members.size(); ++m)
        grid->addWidget(controlWidget(members[m]), 1, static_cast<int>(m - 1));
    return column;
}

QWidget* IndicatorPageWidget::sanitationGroup(const std::vector<int>& members)
{
    // Radio button and its combo side by side; "Desmarcar" under them.
    auto* column = new QWidget;
    auto* grid = new QGridLayout(column);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(3);
    for (std::size_t m = 0; m < members.size(); ++m) {
        QWidget* widget = controlWidget(members[m]);
        const int row = static_cast<int>(m / 2);
        grid->addWidget(widget, row, static_cast<int>(m % 2));
        if (auto* combo = qobject_cast<QComboBox*>(widget)) combo->setMinimumWidth(170);
    }
    return column;
}

void IndicatorPageWidget::userAction(const std::function<void()>& action)
{
    if (refreshing_) return;
    auto guarded = [this, action] {
        struct Refresh {
            IndicatorPageWidget& page;
            ~Refresh() { page.refresh(); }
        } refresh{*this};
        action();
    };
    run_(guarded);
}

void IndicatorPageWidget::setPanelVisible(bool visible) { painelIndicadores_->setVisible(visible); }

void IndicatorPageWidget::refresh()
{
    refreshing_ = true;
    cbIndicadores_->setCurrentIndex(panels_.indicatorIndex());
    pageControl2_->setCurrentIndex(panels_.activePage());
    for (int indicator = 0; indicator < IndicatorCount; ++indicator)
        groupBoxes_[static_cast<std::size_t>(indicator)]->setVisible(panels_.groupVisible(indicator));
    QString notes = qs(panels_.notes());
    notes.replace("\r\n", "\n");
    notes.replace('\r', '\n');
    if (lblNotas_->toPlainText() != notes) {
        lblNotas_->setPlainText(notes);
        for (QTextBlock block = lblNotas_->document()->begin(); block.isValid(); block = block.next()) {
            QTextCursor cursor(block);
            QTextBlockFormat format = block.blockFormat();
            format.setAlignment(Qt::AlignHCenter);
            cursor.setBlockFormat(format);
        }
    }
    lblNotas_->setVisible(panels_.notesVisible());
    for (const auto& [index, widget] : widgets_) refreshControl(index);
    refreshing_ = false;
}

void IndicatorPageWidget::refreshControl(int index)
{
    const Control& c = panels_.controls()[static_cast<std::size_t>(index)];
    QWidget* widget = widgets_.at(index);
    if (c.kind != ControlKind::Label || c.group != "previdencia") widget->setObjectName(qs(c.name));
    widget->setVisible(c.visible);
    widget->setEnabled(c.enabled);
    if (!c.hint.empty()) widget->setToolTip(hintText(c.hint));
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setChecked(c.checked);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QStringList items;
        for (const std::string& item : c.items) items << qs(item);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
        if (shown != items) {
            combo->clear();
            combo->addItems(items);
        }
        combo->setCurrentIndex(c.itemIndex);
        const bool sanitation = c.group == "saneamento";
        if (sanitation)
            combo->setStyleSheet(c.colour == ColourDisabledGrey ? "QComboBox { background-color: rgb(230,230,230); }"
                                                                : "QComboBox { background-color: white; }");
        if (c.droppedDown && c.enabled) {
            panels_.control(c.name).droppedDown = false;   // shown once
            QTimer::singleShot(0, combo, [combo] { combo->showPopup(); });
        }
    } else if (auto* group = qobject_cast<QGroupBox*>(widget); group && c.kind == ControlKind::RadioGroup) {
        const auto buttons = group->findChildren<QRadioButton*>();
        for (int i = 0; i < buttons.size(); ++i) buttons[i]->setChecked(i == c.itemIndex);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(qs(c.caption));
    }
}

} // namespace daxo::indicators
