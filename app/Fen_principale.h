#pragma once

#include "CalculationDetails.h"
#include "IniStore.h"
#include "InputSnapshot.h"
#include "MainMenu.h"
#include "MainWindowSeam.h"
#include "QtTranslation.h"
#include "WindowNotices.h"

#include <QMainWindow>

#include <functional>

class DataPage;
class FeePage;
class Messenger;
class QLocale;
class QTabWidget;
class ResultArea;
struct SellingPrice;

// The calculator's window. Its controls hold all the working state: the trade data, the fee
// schedule and the results live only in the fields, and the handlers move texts between them
// and the plain logic of the other libraries. The capabilities beyond the calculation plug in
// through the seam it implements, and are told what happens through its notices.
class Fen_principale : public QMainWindow, public MainWindowSeam
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

    // What the capabilities may ask and tell.
    QWidget* ownerWindow() override { return this; }
    QRect fieldsArea() const override;
    QList<QAction*> windowWideActions() const override { return {m_menu.quitter}; }
    std::optional<Trade> checkedTrade() const override;
    ScheduleTexts feeSchedule() const override;
    std::optional<ScheduleTexts> feeScheduleAfterRules() override;
    double taxRate() const override;
    int taxOption() const override;
    PriceRounding rounding() const override;
    QString languageCode() const override;
    std::optional<CalculationInput> shownCalculation() const override
    {
        return m_shown ? std::optional(m_shown->input) : std::nullopt;
    }
    bool resultsOutOfDate() const override;
    bool feePageShown() const override;
    void showFeeSchedule(const ScheduleTexts& schedule) override;
    WindowNotices& notices() override { return m_notices; }

    // For the program's assembly: the menu whose items the capabilities answer, and where the
    // fee page is kept, which a capability that knows the schedule the page shows takes over
    // (by default, the file's schedule in use).
    const MainMenu& menu() const { return m_menu; }
    std::function<void(const ScheduleTexts& page)> keepFees;

    DataPage* dataPage() const { return m_dataPage; }
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
    void createCentralArea();
    void connectHandlers();
    void layOut();
    void centre(bool exactly);
    void expand();

    void calculate();
    void showPurchaseResults(const SellingPrice& result, const QLocale& locale);
    InputSnapshot inputsOnScreen() const;
    void inputsChanged();
    void forgetShownCalculation();

    void applyLanguage(bool english);
    void applyPageState();
    void applyKeyboardOrder(const QWidget* page);
    void reselectOptions();
    void showPage(QWidget* page);

    IniStore m_store;
    IniStore::HeldReading m_startupReading;
    Messenger& m_messenger;
    QString m_version;
    QtTranslation m_qtTexts;
    WindowNotices m_notices;
    MainMenu m_menu;

    QTabWidget* m_tabs = nullptr;
    DataPage* m_dataPage = nullptr;
    FeePage* m_feePage = nullptr;
    ResultArea* m_results = nullptr;
    // What the results on show were calculated from, as values and as shown.
    struct ShownResults
    {
        CalculationInput input;
        InputSnapshot inputs;
    };
    std::optional<ShownResults> m_shown;

    QSize m_designSize;
    int m_expandedHeight = 0;
    bool m_shownOnce = false;
    bool m_quitting = false;
};
