#include "CaptionWidths.h"

#include "Captions.h"

#include <QLabel>

#include <algorithm>

namespace {

void reserveWidth(QWidget* control, const QStringList& captions)
{
    const QString shown = captionOf(control);
    int widest = 0;
    for (const QString& caption : captions) {
        setCaption(control, caption);
        widest =
            std::max({widest, control->sizeHint().width(), control->minimumSizeHint().width()});
    }
    setCaption(control, shown);
    control->setMinimumWidth(widest);
}

} // namespace

void reserveCaptionWidths(QWidget* root)
{
    for (const CaptionPair& caption : mainWindowCaptions()) {
        if (auto* control = root->findChild<QWidget*>(caption.objectName);
            control && !captionOf(control).isEmpty())
            reserveWidth(control, {caption.french, caption.english});
    }
    if (auto* label4 = root->findChild<QLabel*>(QStringLiteral("Label4"))) {
        reserveWidth(label4, {profitCaption(true, false), profitCaption(false, false),
                              profitCaption(true, true), profitCaption(false, true)});
    }
}
