#include "application.h"

#include "message_window.h"
#include "platform/system_errors.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <clocale>

namespace daxo::app {

void keepDecimalPoint()
{
    // Qt takes the desktop's locale for the C library too; its decimal comma
    // would reach every number a library prints (worksheets, dBASE fields).
    // The program formats what the user reads itself.
    std::setlocale(LC_NUMERIC, "C");
}

DaxoApplication::DaxoApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    keepDecimalPoint();
    // Qt's own buttons and dialogs (Yes/No, the save dialog) in Portuguese.
    auto* qt = new QTranslator(this);
    if (qt->load(QLocale(QLocale::Portuguese, QLocale::Brazil), "qtbase", "_",
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qt);
}

DaxoApplication* DaxoApplication::instance() { return dynamic_cast<DaxoApplication*>(QCoreApplication::instance()); }

void DaxoApplication::report(const std::exception& error)
{
    if (handler_) {
        handler_(error);
        return;
    }
    // Before the main window exists: the message window alone.
    (new TfrmMensagem(QString::fromStdString(daxo::platform::userMessage(error))))->exec();
}

void DaxoApplication::run(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& error) {
        report(error);
    }
}

bool DaxoApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        report(error);
        return true;
    }
}

void runAction(const std::function<void()>& action)
{
    if (DaxoApplication* app = DaxoApplication::instance())
        app->run(action);
    else
        action();
}

} // namespace daxo::app
