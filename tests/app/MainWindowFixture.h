#pragma once

#include "FakeMessenger.h"
#include "Fen_principale.h"
#include "TempSettings.h"

#include <QTest>

#include <memory>

// A main window over a temporary settings file, with every message recorded instead of shown.
struct MainWindowFixture
{
    TempSettings settings;
    FakeMessenger messenger;
    std::unique_ptr<Fen_principale> window;

    Fen_principale& open()
    {
        window = std::make_unique<Fen_principale>(settings.store(), messenger,
                                                  QStringLiteral("1.2.3"));
        window->show();
        QApplication::setActiveWindow(window.get());
        return *window;
    }

    template <typename T> T* find(const QString& name) const
    {
        return window->findChild<T*>(name);
    }
};
