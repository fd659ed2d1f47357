#include "CompareWindow.h"

#include "ComparisonText.h"
#include "Language.h"
#include "OwnerHeader.h"
#include "WindowPlacement.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

constexpr int rowRole = Qt::UserRole;      // the row's place in the ranking
constexpr int sortRole = Qt::UserRole + 1; // what a click on the heading sorts by

// Amounts sort as numbers, names and remarks as text; a row without an amount goes last.
class SortedItem : public QTableWidgetItem
{
public:
    using QTableWidgetItem::QTableWidgetItem;

    bool operator<(const QTableWidgetItem& other) const override
    {
        const QVariant mine = data(sortRole);
        const QVariant theirs = other.data(sortRole);
        if (mine.typeId() == QMetaType::Double && theirs.typeId() == QMetaType::Double)
            return mine.toDouble() < theirs.toDouble();
        return QString::localeAwareCompare(mine.toString(), theirs.toString()) < 0;
    }
};

// A heading of several words on as many lines as its longest word needs: the columns of amounts
// need no more than their sums.
QString onLines(const QString& heading)
{
    const QStringList words = heading.split(u' ');
    qsizetype width = 8;
    for (const QString& word : words)
        width = std::max(width, word.size());
    QStringList lines;
    for (const QString& word : words) {
        if (!lines.isEmpty() && lines.last().size() + 1 + word.size() <= width)
            lines.last() += u' ' + word;
        else
            lines << word;
    }
    return lines.join(u'\n');
}

// The name and the remarks wrap at this many average characters, at the narrowest.
constexpr int narrowColumn = 10;

} // namespace

CompareWindow::CompareWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("CompareWindow"));
    summaryLabel = new QLabel(this);
    summaryLabel->setObjectName(QStringLiteral("summaryLabel"));
    summaryLabel->setWordWrap(true);
    table = new QTableWidget(0, int(comparisonHeadings(false).size()), this);
    table->setObjectName(QStringLiteral("comparison"));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    // The amounts as wide as they are; the name and the remarks wrap where the window is
    // narrower than they are long, each row as tall as its cells.
    QHeaderView* header = table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(table->columnCount() - 1, QHeaderView::Stretch);
    header->setSortIndicatorShown(true);
    header->setSectionsClickable(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table->setWordWrap(true);
    table->setTextElideMode(Qt::ElideNone);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A wrapping column resized: its rows take the height their cells now need.
    connect(header, &QHeaderView::sectionResized, this, [this](int column) {
        if (column == 0 || column == table->columnCount() - 1)
            table->resizeRowsToContents();
    });
    connect(header, &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) {
                table->sortItems(column, order);
                spanRefusals();
            });
    summaryLabel->setBuddy(table);

    useButton = new QPushButton(this);
    useButton->setObjectName(QStringLiteral("useButton"));
    copyButton = new QPushButton(this);
    copyButton->setObjectName(QStringLiteral("copyButton"));
    closeButton = new QPushButton(this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(useButton);
    buttons->addStretch();
    buttons->addWidget(copyButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summaryLabel);
    layout->addWidget(table, 1);
    layout->addLayout(buttons);

    auto* copying = new QAction(this);
    copying->setShortcut(QKeySequence::Copy);
    addAction(copying);
    auto* closing = new QAction(this);
    closing->setShortcut(Qt::Key_Escape);
    addAction(closing);
    connect(copying, &QAction::triggered, this, &CompareWindow::copyToClipboard);
    connect(copyButton, &QPushButton::clicked, this, &CompareWindow::copyToClipboard);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(closing, &QAction::triggered, this, &QWidget::close);
    connect(useButton, &QPushButton::clicked, this, &CompareWindow::useSelected);
    connect(table, &QTableWidget::itemSelectionChanged, this, &CompareWindow::selectionChanged);
    connect(table, &QTableWidget::cellDoubleClicked, this, &CompareWindow::useSelected);
    applyTexts();
}

void CompareWindow::showRows(const QString& summary, const QList<ComparisonRow>& rows)
{
    m_summary = summary;
    m_rows = rows;
    m_incomplete = false;
    summaryLabel->setText(summary);
    fillTable();
}

void CompareWindow::showIncomplete()
{
    m_incomplete = true;
    m_rows.clear();
    applyTexts();
}

void CompareWindow::setEnglish(bool english)
{
    if (m_english == english)
        return;
    m_english = english;
    applyTexts();
}

void CompareWindow::applyTexts()
{
    setWindowTitle(pick(m_english, QStringLiteral("Comparer les barèmes"),
                        QStringLiteral("Compare schedules")));
    QStringList headings = comparisonHeadings(m_english);
    for (QString& heading : headings)
        heading = onLines(heading);
    table->setHorizontalHeaderLabels(headings);
    useButton->setText(pick(m_english, QStringLiteral("&Utiliser ce barème"),
                            QStringLiteral("&Use this schedule")));
    copyButton->setText(pick(m_english, QStringLiteral("&Copier"), QStringLiteral("&Copy")));
    closeButton->setText(pick(m_english, QStringLiteral("&Fermer"), QStringLiteral("C&lose")));
    if (m_incomplete) {
        m_summary = pick(m_english,
                         QStringLiteral("Les données de la transaction sont incomplètes ou "
                                        "incorrectes : la comparaison reprendra dès qu'elles "
                                        "seront valables."),
                         QStringLiteral("The trade data are incomplete or wrong: the comparison "
                                        "will resume as soon as they are valid."));
        summaryLabel->setText(m_summary);
    }
    fillTable();
}

namespace {

QVariant sortKey(const ComparisonRow& row, int column, const QString& text)
{
    if (column == 0 || column >= 6 || !row.error.isEmpty() || text.isEmpty())
        return column == 0 || column >= 6 ? QVariant(text)
                                          : QVariant(std::numeric_limits<double>::max());
    const SellingPrice& result = row.result;
    switch (column) {
    case 1:
        return result.purchaseFee;
    case 2:
        return result.costPrice;
    case 3:
        return row.rankedPrice();
    case 4:
        return row.reaching ? row.reaching->fee.fee : result.saleFee;
    default:
        return row.reaching ? row.reaching->profitAfterTax : result.profitAfterTax;
    }
}

} // namespace

void CompareWindow::fillTable()
{
    const QLocale locale;
    // The user's choice stays chosen when the rows come again, wherever it now ranks.
    const QString chosen = selectedName();
    table->setRowCount(int(m_rows.size()));
    table->clearSpans();
    for (int r = 0; r < table->rowCount(); ++r) {
        const ComparisonRow& row = m_rows[r];
        const QStringList cells = comparisonCells(row, m_english, locale);
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new SortedItem(cells[c]);
            item->setData(rowRole, r);
            item->setData(sortRole, sortKey(row, c, cells[c]));
            if (c > 0 && c < cells.size() - 1 && row.error.isEmpty())
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (row.cheapest || row.inUse) {
                QFont font = item->font();
                font.setBold(row.cheapest);
                font.setItalic(row.inUse);
                item->setFont(font);
            }
            table->setItem(r, c, item);
        }
    }
    const QHeaderView* header = table->horizontalHeader();
    if (header->sortIndicatorSection() >= 0)
        table->sortItems(header->sortIndicatorSection(), header->sortIndicatorOrder());
    spanRefusals();
    fitColumns();
    table->clearSelection();
    int select = -1;
    for (int r = 0; r < table->rowCount(); ++r) {
        if (!chosen.isEmpty() && table->item(r, 0)->text() == chosen)
            select = r;
    }
    // The cheapest, when it is not in use already, is the one the user most likely wants.
    if (select < 0 && chosen.isEmpty() && !m_rows.isEmpty() && m_rows.front().cheapest &&
        !m_rows.front().inUse) {
        for (int r = 0; r < table->rowCount(); ++r) {
            if (table->item(r, 0)->data(rowRole).toInt() == 0)
                select = r;
        }
    }
    if (select >= 0)
        table->selectRow(select);
    selectionChanged();
}

void CompareWindow::spanRefusals()
{
    // A refusal's reason reads across the amounts' columns of its row, wherever it is sorted.
    table->clearSpans();
    for (int r = 0; r < table->rowCount(); ++r) {
        const int row = table->item(r, 0)->data(rowRole).toInt();
        if (!m_rows[row].error.isEmpty())
            table->setSpan(r, 1, 1, table->columnCount() - 2);
    }
}

int CompareWindow::columnNeed(int column) const
{
    // The heading on its lines (the header's own hint reads it as one line), its sort mark, and
    // the cells on one line.
    const QHeaderView* header = table->horizontalHeader();
    const QString heading = table->model()->headerData(column, Qt::Horizontal).toString();
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const int mark = style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, header);
    const int title = header->fontMetrics().size(0, heading).width() + 2 * margin + mark;
    // Every cell of the column on one line; a refusal reads across the amounts, not in one.
    int cells = 0;
    const int padding =
        2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1) + 2;
    for (int r = 0; r < table->rowCount(); ++r) {
        const QTableWidgetItem* item = table->item(r, column);
        if (!item || table->columnSpan(r, column) > 1)
            continue;
        QFont font = item->font();
        cells = std::max(cells, QFontMetrics(font).horizontalAdvance(item->text()) + padding);
    }
    return std::max(title, cells);
}

void CompareWindow::fitColumns()
{
    // The amounts as wide as they are; the name as wide as the longest, up to a width at which
    // a long one wraps instead.
    table->setColumnWidth(0, std::min(columnNeed(0), narrowestColumn(0)));
    for (int c = 1; c < table->columnCount() - 1; ++c)
        table->setColumnWidth(c, columnNeed(c));
    table->resizeRowsToContents();
}

QString CompareWindow::selectedName() const
{
    const QList<QTableWidgetSelectionRange> ranges = table->selectedRanges();
    if (ranges.isEmpty() || !table->item(ranges.front().topRow(), 0))
        return {};
    return table->item(ranges.front().topRow(), 0)->text();
}

int CompareWindow::selectedRow() const
{
    const QList<QTableWidgetSelectionRange> ranges = table->selectedRanges();
    if (ranges.isEmpty() || !table->item(ranges.front().topRow(), 0))
        return -1;
    return table->item(ranges.front().topRow(), 0)->data(rowRole).toInt();
}

void CompareWindow::selectionChanged()
{
    const int row = selectedRow();
    const bool usable = row >= 0 && row < m_rows.size() && !m_rows[row].inUse;
    useButton->setEnabled(usable && useSchedule);
    copyButton->setEnabled(!m_rows.isEmpty());
}

void CompareWindow::useSelected()
{
    const int selected = selectedRow();
    if (selected < 0 || selected >= m_rows.size() || !useSchedule)
        return;
    // A copy: the owner shows new rows once the switch is made.
    const ComparisonRow row = m_rows[selected];
    if (!row.inUse)
        useSchedule(row.name);
}

QString CompareWindow::plainText() const
{
    return comparisonPlainText(m_summary, m_rows, m_english, QLocale());
}

void CompareWindow::copyToClipboard() const
{
    if (m_rows.isEmpty())
        return;
    QApplication::clipboard()->setText(plainText());
}

QSize CompareWindow::fittingSize() const
{
    // Every row and every column in full: the table's own hint stops at what a scroll area
    // thinks reasonable.
    const QHeaderView* header = table->horizontalHeader();
    QSize needed(2 * table->frameWidth() + table->verticalScrollBar()->sizeHint().width(),
                 2 * table->frameWidth() + header->sizeHint().height());
    for (int c = 0; c < table->columnCount(); ++c)
        needed.rwidth() += columnNeed(c);
    for (int r = 0; r < table->rowCount(); ++r)
        needed.rheight() += table->verticalHeader()->sectionSize(r);
    const QMargins margins = layout()->contentsMargins();
    const QSize chrome(margins.left() + margins.right(),
                       sizeHint().height() - table->sizeHint().height());
    return (needed + chrome).expandedTo(QSize(minimumSizeHint().width(), 0));
}

int CompareWindow::wrappedWidth() const
{
    // What the name and the remarks give up at their narrowest.
    int saved = 0;
    for (const int c : {0, table->columnCount() - 1})
        saved += std::max(0, columnNeed(c) - narrowestColumn(c));
    return saved;
}

int CompareWindow::narrowestColumn(int column) const
{
    // A wrapped cell breaks between words only: its longest word, in bold for the cheapest, and
    // its heading fit whole.
    const QHeaderView* header = table->horizontalHeader();
    const QString heading = table->model()->headerData(column, Qt::Horizontal).toString();
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    QFont bold = header->font();
    bold.setBold(true);
    // The sort mark, when the column is sorted by, may take the heading's margin.
    int widest = QFontMetrics(bold).size(0, heading).width() + 2 * margin;
    QFont cellFont = table->font();
    cellFont.setBold(true);
    const QFontMetrics metrics(cellFont);
    const int padding =
        2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1) + 2;
    for (int r = 0; r < table->rowCount(); ++r) {
        const QTableWidgetItem* item = table->item(r, column);
        if (!item)
            continue;
        for (const QString& word : item->text().split(u' '))
            widest = std::max(widest, metrics.horizontalAdvance(word) + padding);
    }
    return std::max(widest, table->fontMetrics().averageCharWidth() * narrowColumn);
}

void CompareWindow::showBeside(const QWidget& owner, const QRect& fields)
{
    if (!isVisible()) {
        const bool sized = m_placed && size() != m_placedGeometry.size();
        const bool moved = m_placed && pos() != m_placedGeometry.topLeft();
        m_placed = true;
        const QSize frame = owner.frameGeometry().size() - owner.geometry().size();
        // Narrowed to the room beside the owner down to the width at which the name and the
        // remarks wrap; the amounts never are.
        const QSize fitting = fittingSize();
        const int narrowest = fitting.width() - wrappedWidth();
        const QSize wanted = sized ? size() : fitting;
        const WindowPlacement placement = placeBeside(
            owner.screen()->availableGeometry(), owner.frameGeometry(), fields, frame, wanted,
            QSize(narrowest, minimumSizeHint().height()), narrowest, ownerHeaderBottom(owner));
        resize(placement.size);
        // Narrowed, the wrapped rows are taller: as tall as they are, as far as the screen
        // goes below where the window starts.
        const QRect area = owner.screen()->availableGeometry();
        QSize fitted = placement.size;
        if (!sized) {
            layout()->activate();
            // The table lays its columns out only once it shows: its rows are measured here
            // at the width the remarks will have.
            int others = 0;
            for (int c = 0; c < table->columnCount() - 1; ++c)
                others += table->columnWidth(c);
            const int remarks = table->width() - 2 * table->frameWidth() -
                                table->verticalScrollBar()->sizeHint().width() - others;
            int rows = 0;
            for (int r = 0; r < table->rowCount(); ++r) {
                int row = table->fontMetrics().height();
                for (const int c : {0, table->columnCount() - 1}) {
                    const QTableWidgetItem* item = table->item(r, c);
                    const int width = c == 0 ? table->columnWidth(0) : remarks;
                    row = std::max(row, QFontMetrics(item->font())
                                            .boundingRect(QRect(0, 0, width - 8, 100000),
                                                          Qt::TextWordWrap, item->text())
                                            .height());
                }
                rows += row + 6;
            }
            const int needed = height() - table->height() + 2 * table->frameWidth() +
                               table->horizontalHeader()->sizeHint().height() + rows + 2;
            const int room = area.bottom() + 1 - placement.topLeft.y() - frame.height();
            fitted.setHeight(std::max(minimumSizeHint().height(), std::min(needed, room)));
            resize(fitted);
        }
        // Where the user put it, but whole on the screen at its new size.
        move(moved ? keptInArea(area, pos(), fitted + frame) : placement.topLeft);
        m_placedGeometry = QRect(pos(), size());
    }
    show();
    raise();
    activateWindow();
}
