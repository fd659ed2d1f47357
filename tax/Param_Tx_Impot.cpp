#include "Param_Tx_Impot.h"

#include "Message.h"
#include "Messenger.h"
#include "NumericFilter.h"
#include "RateEntry.h"
#include "SettingsKeys.h"
#include "TaxRates.h"
#include "Twips.h"
#include "TypedLength.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {

// The most characters the user may type into a rate box.
constexpr int typedLength = 5;

} // namespace

Param_Tx_Impôt::Param_Tx_Impôt(const IniStore& store, Messenger& messenger, QWidget* parent)
    : QDialog(parent), m_store(store), m_messenger(messenger)
{
    setObjectName(QStringLiteral("Param_Tx_Impôt"));
    setWindowTitle(QStringLiteral("Paramétrage des taux d'imposition"));
    setModal(true);
    buildControls();
    Form_Load();
    m_boxes[0]->setFocus();
}

void Param_Tx_Impôt::buildControls()
{
    // Margins and gaps are those of the design, in twips from the dialog's edges and controls.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(twipsToX(840), twipsToY(120), twipsToX(3690 - 1920 - 975),
                             twipsToY(2205 - 1680 - 375));
    grid->setHorizontalSpacing(twipsToX(1920 - 840 - 690));
    grid->setVerticalSpacing(twipsToY(600 - 120 - 285));
    grid->setColumnMinimumWidth(0, twipsToX(690));

    for (int i = 0; i < 3; ++i) {
        const QString number = QString::number(i + 1);
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String("Text_Taux") + number);
        // A stored or tidied rate is shown whole, as it would be stored again.
        limitTyping(box, typedLength);
        box->setFixedWidth(twipsToX(975));
        NumericFilter::install(box, NumericKind::Decimal, /*beepOnSecondPoint*/ true);

        auto* label = new QLabel(QStringLiteral("Taux n° ") + number, this);
        label->setObjectName(QLatin1String("Label") + number);
        label->setBuddy(box);

        grid->addWidget(label, i, 0, Qt::AlignLeft | Qt::AlignVCenter);
        grid->addWidget(box, i, 1);
        m_boxes[i] = box;
    }

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("Bout_Ok_Taux"));
    ok->setDefault(true);
    ok->setMinimumSize(twipsToX(1335), twipsToY(375));
    connect(ok, &QPushButton::clicked, this, [this] { Bout_Ok_Taux_Click(); });
    // The button sits further below the last box than the boxes sit from each other.
    const int extraGap = twipsToY((1680 - 1080 - 285) - (600 - 120 - 285));
    grid->setRowMinimumHeight(3, ok->sizeHint().height() + extraGap);
    grid->addWidget(ok, 3, 0, 1, 2, Qt::AlignHCenter | Qt::AlignBottom);

    setTabOrder(m_boxes[0], m_boxes[1]);
    setTabOrder(m_boxes[1], m_boxes[2]);
    setTabOrder(m_boxes[2], ok);

    // The design size, unless the fonts in use need more room.
    setFixedSize(QSize(twipsToX(3690), twipsToY(2205)).expandedTo(minimumSizeHint()));
}

void Param_Tx_Impôt::Form_Load()
{
    if (const QScreen* shownOn = parentWidget() ? parentWidget()->screen() : screen()) {
        const QRect area = shownOn->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }

    const RateTexts defaults = defaultRates();
    for (int i = 0; i < 3; ++i) {
        const QString stored = m_store.Lire_Ini(settingsSection(), rateKey(i));
        showRateText(i, stored.trimmed().isEmpty() ? defaults[i] : stored);
    }
}

void Param_Tx_Impôt::Bout_Ok_Taux_Click()
{
    RateTexts rates;
    for (int i = 0; i < 3; ++i) {
        rates[i] = tidyRate(m_boxes[i]->text());
        // The tidied text stays on screen even when a check below refuses the rates.
        if (rates[i] != m_boxes[i]->text())
            showRateText(i, rates[i]);
    }

    if (const std::optional<RateRefusal> refusal = checkRates(rates, QLocale())) {
        m_messenger.inform(
            {QStringLiteral("Erreur de saisie"), refusal->text, MessageIcon::Exclamation});
        QLineEdit* box = m_boxes[refusal->index];
        box->clear();
        box->setFocus();
        return;
    }

    for (int i = 0; i < 3; ++i)
        m_store.Ecrire_Ini(settingsSection(), rateKey(i), rates[i]);
    accept();
}

void Param_Tx_Impôt::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Param_Tx_Impôt::showRateText(int index, const QString& text)
{
    showWhole(m_boxes[index], text);
}

int Param_Tx_Impôt::twipsToX(int twips) const
{
    return twipsToPixels(twips, logicalDpiX());
}

int Param_Tx_Impôt::twipsToY(int twips) const
{
    return twipsToPixels(twips, logicalDpiY());
}
