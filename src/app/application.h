#pragma once
// The application object: every error that escapes an event handler ends in
// one handler, AppException, which the main window installs.
#include <QApplication>

#include <exception>
#include <functional>

namespace daxo::app {

// Numbers printed by the C library keep a decimal point whatever the
// desktop's locale; called once the Qt application exists.
void keepDecimalPoint();
// Called before the application exists.
void usePortugueseDates();

class DaxoApplication : public QApplication {
public:
    using ErrorHandler = std::function<void(const std::exception&)>;

    DaxoApplication(int& argc, char** argv);

    void setErrorHandler(ErrorHandler handler) { handler_ = std::move(handler); }

    // Runs a user action; its error goes to the handler and the action stops.
    void run(const std::function<void()>& action);

    bool notify(QObject* receiver, QEvent* event) override;

    static DaxoApplication* instance();

private:
    void report(const std::exception& error);

    ErrorHandler handler_;
};

// Runs a user action under the application's error handler (when the
// application is a DaxoApplication; otherwise the error propagates).
void runAction(const std::function<void()>& action);

} // namespace daxo::app
