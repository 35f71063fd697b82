#pragma once
// TfrmAbertura: the splash picture shown while the program starts; it fades
// in when it becomes active and fades out as the main window fades in.
#include <QWidget>

namespace daxo::app {

// Whether the windowing system blends windows (not so off screen).
bool fadeSupported();

// Sets a window's opacity (0..255) and keeps the windows alive.
void stepOpacity(QWidget* window, int value);

class TfrmAbertura : public QWidget {
    Q_OBJECT
public:
    explicit TfrmAbertura(QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;

private:
    bool faded_ = false;
};

} // namespace daxo::app
