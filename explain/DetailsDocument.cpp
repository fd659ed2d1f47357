#include "DetailsDocument.h"

#include "DetailsText.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace {

QString cell(const QString& tag, const QString& text, bool bold = false, bool amount = false)
{
    const QString escaped = text.toHtmlEscaped();
    return u"<%1%2>%3</%1>"_s.arg(tag, amount ? u" align=\"right\""_s : QString(),
                                  bold ? u"<b>"_s + escaped + u"</b>"_s : escaped);
}

} // namespace

QString ladderTitle(bool english)
{
    return english ? u"Minimum price for other targets"_s
                   : u"Prix minimum pour d'autres objectifs"_s;
}

QString detailsTitle(bool english)
{
    return english ? u"Calculation details"_s : u"Détail du calcul"_s;
}

QString printedLine(const QString& scheduleName, const QDate& day, bool english,
                    const QLocale& locale)
{
    const QString date = locale.toString(day, QLocale::LongFormat);
    if (scheduleName.isEmpty())
        return english ? u"Printed on %1"_s.arg(date) : u"Imprimé le %1"_s.arg(date);
    return english ? u"Printed on %1, schedule \"%2\""_s.arg(date, scheduleName)
                   : u"Imprimé le %1, barème «\u00A0%2\u00A0»"_s.arg(date, scheduleName);
}

QString detailsPlainText(const CalculationDetails& details, bool english, const QLocale& locale)
{
    const QString colon = english ? u": "_s : u" : "_s;
    QStringList lines{detailsTitle(english)};
    for (const DetailSection& section : workingSections(details, english, locale)) {
        lines << QString() << section.title;
        for (const DetailLine& line : section.lines)
            lines << u"  "_s + line.label + colon + line.value;
    }
    lines << QString() << ladderTitle(english) << ladderHeader(english).join(u'\t');
    for (const LadderRow& row : details.ladder)
        lines << ladderCells(row, details, english, locale).join(u'\t');
    return lines.join(u'\n') + u'\n';
}

QString detailsHtml(const CalculationDetails& details, bool english, const QLocale& locale,
                    bool withLadder)
{
    QString html = u"<h2>%1</h2>"_s.arg(detailsTitle(english).toHtmlEscaped());
    for (const DetailSection& section : workingSections(details, english, locale)) {
        html += u"<h3>%1</h3><table cellspacing=\"0\" cellpadding=\"2\">"_s.arg(
            section.title.toHtmlEscaped());
        for (const DetailLine& line : section.lines)
            html += u"<tr>"_s + cell(u"td"_s, line.label) + cell(u"td"_s, line.value) + u"</tr>"_s;
        html += u"</table>"_s;
    }
    if (!withLadder)
        return html;
    html += u"<h3>%1</h3><table cellspacing=\"0\" cellpadding=\"2\" border=\"1\"><tr>"_s.arg(
        ladderTitle(english).toHtmlEscaped());
    for (const QString& heading : ladderHeader(english))
        html += cell(u"th"_s, heading);
    html += u"</tr>"_s;
    for (const LadderRow& row : details.ladder) {
        html += u"<tr>"_s;
        const QStringList cells = ladderCells(row, details, english, locale);
        // Amounts line up on the right, as on screen; the note reads from the left.
        for (qsizetype column = 0; column < cells.size(); ++column)
            html += cell(u"td"_s, cells[column], row.own, column < 3);
        html += u"</tr>"_s;
    }
    return html + u"</table>"_s;
}
