#pragma once
// TfrmLegenda: the legend editor of the map output, created at start-up and
// kept for the whole run; its content comes with the map output.
#include <QDialog>

namespace daxo::app {

class TfrmLegenda : public QDialog {
public:
    using QDialog::QDialog;
};

} // namespace daxo::app
