#pragma once
// The program's colours and hint style.
#include <QColor>
#include <QString>

#include <functional>

class QApplication;
class QLabel;
class QWidget;

namespace daxo::app {

// Colours stored as 0x00BBGGRR integers.
inline QColor corBgr(unsigned value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

inline const QColor kAzulEscuro = corBgr(9863510);    // text
inline const QColor kAzulClaro = corBgr(13545034);    // panels, hints, messages

// AjustaDica: every hint in Arial 10 bold, white on the light blue, shown
// after 500 ms and for 7 s.
void AjustaDica(QApplication& app);

// A widget's hint, with the hand-point cursor for the clickable ones.
void setHint(QWidget* widget, const QString& text);

// A word-wrapped label's text, in the window's type size or, when it would
// need more lines than the label holds, in the largest size that fits whole.
void setFittingText(QLabel* label, const QString& text);

// A flat-coloured panel background.
void paintBackground(QWidget* widget, const QColor& colour);

// A label in blue, bold, with the hand-point cursor, that acts on a click.
QLabel* makeLink(const QString& text, QWidget* parent, bool underline);
void onClick(QWidget* widget, std::function<void()> action);

} // namespace daxo::app
