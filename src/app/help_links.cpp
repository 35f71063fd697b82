#include "help_links.h"

#include "platform/file_lookup.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace daxo::app {

void abrirAjuda(const char* relativePath)
{
    const auto path = platform::findPath(relativePath);
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::current().absoluteFilePath(QString::fromStdString(path.string()))));
}

} // namespace daxo::app
