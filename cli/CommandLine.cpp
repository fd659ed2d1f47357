#include "CommandLine.h"

#include "CalcRequest.h"
#include "CsvTrades.h"
#include "IniStore.h"
#include "Message.h"
#include "OutputLanguage.h"
#include "PositionsCommands.h"
#include "ReportFormats.h"
#include "ScheduleBook.h"
#include "SettingsLocation.h"
#include "TradeCalculation.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTextStream>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

QString description()
{
    return u"Vantrelle Ostrapine: the minimum selling price of shares, after the broker's fees and "
           "the capital-gains tax.\n"
           "\n"
           "  vantrelle [--settings FILE]\n"
           "      opens the window.\n"
           "  vantrelle calc --price P --shares N --profit B [--cash]\n"
           "                 [--tax-option 1|2|3 | --tax-rate R] [--json] [--details]\n"
           "                 [--settings FILE] [--schedule NAME]\n"
           "      calculates one trade with the fee schedule and the tax rates of the settings\n"
           "      file, which it does not change. Numbers take a point or a comma.\n"
           "  vantrelle calc --csv FILE|- [--settings FILE] [--schedule NAME]\n"
           "      calculates every line of FILE (- for the standard input), under the header\n"
           "      price,shares,profit,mode,tax_option (mode percent or cash; tax option 1, 2, 3).\n"
           "\n"
           "Exit status: 0 results; 1 input or fee schedule refused; 2 usage error; 3 a trade\n"
           "over the limit of 99,999,999 euros."_s;
}

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

} // namespace

CommandLine::CommandLine(const QStringList& arguments)
    : m_help({u"h"_s, u"help"_s, u"?"_s}, u"Shows this help and ends."_s),
      m_version({u"v"_s, u"version"_s}, u"Shows the version and ends."_s),
      m_settings(u"settings"_s, u"The settings file to use instead of the default one."_s,
                 u"FILE"_s),
      m_price(u"price"_s, u"calc: the purchase price of one share, in euros."_s, u"P"_s),
      m_shares(u"shares"_s, u"calc: the number of shares bought."_s, u"N"_s),
      m_profit(u"profit"_s, u"calc: the profit wanted, in per cent of the outlay."_s, u"B"_s),
      m_cash(u"cash"_s, u"calc: the profit is a sum in euros."_s),
      m_taxOption(u"tax-option"_s,
                  u"calc: the first, second or third tax rate of the settings (2 by default)."_s,
                  u"1|2|3"_s),
      m_taxRate(u"tax-rate"_s, u"calc: the tax rate in per cent, instead of an option."_s, u"R"_s),
      m_json(u"json"_s, u"calc: writes one JSON object."_s),
      m_details(u"details"_s, u"calc: adds the working, break-even and the ladder."_s),
      m_csv(u"csv"_s, u"calc: the trades of a CSV file, - for the standard input."_s, u"FILE"_s),
      m_schedule(u"schedule"_s, u"calc: the named fee schedule to use instead of the one in use."_s,
                 u"NAME"_s)
{
    if (isPositionsCommand(arguments)) {
        m_mode = Mode::Positions;
        m_arguments = arguments;
        return;
    }
    m_parser.setApplicationDescription(description());
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOptions({m_help, m_version, m_settings, m_price, m_shares, m_profit, m_cash,
                         m_taxOption, m_taxRate, m_json, m_details, m_csv, m_schedule});
    m_parser.addPositionalArgument(u"command"_s, u"calc: the calculation without a window."_s,
                                   u"[calc]"_s);
    if (!m_parser.parse(arguments)) {
        m_mode = Mode::UsageError;
        m_error = m_parser.errorText();
        for (const QString& name : m_parser.unknownOptionNames())
            m_toolkitOptions = m_toolkitOptions || isToolkitOption(name);
        return;
    }
    check();
}

void CommandLine::check()
{
    const auto usageError = [this](const QString& error) {
        m_mode = Mode::UsageError;
        m_error = error;
    };
    if (m_parser.isSet(m_help)) {
        m_mode = Mode::Help;
        return;
    }
    if (m_parser.isSet(m_version)) {
        m_mode = Mode::Version;
        return;
    }
    if (m_parser.isSet(m_settings) && m_parser.value(m_settings).isEmpty())
        return usageError(u"--settings needs a file name."_s);

    const QList<const QCommandLineOption*> calcOptions{
        &m_price,   &m_shares, &m_profit,  &m_cash, &m_taxOption,
        &m_taxRate, &m_json,   &m_details, &m_csv,  &m_schedule};
    const QStringList positional = m_parser.positionalArguments();
    if (positional.isEmpty()) {
        for (const QCommandLineOption* option : calcOptions) {
            if (m_parser.isSet(*option))
                return usageError(
                    u"--%1 goes with the command calc."_s.arg(option->names().first()));
        }
        m_mode = Mode::Window;
        return;
    }
    if (positional.size() > 1 || positional.first() != u"calc")
        return usageError(u"Unknown command: %1."_s.arg(positional.join(u' ')));

    if (m_parser.isSet(m_csv)) {
        for (const QCommandLineOption* option : calcOptions) {
            if (option != &m_csv && option != &m_schedule && m_parser.isSet(*option))
                return usageError(u"--%1 cannot go with --csv, whose lines give the trades."_s.arg(
                    option->names().first()));
        }
        m_mode = Mode::Calc;
        return;
    }
    for (const QCommandLineOption* option : {&m_price, &m_shares, &m_profit}) {
        if (!m_parser.isSet(*option))
            return usageError(u"calc needs --price, --shares and --profit (or --csv)."_s);
    }
    if (m_parser.isSet(m_taxOption) && m_parser.isSet(m_taxRate))
        return usageError(u"--tax-option and --tax-rate cannot go together."_s);
    const QString option = m_parser.value(m_taxOption);
    if (m_parser.isSet(m_taxOption) && option != u"1" && option != u"2" && option != u"3")
        return usageError(u"--tax-option takes 1, 2 or 3."_s);
    m_mode = Mode::Calc;
}

QString CommandLine::settingsPath() const
{
    if (!m_parser.isSet(m_settings))
        return defaultSettingsPath();
    return QFileInfo(m_parser.value(m_settings)).absoluteFilePath();
}

int CommandLine::run(QTextStream& out, QTextStream& err, const QString& version) const
{
    switch (m_mode) {
    case Mode::Help:
        out << m_parser.helpText();
        return 0;
    case Mode::Version:
        out << u"vantrelle "_s << version << u'\n';
        return 0;
    case Mode::UsageError:
        err << u"vantrelle: "_s << m_error << u"\nTry 'vantrelle --help' for more information.\n"_s;
        return 2;
    case Mode::Calc:
        return m_parser.isSet(m_csv) ? calculateCsv(out, err) : calculate(out, err);
    case Mode::Positions:
        return runPositionsCommand(m_arguments, out, err);
    case Mode::Window:
        break;
    }
    return 0;
}

int CommandLine::calculate(QTextStream& out, QTextStream& err) const
{
    const QLocale locale;
    const bool english = writesEnglish(locale);
    const std::optional<CalcSettings> settings = calcSettings(locale, english, err);
    if (!settings)
        return exitStatus(ReportKind::Fees);

    CalcRequest request{
        {m_parser.value(m_price), m_parser.value(m_shares), m_parser.value(m_profit)},
        !m_parser.isSet(m_cash),
        m_parser.isSet(m_taxOption) ? m_parser.value(m_taxOption).toInt() - 1 : 1,
        std::nullopt};
    if (m_parser.isSet(m_taxRate))
        request.taxRate = m_parser.value(m_taxRate);
    const CalcReport report = calculateTrade(request, settings->schedule, settings->saved, english,
                                             locale, m_parser.isSet(m_details));
    if (m_parser.isSet(m_json))
        out << reportJson(report) << u'\n';
    else if (report.ok())
        out << reportText(report, english, locale);
    else
        err << messageText(report.refusal) << u'\n';
    return exitStatus(report.kind);
}

int CommandLine::calculateCsv(QTextStream& out, QTextStream& err) const
{
    const QLocale locale;
    const bool english = writesEnglish(locale);
    const QString path = m_parser.value(m_csv);
    QFile file(path);
    const bool opened = path == u"-" ? file.open(stdin, QIODevice::ReadOnly | QIODevice::Text)
                                     : file.open(QIODevice::ReadOnly | QIODevice::Text);
    if (!opened) {
        err << (english ? u"Cannot read %1"_s : u"Impossible de lire %1"_s).arg(path) << u'\n';
        return 1;
    }
    QTextStream in(&file);
    QString line;
    while (in.readLineInto(&line) && line.trimmed().isEmpty()) {
    }
    if (!isCsvTradeHeader(csvCells(line))) {
        err << messageText(csvHeaderMessage(english)) << u'\n';
        return 1;
    }

    const std::optional<CalcSettings> settings = calcSettings(locale, english, err);
    if (!settings)
        return exitStatus(ReportKind::Fees);

    out << (csvTradeHeader() + csvResultHeader()).join(u',') << u'\n';
    int status = 0;
    while (in.readLineInto(&line)) {
        if (line.trimmed().isEmpty())
            continue;
        QStringList cells = csvCells(line);
        const std::variant<CalcRequest, Message> trade = csvTrade(cells, english);
        CalcReport report;
        if (const auto* request = std::get_if<CalcRequest>(&trade)) {
            report = calculateTrade(*request, settings->schedule, settings->saved, english, locale,
                                    false);
        } else {
            report.kind = ReportKind::Input;
            report.refusal = std::get<Message>(trade);
        }
        cells.resize(csvTradeHeader().size());
        QStringList written;
        for (const QString& cell : cells + csvResultCells(report))
            written << csvCell(cell);
        out << written.join(u',') << u'\n';
        if (status == 0)
            status = exitStatus(report.kind);
    }
    return status;
}

std::optional<CalcSettings> CommandLine::calcSettings(const QLocale& locale, bool english,
                                                      QTextStream& err) const
{
    const IniStore store(settingsPath());
    SavedSettings saved = readSavedSettings(store, locale);
    const QString name = m_parser.value(m_schedule);
    const std::optional<ScheduleTexts> named =
        m_parser.isSet(m_schedule) ? loadNamedSchedule(store, name) : saved.schedule;
    if (!named) {
        err << (english ? u"No fee schedule is named \"%1\"; the schedules are: %2"_s
                        : u"Aucun barème ne s'appelle « %1 » ; les barèmes sont : %2"_s)
                   .arg(name, scheduleNames(store, english).join(u", "_s))
            << u'\n';
        return std::nullopt;
    }
    saved.schedule = *named;
    PreparedSchedule schedule = prepareSavedSchedule(saved.schedule, languageCodeFor(english));
    for (const Message& notice : schedule.notices)
        err << messageText(notice) << u'\n';
    return CalcSettings{std::move(saved), std::move(schedule)};
}
