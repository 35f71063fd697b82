#include "application.h"

#include "message_window.h"
#include "platform/system_errors.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <clocale>
#include <string_view>

namespace daxo::app {

void keepDecimalPoint()
{
    // Qt takes the desktop's locale for the C library too; its decimal comma
    // would reach every number a library prints (worksheets, dBASE fields).
    // The program formats what the user reads itself.
    std::setlocale(LC_NUMERIC, "C");
}

namespace {

// The few texts of Qt's file dialog its Portuguese translation lacks.
class MissingQtTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (std::string_view(context) != "QAbstractFileIconProvider")
            return {};
        const std::string_view text(source);
        return text == "Folder" ? "Pasta" : text == "Drive" ? "Unidade" : QString();
    }
};

} // namespace

void usePortugueseDates()
{
    // Qt's dialogs write dates in the desktop's time locale.
    qputenv("LC_TIME", "pt_BR.UTF-8");
}

DaxoApplication::DaxoApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    keepDecimalPoint();
    // Qt's own buttons and dialogs (Yes/No, the save dialog, the kinds of
    // file it lists) in Portuguese.
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    auto* qt = new QTranslator(this);
    if (qt->load(QLocale(QLocale::Portuguese, QLocale::Brazil), "qtbase", "_",
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qt);
    installTranslator(new MissingQtTexts(this));
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
