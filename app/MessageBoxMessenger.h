#pragma once

#include "Messenger.h"

// Shows messages with QMessageBox, over whichever window of the program is active.
class MessageBoxMessenger : public Messenger
{
public:
    void inform(const Message& message) override;
    bool confirm(const Message& message) override;
};
