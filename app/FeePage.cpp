#include "FeePage.h"

#include "FieldWidth.h"
#include "NumberText.h"
#include "NumericFilter.h"
#include "OptionGroupFocus.h"
#include "ReadingLabel.h"
#include "ScheduleBar.h"
#include "ScheduleField.h"
#include "SetTextIfChanged.h"
#include "TypedLength.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString numbered(const char* prefix, int index)
{
    return QLatin1String(prefix) + QString::number(index + 1);
}

QLabel* label(QWidget* parent, const QString& name, const QString& text)
{
    auto* result = new QLabel(text, parent);
    result->setObjectName(name);
    return result;
}

// The fields carry their bracket in their accessible names: the words between them would only be
// three more items per row for a screen reader.
QLabel* rowWord(QWidget* parent, const char* name, const QString& text)
{
    auto* word = new ReadingLabel(LabelReading::Decoration, parent);
    word->setObjectName(QLatin1String(name));
    word->setText(text);
    QFont font = word->font();
    font.setBold(true);
    word->setFont(font);
    return word;
}

QLabel* heading(QWidget* parent, const QString& name, const QString& text)
{
    auto* result = label(parent, name, text);
    result->setAlignment(Qt::AlignCenter);
    return result;
}

QLineEdit* numericEdit(QWidget* parent, const QString& name, NumericKind kind)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    limitTyping(edit, 8);
    edit->setFixedWidth(fieldWidth(edit, 8));
    NumericFilter::install(edit, kind);
    return edit;
}

// The bold row words of each bracket, as they were named when the page was first drawn.
struct RowWords
{
    const char* from;
    const char* to;
    const char* arrow;
};
constexpr std::array<RowWords, bracketCount> rowWords{{
    {"Label6", "Label10", "Label14"},
    {"Label15", "Label16", "Label19"},
    {"Label17", "Label18", "Label20"},
    {"Label21", "Label22", "Label23"},
    {"Label24", "Label25", "Label26"},
}};

} // namespace

FeePage::FeePage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FeePage"));

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    grid->addWidget(heading(this, QStringLiteral("Label7"), QStringLiteral("Fourchette basse")), 0,
                    1);
    grid->addWidget(heading(this, QStringLiteral("Label11"), QStringLiteral("Fourchette haute")), 0,
                    3);
    grid->addWidget(heading(this, QStringLiteral("Label12"), QStringLiteral("Frais")), 0, 5);
    grid->addWidget(heading(this, QStringLiteral("Label13"), QStringLiteral("Type de frais")), 0,
                    6);

    for (int n = 0; n < bracketCount; ++n) {
        FeeRow& row = rows[n];
        row.lower = numericEdit(this, numbered("Text_FB", n), NumericKind::WholeNumber);
        row.upper = numericEdit(this, numbered("Text_FH", n), NumericKind::WholeNumber);
        row.fee = numericEdit(this, numbered("Text_F", n), NumericKind::Decimal);
        row.frame = new QGroupBox(this);
        row.frame->setObjectName(numbered("Frame", n));
        row.frame->setFlat(true);
        row.percentage = new QRadioButton(QStringLiteral("%"), row.frame);
        row.percentage->setObjectName(numbered("Pourcentage", n));
        row.value = new QRadioButton(QStringLiteral("valeur"), row.frame);
        row.value->setObjectName(numbered("Valeur", n));
        row.value->setChecked(true);
        // The fields have no caption of their own beside them: screen readers get one here.
        const QString bracket = QString::number(n + 1);
        row.lower->setAccessibleName(QStringLiteral("Fourchette basse ") + bracket);
        row.upper->setAccessibleName(QStringLiteral("Fourchette haute ") + bracket);
        row.fee->setAccessibleName(QStringLiteral("Frais ") + bracket);
        row.percentage->setAccessibleName(QStringLiteral("Frais en pourcentage ") + bracket);
        row.value->setAccessibleName(QStringLiteral("Frais en valeur ") + bracket);
        OptionGroupFocus::install(row.percentage);
        OptionGroupFocus::install(row.value);
        auto* typeLayout = new QHBoxLayout(row.frame);
        typeLayout->setContentsMargins(4, 0, 4, 0);
        typeLayout->addWidget(row.percentage);
        typeLayout->addWidget(row.value);

        const RowWords& words = rowWords[n];
        const int line = n + 1;
        grid->addWidget(rowWord(this, words.from, QStringLiteral("De")), line, 0);
        grid->addWidget(row.lower, line, 1);
        grid->addWidget(rowWord(this, words.to, QStringLiteral("à")), line, 2);
        grid->addWidget(row.upper, line, 3);
        grid->addWidget(rowWord(this, words.arrow, QStringLiteral("=>")), line, 4);
        grid->addWidget(row.fee, line, 5);
        grid->addWidget(row.frame, line, 6);
    }

    Label8 = label(this, QStringLiteral("Label8"), QStringLiteral("Minimum"));
    Text_Mini = numericEdit(this, QStringLiteral("Text_Mini"), NumericKind::Decimal);
    Label9 = label(this, QStringLiteral("Label9"), QStringLiteral("Maximum"));
    Text_Maxi = numericEdit(this, QStringLiteral("Text_Maxi"), NumericKind::Decimal);
    Label8->setBuddy(Text_Mini);
    Label9->setBuddy(Text_Maxi);
    Bout_EffaceFrais = new QPushButton(QStringLiteral("Éffacer les frais de co&urtage"), this);
    Bout_EffaceFrais->setObjectName(QStringLiteral("Bout_EffaceFrais"));
    Bout_EffaceFrais->setAutoDefault(true);

    auto* limits = new QHBoxLayout;
    limits->addWidget(Label8);
    limits->addWidget(Text_Mini);
    limits->addWidget(Label9);
    limits->addWidget(Text_Maxi);
    limits->addStretch();
    limits->addWidget(Bout_EffaceFrais);

    scheduleBar = new ScheduleBar(this);

    auto* page = new QVBoxLayout(this);
    page->addLayout(grid);
    page->addLayout(limits);
    page->addStretch();
}

ScheduleTexts FeePage::schedule() const
{
    ScheduleTexts result;
    for (int n = 0; n < bracketCount; ++n)
        result.brackets[n] = rows[n].texts();
    result.minimum = Text_Mini->text();
    result.maximum = Text_Maxi->text();
    return result;
}

void FeePage::setSchedule(const ScheduleTexts& schedule)
{
    for (int n = 0; n < bracketCount; ++n)
        rows[n].setTexts(schedule.brackets[n]);
    setTextIfChanged(Text_Mini, schedule.minimum);
    setTextIfChanged(Text_Maxi, schedule.maximum);
}

QList<QWidget*> FeePage::keyboardOrder() const
{
    QList<QWidget*> order;
    for (const FeeRow& row : rows)
        order += row.keyboardOrder();
    order << Text_Mini << Text_Maxi << Bout_EffaceFrais << scheduleBar->Combo_Bareme
          << scheduleBar->Bout_Baremes;
    return order;
}

QWidget* FeePage::field(const ScheduleFieldRef& ref) const
{
    const FeeRow& row = rows[qBound(0, ref.bracket, bracketCount - 1)];
    switch (ref.field) {
    case ScheduleField::Upper:
        return row.upper;
    case ScheduleField::Fee:
        return row.fee;
    case ScheduleField::FeeType:
        return row.percentage->isChecked() ? row.percentage : row.value;
    case ScheduleField::Minimum:
        return Text_Mini;
    case ScheduleField::Maximum:
        return Text_Maxi;
    case ScheduleField::Lower:
        break;
    }
    return row.lower;
}

void FeePage::clearNoLimits()
{
    if (plainNumber(Text_Mini->text()) == 0)
        Text_Mini->clear();
    const double maximum = plainNumber(Text_Maxi->text());
    if (maximum == 0 || maximum == openBound)
        Text_Maxi->clear();
}
