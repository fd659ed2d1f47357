#include "Fen_principale.h"

#include "CaptionWidths.h"
#include "Captions.h"
#include "DataPage.h"
#include "DetailsWindow.h"
#include "FeePage.h"
#include "FeeStore.h"
#include "Fen_APropos_Enreg.h"
#include "Language.h"
#include "Messenger.h"
#include "Param_Tx_Impot.h"
#include "ProgramIcon.h"
#include "ResultArea.h"
#include "RoundingSetting.h"
#include "ScheduleBar.h"
#include "SettingsKeys.h"
#include "TaxRates.h"
#include "Twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
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

QAction* menuItem(QMenu* menu, const QString& name, const QString& caption)
{
    auto* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QMenu* topMenu(QMenuBar* bar, const QString& name, const QString& caption)
{
    auto* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    return menu;
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
    createMenus();
    createCentralArea();
    connectHandlers();
    Form_Load();
}

void Fen_principale::createMenus()
{
    QMenuBar* bar = menuBar();
    QMenu* fichier = topMenu(bar, QStringLiteral("Fichier"), QStringLiteral("&Fichier"));
    m_calculer = menuItem(fichier, QStringLiteral("Calculer"), QStringLiteral("&Calculer"));
    m_detailCalcul =
        menuItem(fichier, QStringLiteral("DetailCalcul"), QStringLiteral("Dé&tail du calcul…"));
    m_detailCalcul->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    m_detailCalcul->setEnabled(false);
    m_comparerBaremes = menuItem(fichier, QStringLiteral("ComparerBaremes"),
                                 QStringLiteral("Comparer les &barèmes…"));
    m_comparerBaremes->setEnabled(false);
    m_effacerLesDonnees = menuItem(fichier, QStringLiteral("EffacerLesDonnées"),
                                   QStringLiteral("Éffacer les &données"));
    m_effacerLesFrais = menuItem(fichier, QStringLiteral("EffacerLesFrais"),
                                 QStringLiteral("Éffacer les frais de co&urtage"));
    m_quitter = menuItem(fichier, QStringLiteral("quitter"), QStringLiteral("&Quitter"));
    m_quitter->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* langue = topMenu(bar, QStringLiteral("Langue"), QStringLiteral("&Langue"));
    m_francais = menuItem(langue, QStringLiteral("Français"), QStringLiteral("&Français"));
    m_anglais = menuItem(langue, QStringLiteral("Anglais"), QStringLiteral("&Anglais"));
    m_francais->setCheckable(true);
    m_anglais->setCheckable(true);
    m_francais->setChecked(true);

    QMenu* parametrage =
        topMenu(bar, QStringLiteral("Paramétrage"), QStringLiteral("Pa&ramétrage"));
    m_tauxImposition = menuItem(parametrage, QStringLiteral("Param_Tx_Imposition"),
                                QStringLiteral("&Taux d'imposition"));
    m_arrondiSuperieur = menuItem(parametrage, QStringLiteral("ArrondiSupérieur"),
                                  QStringLiteral("Prix minimum au centime &supérieur"));
    m_arrondiSuperieur->setCheckable(true);

    QMenu* interrogation = topMenu(bar, QStringLiteral("Interrogation"), QStringLiteral("&?"));
    m_aPropos = menuItem(interrogation, QStringLiteral("APropos"), QStringLiteral("&À propos"));
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
    connect(m_calculer, &QAction::triggered, this, &Fen_principale::Calculer_Click);
    connect(m_detailCalcul, &QAction::triggered, this, &Fen_principale::DetailCalcul_Click);
    connect(m_effacerLesDonnees, &QAction::triggered, this,
            &Fen_principale::EffacerLesDonnées_Click);
    connect(m_effacerLesFrais, &QAction::triggered, this, &Fen_principale::EffacerLesFrais_Click);
    connect(m_quitter, &QAction::triggered, this, &Fen_principale::quitter_Click);
    connect(m_francais, &QAction::triggered, this, &Fen_principale::Français_Click);
    connect(m_anglais, &QAction::triggered, this, &Fen_principale::Anglais_Click);
    connect(m_tauxImposition, &QAction::triggered, this,
            &Fen_principale::Param_Tx_Imposition_Click);
    connect(m_arrondiSuperieur, &QAction::triggered, this, &Fen_principale::ArrondiSupérieur_Click);
    connect(m_aPropos, &QAction::triggered, this, &Fen_principale::APropos_Click);

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
    connectScheduleHandlers();
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

void Fen_principale::centreTruncated()
{
    // Centred for the expanded height, so the window is centred once results show; the compact
    // window therefore sits above the centre.
    const QRect screenArea = screen()->geometry();
    const int left = (screenArea.width() - m_designSize.width()) / 2;
    const int top = (screenArea.height() - m_expandedHeight) / 2;
    move(screenArea.left() + left, screenArea.top() + top);
}

void Fen_principale::expand()
{
    setFixedSize(m_designSize.width(), m_expandedHeight);
}

QString Fen_principale::languageCode() const
{
    return m_store.Lire_Ini(settingsSection(), languageKey());
}

void Fen_principale::Form_Load()
{
    // One reading of the settings file serves the whole start-up, up to the first activation,
    // instead of one per key group: the file may be large. The reading is let go once the window
    // is shown, or when the event loop runs if it never is.
    m_startupReading = m_store.holdReading(settingsSection());
    QTimer::singleShot(0, this, [this] { m_startupReading = {}; });
    layOut();
    centreTruncated();
    m_feePage->setSchedule(loadSchedule(m_store));
    Affichage_Imposition();
    m_arrondiSuperieur->setChecked(loadPriceRounding(m_store) == PriceRounding::Up);
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

void Fen_principale::DetailCalcul_Click()
{
    if (!m_shownCalculation || !m_detailCalcul->isEnabled())
        return;
    if (!m_details) {
        m_details = new DetailsWindow(this);
        // Ctrl+Q quits from the details too.
        m_details->addAction(m_quitter);
    }
    m_details->setEnglish(isEnglish(languageCode()));
    if (const std::optional<CalculationDetails> details = explainCalculation(*m_shownCalculation))
        m_details->showCalculation(*details);
    m_details->setOutOfDate(m_results->outOfDate());
    m_details->showBeside(*this, fieldsArea());
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

void Fen_principale::refreshDetails()
{
    if (!m_details || !m_details->isVisible())
        return;
    if (const std::optional<CalculationDetails> details = explainCalculation(*m_shownCalculation))
        m_details->showCalculation(*details);
    m_details->setOutOfDate(m_results->outOfDate());
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
    clearSavedSchedule(m_store);
    FeeRow& first = m_feePage->rows[0];
    (first.lower->isEnabled() ? static_cast<QWidget*>(first.lower) : first.value)->setFocus();
}

void Fen_principale::Enreg_Frais()
{
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
    m_anglais->setChecked(false);
    m_francais->setChecked(true);
    m_store.Ecrire_Ini(settingsSection(), languageKey(), QStringLiteral("F"));
    m_qtTexts.setFrench(true);
    applyLanguage(false);
}

void Fen_principale::Anglais_Click()
{
    m_francais->setChecked(false);
    m_anglais->setChecked(true);
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
    if (m_details)
        m_details->setEnglish(english);
    refreshScheduleBar();
    refreshComparison();
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
    applyFeeKeyboardOrder();
    FeeRow& first = m_feePage->rows[0];
    (first.lower->isEnabled() ? static_cast<QWidget*>(first.lower) : first.value)->setFocus();
}

void Fen_principale::applyPageState()
{
    const bool dataPage = m_tabs->currentWidget() == m_dataPage;
    m_calculer->setEnabled(dataPage);
    m_detailCalcul->setEnabled(dataPage && m_shownCalculation);
    m_dataPage->Bout_Calculer->setEnabled(dataPage);
    m_effacerLesDonnees->setEnabled(dataPage);
    m_dataPage->Bout_Efface->setEnabled(dataPage);
    m_effacerLesFrais->setEnabled(!dataPage);
    m_feePage->Bout_EffaceFrais->setEnabled(!dataPage);
    m_feePage->scheduleBar->setVisible(!dataPage);
    if (!dataPage) {
        refreshScheduleBar();
        return;
    }
    applyDataKeyboardOrder();
    Affichage_Imposition();
}

void Fen_principale::applyDataKeyboardOrder()
{
    setTabStops(m_dataPage->keyboardOrder(), true);
    reselectOptions();
    setKeyboardOrder(m_dataPage->keyboardOrder());
    // The Tab key must never reach the hidden page.
    setTabStops(m_feePage->keyboardOrder(), false);
}

void Fen_principale::applyFeeKeyboardOrder()
{
    setTabStops(m_feePage->keyboardOrder(), true);
    setKeyboardOrder(m_feePage->keyboardOrder());
    setTabStops(m_dataPage->keyboardOrder(), false);
}

void Fen_principale::reselectOptions()
{
    // Selecting the selected option again runs its handler, which keeps Label4 up to date.
    if (m_dataPage->Pourcentage->isChecked())
        Pourcentage_Click();
    else
        Numéraire_Click();
}

void Fen_principale::showDataPage()
{
    if (m_tabs->currentWidget() != m_dataPage)
        m_tabs->setCurrentWidget(m_dataPage);
}

void Fen_principale::showFeePage()
{
    if (m_tabs->currentWidget() != m_feePage)
        m_tabs->setCurrentWidget(m_feePage);
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
    showDataPage();
    Form_Activate();
    // New rates show on the options: the results of the old ones are then out of date.
    inputsChanged();
}

void Fen_principale::ArrondiSupérieur_Click()
{
    savePriceRounding(m_store, priceRounding());
    // The prices on show were rounded the other way.
    inputsChanged();
    refreshComparison();
}

void Fen_principale::APropos_Click()
{
    Fen_APropos_Enreg box(m_store, m_messenger, m_version, this);
    box.exec();
    Form_Activate();
}
