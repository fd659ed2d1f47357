#pragma once

#include "IniStore.h"

#include <QDialog>

#include <array>

class Messenger;
class QKeyEvent;
class QLineEdit;

// The modal dialog in which the user sets the three tax rates. It is declared without the
// meta-object macro because moc cannot read the accented class name; it has no signals or slots
// of its own and connects its handlers with lambdas.
class Param_Tx_Impôt : public QDialog
{
public:
    Param_Tx_Impôt(const IniStore& store, Messenger& messenger, QWidget* parent = nullptr);

    // Centres the dialog and fills the boxes from the settings file, stored texts unchanged.
    void Form_Load();

    // Tidies the three boxes, checks them and, when they pass, stores them and closes.
    void Bout_Ok_Taux_Click();

protected:
    // Escape must not close the dialog: the rates are only left by OK or the close control.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void showRateText(int index, const QString& text);
    int twipsToX(int twips) const;
    int twipsToY(int twips) const;

    IniStore m_store;
    Messenger& m_messenger;
    std::array<QLineEdit*, 3> m_boxes{};
};
