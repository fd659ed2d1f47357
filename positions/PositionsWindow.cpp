#include "PositionsWindow.h"

#include "CalcMessages.h"
#include "FeeRules.h"
#include "GainsWindow.h"
#include "Holding.h"
#include "IniStore.h"
#include "Language.h"
#include "MainWindowSeam.h"
#include "Messenger.h"
#include "MovementsCsv.h"
#include "NumberText.h"
#include "PositionSale.h"
#include "PositionTexts.h"
#include "ResultTexts.h"
#include "ScheduleBook.h"
#include "TaxPresets.h"
#include "TaxRates.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

enum MovementColumn
{
    DateColumn,
    KindColumn,
    SharesColumn,
    PriceColumn,
    FeeColumn,
    TaxesColumn,
};

QTableWidgetItem* cell(const QString& text, bool editable = false)
{
    auto* item = new QTableWidgetItem(text);
    if (!editable)
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

// A whole number of shares, at least one.
std::optional<qint64> sharesOf(const QString& text)
{
    bool ok = false;
    const qint64 shares = text.trimmed().toLongLong(&ok);
    if (!ok || shares <= 0)
        return std::nullopt;
    return shares;
}

QDate dateOf(const QString& text)
{
    const QDate iso = QDate::fromString(text.trimmed(), Qt::ISODate);
    return iso.isValid() ? iso : QDate::fromString(text.trimmed(), u"dd/MM/yyyy"_s);
}

} // namespace

PositionsWindow::PositionsWindow(PositionStore& store, QString settingsPath, Messenger& messenger,
                                 MainWindowSeam& seam, DetailsOpener openDetails, QWidget* parent)
    : QWidget(parent, Qt::Window), m_store(store), m_settingsPath(std::move(settingsPath)),
      m_messenger(messenger), m_seam(seam), m_openDetails(std::move(openDetails)),
      m_english(isEnglish(seam.languageCode()))
{
    setObjectName(u"PositionsWindow"_s);
    build();
    reload();
}

void PositionsWindow::build()
{
    const bool en = m_english;
    setWindowTitle(u"Positions"_s);
    auto* layout = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    m_positions = new QTableWidget(0, 5, this);
    m_positions->setObjectName(u"positionList"_s);
    m_positions->setHorizontalHeaderLabels({pick(en, u"Position"_s, u"Position"_s),
                                            pick(en, u"Actions"_s, u"Shares"_s),
                                            pick(en, u"Coût total"_s, u"Total cost"_s),
                                            pick(en, u"Prix de revient"_s, u"Cost price"_s),
                                            pick(en, u"Résultat réalisé"_s, u"Realised result"_s)});
    m_positions->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_positions->setSelectionMode(QAbstractItemView::SingleSelection);
    m_positions->verticalHeader()->hide();
    left->addWidget(m_positions);
    m_showClosed = new QCheckBox(
        pick(en, u"Afficher les positions &soldées"_s, u"&Show closed positions"_s), this);
    left->addWidget(m_showClosed);
    auto* fileButtons = new QHBoxLayout;
    auto* importButton = new QPushButton(pick(en, u"&Importer…"_s, u"&Import…"_s), this);
    auto* exportButton = new QPushButton(pick(en, u"E&xporter…"_s, u"E&xport…"_s), this);
    fileButtons->addWidget(importButton);
    fileButtons->addWidget(exportButton);
    auto* gainsButton =
        new QPushButton(pick(en, u"&Plus-values par année…"_s, u"&Gains by year…"_s), this);
    fileButtons->addWidget(gainsButton);
    connect(gainsButton, &QPushButton::clicked, this, &PositionsWindow::openGains);
    left->addLayout(fileButtons);

    auto* positionBox = new QGroupBox(pick(en, u"Position"_s, u"Position"_s), this);
    auto* positionForm = new QFormLayout(positionBox);
    m_name = new QLineEdit(positionBox);
    m_code = new QLineEdit(positionBox);
    m_schedule = new QComboBox(positionBox);
    m_preset = new QComboBox(positionBox);
    m_purchaseRate = new QLineEdit(positionBox);
    m_saleRate = new QLineEdit(positionBox);
    m_saleCap = new QLineEdit(positionBox);
    positionForm->addRow(pick(en, u"&Nom :"_s, u"&Name:"_s), m_name);
    positionForm->addRow(pick(en, u"Code (ISIN) :"_s, u"Code (ISIN):"_s), m_code);
    positionForm->addRow(pick(en, u"Barème :"_s, u"Fee schedule:"_s), m_schedule);
    positionForm->addRow(pick(en, u"Taxes connues :"_s, u"Known taxes:"_s), m_preset);
    positionForm->addRow(pick(en, u"Taxe à l'achat (%) :"_s, u"Purchase tax (%):"_s),
                         m_purchaseRate);
    positionForm->addRow(pick(en, u"Taxe à la vente (%) :"_s, u"Sale tax (%):"_s), m_saleRate);
    positionForm->addRow(pick(en, u"Plafond par vente (€) :"_s, u"Cap per sale (€):"_s), m_saleCap);
    auto* positionButtons = new QHBoxLayout;
    auto* newButton = new QPushButton(pick(en, u"Nou&velle"_s, u"Ne&w"_s), positionBox);
    auto* saveButton = new QPushButton(pick(en, u"&Enregistrer"_s, u"S&ave"_s), positionBox);
    auto* deleteButton =
        new QPushButton(pick(en, u"Supprimer la position"_s, u"Delete position"_s), positionBox);
    positionButtons->addWidget(newButton);
    positionButtons->addWidget(saveButton);
    positionButtons->addWidget(deleteButton);
    positionForm->addRow(positionButtons);
    left->addWidget(positionBox);
    layout->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    m_movements = new QTableWidget(0, 6, this);
    m_movements->setObjectName(u"movementTable"_s);
    m_movements->setHorizontalHeaderLabels(
        {pick(en, u"Date"_s, u"Date"_s), pick(en, u"Opération"_s, u"Kind"_s),
         pick(en, u"Actions"_s, u"Shares"_s), pick(en, u"Prix"_s, u"Price"_s),
         pick(en, u"Frais"_s, u"Fee"_s), pick(en, u"Taxes"_s, u"Taxes"_s)});
    m_movements->verticalHeader()->hide();
    m_movements->setSelectionBehavior(QAbstractItemView::SelectRows);
    right->addWidget(m_movements);

    auto* form = new QHBoxLayout;
    m_kind = new QComboBox(this);
    m_kind->addItem(kindText(MovementKind::Purchase, en), int(MovementKind::Purchase));
    m_kind->addItem(kindText(MovementKind::Sale, en), int(MovementKind::Sale));
    m_date = new QDateEdit(QDate::currentDate(), this);
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(en ? u"yyyy-MM-dd"_s : u"dd/MM/yyyy"_s);
    m_shares = new QLineEdit(this);
    m_price = new QLineEdit(this);
    m_fee = new QLineEdit(this);
    m_taxes = new QLineEdit(this);
    m_shares->setPlaceholderText(pick(en, u"actions"_s, u"shares"_s));
    m_price->setPlaceholderText(pick(en, u"prix"_s, u"price"_s));
    m_fee->setPlaceholderText(pick(en, u"frais"_s, u"fee"_s));
    m_taxes->setPlaceholderText(pick(en, u"taxes"_s, u"taxes"_s));
    auto* addButton = new QPushButton(pick(en, u"A&jouter"_s, u"A&dd"_s), this);
    auto* sellButton = new QPushButton(pick(en, u"Ve&ndre…"_s, u"Se&ll…"_s), this);
    auto* deleteLine = new QPushButton(pick(en, u"Supprimer la ligne"_s, u"Delete line"_s), this);
    for (QWidget* widget : {static_cast<QWidget*>(m_kind), static_cast<QWidget*>(m_date),
                            static_cast<QWidget*>(m_shares), static_cast<QWidget*>(m_price),
                            static_cast<QWidget*>(m_fee), static_cast<QWidget*>(m_taxes),
                            static_cast<QWidget*>(addButton), static_cast<QWidget*>(sellButton),
                            static_cast<QWidget*>(deleteLine)})
        form->addWidget(widget);
    right->addLayout(form);

    auto* saleBox = new QGroupBox(pick(en, u"Prix de vente"_s, u"Selling price"_s), this);
    auto* saleForm = new QFormLayout(saleBox);
    m_sellShares = new QLineEdit(saleBox);
    m_sellShares->setPlaceholderText(pick(en, u"toutes"_s, u"all"_s));
    m_profit = new QLineEdit(saleBox);
    auto* percent = new QRadioButton(u"%"_s, saleBox);
    auto* euros = new QRadioButton(u"€"_s, saleBox);
    percent->setChecked(true);
    m_mode = new QButtonGroup(saleBox);
    m_mode->addButton(percent, 1);
    m_mode->addButton(euros, 0);
    auto* profitRow = new QHBoxLayout;
    profitRow->addWidget(m_profit);
    profitRow->addWidget(percent);
    profitRow->addWidget(euros);
    m_taxOption = new QComboBox(saleBox);
    const RateTexts rates = loadCalculationRates(IniStore(m_settingsPath), locale());
    for (int i = 0; i < 3; ++i)
        m_taxOption->addItem(rateCaption(rates[size_t(i)]), rateValue(rates[size_t(i)], locale()));
    m_taxOption->setCurrentIndex(std::clamp(m_seam.taxOption(), 0, 2));
    m_saleSchedule = new QComboBox(saleBox);
    saleForm->addRow(pick(en, u"Actions à vendre :"_s, u"Shares to sell:"_s), m_sellShares);
    // The caption names the profit field, which its access key reaches.
    auto* profitLabel =
        new QLabel(pick(en, u"&Bénéfice souhaité :"_s, u"&Wanted profit:"_s), saleBox);
    profitLabel->setBuddy(m_profit);
    saleForm->addRow(profitLabel, profitRow);
    saleForm->addRow(pick(en, u"Taux d'imposition :"_s, u"Tax rate:"_s), m_taxOption);
    saleForm->addRow(pick(en, u"Barème de la vente :"_s, u"Schedule of the sale:"_s),
                     m_saleSchedule);
    auto* saleButtons = new QHBoxLayout;
    auto* calculateButton = new QPushButton(pick(en, u"&Calculer"_s, u"&Calculate"_s), saleBox);
    m_details = new QPushButton(pick(en, u"Détail du calcul"_s, u"Calculation details"_s), saleBox);
    m_details->setEnabled(false);
    saleButtons->addWidget(calculateButton);
    saleButtons->addWidget(m_details);
    saleForm->addRow(saleButtons);
    m_result = new QLabel(saleBox);
    m_result->setObjectName(u"positionResult"_s);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    saleForm->addRow(m_result);
    right->addWidget(saleBox);
    layout->addLayout(right, 2);

    for (const QString& name : scheduleChoices()) {
        m_schedule->addItem(name.isEmpty() ? inUseCaption() : name, name);
        m_saleSchedule->addItem(name.isEmpty() ? inUseCaption() : name, name);
    }
    m_preset->addItem(pick(en, u"(aucune ou saisie)"_s, u"(none or typed)"_s));
    for (const TaxPreset& preset : taxPresets())
        m_preset->addItem(pick(en, preset.french, preset.english) + u" ("_s +
                          QString::number(preset.year) + u')');

    connect(m_positions, &QTableWidget::itemSelectionChanged, this, &PositionsWindow::showPosition);
    connect(m_showClosed, &QCheckBox::toggled, this, &PositionsWindow::reload);
    connect(newButton, &QPushButton::clicked, this, &PositionsWindow::newPosition);
    connect(saveButton, &QPushButton::clicked, this, &PositionsWindow::savePosition);
    connect(deleteButton, &QPushButton::clicked, this, &PositionsWindow::deletePosition);
    connect(m_preset, &QComboBox::activated, this, [this](int index) {
        if (index <= 0)
            return;
        const TaxPreset preset = taxPresets().value(index - 1);
        m_purchaseRate->setText(preset.purchaseRate);
        m_saleRate->setText(preset.saleRate);
        m_saleCap->setText(preset.saleCap);
    });
    connect(importButton, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(
            this, pick(m_english, u"Importer"_s, u"Import"_s), QString(), u"CSV (*.csv)"_s);
        if (!path.isEmpty())
            importFile(path);
    });
    connect(exportButton, &QPushButton::clicked, this, [this] {
        const QString path =
            QFileDialog::getSaveFileName(this, pick(m_english, u"Exporter"_s, u"Export"_s),
                                         u"positions.csv"_s, u"CSV (*.csv)"_s);
        if (!path.isEmpty())
            exportFile(path);
    });
    connect(addButton, &QPushButton::clicked, this, &PositionsWindow::addMovement);
    connect(sellButton, &QPushButton::clicked, this, [this] {
        m_kind->setCurrentIndex(1);
        m_shares->setFocus();
    });
    connect(deleteLine, &QPushButton::clicked, this, &PositionsWindow::deleteMovement);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &PositionsWindow::prefill);
    connect(m_shares, &QLineEdit::textEdited, this, &PositionsWindow::prefill);
    connect(m_price, &QLineEdit::textEdited, this, &PositionsWindow::prefill);
    connect(m_fee, &QLineEdit::textEdited, this, [this] { m_feeTyped = true; });
    connect(m_movements, &QTableWidget::cellChanged, this, &PositionsWindow::movementEdited);
    connect(calculateButton, &QPushButton::clicked, this, &PositionsWindow::calculate);
    connect(m_details, &QPushButton::clicked, this, &PositionsWindow::openDetails);
}

QString PositionsWindow::inUseCaption() const
{
    return pick(m_english, u"Barème en cours"_s, u"Schedule in use"_s);
}

QStringList PositionsWindow::scheduleChoices() const
{
    QStringList names = scheduleNames(IniStore(m_settingsPath), m_english);
    // The first is the one in use, which the fee page may hold changed and not yet saved.
    if (!names.isEmpty())
        names.removeFirst();
    names.prepend(QString());
    return names;
}

std::optional<Schedule> PositionsWindow::scheduleFor(const QString& name, bool withRules) const
{
    if (name.isEmpty()) {
        if (!withRules)
            return scheduleFromTexts(m_seam.feeSchedule());
        const std::optional<ScheduleTexts> texts = m_seam.feeScheduleAfterRules();
        if (!texts)
            return std::nullopt;
        return scheduleFromTexts(*texts);
    }
    const std::optional<ScheduleTexts> texts = loadNamedSchedule(IniStore(m_settingsPath), name);
    if (!texts)
        return std::nullopt;
    return scheduleFromTexts(*texts);
}

void PositionsWindow::reload()
{
    const std::optional<Position> selected = selectedPosition();
    m_all = m_store.positions();
    m_loading = true;
    m_positions->setRowCount(0);
    const QLocale here = locale();
    for (const Position& position : std::as_const(m_all)) {
        const PositionHistory history = replay(position.movements);
        if (history.holding.closed() && !position.movements.isEmpty() && !m_showClosed->isChecked())
            continue;
        Money realised;
        for (const RealisedSale& sale : history.sales)
            realised += sale.gain;
        const int row = m_positions->rowCount();
        m_positions->insertRow(row);
        QTableWidgetItem* name = cell(position.name);
        name->setData(Qt::UserRole, position.id);
        name->setToolTip(position.code);
        m_positions->setItem(row, 0, name);
        m_positions->setItem(row, 1, cell(QString::number(history.holding.shares)));
        m_positions->setItem(row, 2, cell(moneyText(history.holding.cost, here)));
        m_positions->setItem(row, 3, cell(regionalText(history.holding.costPrice(), here)));
        m_positions->setItem(row, 4, cell(moneyText(realised, here)));
    }
    m_loading = false;
    if (m_gainsWindow && m_gainsWindow->isVisible())
        m_gainsWindow->refresh();
    if (selected)
        selectPosition(selected->name);
    else
        showPosition();
}

bool PositionsWindow::showsClosed() const
{
    return m_showClosed->isChecked();
}

void PositionsWindow::setShowClosed(bool shown)
{
    m_showClosed->setChecked(shown);
}

void PositionsWindow::selectPosition(const QString& name)
{
    for (int row = 0; row < m_positions->rowCount(); ++row) {
        if (m_positions->item(row, 0)->text() == name) {
            m_positions->selectRow(row);
            showPosition();
            return;
        }
    }
}

std::optional<Position> PositionsWindow::selectedPosition() const
{
    const QList<QTableWidgetItem*> items = m_positions->selectedItems();
    if (items.isEmpty())
        return std::nullopt;
    const qint64 id = m_positions->item(items.first()->row(), 0)->data(Qt::UserRole).toLongLong();
    for (const Position& position : m_all) {
        if (position.id == id)
            return position;
    }
    return std::nullopt;
}

void PositionsWindow::showPosition()
{
    if (m_loading)
        return;
    const std::optional<Position> position = selectedPosition();
    m_loading = true;
    m_movements->setRowCount(0);
    m_result->clear();
    m_details->setEnabled(false);
    m_lastCalculation.reset();
    if (position) {
        m_name->setText(position->name);
        m_code->setText(position->code);
        m_schedule->setCurrentIndex(std::max(0, m_schedule->findData(position->scheduleName)));
        m_saleSchedule->setCurrentIndex(m_schedule->currentIndex());
        m_purchaseRate->setText(position->purchaseTaxRate);
        m_saleRate->setText(position->saleTaxRate);
        m_saleCap->setText(position->saleTaxCap);
        const QLocale here = locale();
        for (const Movement& movement : inDateOrder(position->movements)) {
            const int row = m_movements->rowCount();
            m_movements->insertRow(row);
            QTableWidgetItem* date = cell(dateText(movement.date, m_english), true);
            date->setData(Qt::UserRole, movement.id);
            m_movements->setItem(row, DateColumn, date);
            QTableWidgetItem* kind = cell(kindText(movement.kind, m_english));
            kind->setData(Qt::UserRole, int(movement.kind));
            m_movements->setItem(row, KindColumn, kind);
            m_movements->setItem(row, SharesColumn, cell(QString::number(movement.shares), true));
            m_movements->setItem(row, PriceColumn, cell(movement.price.text(), true));
            m_movements->setItem(row, FeeColumn, cell(moneyText(movement.fee, here), true));
            m_movements->setItem(row, TaxesColumn, cell(moneyText(movement.taxes, here), true));
        }
    }
    m_loading = false;
}

void PositionsWindow::newPosition()
{
    m_positions->clearSelection();
    m_name->clear();
    m_code->clear();
    m_schedule->setCurrentIndex(0);
    m_preset->setCurrentIndex(0);
    m_purchaseRate->clear();
    m_saleRate->clear();
    m_saleCap->clear();
    m_name->setFocus();
}

void PositionsWindow::savePosition()
{
    Position position = selectedPosition().value_or(Position{});
    position.name = m_name->text().trimmed();
    position.code = m_code->text().trimmed();
    position.scheduleName = m_schedule->currentData().toString();
    position.purchaseTaxRate = m_purchaseRate->text().trimmed().replace(u',', u'.');
    position.saleTaxRate = m_saleRate->text().trimmed().replace(u',', u'.');
    position.saleTaxCap = m_saleCap->text().trimmed().replace(u',', u'.');
    if (position.name.isEmpty()) {
        m_messenger.inform(positionsMessage(
            pick(m_english, u"Donnez un nom à la position."_s, u"Give the position a name."_s),
            m_english));
        return;
    }
    for (const QString& rate : {position.purchaseTaxRate, position.saleTaxRate}) {
        const std::optional<Money> value = Money::parse(rate);
        if (!rate.isEmpty() && (!value || *value < Money() || *value >= Money::fromCents(10000))) {
            m_messenger.inform(
                positionsMessage(pick(m_english, u"Un taux de taxe va de 0 à moins de 100 %."_s,
                                      u"A tax rate goes from 0 to less than 100%."_s),
                                 m_english));
            return;
        }
    }
    if (!position.saleTaxCap.isEmpty() &&
        (!Money::parse(position.saleTaxCap) || *Money::parse(position.saleTaxCap) < Money())) {
        m_messenger.inform(positionsMessage(pick(m_english, u"Le plafond est une somme en euros."_s,
                                                 u"The cap is a sum in euros."_s),
                                            m_english));
        return;
    }
    const StoreChange change =
        position.id == 0 ? m_store.addPosition(position) : m_store.updatePosition(position);
    if (reportRefusal(change))
        return;
    reload();
    selectPosition(position.name);
}

void PositionsWindow::deletePosition()
{
    const std::optional<Position> position = selectedPosition();
    if (!position)
        return;
    Message question = positionsMessage(pick(m_english,
                                             u"Supprimer la position « "_s + position->name +
                                                 u" » et tous ses achats et ventes ?"_s,
                                             u"Delete the position \""_s + position->name +
                                                 u"\" and all its purchases and sales?"_s),
                                        m_english);
    question.icon = MessageIcon::Question;
    question.noByDefault = true;
    if (!m_messenger.confirm(question))
        return;
    reportRefusal(m_store.removePosition(position->id));
    reload();
}

void PositionsWindow::prefill()
{
    const std::optional<Position> position = selectedPosition();
    const std::optional<qint64> shares = sharesOf(m_shares->text());
    const std::optional<Money> price = Money::parse(m_price->text());
    if (!position || !shares || !price)
        return;
    const bool sale = m_kind->currentData().toInt() == int(MovementKind::Sale);
    if (!m_feeTyped) {
        if (const std::optional<Schedule> schedule = scheduleFor(position->scheduleName, false)) {
            if (const std::optional<Money> fee = scheduleFee(*schedule, *shares, *price))
                m_fee->setText(fee->centsText());
        }
    }
    const Money amount = *price * *shares;
    const Money taxes = sale ? taxOn(position->saleTaxRate, position->saleTaxCap, amount)
                             : taxOn(position->purchaseTaxRate, QString(), amount);
    m_taxes->setText(taxes.centsText());
}

void PositionsWindow::addMovement()
{
    const std::optional<Position> position = selectedPosition();
    if (!position)
        return;
    const std::optional<qint64> shares = sharesOf(m_shares->text());
    const std::optional<Money> price = Money::parse(m_price->text());
    const std::optional<Money> fee =
        m_fee->text().trimmed().isEmpty() ? Money() : Money::parse(m_fee->text());
    const std::optional<Money> taxes =
        m_taxes->text().trimmed().isEmpty() ? Money() : Money::parse(m_taxes->text());
    if (!shares || !price || !fee || !taxes || *price < Money() || *fee < Money() ||
        *taxes < Money()) {
        m_messenger.inform(positionsMessage(
            pick(m_english,
                 u"Saisissez un nombre entier d'actions, un prix, des frais et des taxes."_s,
                 u"Type a whole number of shares, a price, a fee and taxes."_s),
            m_english));
        return;
    }
    Movement movement;
    movement.date = m_date->date();
    movement.kind = MovementKind(m_kind->currentData().toInt());
    movement.shares = *shares;
    movement.price = *price;
    movement.fee = *fee;
    movement.taxes = *taxes;
    if (reportRefusal(m_store.addMovement(position->id, movement)))
        return;
    m_shares->clear();
    m_price->clear();
    m_fee->clear();
    m_taxes->clear();
    m_feeTyped = false;
    reload();
}

void PositionsWindow::movementEdited(int row, int column)
{
    Q_UNUSED(column);
    const std::optional<Position> position = selectedPosition();
    if (m_loading || !position)
        return;
    Movement movement;
    movement.id = m_movements->item(row, DateColumn)->data(Qt::UserRole).toLongLong();
    movement.kind = MovementKind(m_movements->item(row, KindColumn)->data(Qt::UserRole).toInt());
    movement.date = dateOf(m_movements->item(row, DateColumn)->text());
    const std::optional<qint64> shares = sharesOf(m_movements->item(row, SharesColumn)->text());
    const std::optional<Money> price = Money::parse(m_movements->item(row, PriceColumn)->text());
    const std::optional<Money> fee = Money::parse(m_movements->item(row, FeeColumn)->text());
    const std::optional<Money> taxes = Money::parse(m_movements->item(row, TaxesColumn)->text());
    if (!movement.date.isValid() || !shares || !price || !fee || !taxes) {
        m_messenger.inform(positionsMessage(
            pick(m_english, u"Cette valeur ne peut pas être lue : rien n'a été changé."_s,
                 u"That value cannot be read: nothing was changed."_s),
            m_english));
        showPosition();
        return;
    }
    movement.shares = *shares;
    movement.price = *price;
    movement.fee = *fee;
    movement.taxes = *taxes;
    reportRefusal(m_store.updateMovement(position->id, movement));
    reload();
}

void PositionsWindow::deleteMovement()
{
    const std::optional<Position> position = selectedPosition();
    const int row = m_movements->currentRow();
    if (!position || row < 0)
        return;
    Message question = positionsMessage(
        pick(m_english, u"Supprimer cette ligne ?"_s, u"Delete this line?"_s), m_english);
    question.icon = MessageIcon::Question;
    question.noByDefault = true;
    if (!m_messenger.confirm(question))
        return;
    const qint64 id = m_movements->item(row, DateColumn)->data(Qt::UserRole).toLongLong();
    reportRefusal(m_store.removeMovement(position->id, id));
    reload();
}

bool PositionsWindow::reportRefusal(const StoreChange& change)
{
    if (change.ok())
        return false;
    const StoreRefusal& refusal = change.refusals.first();
    switch (refusal.reason) {
    case StoreRefusal::Reason::Oversold:
        m_messenger.inform(oversoldMessage(refusal.movement, m_english));
        break;
    case StoreRefusal::Reason::NameTaken:
        m_messenger.inform(
            positionsMessage(pick(m_english, u"Une autre position porte déjà ce nom."_s,
                                  u"Another position already has that name."_s),
                             m_english));
        break;
    case StoreRefusal::Reason::NotFound:
    case StoreRefusal::Reason::Failed:
        m_messenger.inform(
            positionsMessage(pick(m_english, u"Les positions n'ont pas pu être enregistrées : "_s,
                                  u"The positions could not be saved: "_s) +
                                 refusal.detail,
                             m_english));
        break;
    }
    return true;
}

void PositionsWindow::calculate()
{
    m_result->clear();
    m_details->setEnabled(false);
    m_lastCalculation.reset();
    const std::optional<Position> position = selectedPosition();
    if (!position)
        return;
    const PositionHistory history = replay(position->movements);
    const QString sellText = m_sellShares->text().trimmed();
    const std::optional<qint64> shares =
        sellText.isEmpty() ? std::optional<qint64>(history.holding.shares) : sharesOf(sellText);
    const QString profitText = m_profit->text().trimmed();
    const std::optional<Money> profit = Money::parse(profitText.isEmpty() ? u"0"_s : profitText);
    if (!shares || *shares > history.holding.shares || *shares <= 0 || !profit ||
        *profit < Money()) {
        m_messenger.inform(positionsMessage(
            pick(m_english,
                 u"Saisissez un nombre d'actions au plus égal aux "_s +
                     QString::number(history.holding.shares) +
                     u" détenues et un bénéfice positif."_s,
                 u"Type a number of shares up to the "_s + QString::number(history.holding.shares) +
                     u" held and a profit of zero or more."_s),
            m_english));
        return;
    }
    const std::optional<Schedule> schedule =
        scheduleFor(m_saleSchedule->currentData().toString(), true);
    if (!schedule)
        return;
    PositionSaleRequest request;
    request.schedule = *schedule;
    request.shares = *shares;
    request.wantedProfit = profit->toDouble();
    request.percentMode = m_mode->checkedId() == 1;
    request.taxRate = m_taxOption->currentData().toDouble();
    request.rounding = m_seam.rounding();
    const std::optional<CalcOutcome> outcome = sellingPriceOf(*position, request);
    if (!outcome)
        return;
    if (!outcome->ok()) {
        m_messenger.inform(refusalMessage(*outcome, m_seam.languageCode()));
        return;
    }
    const SellingPrice& result = outcome->result;
    const QLocale here = locale();
    QStringList lines;
    lines << pick(m_english, u"Prix de revient moyen :"_s, u"Average cost price:"_s) +
                 Texte_Euros(result.costPrice, EurosVariant::Price);
    lines << pick(m_english, u"Prix de vente minimum :"_s, u"Minimum selling price:"_s) +
                 Texte_Euros(result.price, EurosVariant::Price);
    lines << pick(m_english, u"Frais de vente : "_s, u"Sale fee: "_s) +
                 feeEuros(result.saleFee, here);
    lines << pick(m_english, u"Taxe sur la vente : "_s, u"Sale tax: "_s) +
                 feeEuros(result.saleTax, here);
    lines << pick(m_english, u"Bénéfice avant impôt :"_s, u"Profit before tax:"_s) +
                 Texte_Euros(result.profitBeforeTax, EurosVariant::Profit);
    lines << pick(m_english, u"Bénéfice après impôt :"_s, u"Profit after tax:"_s) +
                 Texte_Euros(result.profitAfterTax, EurosVariant::Profit);
    if (result.inexact)
        lines << shortPriceNote(result, here, m_english);
    m_result->setText(lines.join(u'\n'));

    // The details window works from the shares sold at the average cost price, as here.
    CalculationInput calculation;
    calculation.schedule = *schedule;
    calculation.held =
        SharesSale{double(*shares), history.holding.costPrice(), request.wantedProfit,
                   request.percentMode, saleTaxOf(*position).value_or(TransactionTax{})};
    calculation.trade = Trade{calculation.held->costPrice, calculation.held->shares,
                              request.wantedProfit, request.percentMode};
    calculation.taxRate = request.taxRate;
    calculation.rounding = request.rounding;
    m_lastCalculation = calculation;
    m_details->setEnabled(bool(m_openDetails));
}

void PositionsWindow::openDetails()
{
    if (m_lastCalculation && m_openDetails)
        m_openDetails(*m_lastCalculation);
}

void PositionsWindow::importFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_messenger.inform(positionsMessage(pick(m_english, u"Le fichier ne peut pas être lu : "_s,
                                                 u"The file cannot be read: "_s) +
                                                file.errorString(),
                                            m_english));
        return;
    }
    const CsvMovements read = readMovementsCsv(file.readAll(), m_english);
    QList<CsvLineError> errors = read.errors;
    if (read.ok()) {
        const StoreChange change = m_store.importMovements(read.movements);
        for (const StoreRefusal& refusal : change.refusals) {
            if (refusal.reason != StoreRefusal::Reason::Oversold) {
                reportRefusal(change);
                return;
            }
            errors.append(
                {refusal.line, pick(m_english, u"vente de plus d'actions que détenues à sa date"_s,
                                    u"a sale of more shares than held on its date"_s)});
        }
    }
    if (!errors.isEmpty()) {
        QStringList lines{pick(m_english, u"Rien n'a été importé :"_s, u"Nothing was imported:"_s)};
        for (const CsvLineError& error : std::as_const(errors))
            lines.append(pick(m_english, u"ligne "_s, u"line "_s) + QString::number(error.line) +
                         u" : "_s + error.reason);
        m_messenger.inform(positionsMessage(lines.join(u"\n"_s), m_english));
        return;
    }
    reload();
}

void PositionsWindow::exportFile(const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(writeMovementsCsv(m_store.positions())) < 0 || !file.commit()) {
        m_messenger.inform(
            positionsMessage(pick(m_english, u"Le fichier ne peut pas être écrit : "_s,
                                  u"The file cannot be written: "_s) +
                                 file.errorString(),
                             m_english));
    }
}

GainsWindow* PositionsWindow::openGains()
{
    if (!m_gainsWindow)
        m_gainsWindow =
            new GainsWindow([this] { return m_store.positions(); }, m_messenger, m_english, this);
    m_gainsWindow->refresh();
    m_gainsWindow->show();
    m_gainsWindow->raise();
    return m_gainsWindow;
}
