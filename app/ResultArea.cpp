#include "ResultArea.h"

#include "NoteMark.h"
#include "ReadingLabel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption)
{
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    return box;
}

// Named by its frame's caption unless the frame holds more than one result.
QLabel* resultLabel(QGroupBox* frame, const QString& name, const QString& accessibleName = {})
{
    auto* label = new ReadingLabel(LabelReading::Result, frame);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    // Selectable by mouse but no tab stop: the Tab key stays among the page's controls, and a
    // screen reader finds the results in the window's reading order, after the pages.
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setAccessibleName(accessibleName);
    auto* layout = qobject_cast<QVBoxLayout*>(frame->layout());
    if (!layout)
        layout = new QVBoxLayout(frame);
    layout->addWidget(label);
    return label;
}

} // namespace

ResultArea::ResultArea(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ResultArea"));

    Frame_Px_Revient =
        frame(this, QStringLiteral("Frame_Px_Revient"), QStringLiteral("Prix de revient unitaire"));
    Frame_Px_Vente =
        frame(this, QStringLiteral("Frame_Px_Vente"), QStringLiteral("Prix de vente minimum"));
    Frame_Bén_Avt_Impôt =
        frame(this, QStringLiteral("Frame_Bén_Avt_Impôt"), QStringLiteral("Bénéfice avant impôt"));
    Frame_Bén_Après_Impôt = frame(this, QStringLiteral("Frame_Bén_Après_Impôt"),
                                  QStringLiteral("Bénéfice après impôt"));
    Frame_Frais = frame(this, QStringLiteral("Frame_Frais"), QStringLiteral("Frais de courtage"));

    Text_Px_Rev = resultLabel(Frame_Px_Revient, QStringLiteral("Text_Px_Rev"));
    Text_pv = resultLabel(Frame_Px_Vente, QStringLiteral("Text_pv"));
    // The warning sits right of the price, the information mark left of it; both keep their
    // room when hidden, so the price never moves. Their pictures come with the first note:
    // under a desktop's icon theme, finding one costs more than the rest of the window.
    const int mark = style()->pixelMetric(QStyle::PM_SmallIconSize);
    Marque_Px_Vente = new NoteMark(Frame_Px_Vente);
    Marque_Px_Vente->setObjectName(QStringLiteral("Marque_Px_Vente"));
    Marque_Px_Vente->setFixedSize(mark, mark);
    Info_Px_Vente = new NoteMark(Frame_Px_Vente);
    Info_Px_Vente->setObjectName(QStringLiteral("Info_Px_Vente"));
    Info_Px_Vente->setFixedSize(mark, mark);
    auto* priceRow = new QHBoxLayout;
    priceRow->addWidget(Info_Px_Vente);
    priceRow->addWidget(Text_pv, 1);
    priceRow->addWidget(Marque_Px_Vente);
    auto* priceLayout = qobject_cast<QVBoxLayout*>(Frame_Px_Vente->layout());
    priceLayout->removeWidget(Text_pv);
    priceLayout->addLayout(priceRow);
    Text_Bén_Avt_Impôt = resultLabel(Frame_Bén_Avt_Impôt, QStringLiteral("Text_Bén_Avt_Impôt"));
    Text_Bén_Après_Impôt =
        resultLabel(Frame_Bén_Après_Impôt, QStringLiteral("Text_Bén_Après_Impôt"));
    Text_Frais_Achat = resultLabel(Frame_Frais, QStringLiteral("Text_Frais_Achat"),
                                   QStringLiteral("Frais de courtage à l'achat"));
    Text_Frais_Vente = resultLabel(Frame_Frais, QStringLiteral("Text_Frais_Vente"),
                                   QStringLiteral("Frais de courtage à la vente"));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(Frame_Px_Revient, 0, 0);
    grid->addWidget(Frame_Px_Vente, 0, 1);
    grid->addWidget(Frame_Bén_Avt_Impôt, 1, 0);
    grid->addWidget(Frame_Bén_Après_Impôt, 1, 1);
    grid->addWidget(Frame_Frais, 0, 2, 2, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);

    setFramesVisible(false);
}

void ResultArea::setShortNote(const QString& note)
{
    static_cast<NoteMark*>(Marque_Px_Vente)
        ->setNote(note.isEmpty() ? QIcon() : style()->standardIcon(QStyle::SP_MessageBoxWarning),
                  Frame_Px_Vente->title(), note);
}

void ResultArea::setShortfallNote(const QString& note)
{
    static_cast<NoteMark*>(Info_Px_Vente)
        ->setNote(note.isEmpty() ? QIcon()
                                 : style()->standardIcon(QStyle::SP_MessageBoxInformation),
                  Frame_Px_Vente->title(), note);
}

QList<QLabel*> ResultArea::labels() const
{
    return {Text_Px_Rev,          Text_pv,          Text_Bén_Avt_Impôt,
            Text_Bén_Après_Impôt, Text_Frais_Achat, Text_Frais_Vente};
}

void ResultArea::setOutOfDate(bool outOfDate, const QString& note)
{
    // Disabled labels take the palette's dimmed text, and assistive technology says so.
    for (QLabel* label : labels()) {
        label->setEnabled(!outOfDate);
        label->setToolTip(outOfDate ? note : QString());
    }
    // A disabled label draws its pixmap in the style's dimmed look.
    Marque_Px_Vente->setEnabled(!outOfDate);
    Info_Px_Vente->setEnabled(!outOfDate);
}

bool ResultArea::outOfDate() const
{
    return !Text_pv->isEnabled();
}

void ResultArea::setFramesVisible(bool visible)
{
    for (QGroupBox* box : {Frame_Px_Revient, Frame_Px_Vente, Frame_Bén_Avt_Impôt,
                           Frame_Bén_Après_Impôt, Frame_Frais})
        box->setVisible(visible);
}

bool ResultArea::framesVisible() const
{
    return !Frame_Px_Vente->isHidden();
}
