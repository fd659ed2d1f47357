#pragma once

#include "Message.h"

// The one way the program talks to the user through modal boxes, so that tests can answer
// them and read what was shown. The real implementation uses QMessageBox.
class Messenger
{
public:
    virtual ~Messenger() = default;

    // A box with a single OK button; returns when the user has closed it.
    virtual void inform(const Message& message) = 0;

    // A box with Yes and No buttons; true when the user answered Yes.
    virtual bool confirm(const Message& message) = 0;
};
