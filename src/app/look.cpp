#include "look.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleOptionViewItem>
#include <QToolTip>
#include <QWidget>

namespace daxo::app {

namespace {
constexpr int kHintDelayMs = 500;
constexpr int kHintDurationMs = 7000;

class ClickAction : public QObject {
public:
    ClickAction(QWidget* widget, std::function<void()> action) : QObject(widget), action_(std::move(action))
    {
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonRelease)
            return false;
        action_();
        return true;
    }

private:
    std::function<void()> action_;
};

// The whole text of the item under `pos` when it does not fit its place
// (its own hint if it has one); empty otherwise.
QString itemHint(const QAbstractItemView& view, QPoint pos, QRect& place)
{
    const QModelIndex index = view.indexAt(pos);
    if (!index.isValid())
        return {};
    place = view.visualRect(index);
    const QString own = index.data(Qt::ToolTipRole).toString();
    if (!own.isEmpty())
        return own;
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.rect = place;
    const int needed = view.itemDelegateForIndex(index)->sizeHint(option, index).width();
    return needed > place.width() ? index.data(Qt::DisplayRole).toString() : QString();
}

// Every hint of the program, the items' own included, leaves after 7 s; an
// item cut short by its view shows its whole text as its hint.
class HintFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        auto* help = static_cast<QHelpEvent*>(event);
        if (auto* view = qobject_cast<QAbstractItemView*>(widget->parentWidget()); view && view->viewport() == widget) {
            QRect place;
            const QString text = itemHint(*view, help->pos(), place);
            if (!text.isEmpty()) {
                QToolTip::showText(help->globalPos(), text, widget, place, kHintDurationMs);
                return true;
            }
        }
        if (widget->toolTipDuration() < 0)
            widget->setToolTipDuration(kHintDurationMs);
        return false;
    }
};

class HintTiming : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return kHintDelayMs;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};
} // namespace

void AjustaDica(QApplication& app)
{
    // A style change resets the hint font and colours: the style goes first.
    if (!dynamic_cast<HintTiming*>(app.style()))
        app.setStyle(new HintTiming(app.style()->name()));
    if (!app.findChild<QObject*>("filtroDicas", Qt::FindDirectChildrenOnly)) {
        auto* filter = new HintFilter(&app);
        filter->setObjectName("filtroDicas");
        app.installEventFilter(filter);
    }
    QFont font("Arial", 10);
    font.setBold(true);
    QToolTip::setFont(font);
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, kAzulClaro);
    palette.setColor(QPalette::ToolTipText, Qt::white);
    palette.setColor(QPalette::Window, kAzulClaro);
    palette.setColor(QPalette::WindowText, Qt::white);
    QToolTip::setPalette(palette);
}

void setHint(QWidget* widget, const QString& text)
{
    widget->setToolTip(text);
    widget->setToolTipDuration(kHintDurationMs);
}

void setFittingText(QLabel* label, const QString& text)
{
    constexpr qreal kSmallest = 6.0;
    label->setText(text);
    QFont font = label->parentWidget()->font();
    for (qreal size = font.pointSizeF(); size >= kSmallest; size -= 0.5) {
        font.setPointSizeF(size);
        label->setFont(font);
        if (label->heightForWidth(label->width()) <= label->height())
            return;
    }
}

void paintBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel* makeLink(const QString& text, QWidget* parent, bool underline)
{
    auto* label = new QLabel(text, parent);
    label->setCursor(Qt::PointingHandCursor);
    QFont font = label->font();
    font.setBold(true);
    font.setUnderline(underline);
    label->setFont(font);
    label->setStyleSheet("color: blue;");
    return label;
}

void onClick(QWidget* widget, std::function<void()> action)
{
    new ClickAction(widget, std::move(action));
}

} // namespace daxo::app
