#include "splash.h"

#include <QApplication>
#include <QGuiApplication>
#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QThread>

namespace daxo::app {

bool fadeSupported()
{
    const QString platform = QGuiApplication::platformName();
    return platform != "offscreen" && platform != "minimal";
}

void stepOpacity(QWidget* window, int value)
{
    window->setWindowOpacity(value / 255.0);
    QApplication::processEvents();
    QThread::msleep(3);   // a fade the eye can follow
}

TfrmAbertura::TfrmAbertura(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName("frmAbertura");
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(294, 380);
    auto* picture = new QLabel(this);
    picture->setGeometry(rect());
    picture->setPixmap(QPixmap("abertura.png"));
    picture->setScaledContents(true);
    if (fadeSupported())
        setWindowOpacity(2 / 255.0);
    move(screen()->availableGeometry().center() - rect().center());
}

bool TfrmAbertura::event(QEvent* e)
{
    const bool result = QWidget::event(e);
    if (e->type() == QEvent::WindowActivate && !faded_ && fadeSupported()) {
        faded_ = true;
        for (int opacity = 0; opacity < 255; opacity += 3)
            stepOpacity(this, opacity);
    }
    return result;
}

} // namespace daxo::app
