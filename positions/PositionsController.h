#pragma once

#include "CalculationDetails.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class MainWindowSeam;
class Messenger;
class PositionStore;
class PositionsWindow;

// The positions capability: its window and its store, created when the user first opens it,
// never at start-up. The main window knows it by open() alone.
class PositionsController : public QObject
{
    Q_OBJECT

public:
    using DetailsOpener = std::function<void(const CalculationInput&)>;

    // settingsPath is the settings file in use: the positions are kept beside it.
    PositionsController(QString settingsPath, Messenger& messenger, MainWindowSeam& seam,
                        DetailsOpener openDetails, QObject* parent);
    ~PositionsController() override;

    // Opens the store if need be and shows the window, or says why the store cannot be used.
    void open();

    PositionsWindow* window() const;

private:
    QString m_settingsPath;
    Messenger& m_messenger;
    MainWindowSeam& m_seam;
    DetailsOpener m_openDetails;
    std::unique_ptr<PositionStore> m_store;
    QPointer<PositionsWindow> m_window;
};
