#pragma once

#include "CalcOutcome.h"
#include "CalculationDetails.h"
#include "PositionStore.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class GainsWindow;
class MainWindowSeam;
class Messenger;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The investor's positions: the list with what each holds and cost, the selected position's
// purchases and sales (edited in place), a form for a new purchase or sale prefilled from the
// schedule and the position's tax rates, and the price to sell part or all of it. Every change
// goes to the store at once, in one transaction; the window keeps nothing the store does not.
class PositionsWindow : public QWidget
{
    Q_OBJECT

public:
    using DetailsOpener = std::function<void(const CalculationInput&)>;

    PositionsWindow(PositionStore& store, QString settingsPath, Messenger& messenger,
                    MainWindowSeam& seam, DetailsOpener openDetails, QWidget* parent);

    // Reads every position again from the store and shows them, the selection kept.
    void reload();
    // Whether positions sold out are listed too.
    bool showsClosed() const;
    void setShowClosed(bool shown);

    // For tests and the controller: the parts a user works with.
    QTableWidget* positionList() const { return m_positions; }
    QTableWidget* movementTable() const { return m_movements; }
    QLineEdit* nameField() const { return m_name; }
    QLineEdit* codeField() const { return m_code; }
    QLineEdit* purchaseRateField() const { return m_purchaseRate; }
    QLineEdit* saleRateField() const { return m_saleRate; }
    QLineEdit* saleCapField() const { return m_saleCap; }
    QComboBox* kindChoice() const { return m_kind; }
    QDateEdit* dateField() const { return m_date; }
    QLineEdit* sharesField() const { return m_shares; }
    QLineEdit* priceField() const { return m_price; }
    QLineEdit* feeField() const { return m_fee; }
    QLineEdit* taxesField() const { return m_taxes; }
    QLineEdit* sellSharesField() const { return m_sellShares; }
    QLineEdit* profitField() const { return m_profit; }
    QLabel* resultLabel() const { return m_result; }

    void newPosition();
    void savePosition();
    void deletePosition();
    void addMovement();
    void deleteMovement();
    void calculate();
    void openDetails();
    // The realised gains by year, over every position.
    GainsWindow* openGains();
    // A CSV file of purchases and sales: all its lines or none, every bad line said.
    void importFile(const QString& path);
    void exportFile(const QString& path);
    void selectPosition(const QString& name);
    std::optional<Position> selectedPosition() const;

private:
    void build();
    void showPosition();
    void prefill();
    void movementEdited(int row, int column);
    bool reportRefusal(const StoreChange& change);
    std::optional<Schedule> scheduleFor(const QString& name, bool withRules) const;
    QStringList scheduleChoices() const;
    QString inUseCaption() const;

    PositionStore& m_store;
    QString m_settingsPath;
    Messenger& m_messenger;
    MainWindowSeam& m_seam;
    DetailsOpener m_openDetails;
    bool m_english = false;
    QList<Position> m_all;
    std::optional<CalculationInput> m_lastCalculation;
    bool m_loading = false;
    bool m_feeTyped = false;

    QTableWidget* m_positions = nullptr;
    QCheckBox* m_showClosed = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_code = nullptr;
    QComboBox* m_schedule = nullptr;
    QComboBox* m_preset = nullptr;
    QLineEdit* m_purchaseRate = nullptr;
    QLineEdit* m_saleRate = nullptr;
    QLineEdit* m_saleCap = nullptr;
    QTableWidget* m_movements = nullptr;
    QComboBox* m_kind = nullptr;
    QDateEdit* m_date = nullptr;
    QLineEdit* m_shares = nullptr;
    QLineEdit* m_price = nullptr;
    QLineEdit* m_fee = nullptr;
    QLineEdit* m_taxes = nullptr;
    QLineEdit* m_sellShares = nullptr;
    QLineEdit* m_profit = nullptr;
    QButtonGroup* m_mode = nullptr;
    QComboBox* m_taxOption = nullptr;
    QComboBox* m_saleSchedule = nullptr;
    QLabel* m_result = nullptr;
    QPushButton* m_details = nullptr;
    GainsWindow* m_gainsWindow = nullptr;
};
