#pragma once
// TfrmSobre: the About window, modal, freed when closed.
#include <QDialog>

namespace daxo::app {

class TfrmSobre : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSobre(QWidget* parent = nullptr);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace daxo::app
