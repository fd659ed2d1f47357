#include "CaptionWidths.h"

#include "Captions.h"

#include <QHash>
#include <QLabel>

#include <algorithm>

namespace {

int hintedWidth(const QWidget* control)
{
    return std::max(control->sizeHint().width(), control->minimumSizeHint().width());
}

void reserveWidth(QWidget* control, const QStringList& captions)
{
    const QString shown = captionOf(control);
    int widest = hintedWidth(control);
    for (const QString& caption : captions) {
        if (caption == shown)
            continue;
        setCaption(control, caption);
        widest = std::max(widest, hintedWidth(control));
    }
    setCaption(control, shown);
    control->setMinimumWidth(widest);
}

} // namespace

void reserveCaptionWidths(QWidget* root)
{
    // One walk through the controls instead of one search of the whole tree for each caption.
    QHash<QString, QWidget*> controls;
    for (QWidget* control : root->findChildren<QWidget*>()) {
        if (!control->objectName().isEmpty() && !controls.contains(control->objectName()))
            controls.insert(control->objectName(), control);
    }
    for (const CaptionPair& caption : mainWindowCaptions()) {
        if (QWidget* control = controls.value(caption.objectName);
            control && !captionOf(control).isEmpty())
            reserveWidth(control, {caption.french, caption.english});
    }
    if (auto* label4 = qobject_cast<QLabel*>(controls.value(QStringLiteral("Label4")))) {
        reserveWidth(label4, {profitCaption(true, false), profitCaption(false, false),
                              profitCaption(true, true), profitCaption(false, true)});
    }
}
