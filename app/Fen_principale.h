#pragma once

#include "CalculationDetails.h"
#include "IniStore.h"
#include "InputSnapshot.h"
#include "QtTranslation.h"
#include "ScheduleComparison.h"

#include <QMainWindow>

class CompareWindow;
class DataPage;
class DetailsWindow;
class FeePage;
class QLineEdit;
class QLocale;
class QRadioButton;
struct ScheduleFieldRef;
struct ScheduleTexts;
struct SellingPrice;
struct TradeTexts;
enum class TradeField;
class Messenger;
class QAction;
class QMenu;
class QTabWidget;
class QWidget;
class ResultArea;

// The calculator's window. Its controls hold all the working state: the trade data, the fee
// schedule and the results live only in the fields, and the handlers move texts between them
// and the plain logic of the other libraries.
class Fen_principale : public QMainWindow
{
    Q_OBJECT

public:
    Fen_principale(IniStore store, Messenger& messenger, QString version,
                   QWidget* parent = nullptr);

    // Handlers, named after their control and event; menu items run their button's handler.
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void Calculer_Click();
    void Bout_Calculer_Click();
    void DetailCalcul_Click();
    void EffacerLesDonnées_Click();
    void Bout_Efface_Click();
    void EffacerLesFrais_Click();
    void Bout_EffaceFrais_Click();
    void quitter_Click();
    void Français_Click();
    void Anglais_Click();
    void Param_Tx_Imposition_Click();
    void ArrondiSupérieur_Click();
    void APropos_Click();
    void Pourcentage_Click();
    void Numéraire_Click();
    void Tabulation_Change();
    void Affichage_Imposition();
    void Enreg_Frais();
    void ComparerBaremes_Click();
    void Combo_Bareme_Activated();
    void NouveauBareme_Click();
    void NouveauBaremeVide_Click();
    void RenommerBareme_Click();
    void SupprimerBareme_Click();
    void ExporterBareme_Click();
    void ImporterBareme_Click();

    // The steps behind the schedule handlers, once a name or a file has been chosen. Each
    // returns whether it went through; a refusal has shown its message.
    bool switchSchedule(const QString& name);
    bool createSchedule(const QString& name, bool copyOfCurrent);
    bool renameSchedule(const QString& name);
    bool deleteSchedule(); // after a Yes to its question
    bool exportSchedule(const QString& path);
    bool importSchedule(const QString& path);

    DataPage* dataPage() const { return m_dataPage; }
    DetailsWindow* detailsWindow() const { return m_details; }
    CompareWindow* compareWindow() const { return m_compare; }
    FeePage* feePage() const { return m_feePage; }
    ResultArea* results() const { return m_results; }
    QTabWidget* Tabulation() const { return m_tabs; }

    QSize compactSize() const { return m_designSize; }
    QSize expandedSize() const { return {m_designSize.width(), m_expandedHeight}; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createMenus();
    void createCentralArea();
    void connectHandlers();
    void layOut();
    void centreTruncated();
    void centreExactly();
    void expand();

    void calculate();
    void showPurchaseResults(const SellingPrice& result, const QLocale& locale);
    void restoreLimitTexts();
    void refreshDetails();
    QRect fieldsArea() const; // on the screen: what a window beside must leave uncovered
    Trade tradeOnScreen() const;
    InputSnapshot inputsOnScreen() const;
    void inputsChanged();
    void forgetShownCalculation();
    void writeTrade(const TradeTexts& trade);
    QLineEdit* tradeField(TradeField field) const;
    QWidget* feeField(const ScheduleFieldRef& ref) const;
    QRadioButton* selectedTaxOption() const;
    int taxOptionIndex() const; // 0 for dix, 1 for vingt_six, 2 for trente_deux
    PriceRounding priceRounding() const;
    double selectedTaxRate() const; // the selected option's rate, as the calculation reads it

    QString languageCode() const;
    void applyLanguage(bool english);
    void applyPageState();
    void applyDataKeyboardOrder();
    void applyFeeKeyboardOrder();
    void reselectOptions();
    void showDataPage();
    void showFeePage();

    void connectScheduleHandlers();
    void askNewSchedule(bool copyOfCurrent);
    std::optional<ScheduleTexts> pageAfterRules();
    std::optional<Trade> checkedTrade() const;
    void refreshScheduleBar();
    void schedulesInputsChanged();
    void refreshComparison();
    void fillComparison();
    void showScheduleFailure();
    // After a change of the file: the fee page takes the schedule now in use, or nothing came
    // of the change and the failure is said.
    bool showScheduleInUse(const std::optional<ScheduleTexts>& inUse);
    bool english() const;

    IniStore m_store;
    IniStore::HeldReading m_startupReading;
    Messenger& m_messenger;
    QString m_version;
    QtTranslation m_qtTexts;

    QAction* m_calculer = nullptr;
    QAction* m_detailCalcul = nullptr;
    QAction* m_comparerBaremes = nullptr;
    QAction* m_effacerLesDonnees = nullptr;
    QAction* m_effacerLesFrais = nullptr;
    QAction* m_quitter = nullptr;
    QAction* m_francais = nullptr;
    QAction* m_anglais = nullptr;
    QAction* m_tauxImposition = nullptr;
    QAction* m_arrondiSuperieur = nullptr;
    QAction* m_aPropos = nullptr;

    QTabWidget* m_tabs = nullptr;
    DataPage* m_dataPage = nullptr;
    FeePage* m_feePage = nullptr;
    ResultArea* m_results = nullptr;
    // Built on first use, so that start-up does not pay for it.
    DetailsWindow* m_details = nullptr;
    CompareWindow* m_compare = nullptr;
    std::optional<QList<NamedSchedule>> m_storedSchedules; // the schedules not in use
    // What the results on show were calculated from.
    std::optional<CalculationInput> m_shownCalculation;
    std::optional<InputSnapshot> m_shownInputs;

    QSize m_designSize;
    int m_expandedHeight = 0;
    bool m_shownOnce = false;
    bool m_quitting = false;
};
