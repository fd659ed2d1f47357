#include "NumericFilter.h"

#include "NumericValidator.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

// The same test QLineEdit makes before inserting a key's text, so that every key it would
// not insert (shortcuts, editing and navigation keys) keeps its usual meaning.
bool insertsText(const QKeyEvent& key)
{
    const QString text = key.text();
    if (text.isEmpty())
        return false;
    const QChar first = text.front();
    if (first.category() == QChar::Other_Format)
        return true;
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    if (first.isPrint() || first.category() == QChar::Other_PrivateUse)
        return true;
    return first.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate();
}

} // namespace

NumericFilter* NumericFilter::install(QLineEdit* edit, NumericKind kind, bool beepOnSecondPoint)
{
    return new NumericFilter(edit, kind, beepOnSecondPoint);
}

NumericFilter::NumericFilter(QLineEdit* edit, NumericKind kind, bool beepOnSecondPoint)
    : QObject(edit), m_edit(edit), m_kind(kind), m_beepOnSecondPoint(beepOnSecondPoint)
{
    edit->setValidator(new NumericValidator(edit, kind));
    edit->installEventFilter(this);
}

bool NumericFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_edit)
        return QObject::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (refusesTyping(key))
            return true;
        if (!insertsText(key) || !key.text().contains(u',') || !standsForPoint(m_kind, u','))
            return false;
        // The regional decimal comma goes in as the point the field holds.
        m_edit->insert(QString(key.text()).replace(u',', u'.'));
        return true;
    }
    case QEvent::FocusIn:
        focusReceived(static_cast<QFocusEvent*>(event)->reason());
        break;
    case QEvent::FocusOut:
        m_selectAllOnRelease = false;
        break;
    case QEvent::MouseButtonRelease:
        mouseReleased(static_cast<QMouseEvent*>(event)->button());
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool NumericFilter::refusesTyping(const QKeyEvent& key) const
{
    if (!insertsText(key))
        return false;

    // The whole text counts, not what would be left once the selection is replaced: with
    // "3.5" all selected, a point is still refused.
    bool hasPoint = m_edit->text().contains(u'.');
    const QString typed = key.text();
    for (const QChar c : typed) {
        if (isPlainDigit(c))
            continue;
        if (m_kind != NumericKind::Decimal || !(isPoint(c) || standsForPoint(m_kind, c)))
            return true;
        if (hasPoint) {
            if (m_beepOnSecondPoint)
                QApplication::beep();
            return true;
        }
        hasPoint = true;
    }
    return false;
}

void NumericFilter::focusReceived(Qt::FocusReason reason)
{
    switch (reason) {
    case Qt::PopupFocusReason:
    case Qt::ActiveWindowFocusReason:
    case Qt::MenuBarFocusReason:
        // The focus only comes back after a context menu, a menu or another window: the user
        // did not move to this field, and a paste chosen from the context menu must not
        // replace the whole text.
        return;
    case Qt::MouseFocusReason:
        // The press that gives the focus moves the caret and clears the selection after this;
        // select everything again once the button is released.
        m_selectAllOnRelease = true;
        break;
    default:
        break;
    }
    m_edit->selectAll();
}

void NumericFilter::mouseReleased(Qt::MouseButton button)
{
    if (!m_selectAllOnRelease)
        return;
    m_selectAllOnRelease = false;
    // A drag that selected part of the text on the way in is the user's choice and stays.
    if (button == Qt::LeftButton && !m_edit->hasSelectedText())
        m_edit->selectAll();
}
