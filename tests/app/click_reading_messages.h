#pragma once
// Clicks a widget of a window under test; every message window the click
// opens is read into `messages` and closed with its OK button.
#include "app/message_window.h"

#include <QApplication>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

namespace daxo::app::test {

// Runs `action`; every message window it opens is read and closed.
template <typename Action>
void readingMessages(Action action, QStringList& messages)
{
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* m = qobject_cast<TfrmMensagem*>(w); m && m->isVisible()) {
                messages << m->text();
                m->okButton()->click();
            }
    });
    watcher.start(20);
    action();
}

inline void clickReadingMessages(QWidget* target, QStringList& messages)
{
    readingMessages([target] { QTest::mouseClick(target, Qt::LeftButton); }, messages);
}

} // namespace daxo::app::test
