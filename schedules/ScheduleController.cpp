#include "ScheduleController.h"

#include "CompareWindow.h"
#include "ComparisonText.h"
#include "Language.h"
#include "MainWindowSeam.h"
#include "Messenger.h"
#include "MoneyText.h"
#include "NumberText.h"
#include "PriceRounding.h"
#include "ScheduleBar.h"
#include "ScheduleBook.h"
#include "ScheduleChangeMessage.h"
#include "ScheduleFile.h"
#include "ScheduleFileDialog.h"
#include "ScheduleImport.h"
#include "ScheduleMessages.h"
#include "ScheduleNameDialog.h"
#include "ScheduleNames.h"
#include "SettingsKeys.h"
#include "Trade.h"
#include "WindowNotices.h"

#include <QAction>
#include <QComboBox>

namespace {

QString scheduleFileFilter(bool english)
{
    return pick(english, QStringLiteral("Barèmes (*.ini);;Tous les fichiers (*)"),
                QStringLiteral("Schedules (*.ini);;All files (*)"));
}

} // namespace

ScheduleController::ScheduleController(IniStore store, Messenger& messenger, MainWindowSeam& window,
                                       ScheduleBar& bar, QObject* parent)
    : QObject(parent), m_store(std::move(store)), m_messenger(messenger), m_window(window),
      m_bar(bar), m_shown(ScheduleBook(m_store).inUse(english()).name)
{
    connect(&bar, &ScheduleBar::switchAsked, this, &ScheduleController::Combo_Bareme_Activated);
    connect(bar.NouveauBareme, &QAction::triggered, this, &ScheduleController::NouveauBareme_Click);
    connect(bar.NouveauBaremeVide, &QAction::triggered, this,
            &ScheduleController::NouveauBaremeVide_Click);
    connect(bar.RenommerBareme, &QAction::triggered, this,
            &ScheduleController::RenommerBareme_Click);
    connect(bar.SupprimerBareme, &QAction::triggered, this,
            &ScheduleController::SupprimerBareme_Click);
    connect(bar.ExporterBareme, &QAction::triggered, this,
            &ScheduleController::ExporterBareme_Click);
    connect(bar.ImporterBareme, &QAction::triggered, this,
            &ScheduleController::ImporterBareme_Click);
    const WindowNotices& notices = window.notices();
    connect(&notices, &WindowNotices::inputsChanged, this, &ScheduleController::refreshComparison);
    connect(&notices, &WindowNotices::feePageShown, this, &ScheduleController::refreshBar);
    connect(&notices, &WindowNotices::languageChanged, this, [this] {
        refreshBar();
        refreshComparison();
    });
}

bool ScheduleController::english() const
{
    return isEnglish(m_window.languageCode());
}

void ScheduleController::keepFees(const ScheduleTexts& page)
{
    const ScheduleChange change = ScheduleBook(m_store).save(m_shown, page, english());
    // A file that cannot be written is not said here, as for the single schedule of old; a
    // schedule that is gone is.
    if (change.outcome == ScheduleOutcome::Gone)
        m_messenger.inform(*scheduleChangeMessage(change, english()));
}

ScheduleList ScheduleController::readList()
{
    const bool inEnglish = english();
    const ScheduleBook book(m_store);
    ScheduleList list = book.list(m_shown, inEnglish);
    if (list.shown) {
        m_shown = *list.shown;
        return list;
    }
    m_messenger.inform(
        *scheduleChangeMessage({ScheduleOutcome::Gone, m_shown, ScheduleTexts{}}, inEnglish));
    const NamedSchedule inUse = book.inUse(inEnglish);
    m_shown = inUse.name;
    m_window.showFeeSchedule(inUse.texts);
    return book.list(m_shown, inEnglish);
}

void ScheduleController::refreshBar()
{
    // The schedules have changed, or may have: the comparison reads them again.
    m_storedSchedules.reset();
    // The list shows on the fee page only, and is read again each time the page is: start-up
    // and the data page need not read it.
    if (!m_window.feePageShown())
        return;
    const IniStore::HeldReading reading = m_store.holdReading(settingsSection());
    const ScheduleList list = readList();
    m_bar.showNames(list.names, m_shown);
    m_bar.setListName(
        pick(english(), QStringLiteral("Barème en cours"), QStringLiteral("Schedule in use")));
}

void ScheduleController::Combo_Bareme_Activated(const QString& chosen)
{
    // The list keeps showing the schedule in use until the switch has gone through.
    if (!switchSchedule(chosen))
        refreshBar();
}

bool ScheduleController::switchSchedule(const QString& name)
{
    if (sameScheduleName(name, m_shown))
        return true;
    const std::optional<ScheduleTexts> page = m_window.feeScheduleAfterRules();
    if (!page)
        return false;
    return showChange(ScheduleBook(m_store).switchFrom(m_shown, *page, name, english()));
}

bool ScheduleController::createSchedule(const QString& name, bool copyOfCurrent)
{
    const std::optional<ScheduleTexts> page = m_window.feeScheduleAfterRules();
    if (!page)
        return false;
    const ScheduleTexts texts = copyOfCurrent ? *page : ScheduleTexts{};
    return showChange(ScheduleBook(m_store).createFrom(m_shown, *page, name, texts, english()));
}

bool ScheduleController::renameSchedule(const QString& name)
{
    // The page is not saved by a rename: it stays as it is.
    return showChange(ScheduleBook(m_store).renameTo(m_shown, name, english()), false);
}

bool ScheduleController::deleteSchedule()
{
    const bool inEnglish = english();
    const QString deleted = m_shown;
    if (!showChange(ScheduleBook(m_store).remove(m_shown, inEnglish)))
        return false;
    m_messenger.inform(deletedMessage(deleted, m_shown, inEnglish));
    return true;
}

bool ScheduleController::showChange(const ScheduleChange& change, bool showTexts)
{
    if (change.outcome != ScheduleOutcome::Done) {
        if (const std::optional<Message> message = scheduleChangeMessage(change, english()))
            m_messenger.inform(*message);
        refreshBar();
        refreshComparison();
        return false;
    }
    m_shown = change.name;
    if (showTexts)
        m_window.showFeeSchedule(change.texts);
    refreshBar();
    refreshComparison();
    return true;
}

bool ScheduleController::exportSchedule(const QString& path)
{
    const bool inEnglish = english();
    const QString name = m_shown;
    if (!writeScheduleFile(path, name, m_window.feeSchedule())) {
        m_messenger.inform(exportFailedMessage(path, inEnglish));
        return false;
    }
    m_messenger.inform(exportedMessage(name, path, inEnglish));
    return true;
}

bool ScheduleController::importSchedule(const QString& path)
{
    const bool inEnglish = english();
    // A schedule is about a kilobyte: a larger file is refused before it is read.
    if (isTooLargeForSchedule(path)) {
        m_messenger.inform(scheduleFileTooLargeMessage(path, inEnglish));
        return false;
    }
    // A file the user chose is checked, not repaired: a value the fee page could not hold or
    // that the fee rules refuse adds nothing.
    const ScheduleImport checked = importCheckedScheduleFile(path, inEnglish);
    if (!checked.schedule) {
        m_messenger.inform(checked.refusal);
        return false;
    }
    const ImportedSchedule& imported = *checked.schedule;
    const ScheduleChange added =
        ScheduleBook(m_store).addSchedule(imported.name, imported.texts, inEnglish);
    if (added.outcome != ScheduleOutcome::Done) {
        if (const std::optional<Message> message = scheduleChangeMessage(added, inEnglish))
            m_messenger.inform(*message);
        return false;
    }
    refreshBar();
    refreshComparison();
    m_messenger.inform(importedMessage(added.name, imported.nameInFile, inEnglish));
    return true;
}

void ScheduleController::NouveauBareme_Click()
{
    askNewSchedule(true);
}

void ScheduleController::NouveauBaremeVide_Click()
{
    askNewSchedule(false);
}

void ScheduleController::askNewSchedule(bool copyOfCurrent)
{
    const bool inEnglish = english();
    const QStringList taken = readList().names;
    ScheduleNameDialog dialog(
        m_messenger,
        pick(inEnglish, QStringLiteral("Nouveau barème"), QStringLiteral("New schedule")),
        freeNumberedName(2, inEnglish, taken), taken, inEnglish, m_window.ownerWindow());
    dialog.setAnyCharacterHeld(ScheduleBook(m_store).holdsAnyCharacter());
    if (dialog.exec() == QDialog::Accepted)
        createSchedule(dialog.name(), copyOfCurrent);
    m_bar.Combo_Bareme->setFocus();
}

void ScheduleController::RenommerBareme_Click()
{
    const bool inEnglish = english();
    QStringList taken = readList().names;
    const QString current = m_shown;
    taken.removeIf([&current](const QString& name) { return sameScheduleName(name, current); });
    ScheduleNameDialog dialog(m_messenger,
                              pick(inEnglish, QStringLiteral("Renommer le barème"),
                                   QStringLiteral("Rename the schedule")),
                              current, taken, inEnglish, m_window.ownerWindow());
    dialog.setAnyCharacterHeld(ScheduleBook(m_store).holdsAnyCharacter());
    if (dialog.exec() == QDialog::Accepted && dialog.name() != current)
        renameSchedule(dialog.name());
    m_bar.Combo_Bareme->setFocus();
}

void ScheduleController::SupprimerBareme_Click()
{
    const bool inEnglish = english();
    readList();
    const QString current = m_shown;
    if (m_messenger.confirm(deleteQuestion(current, inEnglish)))
        deleteSchedule();
    m_bar.Combo_Bareme->setFocus();
}

void ScheduleController::ExporterBareme_Click()
{
    const bool inEnglish = english();
    const QString path =
        askExportPath(m_window.ownerWindow(),
                      pick(inEnglish, QStringLiteral("Exporter le barème"),
                           QStringLiteral("Export the schedule")),
                      scheduleFileFilter(inEnglish), m_shown + QStringLiteral(".ini"));
    if (!path.isEmpty())
        exportSchedule(path);
}

void ScheduleController::ImporterBareme_Click()
{
    const bool inEnglish = english();
    const QString path = askImportPath(
        m_window.ownerWindow(),
        pick(inEnglish, QStringLiteral("Importer un barème"), QStringLiteral("Import a schedule")),
        scheduleFileFilter(inEnglish));
    if (!path.isEmpty())
        importSchedule(path);
}

void ScheduleController::refreshComparison()
{
    if (m_compare && m_compare->isVisible())
        fillComparison();
}

void ScheduleController::fillComparison()
{
    const std::optional<Trade> trade = m_window.checkedTrade();
    if (!trade) {
        m_compare->setEnglish(english());
        m_compare->showIncomplete();
        return;
    }
    const QLocale locale;
    const bool inEnglish = english();
    const double taxRate = m_window.taxRate();
    const ScheduleBook book(m_store);
    // The others are read once, not at each keystroke: the file may be large.
    if (!m_storedSchedules)
        m_storedSchedules = book.schedulesBesides(m_shown, inEnglish);
    QList<NamedSchedule> schedules{{m_shown, m_window.feeSchedule(), true}};
    schedules += *m_storedSchedules;

    const QString summary = comparisonSummary(*trade, taxRate, inEnglish, locale);
    m_compare->setEnglish(inEnglish);
    m_compare->showRows(summary, compareSchedules(schedules, *trade, taxRate, m_window.rounding(),
                                                  m_window.languageCode()));
}

void ScheduleController::ComparerBaremes_Click()
{
    if (!m_window.checkedTrade())
        return;
    if (!m_compare) {
        m_compare = new CompareWindow(m_window.ownerWindow());
        m_compare->useSchedule = [this](const QString& name) { switchSchedule(name); };
    }
    m_storedSchedules.reset();
    // Filled before it shows, so that it opens at the size of what it holds.
    fillComparison();
    m_compare->showBeside(*m_window.ownerWindow(), m_window.fieldsArea());
}
