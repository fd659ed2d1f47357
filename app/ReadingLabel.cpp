#include "ReadingLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGroupBox>

namespace {

// Read live from the label and its frame, so the name follows the language and the value
// follows each new result.
class ResultInterface : public QAccessibleWidget
{
public:
    explicit ResultInterface(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override
    {
        const auto* label = static_cast<const QLabel*>(widget());
        switch (kind) {
        case QAccessible::Name:
            if (!label->accessibleName().isEmpty())
                return label->accessibleName();
            if (const auto* frame = qobject_cast<const QGroupBox*>(label->parentWidget()))
                return QString(frame->title()).remove(u'&');
            return QString();
        case QAccessible::Value:
        case QAccessible::Description:
            // The blank that centres a result on screen is no part of what it says.
            return label->text().trimmed();
        default:
            return QAccessibleWidget::text(kind);
        }
    }
};

class DecorationInterface : public QAccessibleWidget
{
public:
    explicit DecorationInterface(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText)
    {}

    QAccessible::State state() const override
    {
        QAccessible::State result = QAccessibleWidget::state();
        result.invisible = true;
        return result;
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? static_cast<const QLabel*>(widget())->text()
                                         : QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* labelInterface(const QString& className, QObject* object)
{
    if (className != QLatin1String("ReadingLabel"))
        return nullptr;
    auto* label = static_cast<ReadingLabel*>(object);
    if (label->reading() == LabelReading::Result)
        return new ResultInterface(label);
    return new DecorationInterface(label);
}

} // namespace

ReadingLabel::ReadingLabel(LabelReading reading, QWidget* parent)
    : QLabel(parent), m_reading(reading)
{
    // Qt keeps its accessibility factories for the whole run; one is enough.
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(labelInterface);
        return true;
    }();
    Q_UNUSED(factoryInstalled)
}
