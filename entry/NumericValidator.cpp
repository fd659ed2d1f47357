#include "NumericValidator.h"

#include <QLineEdit>

#include <algorithm>

namespace {

struct Tally
{
    qsizetype refused = 0;
    qsizetype points = 0;
};

Tally tally(const QString& text, NumericKind kind)
{
    Tally counts;
    for (const QChar c : text) {
        if (!mayHold(kind, c))
            ++counts.refused;
        else if (isPoint(c))
            ++counts.points;
    }
    return counts;
}

// The regional decimal commas of what the change brings in become points; the text around the
// change, set by the program perhaps, stays as it was.
void pointsForCommas(const QString& before, QString& after, NumericKind kind)
{
    const qsizetype common = std::min(before.size(), after.size());
    qsizetype start = 0;
    while (start < common && before[start] == after[start])
        ++start;
    qsizetype end = after.size();
    while (end > start && after.size() - end < before.size() - start &&
           after[end - 1] == before[before.size() - (after.size() - end) - 1])
        --end;
    for (qsizetype i = start; i < end; ++i) {
        if (standsForPoint(kind, after[i]))
            after[i] = u'.';
    }
}

} // namespace

NumericValidator::NumericValidator(QLineEdit* edit, NumericKind kind)
    : QValidator(edit), m_edit(edit), m_kind(kind), m_before(edit->text())
{
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { m_before = text; });
}

QValidator::State NumericValidator::validate(QString& input, int& /*pos*/) const
{
    // setText() clears the undo history before the edit validates the new text, and a user's
    // change always leaves something to undo: that is how text set by the program is told
    // apart. Refusing it would keep it anyway and only leave the edit believing its input
    // invalid, which stops it from undoing the next bad change.
    if (!m_edit->isUndoAvailable())
        return Acceptable;

    pointsForCommas(m_before, input, m_kind);
    const Tally before = tally(m_before, m_kind);
    const Tally after = tally(input, m_kind);
    if (after.refused > before.refused)
        return Invalid;
    if (after.points > 1 && after.points > before.points)
        return Invalid;
    return Acceptable;
}
