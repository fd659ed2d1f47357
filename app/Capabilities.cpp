#include "Capabilities.h"

#include "DetailsController.h"
#include "FeePage.h"
#include "Fen_principale.h"
#include "ScheduleController.h"
#include "ScheduleTexts.h"

#include <QAction>

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
    return plugged;
}
