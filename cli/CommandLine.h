#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

class QLocale;
class QTextStream;
struct CalcSettings;

// The program's command line: nothing or --settings opens the window; --help, --version and
// the calculation "calc" write to the standard output and end, without a display.
class CommandLine
{
public:
    enum class Mode
    {
        Window,
        Help,
        Version,
        Calc,
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

    // Writes what the mode calls for and returns the exit status: 0 for results, 1 for input or
    // a fee schedule refused, 2 for a usage error, 3 for a trade over the limit. Help needs the
    // application object.
    int run(QTextStream& out, QTextStream& err, const QString& version) const;

private:
    void check();
    int calculate(QTextStream& out, QTextStream& err) const;
    int calculateCsv(QTextStream& out, QTextStream& err) const;
    std::optional<CalcSettings> calcSettings(const QLocale& locale, bool english,
                                             QTextStream& err) const;

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
    QCommandLineOption m_schedule;
    Mode m_mode = Mode::Window;
    QString m_error;
    bool m_toolkitOptions = false;
    QStringList m_arguments;
};
