#include "message_window.h"

#include "look.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace daxo::app {

TfrmMensagem::TfrmMensagem(const QString& text, QWidget* centreOn)
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("frmMensagem");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setFixedSize(470, 89);
    paintBackground(this, kAzulClaro);

    // Messages break their lines with a carriage return.
    QString shown = text;
    shown.replace("\r\n", "\n").replace('\r', '\n');
    lblMensagem_ = new QLabel(shown, this);
    lblMensagem_->setObjectName("lblMensagem");
    lblMensagem_->setGeometry(10, 6, 450, 50);
    lblMensagem_->setAlignment(Qt::AlignCenter);
    lblMensagem_->setWordWrap(true);
    lblMensagem_->setTextFormat(Qt::PlainText);
    QFont font = lblMensagem_->font();
    font.setPointSize(10);
    font.setBold(true);
    lblMensagem_->setFont(font);
    lblMensagem_->setStyleSheet("color: white;");

    btOk_ = new QPushButton("OK", this);
    btOk_->setObjectName("btOk");
    btOk_->setGeometry(197, 58, 76, 26);
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
