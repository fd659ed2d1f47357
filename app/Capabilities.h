#pragma once

class DetailsController;
class Fen_principale;
class IniStore;
class Messenger;
class PositionsController;
class ScheduleController;

// The capabilities plugged into the main window. Each is owned by the window and knows it by
// its seam alone; they build their own windows when first needed.
struct Capabilities
{
    DetailsController* details = nullptr;
    ScheduleController* schedules = nullptr;
    PositionsController* positions = nullptr;
};

// Creates the capabilities and connects the window's menu items to them.
Capabilities plugCapabilities(Fen_principale& window, const IniStore& store, Messenger& messenger);
