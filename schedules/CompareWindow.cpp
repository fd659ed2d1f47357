#include "CompareWindow.h"

#include "ComparisonText.h"
#include "Language.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
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
    table->horizontalHeader()->setStretchLastSection(true);
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
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
    summaryLabel->setText(summary);
    fillTable();
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
    QApplication::clipboard()->setText(plainText());
}

void CompareWindow::showBeside(const QWidget& owner)
{
    if (!m_placed) {
        m_placed = true;
        const QRect area = owner.screen()->availableGeometry();
        // The whole table where the screen allows, which adjustSize() would cut to two thirds.
        resize(sizeHint().boundedTo(area.size() - (frameGeometry().size() - size())));
        const QRect beside = owner.frameGeometry();
        const int x = std::clamp(beside.right() + 1, area.left(),
                                 std::max(area.left(), area.right() + 1 - frameGeometry().width()));
        move(x, std::max(area.top(), beside.top()));
    }
    show();
    raise();
    activateWindow();
}
