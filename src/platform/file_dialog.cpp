#include "platform/file_dialog.h"

#include <QFileDialog>

namespace daxo::platform {

namespace {

// "Figura PNG (*.png)" gives "png".
QString suffixOf(const QString& filter)
{
    return filter.section("*.", 1).section(')', 0, 0).section(' ', 0, 0);
}

} // namespace

std::optional<std::filesystem::path> askForFile(QWidget* parent, const FileDialogSetup& setup)
{
    QFileDialog dialog(parent, setup.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(setup.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(setup.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(setup.filters);
    dialog.setDefaultSuffix(suffixOf(setup.filters.value(0)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
    dialog.setLabelText(QFileDialog::LookIn, "Examinar:");
    dialog.setLabelText(QFileDialog::FileName, "Nome do arquivo:");
    dialog.setLabelText(QFileDialog::FileType, "Tipo:");
    dialog.setLabelText(QFileDialog::Accept, setup.save ? "Salvar" : "Abrir");
    dialog.setLabelText(QFileDialog::Reject, "Cancelar");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

} // namespace daxo::platform
