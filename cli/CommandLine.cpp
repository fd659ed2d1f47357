#include "CommandLine.h"

#include "ComparisonFormats.h"
#include "ComparisonText.h"
#include "CsvDialect.h"
#include "CsvTrades.h"
#include "HelpText.h"
#include "IniStore.h"
#include "Language.h"
#include "LineReader.h"
#include "Message.h"
#include "OutputLanguage.h"
#include "PositionsCommands.h"
#include "ReportFormats.h"
#include "ScheduleBook.h"
#include "ScheduleComparison.h"
#include "ScheduleNames.h"
#include "SettingsAccess.h"
#include "SettingsKeys.h"
#include "SettingsLocation.h"
#include "TradeCalculation.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTextStream>

#include <csignal>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A CSV line longer than this is no trade: refused, so that memory stays bounded whatever the
// input (a file without line breaks, /dev/zero).
constexpr qsizetype maxCsvLineLength = 64 * 1024;

// What the window's toolkit reads from the command line of its own accord.
bool isToolkitOption(const QString& name)
{
    const QStringList names{u"platform"_s,        u"platformpluginpath"_s,
                            u"platformtheme"_s,   u"plugin"_s,
                            u"qwindowgeometry"_s, u"geometry"_s,
                            u"qwindowtitle"_s,    u"title"_s,
                            u"qwindowicon"_s,     u"icon"_s,
                            u"display"_s,         u"name"_s,
                            u"style"_s,           u"stylesheet"_s,
                            u"reverse"_s,         u"session"_s,
                            u"widgetcount"_s,     u"nograb"_s,
                            u"dograb"_s,          u"sync"_s,
                            u"qmljsdebugger"_s};
    return names.contains(name);
}

// The name of an option as written ("--price", "-price"), or nothing for a value; a negative
// number is a value.
std::optional<QString> optionName(const QString& argument)
{
    qsizetype dashes = 0;
    while (dashes < 2 && dashes < argument.size() && argument[dashes] == u'-')
        ++dashes;
    if (dashes == 0 || dashes >= argument.size() || !argument[dashes].isLetter())
        return std::nullopt;
    return argument.mid(dashes).section(u'=', 0, 0);
}

bool isBlank(const QByteArray& line)
{
    return line.trimmed().isEmpty();
}

} // namespace

CommandLine::CommandLine(const QStringList& arguments)
    : m_help(QStringList{u"h"_s, u"help"_s, u"?"_s}), m_version(QStringList{u"v"_s, u"version"_s}),
      m_settings(u"settings"_s, QString(), u"FILE"_s), m_price(u"price"_s, QString(), u"P"_s),
      m_shares(u"shares"_s, QString(), u"N"_s), m_profit(u"profit"_s, QString(), u"B"_s),
      m_cash(u"cash"_s), m_taxOption(u"tax-option"_s, QString(), u"1|2|3"_s),
      m_taxRate(u"tax-rate"_s, QString(), u"R"_s), m_json(u"json"_s), m_details(u"details"_s),
      m_csv(u"csv"_s, QString(), u"FILE"_s), m_csvFormat(u"csv-format"_s, QString(), u"FORMAT"_s),
      m_schedule(u"schedule"_s, QString(), u"NAME"_s), m_english(writesEnglish(QLocale()))
{
    if (isPositionsCommand(arguments)) {
        m_mode = Mode::Positions;
        m_arguments = arguments;
        return;
    }
    // The command is the first word that is not an option's value. For compare, --csv asks for
    // CSV output and takes no file.
    QString command;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const std::optional<QString> name = optionName(arguments[i]);
        if (!name) {
            command = arguments[i];
            break;
        }
        if (!arguments[i].contains(u'=')) {
            for (const QCommandLineOption* option :
                 {&m_settings, &m_price, &m_shares, &m_profit, &m_taxOption, &m_taxRate, &m_csv,
                  &m_csvFormat, &m_schedule}) {
                if (option->names().contains(*name))
                    ++i;
            }
        }
    }
    if (command == u"compare")
        m_csv = QCommandLineOption(u"csv"_s);

    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOptions({m_help, m_version, m_settings, m_price, m_shares, m_profit, m_cash,
                         m_taxOption, m_taxRate, m_json, m_details, m_csv, m_csvFormat,
                         m_schedule});
    if (const std::optional<QString> option = missingValue(arguments)) {
        usageError(u"--%1 attend une valeur."_s.arg(*option),
                   u"--%1 needs a value."_s.arg(*option));
        return;
    }
    if (!m_parser.parse(arguments)) {
        for (const QString& name : m_parser.unknownOptionNames())
            m_toolkitOptions = m_toolkitOptions || isToolkitOption(name);
        const QStringList unknown = m_parser.unknownOptionNames();
        if (unknown.isEmpty())
            usageError(m_parser.errorText(), m_parser.errorText());
        else
            usageError(u"option inconnue : %1."_s.arg(unknown.first()),
                       u"unknown option: %1."_s.arg(unknown.first()));
        return;
    }
    check();
}

// An option that takes a value followed by nothing or by another option: the parser would take
// that option for the value, and then complain of what follows.
std::optional<QString> CommandLine::missingValue(const QStringList& arguments) const
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == u"--")
            break;
        const std::optional<QString> name = optionName(arguments[i]);
        if (!name || arguments[i].contains(u'='))
            continue;
        bool takesValue = false;
        for (const QCommandLineOption& option :
             {m_settings, m_price, m_shares, m_profit, m_taxOption, m_taxRate, m_csv, m_csvFormat,
              m_schedule})
            takesValue =
                takesValue || (option.names().contains(*name) && !option.valueName().isEmpty());
        if (!takesValue)
            continue;
        if (i + 1 >= arguments.size() || optionName(arguments[i + 1]))
            return *name;
        ++i;
    }
    return std::nullopt;
}

void CommandLine::usageError(const QString& french, const QString& english)
{
    m_mode = Mode::UsageError;
    m_error = pick(m_english, french, english);
}

void CommandLine::check()
{
    if (m_parser.isSet(m_help)) {
        m_mode = Mode::Help;
        return;
    }
    if (m_parser.isSet(m_version)) {
        m_mode = Mode::Version;
        return;
    }
    if (m_parser.isSet(m_settings) && m_parser.value(m_settings).isEmpty())
        return usageError(u"--settings attend un nom de fichier."_s,
                          u"--settings needs a file name."_s);

    const QStringList positional = m_parser.positionalArguments();
    if (positional.isEmpty()) {
        for (const QCommandLineOption& option :
             {m_price, m_shares, m_profit, m_cash, m_taxOption, m_taxRate, m_json, m_details, m_csv,
              m_csvFormat, m_schedule}) {
            if (m_parser.isSet(option))
                return usageError(
                    u"--%1 va avec une commande, calc ou compare."_s.arg(option.names().first()),
                    u"--%1 goes with a command, calc or compare."_s.arg(option.names().first()));
        }
        m_mode = Mode::Window;
        return;
    }
    if (positional.size() == 1 && positional.first() == u"calc")
        return checkCalc();
    if (positional.size() == 1 && positional.first() == u"compare")
        return checkCompare();
    usageError(u"commande inconnue : %1."_s.arg(positional.join(u' ')),
               u"unknown command: %1."_s.arg(positional.join(u' ')));
}

void CommandLine::checkCalc()
{
    if (m_parser.isSet(m_csvFormat) && !namedCsvDialect(m_parser.value(m_csvFormat)))
        return usageError(u"--csv-format prend csv ou excel-fr."_s,
                          u"--csv-format takes csv or excel-fr."_s);
    if (m_parser.isSet(m_csv)) {
        for (const QCommandLineOption& option :
             {m_price, m_shares, m_profit, m_cash, m_taxOption, m_taxRate, m_json, m_details}) {
            if (m_parser.isSet(option))
                return usageError(u"--%1 ne va pas avec --csv, dont les lignes donnent les "
                                  "opérations."_s.arg(option.names().first()),
                                  u"--%1 cannot go with --csv, whose lines give the trades."_s.arg(
                                      option.names().first()));
        }
        m_mode = Mode::Calc;
        return;
    }
    if (m_parser.isSet(m_csvFormat))
        return usageError(u"--csv-format va avec --csv."_s, u"--csv-format goes with --csv."_s);
    if (checkTradeOptions())
        m_mode = Mode::Calc;
}

void CommandLine::checkCompare()
{
    for (const QCommandLineOption& option : {m_details, m_schedule}) {
        if (m_parser.isSet(option))
            return usageError(u"--%1 ne va pas avec compare, qui prend tous les barèmes."_s.arg(
                                  option.names().first()),
                              u"--%1 cannot go with compare, which takes every schedule."_s.arg(
                                  option.names().first()));
    }
    if (m_parser.isSet(m_json) && m_parser.isSet(m_csv))
        return usageError(u"--json et --csv ne vont pas ensemble."_s,
                          u"--json and --csv cannot go together."_s);
    if (m_parser.isSet(m_csvFormat) && !m_parser.isSet(m_csv))
        return usageError(u"--csv-format va avec --csv."_s, u"--csv-format goes with --csv."_s);
    if (m_parser.isSet(m_csvFormat) && !namedCsvDialect(m_parser.value(m_csvFormat)))
        return usageError(u"--csv-format prend csv ou excel-fr."_s,
                          u"--csv-format takes csv or excel-fr."_s);
    if (checkTradeOptions())
        m_mode = Mode::Compare;
}

bool CommandLine::checkTradeOptions()
{
    const QString command = m_parser.positionalArguments().value(0);
    for (const QCommandLineOption& option : {m_price, m_shares, m_profit}) {
        if (!m_parser.isSet(option)) {
            usageError(u"%1 a besoin de --price, --shares et --profit."_s.arg(command),
                       u"%1 needs --price, --shares and --profit."_s.arg(command));
            return false;
        }
    }
    if (m_parser.isSet(m_taxOption) && m_parser.isSet(m_taxRate)) {
        usageError(u"--tax-option et --tax-rate ne vont pas ensemble."_s,
                   u"--tax-option and --tax-rate cannot go together."_s);
        return false;
    }
    const QString option = m_parser.value(m_taxOption);
    if (m_parser.isSet(m_taxOption) && option != u"1" && option != u"2" && option != u"3") {
        usageError(u"--tax-option prend 1, 2 ou 3."_s, u"--tax-option takes 1, 2 or 3."_s);
        return false;
    }
    return true;
}

QString CommandLine::settingsPath() const
{
    if (!m_parser.isSet(m_settings))
        return defaultSettingsPath();
    return QFileInfo(m_parser.value(m_settings)).absoluteFilePath();
}

int CommandLine::run(QTextStream& out, QTextStream& err, const QString& version) const
{
    // A reader that goes away (a pager quit, head) is an error to report, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
    switch (m_mode) {
    case Mode::Help:
        out << helpText(m_english);
        return written(out, err, 0);
    case Mode::Version:
        out << u"vantrelle "_s << version << u'\n';
        return written(out, err, 0);
    case Mode::UsageError:
        err << pick(m_english, u"vantrelle : "_s, u"vantrelle: "_s) << m_error << u'\n'
            << pick(m_english, u"Essayez « vantrelle --help » pour en savoir plus.\n"_s,
                    u"Try 'vantrelle --help' for more information.\n"_s);
        return 2;
    case Mode::Calc:
        return m_parser.isSet(m_csv) ? calculateCsv(out, err) : calculate(out, err);
    case Mode::Compare:
        return compare(out, err);
    case Mode::Positions:
        return runPositionsCommand(m_arguments, out, err);
    case Mode::Window:
        break;
    }
    return 0;
}

int CommandLine::written(QTextStream& out, QTextStream& err, int status) const
{
    out.flush();
    if (out.status() == QTextStream::Ok)
        return status;
    err << pick(m_english, u"vantrelle : impossible d'écrire les résultats sur la sortie."_s,
                u"vantrelle: the results could not be written to the output."_s)
        << u'\n';
    err.flush();
    return 4;
}

CalcRequest CommandLine::tradeRequest() const
{
    CalcRequest request{
        {m_parser.value(m_price), m_parser.value(m_shares), m_parser.value(m_profit)},
        !m_parser.isSet(m_cash),
        m_parser.isSet(m_taxOption) ? m_parser.value(m_taxOption).toInt() - 1 : 1,
        std::nullopt};
    if (m_parser.isSet(m_taxRate))
        request.taxRate = m_parser.value(m_taxRate);
    return request;
}

std::optional<CsvDialect> CommandLine::forcedDialect() const
{
    if (!m_parser.isSet(m_csvFormat))
        return std::nullopt;
    return namedCsvDialect(m_parser.value(m_csvFormat));
}

int CommandLine::calculate(QTextStream& out, QTextStream& err) const
{
    const QLocale locale;
    const std::optional<IniStore> store = readableSettings(err);
    if (!store)
        return 1;
    const IniStore::HeldReading reading = store->holdReading(settingsSection());
    const std::optional<CalcSettings> settings = calcSettings(*store, locale, err);
    if (!settings)
        return exitStatus(ReportKind::Fees);

    const bool json = m_parser.isSet(m_json);
    const CalcExtent extent = m_parser.isSet(m_details) ? CalcExtent::Details
                              : json                    ? CalcExtent::Sale
                                                        : CalcExtent::Results;
    const CalcReport report = calculateTrade(tradeRequest(), settings->schedule, settings->saved,
                                             m_english, locale, extent);
    if (json)
        out << reportJson(report, settings->scheduleName) << u'\n';
    else if (report.ok())
        out << reportText(report, settings->scheduleName, m_english, locale);
    else
        err << messageText(report.refusal) << u'\n';
    return written(out, err, exitStatus(report.kind));
}

int CommandLine::calculateCsv(QTextStream& out, QTextStream& err) const
{
    const QLocale locale;
    const QString path = m_parser.value(m_csv);
    QFile file(path);
    if (path != u"-" && !file.open(QIODevice::ReadOnly)) {
        err << pick(m_english, u"Impossible de lire %1 : %2"_s, u"Cannot read %1: %2"_s)
                   .arg(path, file.errorString())
            << u'\n';
        return 1;
    }
    LineReader reader(path == u"-" ? STDIN_FILENO : file.handle(), maxCsvLineLength);
    const auto tooLong = [&] {
        return pick(m_english, u"Ligne %1 : plus de %2 Ko, ignorée"_s,
                    u"Line %1: over %2 KB, skipped"_s)
            .arg(reader.lineNumber())
            .arg(maxCsvLineLength / 1024);
    };
    const auto readFailure = [&] {
        err << pick(m_english, u"Lecture de %1 interrompue à la ligne %2"_s,
                    u"Reading %1 failed at line %2"_s)
                   .arg(path)
                   .arg(reader.lineNumber() + 1)
            << u'\n';
    };

    QByteArray bytes;
    LineReader::Status status = LineReader::Status::Line;
    while ((status = reader.next(bytes)) == LineReader::Status::Line && isBlank(bytes)) {
    }
    if (status == LineReader::Status::TooLong) {
        err << tooLong() << u'\n';
        return 1;
    }
    if (status == LineReader::Status::Failed) {
        readFailure();
        return 1;
    }
    const bool byteOrderMark =
        status == LineReader::Status::Line && bytes.startsWith("\xEF\xBB\xBF");
    const QString header = QString::fromUtf8(byteOrderMark ? bytes.mid(3) : bytes);
    CsvDialect input = detectCsvDialect(header);
    input.byteOrderMark = byteOrderMark;
    if (status == LineReader::Status::End || !isCsvTradeHeader(csvCells(header, input.separator))) {
        err << messageText(csvHeaderMessage(input.separator, header, m_english)) << u'\n';
        return 1;
    }
    const CsvDialect output = forcedDialect().value_or(input);

    const std::optional<IniStore> store = readableSettings(err);
    if (!store)
        return 1;
    std::optional<CalcSettings> settings;
    {
        const IniStore::HeldReading reading = store->holdReading(settingsSection());
        settings = calcSettings(*store, locale, err);
    }
    if (!settings)
        return exitStatus(ReportKind::Fees);

    if (output.byteOrderMark)
        out << QChar(0xFEFF);
    out << (csvTradeHeader() + csvResultHeader()).join(output.separator) << u'\n';
    out.flush();
    int exit = 0;
    while (out.status() == QTextStream::Ok) {
        status = reader.next(bytes);
        if (status == LineReader::Status::End)
            break;
        if (status == LineReader::Status::Failed) {
            readFailure();
            return written(out, err, 1);
        }
        if (status == LineReader::Status::Line && isBlank(bytes))
            continue;
        QStringList cells;
        CalcReport report;
        if (status == LineReader::Status::TooLong) {
            report.kind = ReportKind::Input;
            report.refusal.text = tooLong();
        } else {
            cells = csvCells(QString::fromUtf8(bytes), input.separator);
            const std::variant<CalcRequest, Message> trade = csvTrade(cells, m_english);
            if (const auto* request = std::get_if<CalcRequest>(&trade)) {
                report = calculateTrade(*request, settings->schedule, settings->saved, m_english,
                                        locale, CalcExtent::Results);
            } else {
                report.kind = ReportKind::Input;
                report.refusal = std::get<Message>(trade);
            }
        }
        cells.resize(csvTradeHeader().size());
        // The numbers given come back with the decimal mark of the output.
        for (qsizetype column = 0; column < 3; ++column)
            cells[column].replace(input.decimalMark, output.decimalMark);
        QStringList row;
        for (const QString& cell : cells + csvResultCells(report, output))
            row << csvCell(cell, output.separator);
        out << row.join(output.separator) << u'\n';
        if (exit == 0)
            exit = exitStatus(report.kind);
        // The results so far go out before the input is waited for: a slow pipe shows each one
        // as its line comes, a file is written in large blocks.
        if (!reader.lineReady())
            out.flush();
    }
    return written(out, err, exit);
}

int CommandLine::compare(QTextStream& out, QTextStream& err) const
{
    const QLocale locale;
    const std::optional<IniStore> store = readableSettings(err);
    if (!store)
        return 1;
    const IniStore::HeldReading reading = store->holdReading(settingsSection());
    const SavedSettings saved = readSavedSettings(*store, locale);
    const std::variant<CheckedTrade, CalcReport> checked =
        checkRequest(tradeRequest(), saved, m_english, locale);
    if (const auto* report = std::get_if<CalcReport>(&checked)) {
        if (m_parser.isSet(m_json))
            out << reportJson(*report, QString()) << u'\n';
        else
            err << messageText(report->refusal) << u'\n';
        return written(out, err, exitStatus(report->kind));
    }
    const CheckedTrade& trade = std::get<CheckedTrade>(checked);

    // The schedules as the window's comparison takes them: the one in use, then the others.
    const ScheduleBook book(*store);
    QList<NamedSchedule> schedules{{book.currentName(m_english), saved.schedule, true}};
    schedules += book.storedSchedules();
    const QList<ComparisonRow> rows = compareSchedules(schedules, trade.trade, trade.taxRate,
                                                       saved.rounding, languageCodeFor(m_english));
    const QString summary = comparisonSummary(trade.trade, trade.taxRate, m_english, locale);
    if (m_parser.isSet(m_json))
        out << comparisonJson(summary, rows) << u'\n';
    else if (m_parser.isSet(m_csv))
        out << comparisonCsv(rows, forcedDialect().value_or(CsvDialect{}));
    else
        out << comparisonText(summary, rows, m_english, locale);
    return written(out, err, 0);
}

std::optional<IniStore> CommandLine::readableSettings(QTextStream& err) const
{
    const QString path = settingsPath();
    if (const std::optional<QString> problem =
            settingsProblem(path, m_parser.isSet(m_settings), m_english)) {
        err << *problem << u'\n';
        return std::nullopt;
    }
    return IniStore(path);
}

std::optional<CalcSettings> CommandLine::calcSettings(const IniStore& store, const QLocale& locale,
                                                      QTextStream& err) const
{
    SavedSettings saved = readSavedSettings(store, locale);
    QString name = ScheduleBook(store).currentName(m_english);
    if (m_parser.isSet(m_schedule)) {
        const QString asked = m_parser.value(m_schedule);
        const std::optional<ScheduleTexts> named = loadNamedSchedule(store, asked);
        const QStringList names = scheduleNames(store, m_english);
        if (!named) {
            err << pick(m_english, u"Aucun barème ne s'appelle « %1 » ; les barèmes sont : %2"_s,
                        u"No fee schedule is named \"%1\"; the schedules are: %2"_s)
                       .arg(asked, names.join(u", "_s))
                << u'\n';
            return std::nullopt;
        }
        saved.schedule = *named;
        name = asked;
        for (const QString& known : names) {
            if (sameScheduleName(known, asked))
                name = known;
        }
    }
    PreparedSchedule schedule = prepareSavedSchedule(saved.schedule, languageCodeFor(m_english));
    for (const Message& notice : schedule.notices)
        err << messageText(notice) << u'\n';
    if (schedule.noFees)
        err << noFeesNote(m_english) << u'\n';
    return CalcSettings{std::move(saved), std::move(schedule), name};
}
