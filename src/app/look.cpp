#include "look.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QProxyStyle>
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
