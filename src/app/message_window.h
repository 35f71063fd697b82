#pragma once
// TfrmMensagem: the modal window that shows an error's text.
#include <QDialog>

class QLabel;
class QPushButton;

namespace daxo::app {

class TfrmMensagem : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMensagem(const QString& text, QWidget* centreOn = nullptr);

    QString text() const;
    QPushButton* okButton() const { return btOk_; }

private:
    QLabel* lblMensagem_;
    QPushButton* btOk_;
};

} // namespace daxo::app
