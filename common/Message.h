#pragma once

#include <QString>

enum class MessageIcon
{
    None,
    Information,
    Exclamation,
    Question,
};

// One modal message as the user sees it. The text keeps the exact characters the program
// builds, line feeds and carriage returns included; the display side decides how they break.
struct Message
{
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::None;
    // A question whose Yes cannot be undone answers No to Enter.
    bool noByDefault = false;

    friend bool operator==(const Message&, const Message&) = default;
};
