#pragma once

#include "Capabilities.h"
#include "FakeMessenger.h"
#include "Fen_principale.h"
#include "TempSettings.h"
#include "Version.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <functional>

#include <memory>

// A main window over a temporary settings file, with every message recorded instead of shown.
struct MainWindowFixture
{
    TempSettings settings;
    FakeMessenger messenger;
    std::unique_ptr<Fen_principale> window;
    Capabilities capabilities; // owned by the window

    Fen_principale& open()
    {
        // One store for both, as the program has: they share the start-up's reading of the file.
        const IniStore store = settings.store();
        window = std::make_unique<Fen_principale>(store, messenger, programVersion());
        capabilities = plugCapabilities(*window, store, messenger);
        window->show();
        QApplication::setActiveWindow(window.get());
        return *window;
    }

    template <typename T> T* find(const QString& name) const { return window->findChild<T*>(name); }
};

// Runs the action on the next modal window to open, such as a dialog started with exec() by the
// handler under test. A dialog that never opens fails the test instead of hanging it.
inline void whenModalOpens(std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer(qApp);
    auto elapsed = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, elapsed, action = std::move(action)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->deleteLater();
            timer->stop();
            action(modal);
            return;
        }
        *elapsed += 10;
        if (*elapsed > 5000) {
            timer->deleteLater();
            timer->stop();
            QFAIL("no modal window opened");
        }
    });
    timer->start(10);
}
