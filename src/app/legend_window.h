#pragma once
// TfrmLegenda: the legend window created at start-up. It stays empty: the
// legend editor that works on a map is daxo::maps::TfrmLegenda, which the map
// window creates for each edit and frees when it closes.
#include <QDialog>

namespace daxo::app {

class TfrmLegenda : public QDialog {
public:
    using QDialog::QDialog;
};

} // namespace daxo::app
