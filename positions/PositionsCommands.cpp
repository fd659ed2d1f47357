#include "PositionsCommands.h"

#include "ArgumentTexts.h"
#include "CalcMessages.h"
#include "GainsReport.h"
#include "Holding.h"
#include "IniStore.h"
#include "Language.h"
#include "MovementsCsv.h"
#include "NumberText.h"
#include "OutputLanguage.h"
#include "PositionSale.h"
#include "PositionStore.h"
#include "PositionTexts.h"
#include "ReportFormats.h"
#include "ResultTexts.h"
#include "ScheduleBook.h"
#include "SettingsLocation.h"
#include "TaxRates.h"
#include "TradeCalculation.h"
#include "YearGains.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

struct Options
{
    QCommandLineOption settings{u"settings"_s, u"The settings file in use."_s, u"FILE"_s};
    QCommandLineOption json{u"json"_s, u"Writes JSON."_s};
    QCommandLineOption csv{u"csv"_s, u"gains: writes CSV."_s};
    QCommandLineOption import{u"import"_s, u"positions: imports a CSV file, - for stdin."_s,
                              u"FILE"_s};
    QCommandLineOption year{u"year"_s, u"gains: the calendar year."_s, u"Y"_s};
    QCommandLineOption position{u"position"_s, u"calc: the position to sell from."_s, u"NAME"_s};
    QCommandLineOption sell{u"sell"_s, u"calc: the shares to sell, all by default."_s, u"N"_s};
    QCommandLineOption profit{u"profit"_s, u"calc: the profit wanted."_s, u"B"_s};
    QCommandLineOption cash{u"cash"_s, u"calc: the profit is a sum in euros."_s};
    QCommandLineOption taxOption{u"tax-option"_s, u"calc: 1, 2 or 3."_s, u"1|2|3"_s};
    QCommandLineOption taxRate{u"tax-rate"_s, u"calc: the tax rate in per cent."_s, u"R"_s};
    QCommandLineOption schedule{u"schedule"_s, u"calc: the named fee schedule."_s, u"NAME"_s};
};

int usage(QTextStream& err, const QString& error)
{
    err << u"vantrelle: "_s << error << u"\nTry 'vantrelle --help' for more information.\n"_s;
    return 2;
}

QString settingsPathOf(const QCommandLineParser& parser, const Options& options)
{
    if (!parser.isSet(options.settings))
        return defaultSettingsPath();
    return QFileInfo(parser.value(options.settings)).absoluteFilePath();
}

// The positions of the file, or its refusal written out: nothing when it cannot be used.
std::optional<QList<Position>> readPositions(PositionStore& store, bool english, QTextStream& err)
{
    const StoreState state = store.open();
    if (state == StoreState::Ready || state == StoreState::Missing)
        return store.positions();
    const QString file = QDir::toNativeSeparators(store.path());
    err << (state == StoreState::Newer
                ? pick(english, u"Le fichier des positions %1 vient d'une version plus récente."_s,
                       u"The positions file %1 comes from a newer version."_s)
            : state == StoreState::Damaged
                ? pick(english, u"Le fichier des positions %1 est endommagé."_s,
                       u"The positions file %1 is damaged."_s)
                : pick(english, u"Le fichier des positions %1 ne peut pas être ouvert."_s,
                       u"The positions file %1 cannot be opened."_s))
               .arg(file)
        << u'\n';
    return std::nullopt;
}

qint64 cents(Money amount)
{
    return amount.roundedToCents().units() / 10'000;
}

int listPositions(const QList<Position>& positions, bool json, bool english, QTextStream& out)
{
    const QLocale locale;
    QJsonArray array;
    for (const Position& position : positions) {
        const PositionHistory history = replay(position.movements);
        Money realised;
        for (const RealisedSale& sale : history.sales)
            realised += sale.gain;
        const Holding& holding = history.holding;
        if (json) {
            array.append(QJsonObject{{u"name"_s, position.name},
                                     {u"code"_s, position.code},
                                     {u"shares"_s, holding.shares},
                                     {u"cost_cents"_s, cents(holding.cost)},
                                     {u"cost_price_cents"_s, qRound64(holding.costPrice() * 100)},
                                     {u"realised_cents"_s, cents(realised)},
                                     {u"closed"_s, holding.closed()}});
            continue;
        }
        QString line = position.name;
        if (!position.code.isEmpty())
            line += u" ("_s + position.code + u')';
        if (holding.closed()) {
            line += u'\t' + pick(english, u"soldée"_s, u"closed"_s);
        } else {
            line += u'\t' + QString::number(holding.shares) +
                    pick(english, u" actions"_s, u" shares"_s);
            line += u'\t' + pick(english, u"coût "_s, u"cost "_s) + moneyText(holding.cost, locale);
            line += u'\t' + pick(english, u"prix de revient "_s, u"cost price "_s) +
                    regionalText(holding.costPrice(), locale);
        }
        line += u'\t' + pick(english, u"réalisé "_s, u"realised "_s) + moneyText(realised, locale);
        out << line << u'\n';
    }
    if (json)
        out << QJsonDocument(array).toJson(QJsonDocument::Compact) << u'\n';
    return 0;
}

int importFile(PositionStore& store, const QString& path, bool english, QTextStream& out,
               QTextStream& err)
{
    QFile file(path);
    const bool opened =
        path == u"-" ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    if (!opened) {
        err << pick(english, u"Impossible de lire %1"_s, u"Cannot read %1"_s).arg(path) << u'\n';
        return 1;
    }
    const CsvMovements read = readMovementsCsv(file.readAll(), english);
    QList<CsvLineError> errors = read.errors;
    if (read.ok()) {
        if (store.open() != StoreState::Ready) {
            readPositions(store, english, err);
            return 1;
        }
        const StoreChange change = store.importMovements(read.movements);
        for (const StoreRefusal& refusal : change.refusals) {
            if (refusal.reason != StoreRefusal::Reason::Oversold) {
                err << refusal.detail << u'\n';
                return 1;
            }
            errors.append(
                {refusal.line, pick(english, u"vente de plus d'actions que détenues à sa date"_s,
                                    u"a sale of more shares than held on its date"_s)});
        }
    }
    if (!errors.isEmpty()) {
        err << pick(english, u"Rien n'a été importé :"_s, u"Nothing was imported:"_s) << u'\n';
        for (const CsvLineError& error : std::as_const(errors))
            err << pick(english, u"ligne "_s, u"line "_s) << error.line << u": "_s << error.reason
                << u'\n';
        return 1;
    }
    out << pick(english, u"%1 lignes importées."_s, u"%1 lines imported."_s)
               .arg(read.movements.size())
        << u'\n';
    return 0;
}

int writeGains(const QList<Position>& positions, int year, bool json, bool csv, bool english,
               QTextStream& out)
{
    const YearGains gains = gainsOfYear(positions, year);
    const QLocale locale;
    if (json) {
        QJsonArray sales;
        for (const YearSale& row : gains.sales) {
            const RealisedSale& sale = row.sale;
            sales.append(QJsonObject{{u"date"_s, sale.sale.date.toString(Qt::ISODate)},
                                     {u"position"_s, row.position},
                                     {u"shares"_s, sale.sale.shares},
                                     {u"price"_s, sale.sale.price.text()},
                                     {u"fee_cents"_s, cents(sale.sale.fee)},
                                     {u"taxes_cents"_s, cents(sale.sale.taxes)},
                                     {u"cost_cents"_s, cents(sale.costOfShares)},
                                     {u"gain_cents"_s, cents(sale.gain)}});
        }
        const QJsonObject object{{u"year"_s, year},
                                 {u"sales"_s, sales},
                                 {u"gains_cents"_s, cents(gains.gains)},
                                 {u"losses_cents"_s, cents(gains.losses)},
                                 {u"net_cents"_s, cents(gains.net)}};
        out << QJsonDocument(object).toJson(QJsonDocument::Compact) << u'\n';
        return 0;
    }
    if (csv) {
        out << QString::fromUtf8(gainsCsv(gains));
        return 0;
    }
    out << gainsText(gains, english, locale);
    return 0;
}
// As the calculation writes its report; a sale of a position also says its sale tax.
int reportOf(const CalcReport& report, const QString& scheduleName, bool json, bool english,
             QTextStream& out, QTextStream& err)
{
    const QLocale locale;
    if (json) {
        QString object = reportJson(report, scheduleName);
        if (report.ok() && object.endsWith(u'}'))
            object.insert(object.size() - 1,
                          u",\"sale_tax\":"_s +
                              QString::number(roundCents(report.result.saleTax), 'f', 2));
        out << object << u'\n';
    } else if (report.ok()) {
        out << reportText(report, scheduleName, english, locale)
            << pick(english, u"Taxe sur la vente : "_s, u"Sale tax: "_s)
            << feeEuros(report.result.saleTax, locale) << u'\n';
    } else {
        err << messageText(report.refusal) << u'\n';
    }
    return exitStatus(report.kind);
}

int sellPosition(const QList<Position>& positions, const QCommandLineParser& parser,
                 const Options& options, const QString& settingsPath, bool english,
                 QTextStream& out, QTextStream& err)
{
    const QLocale locale;
    const bool json = parser.isSet(options.json);
    const QString name = parser.value(options.position);
    const auto found = std::find_if(positions.begin(), positions.end(),
                                    [&](const Position& p) { return p.name == name; });
    CalcReport report;
    report.kind = ReportKind::Input;
    if (found == positions.end()) {
        report.refusal = positionsMessage(pick(english, u"Aucune position ne s'appelle « %1 »."_s,
                                               u"No position is named \"%1\"."_s)
                                              .arg(name),
                                          english);
        return reportOf(report, QString(), json, english, out, err);
    }
    const IniStore store(settingsPath);
    const SavedSettings saved = readSavedSettings(store, locale);
    const QString scheduleName =
        parser.isSet(options.schedule) ? parser.value(options.schedule) : found->scheduleName;
    const std::optional<ScheduleTexts> texts =
        scheduleName.isEmpty() ? saved.schedule : loadNamedSchedule(store, scheduleName);
    if (!texts) {
        err << pick(english, u"Aucun barème ne s'appelle « %1 » ; les barèmes sont : %2"_s,
                    u"No fee schedule is named \"%1\"; the schedules are: %2"_s)
                   .arg(scheduleName, scheduleNames(store, english).join(u", "_s))
            << u'\n';
        return 1;
    }
    const QString shownName =
        scheduleName.isEmpty() ? ScheduleBook(store).currentName(english) : scheduleName;
    const PreparedSchedule schedule = prepareSavedSchedule(*texts, languageCodeFor(english));
    for (const Message& notice : schedule.notices)
        err << messageText(notice) << u'\n';
    if (schedule.refusal) {
        report.kind = ReportKind::Fees;
        report.refusal = *schedule.refusal;
        return reportOf(report, shownName, json, english, out, err);
    }

    const std::optional<QString> profit =
        asFieldText(parser.value(options.profit), NumericKind::Decimal);
    const Holding holding = replay(found->movements).holding;
    std::optional<qint64> shares = holding.shares;
    if (parser.isSet(options.sell)) {
        bool ok = false;
        shares = parser.value(options.sell).toLongLong(&ok);
        if (!ok)
            shares.reset();
    }
    QString rateText = saved.rates[1];
    if (parser.isSet(options.taxOption))
        rateText = saved.rates[size_t(qBound(1, parser.value(options.taxOption).toInt(), 3) - 1)];
    if (parser.isSet(options.taxRate)) {
        const std::optional<QString> rate =
            asFieldText(parser.value(options.taxRate), NumericKind::Decimal);
        rateText = rate.value_or(QString());
    }
    if (!profit || profit->isEmpty() || !shares || *shares <= 0 || *shares > holding.shares ||
        rateText.isEmpty()) {
        report.refusal = positionsMessage(
            pick(english,
                 u"Il faut un bénéfice, un taux et un nombre d'actions de 1 aux %1 détenues."_s,
                 u"A profit, a rate and a number of shares from 1 to the %1 held are needed."_s)
                .arg(holding.shares),
            english);
        return reportOf(report, shownName, json, english, out, err);
    }
    PositionSaleRequest request;
    request.schedule = schedule.schedule;
    request.shares = *shares;
    request.wantedProfit = plainNumber(*profit);
    request.percentMode = !parser.isSet(options.cash);
    request.taxRate = rateValue(rateText, locale);
    request.rounding = saved.rounding;
    const std::optional<CalcOutcome> outcome = sellingPriceOf(*found, request);
    if (!outcome)
        return reportOf(report, shownName, json, english, out, err);
    if (!outcome->ok()) {
        report.kind = outcome->status == CalcStatus::SaleOverLimit          ? ReportKind::SaleLimit
                      : outcome->status == CalcStatus::PercentageFeeInvalid ? ReportKind::Fees
                                                                            : ReportKind::Input;
        report.refusal = refusalMessage(*outcome, languageCodeFor(english));
        return reportOf(report, shownName, json, english, out, err);
    }
    report.kind = ReportKind::Results;
    report.result = outcome->result;
    return reportOf(report, shownName, json, english, out, err);
}

} // namespace

bool isPositionsCommand(const QStringList& arguments)
{
    const QString command = arguments.value(1);
    if (command == u"positions" || command == u"gains")
        return true;
    return command == u"calc" &&
           std::any_of(arguments.begin(), arguments.end(), [](const QString& argument) {
               return argument == u"--position" || argument.startsWith(u"--position=");
           });
}

int runPositionsCommand(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const Options options;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({options.settings, options.json, options.csv, options.import, options.year,
                       options.position, options.sell, options.profit, options.cash,
                       options.taxOption, options.taxRate, options.schedule});
    if (!parser.parse(arguments))
        return usage(err, parser.errorText());
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1)
        return usage(err, u"Unknown command: %1."_s.arg(positional.join(u' ')));
    const QString command = positional.first();
    const QList<const QCommandLineOption*> calcOnly{
        &options.position,  &options.sell,    &options.profit,  &options.cash,
        &options.taxOption, &options.taxRate, &options.schedule};
    const auto allowed = [&](QList<const QCommandLineOption*> permitted) -> std::optional<QString> {
        permitted << &options.settings;
        for (const QCommandLineOption* option :
             calcOnly + QList<const QCommandLineOption*>{&options.json, &options.csv,
                                                         &options.import, &options.year}) {
            if (!permitted.contains(option) && parser.isSet(*option))
                return u"--%1 does not go with %2."_s.arg(option->names().first(), command);
        }
        return std::nullopt;
    };
    std::optional<QString> misplaced;
    if (command == u"positions")
        misplaced = allowed({&options.json, &options.import});
    else if (command == u"gains")
        misplaced = allowed({&options.json, &options.csv, &options.year});
    else
        misplaced = allowed(calcOnly + QList<const QCommandLineOption*>{&options.json});
    if (misplaced)
        return usage(err, *misplaced);

    const QLocale locale;
    const bool english = writesEnglish(locale);
    const QString settingsPath = settingsPathOf(parser, options);
    const QString databasePath = PositionStore::pathBeside(settingsPath);

    if (command == u"positions" && parser.isSet(options.import)) {
        if (parser.isSet(options.json))
            return usage(err, u"--json does not go with --import."_s);
        PositionStore store(databasePath);
        return importFile(store, parser.value(options.import), english, out, err);
    }
    PositionStore store(databasePath, true);
    if (command == u"gains") {
        bool ok = false;
        const int year = parser.value(options.year).toInt(&ok);
        if (!ok || year < 1900 || year > 9999)
            return usage(err, u"gains needs --year Y."_s);
        if (parser.isSet(options.json) && parser.isSet(options.csv))
            return usage(err, u"--json and --csv cannot go together."_s);
        const std::optional<QList<Position>> positions = readPositions(store, english, err);
        if (!positions)
            return 1;
        return writeGains(*positions, year, parser.isSet(options.json), parser.isSet(options.csv),
                          english, out);
    }
    if (command == u"calc") {
        if (!parser.isSet(options.profit))
            return usage(err, u"calc --position needs --profit."_s);
        if (parser.isSet(options.taxOption) && parser.isSet(options.taxRate))
            return usage(err, u"--tax-option and --tax-rate cannot go together."_s);
        const QString option = parser.value(options.taxOption);
        if (parser.isSet(options.taxOption) && option != u"1" && option != u"2" && option != u"3")
            return usage(err, u"--tax-option takes 1, 2 or 3."_s);
        const std::optional<QList<Position>> positions = readPositions(store, english, err);
        if (!positions)
            return 1;
        return sellPosition(*positions, parser, options, settingsPath, english, out, err);
    }
    const std::optional<QList<Position>> positions = readPositions(store, english, err);
    if (!positions)
        return 1;
    return listPositions(*positions, parser.isSet(options.json), english, out);
}
