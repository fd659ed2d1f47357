#include "DetailsWindow.h"

#include "ChartPainting.h"
#include "DetailsDocument.h"
#include "DetailsPrint.h"
#include "DetailsText.h"
#include "Language.h"
#include "NumberText.h"
#include "NumericFilter.h"
#include "ProfitChart.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// The longest readout: amount, bracket, fee, two profits and the target.
constexpr int readoutLines = 6;

template <typename T> T* named(T* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace

DetailsWindow::DetailsWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(u"DetailsWindow"_s);

    working = named(new QTextBrowser(this), u"working"_s);
    working->setOpenLinks(false);
    working->setMinimumWidth(480);

    priceFrame = named(new QGroupBox(this), u"priceFrame"_s);
    priceLabel = named(new QLabel(priceFrame), u"priceLabel"_s);
    priceField = named(new QLineEdit(priceFrame), u"priceField"_s);
    priceField->setMaxLength(10);
    NumericFilter::install(priceField, NumericKind::Decimal);
    priceLabel->setBuddy(priceField);
    auto* priceLayout = new QGridLayout(priceFrame);
    priceLayout->addWidget(priceLabel, 0, 0);
    priceLayout->addWidget(priceField, 0, 1);
    for (int i = 0; i < readoutLines; ++i) {
        readoutLabels << new QLabel(priceFrame);
        readoutValues << new QLabel(priceFrame);
        readoutValues.last()->setTextInteractionFlags(Qt::TextSelectableByMouse);
        readoutValues.last()->setWordWrap(true);
        readoutLabels.last()->setBuddy(readoutValues.last());
        priceLayout->addWidget(readoutLabels.last(), i + 1, 0, Qt::AlignTop);
        priceLayout->addWidget(readoutValues.last(), i + 1, 1);
    }
    priceLayout->setColumnStretch(1, 1);
    priceFrame->setMinimumWidth(360);

    ladderFrame = named(new QGroupBox(this), u"ladderFrame"_s);
    ladder = named(new QTableWidget(0, 4, ladderFrame), u"ladder"_s);
    ladder->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ladder->verticalHeader()->hide();
    ladder->horizontalHeader()->setStretchLastSection(true);
    ladder->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ladder->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ladder->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ladder->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    ladder->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ladder->setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* ladderLayout = new QVBoxLayout(ladderFrame);
    ladderLayout->addWidget(ladder);

    copyButton = named(new QPushButton(this), u"copyButton"_s);
    printButton = named(new QPushButton(this), u"printButton"_s);
    closeButton = named(new QPushButton(this), u"closeButton"_s);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copyButton);
    buttons->addWidget(printButton);
    buttons->addWidget(closeButton);

    chart = new ProfitChart(this);
    auto* right = new QVBoxLayout;
    right->addWidget(priceFrame);
    right->addWidget(chart, 1);
    auto* columns = new QHBoxLayout;
    columns->addWidget(working, 1);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(ladderFrame);
    layout->addLayout(buttons);

    m_copy = new QAction(this);
    m_copy->setShortcut(QKeySequence::Copy);
    addAction(m_copy);
    auto* closing = new QAction(this);
    closing->setShortcut(Qt::Key_Escape);
    addAction(closing);
    // Ctrl+C copies the whole working unless a field holds a selection of its own.
    priceField->installEventFilter(this);
    working->installEventFilter(this);

    connect(m_copy, &QAction::triggered, this, &DetailsWindow::copyToClipboard);
    connect(copyButton, &QPushButton::clicked, this, &DetailsWindow::copyToClipboard);
    connect(printButton, &QPushButton::clicked, this, &DetailsWindow::print);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(closing, &QAction::triggered, this, &QWidget::close);
    connect(priceField, &QLineEdit::textChanged, this, &DetailsWindow::priceEdited);
    applyTexts();
}

void DetailsWindow::showCalculation(const CalculationDetails& details)
{
    m_details = details;
    applyTexts();
    const QString price = QString::number(details.result.price, 'f', 2);
    if (priceField->text() == price)
        priceEdited();
    else
        priceField->setText(price);
}

void DetailsWindow::showBeside(const QWidget& owner)
{
    if (!m_placed) {
        m_placed = true;
        adjustSize();
        const QRect area = owner.screen()->availableGeometry();
        const QRect beside = owner.frameGeometry();
        const int right = beside.right() + 1;
        const int left = beside.left() - frameGeometry().width();
        const int x = right + frameGeometry().width() <= area.right() + 1 ? right
                      : left >= area.left()                               ? left
                                                                          : area.left();
        // A window taller than the screen keeps its title bar on it.
        const int lowest = area.bottom() + 1 - frameGeometry().height();
        move(x, std::max(area.top(), std::min(beside.top(), lowest)));
    }
    show();
    raise();
    activateWindow();
}

void DetailsWindow::setEnglish(bool english)
{
    if (m_english == english)
        return;
    m_english = english;
    applyTexts();
}

void DetailsWindow::applyTexts()
{
    const bool en = m_english;
    setWindowTitle(detailsTitle(en));
    priceFrame->setTitle(pick(en, u"Bénéfice à un autre prix"_s, u"Profit at another price"_s));
    priceLabel->setText(pick(en, u"&Prix de vente par action :"_s, u"Selling &price per share:"_s));
    ladderFrame->setTitle(
        pick(en, u"Prix minimum pour d'autres objectifs"_s, u"Minimum price for other targets"_s));
    ladder->setHorizontalHeaderLabels(ladderHeader(en));
    copyButton->setText(pick(en, u"&Copier"_s, u"&Copy"_s));
    printButton->setText(pick(en, u"&Imprimer…"_s, u"&Print…"_s));
    closeButton->setText(pick(en, u"&Fermer"_s, u"C&lose"_s));
    working->setAccessibleName(pick(en, u"Détail du calcul"_s, u"Calculation details"_s));
    ladder->setAccessibleName(ladderFrame->title());
    if (!m_details)
        return;
    working->setHtml(detailsHtml(*m_details, en, QLocale(), false));
    m_curve = profitCurve(*m_details);
    chart->setCurve(m_curve, chartDescription(m_curve, *m_details, en, QLocale()));
    chart->setAccessibleName(pick(en, u"Graphique du bénéfice"_s, u"Profit chart"_s));
    // The whole working shows at once, without a scroll bar, at the narrowest the view gets,
    // unless that would make the window too tall for the screen.
    const int frame = 2 * working->frameWidth();
    QTextDocument* document = working->document();
    document->setTextWidth(working->minimumWidth() - frame);
    const int roomy = screen()->availableGeometry().height() * 9 / 20;
    working->setMinimumHeight(std::min(int(document->size().height()) + frame, roomy));
    showLadder();
    priceEdited();
}

void DetailsWindow::showLadder()
{
    ladder->setRowCount(int(m_details->ladder.size()));
    for (int row = 0; row < ladder->rowCount(); ++row) {
        const LadderRow& rung = m_details->ladder[row];
        const QStringList cells = ladderCells(rung, *m_details, m_english, QLocale());
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column < 3)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            QFont font = item->font();
            font.setBold(rung.own);
            item->setFont(font);
            ladder->setItem(row, column, item);
        }
    }
    ladder->resizeColumnsToContents();
    ladder->resizeRowsToContents();
    // Every rung shows: there are at most eight.
    int height = ladder->horizontalHeader()->height() + 2 * ladder->frameWidth();
    for (int row = 0; row < ladder->rowCount(); ++row)
        height += ladder->rowHeight(row);
    ladder->setFixedHeight(height);
}

void DetailsWindow::priceEdited()
{
    if (!m_details)
        return;
    const double price = plainNumber(priceField->text());
    const SaleAtPrice sale = saleAtPrice(m_details->schedule, m_details->basis, price);
    chart->setTypedPrice(price);
    const QList<DetailLine> lines = saleLines(sale, *m_details, m_english, QLocale());
    for (int i = 0; i < readoutLines; ++i) {
        const bool used = i < lines.size();
        readoutLabels[i]->setText(used ? lines[i].label : QString());
        readoutValues[i]->setText(used ? lines[i].value : QString());
        readoutValues[i]->setAccessibleName(readoutLabels[i]->text());
    }
}

QString DetailsWindow::plainText() const
{
    return m_details ? detailsPlainText(*m_details, m_english, QLocale()) : QString();
}

void DetailsWindow::copyToClipboard() const
{
    QApplication::clipboard()->setText(plainText());
}

void DetailsWindow::print()
{
    if (!m_details)
        return;
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    printTo(printer);
}

void DetailsWindow::printTo(QPagedPaintDevice& device) const
{
    if (!m_details)
        return;
    // Printed dark on white whatever the screen's theme, the curve and the target apart.
    QPalette paper(Qt::black, Qt::white, Qt::lightGray, Qt::darkGray, Qt::gray, Qt::black,
                   Qt::white);
    paper.setColor(QPalette::Highlight, QColor(0x1f, 0x5f, 0xa8));
    paper.setColor(QPalette::Link, QColor(0xc0, 0x5a, 0x00));
    const ProfitCurve curve = m_curve;
    const PrintedPicture picture{
        QSizeF(640, 320),
        [curve, colours = ChartColours::from(paper)](QPainter& painter, const QRectF& area) {
            const QLocale locale;
            paintProfitChart(painter,
                             chartFrame(area, curve, QFontMetricsF(painter.font()), locale), curve,
                             std::nullopt, colours, locale);
        }};
    printOnOnePage(detailsHtml(*m_details, m_english, QLocale(), true), picture, device);
}

bool DetailsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        const bool selection = watched == priceField ? priceField->hasSelectedText()
                                                     : working->textCursor().hasSelection();
        // Left unaccepted, the key goes to the window's own copy shortcut.
        if (!selection)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}
