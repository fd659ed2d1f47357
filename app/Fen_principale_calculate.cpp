#include "Fen_principale.h"

#include "CalcMessages.h"
#include "DataPage.h"
#include "DetailsWindow.h"
#include "FeePage.h"
#include "FeeRules.h"
#include "FeeStore.h"
#include "FieldNormalisation.h"
#include "Language.h"
#include "Messenger.h"
#include "NumberText.h"
#include "ResultArea.h"
#include "ResultTexts.h"
#include "SchedulePreparation.h"
#include "SellingPriceSearch.h"
#include "SetTextIfChanged.h"
#include "TaxRates.h"
#include "TradeCheck.h"
#include "TradeValues.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>

namespace {

// Shows the fee page as the preparation has left it so far before each of its messages, so the
// user sees the brackets it is talking about.
class FeePageRefresher : public Messenger
{
public:
    FeePageRefresher(Messenger& messenger, FeePage& page, const ScheduleTexts& schedule)
        : m_messenger(messenger), m_page(page), m_schedule(schedule)
    {}

    void inform(const Message& message) override
    {
        m_page.setSchedule(m_schedule);
        m_messenger.inform(message);
    }

    bool confirm(const Message& message) override
    {
        m_page.setSchedule(m_schedule);
        return m_messenger.confirm(message);
    }

private:
    Messenger& m_messenger;
    FeePage& m_page;
    const ScheduleTexts& m_schedule;
};

} // namespace

void Fen_principale::Bout_Calculer_Click()
{
    DataPage& page = *m_dataPage;
    TradeTexts trade{page.Text_pa->text(), page.Text_nb->text(), page.Text_ben->text()};
    ScheduleTexts schedule = m_feePage->schedule();
    normaliseFields(trade, schedule);
    m_feePage->setSchedule(schedule);

    const auto currentLanguage = [this] { return languageCode(); };
    const std::optional<TradeRefusal> tradeRefusal =
        checkTrade(trade, page.Pourcentage->isChecked(), currentLanguage);
    writeTrade(trade);
    if (tradeRefusal) {
        m_messenger.inform(tradeRefusal->message);
        QLineEdit* field = tradeField(tradeRefusal->field);
        field->clear();
        showDataPage();
        field->setFocus();
        return;
    }

    FeePageRefresher refresher(m_messenger, *m_feePage, schedule);
    const std::optional<ScheduleRefusal> scheduleRefusal =
        prepareSchedule(schedule, refresher, currentLanguage, [this](const ScheduleTexts& saved) {
            m_feePage->setSchedule(saved);
            Enreg_Frais();
        });
    m_feePage->setSchedule(schedule);
    if (scheduleRefusal) {
        showFeePage();
        feeField(scheduleRefusal->focus)->setFocus();
        return;
    }

    calculate();
}

void Fen_principale::calculate()
{
    DataPage& page = *m_dataPage;
    const QLocale locale;
    const double taxRate = selectedTaxRate();
    const Trade trade = tradeOnScreen();
    const Schedule schedule = scheduleFromTexts(m_feePage->schedule());
    const PriceRounding rounding = priceRounding();
    const CalcOutcome outcome = findSellingPrice(schedule, trade, taxRate, rounding);
    const SellingPrice& result = outcome.result;

    switch (outcome.status) {
    case CalcStatus::TaxRateInvalid:
        m_messenger.inform(refusalMessage(outcome, languageCode()));
        showDataPage();
        selectedTaxOption()->setFocus();
        return;
    case CalcStatus::PercentageFeeInvalid:
        m_messenger.inform(refusalMessage(outcome, languageCode()));
        showFeePage();
        m_feePage->rows[qBound(0, outcome.bracketNumber - 1, bracketCount - 1)].fee->setFocus();
        return;
    case CalcStatus::PriceInvalid:
        m_messenger.inform(refusalMessage(outcome, languageCode()));
        return;
    case CalcStatus::PurchaseOverLimit:
    case CalcStatus::SaleOverLimit:
        expand();
        if (outcome.status == CalcStatus::SaleOverLimit)
            showPurchaseResults(result, locale);
        m_messenger.inform(refusalMessage(outcome, languageCode()));
        Bout_Efface_Click();
        restoreLimitTexts();
        return;
    case CalcStatus::Done:
        break;
    }

    expand();
    showPurchaseResults(result, locale);
    m_results->Text_pv->setText(Texte_Euros(result.price, EurosVariant::Price));
    m_results->Text_Frais_Vente->setText(
        displayText(feeCaption(result.saleFee, TradeSide::Sale, locale)));
    m_results->Text_Bén_Avt_Impôt->setText(
        Texte_Euros(result.profitBeforeTax, EurosVariant::Profit));
    m_results->Text_Bén_Après_Impôt->setText(
        Texte_Euros(result.profitAfterTax, EurosVariant::Profit));
    restoreLimitTexts();
    m_results->setFramesVisible(true);
    m_shownCalculation = CalculationInput{schedule, trade, taxRate, rounding};
    m_shownInputs = inputsOnScreen();
    m_results->setOutOfDate(false);
    m_results->setShortNote(
        result.inexact ? shortPriceNote(result, locale, isEnglish(languageCode())) : QString());
    m_detailCalcul->setEnabled(true);
    refreshDetails();
    centreExactly();
    applyDataKeyboardOrder();
    if (result.inexact)
        m_messenger.inform(
            inexactPriceMessage(result, trade.wantedProfit, trade.percentMode, locale));
    page.Bout_Calculer->setFocus();
}

void Fen_principale::showPurchaseResults(const SellingPrice& result, const QLocale& locale)
{
    m_results->Text_Px_Rev->setText(Texte_Euros(result.costPrice, EurosVariant::Price));
    m_results->Text_Frais_Achat->setText(
        displayText(feeCaption(result.purchaseFee, TradeSide::Purchase, locale)));
}

void Fen_principale::restoreLimitTexts()
{
    // A minimum of 0 and a maximum of 0 or of the open bound are no limits: shown empty.
    if (plainNumber(m_feePage->Text_Mini->text()) == 0)
        m_feePage->Text_Mini->clear();
    const double maximum = plainNumber(m_feePage->Text_Maxi->text());
    if (maximum == 0 || maximum == openBound)
        m_feePage->Text_Maxi->clear();
}

void Fen_principale::writeTrade(const TradeTexts& trade)
{
    setTextIfChanged(m_dataPage->Text_pa, trade.price);
    setTextIfChanged(m_dataPage->Text_nb, trade.shares);
    setTextIfChanged(m_dataPage->Text_ben, trade.profit);
}

QLineEdit* Fen_principale::tradeField(TradeField field) const
{
    switch (field) {
    case TradeField::Shares:
        return m_dataPage->Text_nb;
    case TradeField::Profit:
        return m_dataPage->Text_ben;
    case TradeField::Price:
        break;
    }
    return m_dataPage->Text_pa;
}

QWidget* Fen_principale::feeField(const ScheduleFieldRef& ref) const
{
    const FeeRow& row = m_feePage->rows[qBound(0, ref.bracket, bracketCount - 1)];
    switch (ref.field) {
    case ScheduleField::Upper:
        return row.upper;
    case ScheduleField::Fee:
        return row.fee;
    case ScheduleField::FeeType:
        return row.percentage->isChecked() ? row.percentage : row.value;
    case ScheduleField::Minimum:
        return m_feePage->Text_Mini;
    case ScheduleField::Maximum:
        return m_feePage->Text_Maxi;
    case ScheduleField::Lower:
        break;
    }
    return row.lower;
}

double Fen_principale::selectedTaxRate() const
{
    // Read afresh from the file: the tax rates dialog or another copy may have changed it.
    const QLocale locale;
    return rateValue(loadCalculationRates(m_store, locale)[taxOptionIndex()], locale);
}

PriceRounding Fen_principale::priceRounding() const
{
    return m_arrondiSuperieur->isChecked() ? PriceRounding::Up : PriceRounding::Nearest;
}

int Fen_principale::taxOptionIndex() const
{
    if (m_dataPage->dix->isChecked())
        return 0;
    return m_dataPage->vingt_six->isChecked() ? 1 : 2;
}

QRadioButton* Fen_principale::selectedTaxOption() const
{
    if (m_dataPage->dix->isChecked())
        return m_dataPage->dix;
    return m_dataPage->vingt_six->isChecked() ? m_dataPage->vingt_six : m_dataPage->trente_deux;
}

void Fen_principale::Bout_Efface_Click()
{
    m_dataPage->Text_pa->clear();
    m_dataPage->Text_nb->clear();
    m_dataPage->Text_ben->clear();
    m_results->Text_pv->clear();
    setFixedSize(m_designSize);
    m_results->setFramesVisible(false);
    m_dataPage->vingt_six->setChecked(true);
    m_dataPage->Pourcentage->setChecked(true);
    Pourcentage_Click();
    centreExactly();
    forgetShownCalculation();
    m_dataPage->Text_pa->setFocus();
}

void Fen_principale::forgetShownCalculation()
{
    m_shownCalculation.reset();
    m_shownInputs.reset();
    m_results->setOutOfDate(false);
    m_results->setShortNote(QString());
    m_detailCalcul->setEnabled(false);
    if (m_details)
        m_details->hide();
}

Trade Fen_principale::tradeOnScreen() const
{
    const DataPage& page = *m_dataPage;
    return tradeFromTexts({page.Text_pa->text(), page.Text_nb->text(), page.Text_ben->text()},
                          page.Pourcentage->isChecked());
}

InputSnapshot Fen_principale::inputsOnScreen() const
{
    const DataPage& page = *m_dataPage;
    return {{page.Text_pa->text(), page.Text_nb->text(), page.Text_ben->text()},
            page.Pourcentage->isChecked(),
            taxOptionIndex(),
            selectedTaxOption()->text(),
            m_feePage->schedule(),
            m_arrondiSuperieur->isChecked()};
}

void Fen_principale::inputsChanged()
{
    if (!m_shownInputs)
        return;
    const bool outOfDate = inputsOnScreen() != *m_shownInputs;
    if (outOfDate != m_results->outOfDate())
        m_results->setOutOfDate(outOfDate, outOfDateNote(isEnglish(languageCode())));
    if (m_details)
        m_details->setOutOfDate(outOfDate);
}

void Fen_principale::centreExactly()
{
    const QRect screenArea = screen()->geometry();
    move(qRound(screenArea.left() + (screenArea.width() - m_designSize.width()) / 2.0),
         qRound(screenArea.top() + (screenArea.height() - m_expandedHeight) / 2.0));
}
