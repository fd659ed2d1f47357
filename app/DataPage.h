#pragma once

#include "TradeTexts.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The data page: the trade inputs, the profit type, the tax option and the two commands.
class DataPage : public QWidget
{
    Q_OBJECT

public:
    explicit DataPage(QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* Text_pa;
    QLabel* Label2;
    QLineEdit* Text_nb;
    QLabel* Label4;
    QLineEdit* Text_ben;
    QGroupBox* Frame_Type_Benefice;
    QRadioButton* Pourcentage;
    QRadioButton* Numéraire;
    QGroupBox* Frame_Impots;
    QRadioButton* dix;
    QRadioButton* vingt_six;
    QRadioButton* trente_deux;
    QPushButton* Bout_Calculer;
    QPushButton* Bout_Efface;

    // The controls in their keyboard order on this page.
    QList<QWidget*> keyboardOrder() const;

    TradeTexts trade() const;
    void writeTrade(const TradeTexts& trade); // touching only the fields whose text changes
    QLineEdit* field(TradeField field) const;
    int taxOption() const; // 0 for dix, 1 for vingt_six, 2 for trente_deux
    QRadioButton* selectedTaxOption() const;
};
