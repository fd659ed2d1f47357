#include "Fen_principale.h"

#include "CalcMessages.h"
#include "CaptionWidths.h"
#include "Captions.h"
#include "DataPage.h"
#include "FeePage.h"
#include "FeePageRefresher.h"
#include "FeeRules.h"
#include "FeeStore.h"
#include "Fen_APropos_Enreg.h"
#include "FieldNormalisation.h"
#include "Language.h"
#include "Messenger.h"
#include "NumberText.h"
#include "Param_Tx_Impot.h"
#include "ProgramIcon.h"
#include "ResultArea.h"
#include "ResultTexts.h"
#include "RoundingSetting.h"
#include "ScheduleBar.h"
#include "SchedulePreparation.h"
#include "SellingPriceSearch.h"
#include "SettingsKeys.h"
#include "ShortfallNote.h"
#include "TaxRates.h"
#include "TradeCheck.h"
#include "TradeValues.h"
#include "Twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace {

// The window's design measures, in twips.
constexpr int designWidthTwips = 6615;
constexpr int designHeightTwips = 4110;
constexpr int tabLeftTwips = 120;
constexpr int tabTopTwips = 240;
constexpr int tabWidthTwips = 6375;
constexpr int tabHeightTwips = 3735;
constexpr int resultLeftTwips = 360;
constexpr int resultGapTwips = 225;
constexpr int resultWidthTwips = 5895;
constexpr int bottomMarginTwips = 135;

bool isBlank(const ScheduleTexts& schedule)
{
    return std::all_of(schedule.brackets.begin(), schedule.brackets.end(),
                       [](const BracketTexts& bracket) { return bracket.isEmpty(); }) &&
           schedule.minimum.isEmpty() && schedule.maximum.isEmpty();
}

void setTabStops(const QList<QWidget*>& widgets, bool tabStop)
{
    for (QWidget* widget : widgets)
        widget->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void setKeyboardOrder(const QList<QWidget*>& widgets)
{
    for (qsizetype i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

} // namespace

Fen_principale::Fen_principale(IniStore store, Messenger& messenger, QString version,
                               QWidget* parent)
    : QMainWindow(parent), m_store(std::move(store)), m_messenger(messenger),
      m_version(std::move(version))
{
    setObjectName(QStringLiteral("Fen_principale"));
    setWindowTitle(QStringLiteral("Calculateur de prix de vente d'actions"));
    setWindowIcon(programIcon());
    m_menu = buildMainMenu(menuBar());
    createCentralArea();
    connectHandlers();
    Form_Load();
}

void Fen_principale::createCentralArea()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    setCentralWidget(central);

    m_tabs = new QTabWidget(central);
    m_tabs->setObjectName(QStringLiteral("Tabulation"));
    m_dataPage = new DataPage(m_tabs);
    m_feePage = new FeePage(m_tabs);
    m_tabs->addTab(m_dataPage, QStringLiteral("Donnée&s"));
    m_tabs->addTab(m_feePage, QStringLiteral("&Gestion des frais de courtage"));
    // Tab moves among the current page's controls only; the pages are turned with their access
    // keys (Alt+S, Alt+G), Ctrl+Tab, or Ctrl+PageDown and Ctrl+PageUp (keyPressEvent).
    m_tabs->tabBar()->setFocusPolicy(Qt::NoFocus);
    m_tabs->setCornerWidget(m_feePage->scheduleBar, Qt::TopRightCorner);

    m_results = new ResultArea(central);
    // The captions of the fee page's newer controls come from the caption table alone.
    for (const CaptionPair& caption : mainWindowCaptions()) {
        if (QObject* control = m_feePage->scheduleBar->findChild<QObject*>(caption.objectName))
            setCaption(control, caption.french);
    }
    reserveCaptionWidths(central);
}

void Fen_principale::connectHandlers()
{
    connect(m_menu.calculer, &QAction::triggered, this, &Fen_principale::Calculer_Click);
    connect(m_menu.effacerLesDonnees, &QAction::triggered, this,
            &Fen_principale::EffacerLesDonnées_Click);
    connect(m_menu.effacerLesFrais, &QAction::triggered, this,
            &Fen_principale::EffacerLesFrais_Click);
    connect(m_menu.quitter, &QAction::triggered, this, &Fen_principale::quitter_Click);
    connect(m_menu.francais, &QAction::triggered, this, &Fen_principale::Français_Click);
    connect(m_menu.anglais, &QAction::triggered, this, &Fen_principale::Anglais_Click);
    connect(m_menu.tauxImposition, &QAction::triggered, this,
            &Fen_principale::Param_Tx_Imposition_Click);
    connect(m_menu.arrondiSuperieur, &QAction::triggered, this,
            &Fen_principale::ArrondiSupérieur_Click);
    connect(m_menu.aPropos, &QAction::triggered, this, &Fen_principale::APropos_Click);

    connect(m_dataPage->Bout_Calculer, &QPushButton::clicked, this,
            &Fen_principale::Bout_Calculer_Click);
    connect(m_dataPage->Bout_Efface, &QPushButton::clicked, this,
            &Fen_principale::Bout_Efface_Click);
    connect(m_feePage->Bout_EffaceFrais, &QPushButton::clicked, this,
            &Fen_principale::Bout_EffaceFrais_Click);
    // A selection made from code runs the handler just as a click does.
    connect(m_dataPage->Pourcentage, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            Pourcentage_Click();
    });
    connect(m_dataPage->Numéraire, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            Numéraire_Click();
    });
    connect(m_tabs, &QTabWidget::currentChanged, this, &Fen_principale::Tabulation_Change);
    // Any change to what a calculation reads, typed or made by a command, is compared with the
    // inputs of the results on show.
    for (QWidget* page : {static_cast<QWidget*>(m_dataPage), static_cast<QWidget*>(m_feePage)}) {
        for (QLineEdit* field : page->findChildren<QLineEdit*>())
            connect(field, &QLineEdit::textChanged, this, &Fen_principale::inputsChanged);
        for (QRadioButton* option : page->findChildren<QRadioButton*>())
            connect(option, &QRadioButton::toggled, this, &Fen_principale::inputsChanged);
    }
}

void Fen_principale::layOut()
{
    const qreal dpi = screen()->logicalDotsPerInch();
    const auto px = [dpi](int twips) { return twipsToPixels(twips, dpi); };

    // The design measures are a minimum: fonts larger than the original ones must not be cut.
    // The schedules in the corner of the tabs take the room the tabs leave, and no more.
    ScheduleBar* schedules = m_feePage->scheduleBar;
    const int tabsHeight = m_tabs->tabBar()->sizeHint().height();
    schedules->fitInto({1, tabsHeight});
    const QSize tabSize =
        QSize(px(tabWidthTwips), px(tabHeightTwips)).expandedTo(m_tabs->sizeHint());
    schedules->fitInto(
        {std::max(1, tabSize.width() - m_tabs->tabBar()->sizeHint().width() - px(tabLeftTwips)),
         tabsHeight});
    m_tabs->setGeometry(QRect(QPoint(px(tabLeftTwips), px(tabTopTwips)), tabSize));

    m_results->setFramesVisible(true);
    const QSize resultSize = QSize(px(resultWidthTwips), 0).expandedTo(m_results->sizeHint());
    m_results->setFramesVisible(false);
    const int resultTop = m_tabs->geometry().bottom() + 1 + px(resultGapTwips);
    m_results->setGeometry(QRect(QPoint(px(resultLeftTwips), resultTop), resultSize));

    const int width = qMax(px(designWidthTwips), m_tabs->geometry().right() + 1 + px(tabLeftTwips));
    const int menuHeight = menuBar()->sizeHint().height();
    const int compactHeight =
        menuHeight +
        qMax(px(designHeightTwips), m_tabs->geometry().bottom() + 1 + px(bottomMarginTwips));
    m_designSize = QSize(width, compactHeight);
    m_expandedHeight = menuHeight + m_results->geometry().bottom() + 1 + px(bottomMarginTwips);
    setFixedSize(m_designSize);
}

void Fen_principale::centre(bool exactly)
{
    // Centred for the expanded height, so the window is centred once results show; the compact
    // window therefore sits above the centre. At start-up the halves are truncated to whole
    // pixels; afterwards they are rounded.
    const QRect screenArea = screen()->geometry();
    const int freeWidth = screenArea.width() - m_designSize.width();
    const int freeHeight = screenArea.height() - m_expandedHeight;
    if (exactly)
        move(qRound(screenArea.left() + freeWidth / 2.0),
             qRound(screenArea.top() + freeHeight / 2.0));
    else
        move(screenArea.left() + freeWidth / 2, screenArea.top() + freeHeight / 2);
}

void Fen_principale::expand()
{
    setFixedSize(m_designSize.width(), m_expandedHeight);
}

QString Fen_principale::languageCode() const
{
    return m_store.Lire_Ini(settingsSection(), languageKey());
}

QRect Fen_principale::fieldsArea() const
{
    // From the window's left edge to the right of the trade fields, all the way down: the
    // captions, the fields and the results' first column.
    const QRect frame = frameGeometry();
    const QLineEdit* field = m_dataPage->Text_pa;
    const int right = field->mapToGlobal(QPoint(field->width(), 0)).x();
    return QRect(QPoint(frame.left(), frame.top()), QPoint(right, frame.bottom()));
}

std::optional<Trade> Fen_principale::checkedTrade() const
{
    TradeTexts trade = m_dataPage->trade();
    ScheduleTexts noSchedule;
    normaliseFields(trade, noSchedule);
    const bool percent = m_dataPage->Pourcentage->isChecked();
    // The message is not shown: no need to read the language for it.
    if (checkTrade(trade, percent, [] { return QString(); }))
        return std::nullopt;
    return tradeFromTexts(trade, percent);
}

ScheduleTexts Fen_principale::feeSchedule() const
{
    return m_feePage->schedule();
}

std::optional<ScheduleTexts> Fen_principale::feeScheduleAfterRules()
{
    ScheduleTexts schedule = m_feePage->schedule();
    TradeTexts noTrade;
    normaliseFields(noTrade, schedule);
    m_feePage->setSchedule(schedule);
    // A cleared page is a schedule still to be filled in, not a mistake.
    if (isBlank(schedule))
        return schedule;
    const std::optional<ScheduleRefusal> refusal = prepareSchedule(
        schedule, m_messenger, [this] { return languageCode(); }, [](const ScheduleTexts&) {});
    m_feePage->setSchedule(schedule);
    if (refusal) {
        showPage(m_feePage);
        m_feePage->field(refusal->focus)->setFocus();
        return std::nullopt;
    }
    return schedule;
}

double Fen_principale::taxRate() const
{
    // Read afresh from the file: the tax rates dialog or another copy may have changed it.
    const QLocale locale;
    return rateValue(loadCalculationRates(m_store, locale)[taxOption()], locale);
}

int Fen_principale::taxOption() const
{
    return m_dataPage->taxOption();
}

PriceRounding Fen_principale::rounding() const
{
    return m_menu.arrondiSuperieur->isChecked() ? PriceRounding::Up : PriceRounding::Nearest;
}

bool Fen_principale::resultsOutOfDate() const
{
    return m_results->outOfDate();
}

bool Fen_principale::feePageShown() const
{
    return m_tabs->currentWidget() == m_feePage;
}

void Fen_principale::showFeeSchedule(const ScheduleTexts& schedule)
{
    m_feePage->setSchedule(schedule);
}

void Fen_principale::Form_Load()
{
    // One reading of the settings file serves the whole start-up, up to the first activation,
    // instead of one per key group: the file may be large. The reading is let go once the window
    // is shown, or when the event loop runs if it never is.
    m_startupReading = m_store.holdReading(settingsSection());
    QTimer::singleShot(0, this, [this] { m_startupReading = {}; });
    layOut();
    centre(false);
    m_feePage->setSchedule(loadSchedule(m_store));
    Affichage_Imposition();
    m_menu.arrondiSuperieur->setChecked(loadPriceRounding(m_store) == PriceRounding::Up);
    m_store.Ecrire_Ini(settingsSection(), languageKey(), QStringLiteral("F"));
    Français_Click();
}

void Fen_principale::Form_Activate()
{
    applyPageState();
}

void Fen_principale::Form_Unload()
{
    quitter_Click();
}

void Fen_principale::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (event->spontaneous() || m_shownOnce)
        return;
    m_shownOnce = true;
    Form_Activate();
    m_startupReading = {};
    // The first control of the keyboard order takes the focus, not the page tabs before it.
    m_dataPage->Text_pa->setFocus();
}

void Fen_principale::closeEvent(QCloseEvent* event)
{
    if (!m_quitting)
        Form_Unload();
    event->accept();
}

void Fen_principale::keyPressEvent(QKeyEvent* event)
{
    // The calculate button is the window's default button: Enter anywhere on the data page
    // presses it. On the fee page it is disabled, so Enter starts nothing there.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
        if (m_dataPage->Bout_Calculer->isEnabled())
            m_dataPage->Bout_Calculer->click();
        event->accept();
        return;
    }
    // Ctrl+PageDown and Ctrl+PageUp turn the pages as in other tabbed windows, like Ctrl+Tab.
    const bool pageKey = event->key() == Qt::Key_PageDown || event->key() == Qt::Key_PageUp;
    if (pageKey && event->modifiers() == Qt::ControlModifier) {
        const int step = event->key() == Qt::Key_PageDown ? 1 : -1;
        m_tabs->setCurrentIndex((m_tabs->currentIndex() + step + m_tabs->count()) %
                                m_tabs->count());
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void Fen_principale::quitter_Click()
{
    if (m_quitting)
        return;
    m_quitting = true;
    Enreg_Frais();
    close();
    QCoreApplication::quit();
}

void Fen_principale::Calculer_Click()
{
    m_dataPage->Bout_Calculer->setFocus();
    Bout_Calculer_Click();
}

void Fen_principale::EffacerLesDonnées_Click()
{
    Bout_Efface_Click();
}

void Fen_principale::EffacerLesFrais_Click()
{
    Bout_EffaceFrais_Click();
}

void Fen_principale::Bout_EffaceFrais_Click()
{
    m_feePage->setSchedule(ScheduleTexts{});
    if (keepFees)
        keepFees(ScheduleTexts{});
    else
        clearSavedSchedule(m_store);
    FeeRow& first = m_feePage->rows[0];
    (first.lower->isEnabled() ? static_cast<QWidget*>(first.lower) : first.value)->setFocus();
}

void Fen_principale::Enreg_Frais()
{
    if (keepFees)
        keepFees(m_feePage->schedule());
    else
        saveSchedule(m_store, m_feePage->schedule());
}

void Fen_principale::Pourcentage_Click()
{
    m_dataPage->Label4->setText(profitCaption(true, isEnglish(languageCode())));
}

void Fen_principale::Numéraire_Click()
{
    m_dataPage->Label4->setText(profitCaption(false, isEnglish(languageCode())));
}

void Fen_principale::Français_Click()
{
    m_menu.anglais->setChecked(false);
    m_menu.francais->setChecked(true);
    m_store.Ecrire_Ini(settingsSection(), languageKey(), QStringLiteral("F"));
    m_qtTexts.setFrench(true);
    applyLanguage(false);
}

void Fen_principale::Anglais_Click()
{
    m_menu.francais->setChecked(false);
    m_menu.anglais->setChecked(true);
    m_store.Ecrire_Ini(settingsSection(), languageKey(), QStringLiteral("A"));
    m_qtTexts.setFrench(false);
    applyLanguage(true);
}

void Fen_principale::applyLanguage(bool english)
{
    for (const CaptionPair& caption : mainWindowCaptions()) {
        const QString& text = english ? caption.english : caption.french;
        if (caption.objectName == objectName()) {
            setWindowTitle(text);
        } else if (caption.objectName == m_dataPage->objectName()) {
            m_tabs->setTabText(m_tabs->indexOf(m_dataPage), text);
        } else {
            QObject* control = menuBar()->findChild<QObject*>(caption.objectName);
            if (!control)
                control = centralWidget()->findChild<QObject*>(caption.objectName);
            setCaption(control, text);
        }
    }
    m_dataPage->Label4->setText(profitCaption(m_dataPage->Pourcentage->isChecked(), english));
    if (m_shown)
        m_results->setShortfallNote(shortfallNote(m_shown->input, english, QLocale()));
    emit m_notices.languageChanged();
}

void Fen_principale::Tabulation_Change()
{
    applyPageState();
    if (m_tabs->currentWidget() == m_dataPage) {
        QWidget* target = m_dataPage->Text_pa->isEnabled()
                              ? static_cast<QWidget*>(m_dataPage->Text_pa)
                              : m_dataPage->Pourcentage;
        target->setFocus();
        return;
    }
    applyKeyboardOrder(m_feePage);
    FeeRow& first = m_feePage->rows[0];
    (first.lower->isEnabled() ? static_cast<QWidget*>(first.lower) : first.value)->setFocus();
}

void Fen_principale::applyPageState()
{
    const bool dataPage = m_tabs->currentWidget() == m_dataPage;
    m_menu.calculer->setEnabled(dataPage);
    m_menu.detailCalcul->setEnabled(dataPage && m_shown);
    m_dataPage->Bout_Calculer->setEnabled(dataPage);
    m_menu.effacerLesDonnees->setEnabled(dataPage);
    m_dataPage->Bout_Efface->setEnabled(dataPage);
    m_menu.effacerLesFrais->setEnabled(!dataPage);
    m_feePage->Bout_EffaceFrais->setEnabled(!dataPage);
    m_feePage->scheduleBar->setVisible(!dataPage);
    if (!dataPage) {
        emit m_notices.feePageShown();
        return;
    }
    applyKeyboardOrder(m_dataPage);
    Affichage_Imposition();
}

void Fen_principale::applyKeyboardOrder(const QWidget* page)
{
    const bool dataPage = page == m_dataPage;
    const QList<QWidget*> shown =
        dataPage ? m_dataPage->keyboardOrder() : m_feePage->keyboardOrder();
    setTabStops(shown, true);
    if (dataPage)
        reselectOptions();
    setKeyboardOrder(shown);
    // The Tab key must never reach the hidden page.
    setTabStops(dataPage ? m_feePage->keyboardOrder() : m_dataPage->keyboardOrder(), false);
}

void Fen_principale::reselectOptions()
{
    // Selecting the selected option again runs its handler, which keeps Label4 up to date.
    if (m_dataPage->Pourcentage->isChecked())
        Pourcentage_Click();
    else
        Numéraire_Click();
}

void Fen_principale::showPage(QWidget* page)
{
    if (m_tabs->currentWidget() != page)
        m_tabs->setCurrentWidget(page);
}

void Fen_principale::Affichage_Imposition()
{
    const RateTexts rates = loadShownRates(m_store, m_messenger, QLocale());
    m_dataPage->dix->setText(rateCaption(rates[0]));
    m_dataPage->vingt_six->setText(rateCaption(rates[1]));
    m_dataPage->trente_deux->setText(rateCaption(rates[2]));
}

void Fen_principale::Param_Tx_Imposition_Click()
{
    Param_Tx_Impôt dialog(m_store, m_messenger, this);
    dialog.exec();
    showPage(m_dataPage);
    Form_Activate();
    // New rates show on the options: the results of the old ones are then out of date.
    inputsChanged();
}

void Fen_principale::ArrondiSupérieur_Click()
{
    savePriceRounding(m_store, rounding());
    // The prices on show were rounded the other way.
    inputsChanged();
}

void Fen_principale::APropos_Click()
{
    Fen_APropos_Enreg box(m_store, m_messenger, m_version, this);
    box.exec();
    Form_Activate();
}

void Fen_principale::Bout_Calculer_Click()
{
    DataPage& page = *m_dataPage;
    TradeTexts trade = page.trade();
    ScheduleTexts schedule = m_feePage->schedule();
    normaliseFields(trade, schedule);
    m_feePage->setSchedule(schedule);

    const auto currentLanguage = [this] { return languageCode(); };
    const std::optional<TradeRefusal> tradeRefusal =
        checkTrade(trade, page.Pourcentage->isChecked(), currentLanguage);
    page.writeTrade(trade);
    if (tradeRefusal) {
        m_messenger.inform(tradeRefusal->message);
        QLineEdit* field = m_dataPage->field(tradeRefusal->field);
        field->clear();
        showPage(m_dataPage);
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
        showPage(m_feePage);
        m_feePage->field(scheduleRefusal->focus)->setFocus();
        return;
    }

    calculate();
}

void Fen_principale::calculate()
{
    DataPage& page = *m_dataPage;
    const QLocale locale;
    const double rate = taxRate();
    const Trade trade = tradeFromTexts(page.trade(), page.Pourcentage->isChecked());
    const Schedule schedule = scheduleFromTexts(m_feePage->schedule());
    const PriceRounding priceRounding = rounding();
    const CalcOutcome outcome = findSellingPrice(schedule, trade, rate, priceRounding);
    const SellingPrice& result = outcome.result;

    switch (outcome.status) {
    case CalcStatus::TaxRateInvalid:
        m_messenger.inform(refusalMessage(outcome, languageCode()));
        showPage(m_dataPage);
        m_dataPage->selectedTaxOption()->setFocus();
        return;
    case CalcStatus::PercentageFeeInvalid:
        m_messenger.inform(refusalMessage(outcome, languageCode()));
        showPage(m_feePage);
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
        m_feePage->clearNoLimits();
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
    m_feePage->clearNoLimits();
    m_results->setFramesVisible(true);
    m_shown = ShownResults{{schedule, trade, rate, priceRounding}, inputsOnScreen()};
    m_results->setOutOfDate(false);
    m_results->setShortNote(
        result.inexact ? shortPriceNote(result, locale, isEnglish(languageCode())) : QString());
    m_results->setShortfallNote(shortfallNote(m_shown->input, isEnglish(languageCode()), locale));
    m_menu.detailCalcul->setEnabled(true);
    emit m_notices.calculationShown();
    centre(true);
    applyKeyboardOrder(m_dataPage);
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
    centre(true);
    forgetShownCalculation();
    m_dataPage->Text_pa->setFocus();
}

void Fen_principale::forgetShownCalculation()
{
    m_shown.reset();
    m_results->setOutOfDate(false);
    m_results->setShortNote(QString());
    m_results->setShortfallNote(QString());
    m_menu.detailCalcul->setEnabled(false);
    emit m_notices.calculationForgotten();
}

InputSnapshot Fen_principale::inputsOnScreen() const
{
    const DataPage& page = *m_dataPage;
    return {page.trade(),          page.Pourcentage->isChecked(),
            page.taxOption(),      page.selectedTaxOption()->text(),
            m_feePage->schedule(), m_menu.arrondiSuperieur->isChecked()};
}

void Fen_principale::inputsChanged()
{
    m_menu.comparerBaremes->setEnabled(checkedTrade().has_value());
    if (m_shown) {
        const bool outOfDate = inputsOnScreen() != m_shown->inputs;
        if (outOfDate != m_results->outOfDate())
            m_results->setOutOfDate(outOfDate, outOfDateNote(isEnglish(languageCode())));
    }
    emit m_notices.inputsChanged();
}
