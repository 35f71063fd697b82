#include "message_window.h"

#include "look.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>

#include <algorithm>

namespace daxo::app {

namespace {
constexpr int kTextWidth = 450;
constexpr int kTextHeight = 50;
} // namespace

TfrmMensagem::TfrmMensagem(const QString& text, QWidget* centreOn)
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("frmMensagem");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    paintBackground(this, kAzulClaro);

    // Messages break their lines with a carriage return.
    QString shown = text;
    shown.replace("\r\n", "\n").replace('\r', '\n');
    lblMensagem_ = new QLabel(shown);
    lblMensagem_->setObjectName("lblMensagem");
    lblMensagem_->setAlignment(Qt::AlignCenter);
    lblMensagem_->setWordWrap(true);
    lblMensagem_->setTextFormat(Qt::PlainText);
    QFont font = lblMensagem_->font();
    font.setPointSize(10);
    font.setBold(true);
    lblMensagem_->setFont(font);
    lblMensagem_->setStyleSheet("color: white;");

    // The usual 470 x 89 window holds a few lines; a longer text (an engine
    // error quoting its statement) grows the window, then scrolls, so that
    // none of it is lost, and can be selected for copying.
    const QRect available = (centreOn ? centreOn->screen() : screen())->availableGeometry();
    const int textHeight = QFontMetrics(font).boundingRect(QRect(0, 0, kTextWidth, 100000),
                                                           Qt::AlignCenter | Qt::TextWordWrap, shown).height();
    const int areaHeight = std::clamp(textHeight + 4, kTextHeight, std::max(kTextHeight, available.height() * 3 / 4 - 39));
    setFixedSize(470, areaHeight + 39);
    if (textHeight + 4 <= kTextHeight) {
        lblMensagem_->setParent(this);
        lblMensagem_->setGeometry(10, 6, kTextWidth, kTextHeight);
    } else {
        lblMensagem_->setTextInteractionFlags(Qt::TextSelectableByMouse);
        auto* area = new QScrollArea(this);
        area->setObjectName("areaMensagem");
        area->setGeometry(10, 6, kTextWidth + 4, areaHeight);
        area->setFrameShape(QFrame::NoFrame);
        area->setWidgetResizable(true);
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area->setStyleSheet("QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }");
        area->setWidget(lblMensagem_);
    }

    btOk_ = new QPushButton("OK", this);
    btOk_->setObjectName("btOk");
    btOk_->setGeometry(197, height() - 31, 76, 26);
    btOk_->setFlat(true);
    btOk_->setCursor(Qt::PointingHandCursor);
    btOk_->setStyleSheet("QPushButton { color: white; font-weight: bold; font-size: 12pt; border: 1px solid white; }");
    btOk_->setDefault(true);
    connect(btOk_, &QPushButton::clicked, this, &QDialog::accept);

    const QRect area = centreOn ? centreOn->frameGeometry() : screen()->availableGeometry();
    move(area.center() - rect().center());
}

QString TfrmMensagem::text() const { return lblMensagem_->text(); }

} // namespace daxo::app
