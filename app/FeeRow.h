#pragma once

#include "ScheduleTexts.h"

class QGroupBox;
class QLineEdit;
class QRadioButton;
class QWidget;

// The controls of one bracket on the fee page: "De" [lower] "à" [upper] "=>" [fee] [type].
struct FeeRow
{
    QLineEdit* lower = nullptr;         // Text_FBn
    QLineEdit* upper = nullptr;         // Text_FHn
    QLineEdit* fee = nullptr;           // Text_Fn
    QGroupBox* frame = nullptr;         // Framen
    QRadioButton* percentage = nullptr; // Pourcentagen
    QRadioButton* value = nullptr;      // Valeurn

    BracketTexts texts() const;
    void setTexts(const BracketTexts& texts) const;
    QList<QWidget*> keyboardOrder() const;
};
