#pragma once
// The file dialogs of the program: Qt's own dialog rather than the desktop's,
// so that every text of it is in Portuguese.
#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>

class QWidget;

namespace daxo::platform {

struct FileDialogSetup {
    QString title;
    QStringList filters;   // "Figura PNG (*.png)"; the first is the default
    bool save = true;      // false: opens an existing file
};

// The file the user chose, with the chosen filter's extension when none was
// typed; empty when the user gives up.
std::optional<std::filesystem::path> askForFile(QWidget* parent, const FileDialogSetup& setup);

} // namespace daxo::platform
