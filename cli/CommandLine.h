#pragma once

#include "CalcRequest.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class IniStore;
class QLocale;
class QTextStream;
struct CalcSettings;
struct CsvDialect;

// The program's command line: nothing or --settings opens the window; --help, --version and
// the commands "calc" and "compare" write to the standard output and end, without a display.
// Each command has its own check and its own run.
class CommandLine
{
public:
    enum class Mode
    {
        Window,
        Help,
        Version,
        Calc,
        Compare,
        Positions, // the positions' own commands
        UsageError,
    };

    explicit CommandLine(const QStringList& arguments);

    Mode mode() const { return m_mode; }

    // A usage error on an option the window's toolkit takes itself (-platform, -style...): the
    // arguments are to be read again once the toolkit has removed its own.
    bool namesToolkitOptions() const { return m_toolkitOptions; }

    // The settings file given with --settings, or the default one. Needs the application object.
    QString settingsPath() const;

    // Writes what the mode calls for and returns the exit status: 0 for results, 1 for input, a
    // fee schedule or the settings file refused, 2 for a usage error, 3 for a trade over the
    // limit, 4 when the output could not be written. Help needs the application object.
    int run(QTextStream& out, QTextStream& err, const QString& version) const;

private:
    void check();
    void checkCalc();
    void checkCompare();
    void usageError(const QString& french, const QString& english);
    std::optional<QString> missingValue(const QStringList& arguments) const;
    bool checkTradeOptions();

    int calculate(QTextStream& out, QTextStream& err) const;
    int calculateCsv(QTextStream& out, QTextStream& err) const;
    int compare(QTextStream& out, QTextStream& err) const;

    std::optional<IniStore> readableSettings(QTextStream& err) const;
    std::optional<CalcSettings> calcSettings(const IniStore& store, const QLocale& locale,
                                             QTextStream& err) const;
    CalcRequest tradeRequest() const;
    std::optional<CsvDialect> forcedDialect() const;
    int written(QTextStream& out, QTextStream& err, int status) const;

    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    QCommandLineOption m_settings;
    QCommandLineOption m_price;
    QCommandLineOption m_shares;
    QCommandLineOption m_profit;
    QCommandLineOption m_cash;
    QCommandLineOption m_taxOption;
    QCommandLineOption m_taxRate;
    QCommandLineOption m_json;
    QCommandLineOption m_details;
    QCommandLineOption m_csv;
    QCommandLineOption m_csvFormat;
    QCommandLineOption m_schedule;
    Mode m_mode = Mode::Window;
    QString m_error;
    bool m_toolkitOptions = false;
    bool m_english = false;
    QStringList m_arguments;
};
