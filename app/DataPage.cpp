#include "DataPage.h"

#include "SetTextIfChanged.h"

#include "FieldWidth.h"
#include "NumericFilter.h"
#include "OptionGroupFocus.h"
#include "TypedLength.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <typename T> T* named(T* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

QLineEdit* numericEdit(QWidget* parent, const QString& name, int maxLength, NumericKind kind)
{
    auto* edit = named(new QLineEdit(parent), name);
    limitTyping(edit, maxLength);
    edit->setFixedWidth(fieldWidth(edit, maxLength));
    NumericFilter::install(edit, kind);
    return edit;
}

} // namespace

DataPage::DataPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("DataPage"));

    Label1 = named(new QLabel(QStringLiteral("Prix d'achat"), this), QStringLiteral("Label1"));
    Text_pa = numericEdit(this, QStringLiteral("Text_pa"), 10, NumericKind::Decimal);
    Label2 = named(new QLabel(QStringLiteral("Nombre d'actions"), this), QStringLiteral("Label2"));
    Text_nb = numericEdit(this, QStringLiteral("Text_nb"), 5, NumericKind::WholeNumber);
    Label4 = named(new QLabel(QStringLiteral("Bénéfice désiré (0 - 100)"), this),
                   QStringLiteral("Label4"));
    Text_ben = numericEdit(this, QStringLiteral("Text_ben"), 5, NumericKind::Decimal);
    Label1->setBuddy(Text_pa);
    Label2->setBuddy(Text_nb);
    Label4->setBuddy(Text_ben);

    Frame_Type_Benefice = named(new QGroupBox(QStringLiteral("Type de &bénéfice recherché"), this),
                                QStringLiteral("Frame_Type_Benefice"));
    Pourcentage = named(new QRadioButton(QStringLiteral("&Pourcentage"), Frame_Type_Benefice),
                        QStringLiteral("Pourcentage"));
    Numéraire = named(new QRadioButton(QStringLiteral("&Numéraire"), Frame_Type_Benefice),
                      QStringLiteral("Numéraire"));
    Pourcentage->setChecked(true);
    auto* profitLayout = new QVBoxLayout(Frame_Type_Benefice);
    profitLayout->addWidget(Pourcentage);
    profitLayout->addWidget(Numéraire);

    Frame_Impots = named(new QGroupBox(QStringLiteral("&Imposition des plus-values"), this),
                         QStringLiteral("Frame_Impots"));
    dix = named(new QRadioButton(QStringLiteral("10 %"), Frame_Impots), QStringLiteral("dix"));
    vingt_six =
        named(new QRadioButton(QStringLiteral("26 %"), Frame_Impots), QStringLiteral("vingt_six"));
    trente_deux = named(new QRadioButton(QStringLiteral("32.5 %"), Frame_Impots),
                        QStringLiteral("trente_deux"));
    vingt_six->setChecked(true);
    for (QRadioButton* option : {Pourcentage, Numéraire, dix, vingt_six, trente_deux})
        OptionGroupFocus::install(option);
    auto* taxLayout = new QVBoxLayout(Frame_Impots);
    taxLayout->addWidget(dix);
    taxLayout->addWidget(vingt_six);
    taxLayout->addWidget(trente_deux);

    Bout_Calculer =
        named(new QPushButton(QStringLiteral("&CALCULER"), this), QStringLiteral("Bout_Calculer"));
    Bout_Efface = named(new QPushButton(QStringLiteral("Éffacer les &données"), this),
                        QStringLiteral("Bout_Efface"));
    // Enter presses the focused command button, and the calculate button everywhere else.
    Bout_Calculer->setDefault(true);
    Bout_Calculer->setAutoDefault(true);
    Bout_Efface->setAutoDefault(true);

    auto* fields = new QGridLayout;
    fields->addWidget(Label1, 0, 0);
    fields->addWidget(Text_pa, 0, 1, Qt::AlignLeft);
    fields->addWidget(Label2, 1, 0);
    fields->addWidget(Text_nb, 1, 1, Qt::AlignLeft);
    fields->addWidget(Label4, 2, 0);
    fields->addWidget(Text_ben, 2, 1, Qt::AlignLeft);
    fields->setColumnStretch(1, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(Bout_Calculer);
    buttons->addWidget(Bout_Efface);
    buttons->addStretch();

    auto* top = new QHBoxLayout;
    top->addLayout(fields, 1);
    top->addLayout(buttons);

    auto* frames = new QHBoxLayout;
    frames->addWidget(Frame_Type_Benefice, 1);
    frames->addWidget(Frame_Impots, 1);

    auto* page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addLayout(frames);
    page->addStretch();
}

QList<QWidget*> DataPage::keyboardOrder() const
{
    return {Text_pa, Text_nb,   Text_ben,    Pourcentage,   Numéraire,
            dix,     vingt_six, trente_deux, Bout_Calculer, Bout_Efface};
}

TradeTexts DataPage::trade() const
{
    return {Text_pa->text(), Text_nb->text(), Text_ben->text()};
}

void DataPage::writeTrade(const TradeTexts& trade)
{
    setTextIfChanged(Text_pa, trade.price);
    setTextIfChanged(Text_nb, trade.shares);
    setTextIfChanged(Text_ben, trade.profit);
}

QLineEdit* DataPage::field(TradeField field) const
{
    switch (field) {
    case TradeField::Shares:
        return Text_nb;
    case TradeField::Profit:
        return Text_ben;
    case TradeField::Price:
        break;
    }
    return Text_pa;
}

int DataPage::taxOption() const
{
    if (dix->isChecked())
        return 0;
    return vingt_six->isChecked() ? 1 : 2;
}

QRadioButton* DataPage::selectedTaxOption() const
{
    if (dix->isChecked())
        return dix;
    return vingt_six->isChecked() ? vingt_six : trente_deux;
}
