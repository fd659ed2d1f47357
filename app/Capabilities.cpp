#include "Capabilities.h"

#include "DetailsController.h"
#include "FeePage.h"
#include "Fen_principale.h"
#include "PositionsController.h"
#include "ScheduleController.h"
#include "ScheduleTexts.h"

#include <QAction>
#include <QKeySequence>

Capabilities plugCapabilities(Fen_principale& window, const IniStore& store, Messenger& messenger)
{
    const MainMenu& menu = window.menu();
    Capabilities plugged;

    plugged.details = new DetailsController(window, &window);
    QObject::connect(menu.detailCalcul, &QAction::triggered, plugged.details,
                     qOverload<>(&DetailsController::open));

    plugged.schedules =
        new ScheduleController(store, messenger, window, *window.feePage()->scheduleBar, &window);
    QObject::connect(menu.comparerBaremes, &QAction::triggered, plugged.schedules,
                     &ScheduleController::ComparerBaremes_Click);
    window.keepFees = [schedules = plugged.schedules](const ScheduleTexts& page) {
        schedules->keepFees(page);
    };
    plugged.details->scheduleInUse = [schedules = plugged.schedules] {
        return schedules->nameInUse();
    };

    QAction* positionsItem =
        addCapabilityItem(menu, QStringLiteral("Positions"), QStringLiteral("&Positions…"));
    positionsItem->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    plugged.positions = new PositionsController(
        store.filePath(), messenger, window,
        [details = plugged.details](const CalculationInput& input) {
            details->open(input, QString());
        },
        &window);
    QObject::connect(positionsItem, &QAction::triggered, plugged.positions,
                     &PositionsController::open);
    return plugged;
}
