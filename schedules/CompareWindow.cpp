#include "CompareWindow.h"

#include "ComparisonText.h"
#include "Language.h"
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
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

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
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    // A cell on one line, its column as wide as it needs, rather than two lines cut in half;
    // on a narrow screen the table scrolls rather than cut the last column.
    table->setWordWrap(false);
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
    table->setHorizontalHeaderLabels(comparisonHeadings(m_english));
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

void CompareWindow::fillTable()
{
    const QLocale locale;
    table->setRowCount(int(m_rows.size()));
    table->clearSpans();
    for (int r = 0; r < table->rowCount(); ++r) {
        const ComparisonRow& row = m_rows[r];
        const QStringList cells = comparisonCells(row, m_english, locale);
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
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
        if (!row.error.isEmpty())
            table->setSpan(r, 1, 1, int(cells.size()) - 2);
    }
    // The cheapest, when it is not in use already, is the one the user most likely wants.
    if (!m_rows.isEmpty() && m_rows.front().cheapest && !m_rows.front().inUse)
        table->selectRow(0);
    selectionChanged();
}

void CompareWindow::selectionChanged()
{
    const QList<QTableWidgetSelectionRange> ranges = table->selectedRanges();
    const bool usable = !ranges.isEmpty() && !m_rows[ranges.front().topRow()].inUse;
    useButton->setEnabled(usable && useSchedule);
    copyButton->setEnabled(!m_rows.isEmpty());
}

void CompareWindow::useSelected()
{
    const QList<QTableWidgetSelectionRange> ranges = table->selectedRanges();
    if (ranges.isEmpty() || !useSchedule)
        return;
    // A copy: the owner shows new rows once the switch is made.
    const ComparisonRow row = m_rows[ranges.front().topRow()];
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
    const QAbstractItemView* view = table;
    QSize needed(2 * table->frameWidth(), 2 * table->frameWidth() + header->sizeHint().height());
    for (int c = 0; c < table->columnCount(); ++c)
        needed.rwidth() += std::max(header->sectionSizeHint(c), view->sizeHintForColumn(c));
    for (int r = 0; r < table->rowCount(); ++r)
        needed.rheight() += table->verticalHeader()->sectionSize(r);
    const QMargins margins = layout()->contentsMargins();
    const QSize chrome(margins.left() + margins.right(),
                       sizeHint().height() - table->sizeHint().height());
    return (needed + chrome).expandedTo(QSize(minimumSizeHint().width(), 0));
}

void CompareWindow::showBeside(const QWidget& owner, const QRect& fields)
{
    if (!isVisible()) {
        const bool sized = m_placed && size() != m_placedGeometry.size();
        const bool moved = m_placed && pos() != m_placedGeometry.topLeft();
        m_placed = true;
        const QSize frame = owner.frameGeometry().size() - owner.geometry().size();
        // Never narrowed to the room beside the owner: a table read through a horizontal scroll
        // bar is no comparison.
        const auto placed = [&](const QSize& wanted) {
            return placeBeside(owner.screen()->availableGeometry(), owner.frameGeometry(), fields,
                               frame, wanted, minimumSizeHint(), QWIDGETSIZE_MAX);
        };
        QSize wanted = sized ? size() : fittingSize();
        WindowPlacement placement = placed(wanted);
        // Narrowed by the screen, it scrolls sideways: the scroll bar must not hide a row.
        if (!sized && placement.size.width() < wanted.width()) {
            wanted.rheight() += table->horizontalScrollBar()->sizeHint().height();
            placement = placed(wanted);
        }
        resize(placement.size);
        // Where the user put it, but whole on the screen at its new size.
        move(moved ? keptInArea(owner.screen()->availableGeometry(), pos(), placement.size + frame)
                   : placement.topLeft);
        m_placedGeometry = QRect(pos(), size());
    }
    show();
    raise();
    activateWindow();
}
