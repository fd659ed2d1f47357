#include "Fen_principale.h"

#include "CompareWindow.h"
#include "ComparisonText.h"
#include "DataPage.h"
#include "FeePage.h"
#include "FieldNormalisation.h"
#include "Language.h"
#include "Messenger.h"
#include "MoneyText.h"
#include "NumberText.h"
#include "ScheduleBar.h"
#include "ScheduleBook.h"
#include "ScheduleComparison.h"
#include "ScheduleFile.h"
#include "ScheduleFileDialog.h"
#include "ScheduleNameDialog.h"
#include "ScheduleNames.h"
#include "SchedulePreparation.h"
#include "SettingsKeys.h"
#include "TaxRates.h"
#include "TradeCheck.h"
#include "TradeValues.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace {

bool isBlank(const ScheduleTexts& schedule)
{
    return std::all_of(schedule.brackets.begin(), schedule.brackets.end(),
                       [](const BracketTexts& bracket) { return bracket.isEmpty(); }) &&
           schedule.minimum.isEmpty() && schedule.maximum.isEmpty();
}

Message schedulesMessage(bool english, const QString& french, const QString& englishText,
                         MessageIcon icon = MessageIcon::Exclamation)
{
    return {pick(english, QStringLiteral("Barèmes"), QStringLiteral("Schedules")),
            pick(english, french, englishText), icon};
}

QString scheduleFileFilter(bool english)
{
    return pick(english, QStringLiteral("Barèmes (*.ini);;Tous les fichiers (*)"),
                QStringLiteral("Schedules (*.ini);;All files (*)"));
}

} // namespace

void Fen_principale::connectScheduleHandlers()
{
    const ScheduleBar* bar = m_feePage->scheduleBar;
    connect(m_comparerBaremes, &QAction::triggered, this, &Fen_principale::ComparerBaremes_Click);
    connect(bar->Combo_Bareme, &QComboBox::activated, this,
            &Fen_principale::Combo_Bareme_Activated);
    connect(bar->NouveauBareme, &QAction::triggered, this, &Fen_principale::NouveauBareme_Click);
    connect(bar->NouveauBaremeVide, &QAction::triggered, this,
            &Fen_principale::NouveauBaremeVide_Click);
    connect(bar->RenommerBareme, &QAction::triggered, this, &Fen_principale::RenommerBareme_Click);
    connect(bar->SupprimerBareme, &QAction::triggered, this,
            &Fen_principale::SupprimerBareme_Click);
    connect(bar->ExporterBareme, &QAction::triggered, this, &Fen_principale::ExporterBareme_Click);
    connect(bar->ImporterBareme, &QAction::triggered, this, &Fen_principale::ImporterBareme_Click);
    for (QWidget* page : {static_cast<QWidget*>(m_dataPage), static_cast<QWidget*>(m_feePage)}) {
        for (QLineEdit* field : page->findChildren<QLineEdit*>())
            connect(field, &QLineEdit::textChanged, this, &Fen_principale::schedulesInputsChanged);
        for (QRadioButton* option : page->findChildren<QRadioButton*>())
            connect(option, &QRadioButton::toggled, this, &Fen_principale::schedulesInputsChanged);
    }
}

bool Fen_principale::english() const
{
    return isEnglish(languageCode());
}

void Fen_principale::refreshScheduleBar()
{
    // The schedules have changed, or may have: the comparison reads them again.
    m_storedSchedules.reset();
    // The list shows on the fee page only, and is read again each time the page is: start-up
    // and the data page need not read it.
    if (m_tabs->currentWidget() != m_feePage)
        return;
    const IniStore::HeldReading reading = m_store.holdReading(settingsSection());
    const ScheduleBook book(m_store);
    const bool inEnglish = english();
    m_feePage->scheduleBar->showNames(book.allNames(inEnglish), book.currentName(inEnglish));
    m_feePage->scheduleBar->setListName(
        pick(inEnglish, QStringLiteral("Barème en cours"), QStringLiteral("Schedule in use")));
}

std::optional<ScheduleTexts> Fen_principale::pageAfterRules()
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
        showFeePage();
        feeField(refusal->focus)->setFocus();
        return std::nullopt;
    }
    return schedule;
}

void Fen_principale::showScheduleFailure()
{
    m_messenger.inform(schedulesMessage(
        english(),
        QStringLiteral("Le fichier de réglages n'a pas pu être modifié : les barèmes restent tels "
                       "qu'ils étaient."),
        QStringLiteral("The settings file could not be changed: the schedules stay as they "
                       "were.")));
}

void Fen_principale::Combo_Bareme_Activated()
{
    const QString chosen = m_feePage->scheduleBar->current();
    if (!switchSchedule(chosen))
        refreshScheduleBar();
}

bool Fen_principale::switchSchedule(const QString& name)
{
    const ScheduleBook book(m_store);
    const bool inEnglish = english();
    if (sameScheduleName(name, book.currentName(inEnglish)))
        return true;
    const std::optional<ScheduleTexts> page = pageAfterRules();
    if (!page)
        return false;
    return showScheduleInUse(book.switchTo(name, *page, inEnglish));
}

bool Fen_principale::createSchedule(const QString& name, bool copyOfCurrent)
{
    const std::optional<ScheduleTexts> page = pageAfterRules();
    if (!page)
        return false;
    const ScheduleTexts texts = copyOfCurrent ? *page : ScheduleTexts{};
    const bool created = ScheduleBook(m_store).create(name, texts, *page, english());
    return showScheduleInUse(created ? std::optional(texts) : std::nullopt);
}

bool Fen_principale::renameSchedule(const QString& name)
{
    const ScheduleBook book(m_store);
    if (!book.rename(book.currentName(english()), name, english())) {
        showScheduleFailure();
        return false;
    }
    refreshScheduleBar();
    refreshComparison();
    return true;
}

bool Fen_principale::deleteSchedule()
{
    return showScheduleInUse(ScheduleBook(m_store).removeCurrent(english()));
}

bool Fen_principale::showScheduleInUse(const std::optional<ScheduleTexts>& inUse)
{
    if (!inUse) {
        showScheduleFailure();
        return false;
    }
    m_feePage->setSchedule(*inUse);
    refreshScheduleBar();
    refreshComparison();
    return true;
}

bool Fen_principale::exportSchedule(const QString& path)
{
    if (writeScheduleFile(path, ScheduleBook(m_store).currentName(english()),
                          m_feePage->schedule()))
        return true;
    m_messenger.inform(schedulesMessage(
        english(), QStringLiteral("Le barème n'a pas pu être enregistré dans « %1 ».").arg(path),
        QStringLiteral("The schedule could not be saved in \"%1\".").arg(path)));
    return false;
}

bool Fen_principale::importSchedule(const QString& path)
{
    const bool inEnglish = english();
    const std::optional<ImportedSchedule> imported = importScheduleFile(path, inEnglish);
    if (!imported) {
        m_messenger.inform(schedulesMessage(
            inEnglish, QStringLiteral("Le fichier « %1 » ne contient pas de barème.").arg(path),
            QStringLiteral("The file \"%1\" holds no schedule.").arg(path)));
        return false;
    }
    const std::optional<QString> name =
        ScheduleBook(m_store).add(imported->name, imported->texts, inEnglish);
    if (!name) {
        showScheduleFailure();
        return false;
    }
    refreshScheduleBar();
    refreshComparison();
    QString french =
        QStringLiteral("Le barème « %1 » est ajouté à la liste des barèmes.").arg(*name);
    QString inEnglishText =
        QStringLiteral("The schedule \"%1\" is added to the list of schedules.").arg(*name);
    if (!imported->nameInFile.isEmpty()) {
        french += QStringLiteral("\n\nSon nom dans le fichier, « %1 », a été changé : le fichier "
                                 "de réglages ne peut pas contenir certains de ses caractères.")
                      .arg(imported->nameInFile);
        inEnglishText += QStringLiteral("\n\nIts name in the file, \"%1\", was changed: the "
                                        "settings file cannot hold some of its characters.")
                             .arg(imported->nameInFile);
    }
    m_messenger.inform(
        schedulesMessage(inEnglish, french, inEnglishText, MessageIcon::Information));
    return true;
}

void Fen_principale::NouveauBareme_Click()
{
    askNewSchedule(true);
}

void Fen_principale::NouveauBaremeVide_Click()
{
    askNewSchedule(false);
}

void Fen_principale::askNewSchedule(bool copyOfCurrent)
{
    const ScheduleBook book(m_store);
    const bool inEnglish = english();
    const QStringList taken = book.allNames(inEnglish);
    ScheduleNameDialog dialog(
        m_messenger,
        pick(inEnglish, QStringLiteral("Nouveau barème"), QStringLiteral("New schedule")),
        freeNumberedName(2, inEnglish, taken), taken, inEnglish, this);
    if (dialog.exec() == QDialog::Accepted)
        createSchedule(dialog.name(), copyOfCurrent);
    m_feePage->scheduleBar->Combo_Bareme->setFocus();
}

void Fen_principale::RenommerBareme_Click()
{
    const ScheduleBook book(m_store);
    const bool inEnglish = english();
    const QString current = book.currentName(inEnglish);
    QStringList taken = book.otherNames();
    ScheduleNameDialog dialog(m_messenger,
                              pick(inEnglish, QStringLiteral("Renommer le barème"),
                                   QStringLiteral("Rename the schedule")),
                              current, taken, inEnglish, this);
    if (dialog.exec() == QDialog::Accepted && dialog.name() != current)
        renameSchedule(dialog.name());
    m_feePage->scheduleBar->Combo_Bareme->setFocus();
}

void Fen_principale::SupprimerBareme_Click()
{
    const bool inEnglish = english();
    const QString current = ScheduleBook(m_store).currentName(inEnglish);
    Message question = schedulesMessage(
        inEnglish,
        QStringLiteral("Supprimer le barème « %1 » ? Ses frais de courtage seront perdus.")
            .arg(current),
        QStringLiteral("Delete the schedule \"%1\"? Its brokerage fees will be lost.").arg(current),
        MessageIcon::Question);
    question.noByDefault = true;
    const bool yes = m_messenger.confirm(question);
    if (yes)
        deleteSchedule();
    m_feePage->scheduleBar->Combo_Bareme->setFocus();
}

void Fen_principale::ExporterBareme_Click()
{
    const bool inEnglish = english();
    const QString path =
        askExportPath(this,
                      pick(inEnglish, QStringLiteral("Exporter le barème"),
                           QStringLiteral("Export the schedule")),
                      scheduleFileFilter(inEnglish),
                      ScheduleBook(m_store).currentName(inEnglish) + QStringLiteral(".ini"));
    if (!path.isEmpty())
        exportSchedule(path);
}

void Fen_principale::ImporterBareme_Click()
{
    const bool inEnglish = english();
    const QString path = askImportPath(
        this,
        pick(inEnglish, QStringLiteral("Importer un barème"), QStringLiteral("Import a schedule")),
        scheduleFileFilter(inEnglish));
    if (!path.isEmpty())
        importSchedule(path);
}

std::optional<Trade> Fen_principale::checkedTrade() const
{
    const DataPage& page = *m_dataPage;
    TradeTexts trade{page.Text_pa->text(), page.Text_nb->text(), page.Text_ben->text()};
    ScheduleTexts noSchedule;
    normaliseFields(trade, noSchedule);
    const bool percent = page.Pourcentage->isChecked();
    // The message is not shown: no need to read the language for it.
    if (checkTrade(trade, percent, [] { return QString(); }))
        return std::nullopt;
    return tradeFromTexts(trade, percent);
}

void Fen_principale::schedulesInputsChanged()
{
    m_comparerBaremes->setEnabled(checkedTrade().has_value());
    if (m_compare && m_compare->isVisible())
        refreshComparison();
}

void Fen_principale::refreshComparison()
{
    if (m_compare && m_compare->isVisible())
        fillComparison();
}

void Fen_principale::fillComparison()
{
    const std::optional<Trade> trade = checkedTrade();
    if (!trade) {
        m_compare->setEnglish(english());
        m_compare->showIncomplete();
        return;
    }
    const QLocale locale;
    const bool inEnglish = english();
    const double taxRate = selectedTaxRate();
    const ScheduleBook book(m_store);
    // The others are read once, not at each keystroke: the file may be large.
    if (!m_storedSchedules)
        m_storedSchedules = book.storedSchedules();
    QList<NamedSchedule> schedules{{book.currentName(inEnglish), m_feePage->schedule(), true}};
    schedules += *m_storedSchedules;

    const QString summary = comparisonSummary(*trade, taxRate, inEnglish, locale);
    m_compare->setEnglish(inEnglish);
    m_compare->showRows(
        summary, compareSchedules(schedules, *trade, taxRate, priceRounding(), languageCode()));
}

void Fen_principale::ComparerBaremes_Click()
{
    if (!checkedTrade())
        return;
    if (!m_compare) {
        m_compare = new CompareWindow(this);
        m_compare->useSchedule = [this](const QString& name) { switchSchedule(name); };
    }
    m_storedSchedules.reset();
    // Filled before it shows, so that it opens at the size of what it holds.
    fillComparison();
    m_compare->showBeside(*this, fieldsArea());
}
