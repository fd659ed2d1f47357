#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>

// Ends the program's event loop once its first window is on screen, so that the run time of
// the program is its start-up time. A window that never shows ends the program with code 4
// rather than stalling the benchmark.
class QuitOnFirstExpose : public QObject
{
public:
    QuitOnFirstExpose()
    {
        QCoreApplication::instance()->installEventFilter(this);
        QTimer::singleShot(10000, this, [] { QCoreApplication::exit(4); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto* window = qobject_cast<QWindow*>(watched);
        if (!m_exposed && event->type() == QEvent::Expose && window && window->isExposed()) {
            m_exposed = true;
            // Queued, so the window paints its first frame before the loop ends.
            QTimer::singleShot(0, this, [] { QCoreApplication::quit(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_exposed = false;
};
