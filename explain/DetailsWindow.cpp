#include "DetailsWindow.h"

#include "ChartPainting.h"
#include "DetailsDocument.h"
#include "DetailsPrint.h"
#include "DetailsText.h"
#include "Language.h"
#include "NumberText.h"
#include "NumericFilter.h"
#include "OwnerHeader.h"
#include "ProfitChart.h"
#include "WindowPlacement.h"

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
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStandardPaths>
#include <QStyle>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// The longest readout: amount, bracket, fee, two profits and the target.
constexpr int readoutLines = 6;
// The narrowest the working reads at beside the chart without cutting its sums.
constexpr int workingWidth = 480;
// The narrowest the window reads at, its parts one under the other: beside the main window at
// that width rather than over it. The readout's longest value at 12 points takes about 300.
constexpr int narrowestBeside = 380;
// Under the working, the parts are as tall as they need: the window is first placed this tall.
constexpr int narrowHeight = 360;

// A price in cents: what the field's own validator takes, with at most eight digits before the
// point and two after it, so that "10.555" is refused rather than read as 10.55.
class CentsValidator : public QValidator
{
public:
    CentsValidator(const QValidator* numbers, QObject* parent)
        : QValidator(parent), m_numbers(numbers)
    {}

    State validate(QString& input, int& pos) const override
    {
        const State state = m_numbers ? m_numbers->validate(input, pos) : Acceptable;
        if (state == Invalid)
            return state;
        static const QRegularExpression cents(u"[0-9]{0,8}([.][0-9]{0,2})?"_s);
        return cents.match(input, 0, QRegularExpression::NormalMatch).capturedLength() ==
                       input.size()
                   ? state
                   : Invalid;
    }

    void fixup(QString& input) const override
    {
        if (m_numbers)
            m_numbers->fixup(input);
    }

private:
    const QValidator* m_numbers;
};

template <typename T> T* named(T* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace

DetailsWindow::DetailsWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(u"DetailsWindow"_s);

    outOfDateLabel = named(new QLabel(this), u"outOfDateLabel"_s);
    outOfDateLabel->setWordWrap(true);
    outOfDateLabel->hide();

    // Everything but the buttons scrolls when the window is made smaller than its contents.
    scroller = named(new QScrollArea(this), u"scroller"_s);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    auto* contents = new QWidget(scroller);

    working = named(new QTextBrowser(contents), u"working"_s);
    working->setOpenLinks(false);
    working->setMinimumWidth(workingWidth);
    working->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    working->setTabChangesFocus(true);

    priceFrame = named(new QGroupBox(contents), u"priceFrame"_s);
    priceLabel = named(new QLabel(priceFrame), u"priceLabel"_s);
    priceField = named(new QLineEdit(priceFrame), u"priceField"_s);
    // Up to 99,999,999.99 and never more than the cents.
    priceField->setMaxLength(11);
    NumericFilter::install(priceField, NumericKind::Decimal);
    priceField->setValidator(new CentsValidator(priceField->validator(), priceField));
    priceLabel->setBuddy(priceField);
    auto* priceLayout = new QGridLayout(priceFrame);
    priceLayout->addWidget(priceLabel, 0, 0);
    priceLayout->addWidget(priceField, 0, 1);
    // Where the window is narrow, the values go under their labels, and a long one wraps.
    for (int i = 0; i < readoutLines; ++i) {
        readoutLabels << new QLabel(priceFrame);
        readoutValues << new QLabel(priceFrame);
        readoutValues.last()->setTextInteractionFlags(Qt::TextSelectableByMouse);
        readoutValues.last()->setWordWrap(true);
        readoutValues.last()->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        // A scrolled area lays a wrapped label out one line high: its height is set from its
        // width each time that changes.
        readoutValues.last()->installEventFilter(this);
        readoutLabels.last()->setBuddy(readoutValues.last());
    }
    m_priceLayout = priceLayout;
    placeReadout(false);

    ladderFrame = named(new QGroupBox(contents), u"ladderFrame"_s);
    ladder = named(new QTableWidget(0, 4, ladderFrame), u"ladder"_s);
    ladder->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ladder->setTabKeyNavigation(false);
    ladder->verticalHeader()->hide();
    QHeaderView* header = ladder->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(3, QHeaderView::Stretch);
    ladder->setWordWrap(true);
    ladder->setTextElideMode(Qt::ElideNone);
    ladder->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ladder->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ladder->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ladder->setSelectionBehavior(QAbstractItemView::SelectRows);
    ladder->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    ladder->installEventFilter(this);
    auto* ladderLayout = new QVBoxLayout(ladderFrame);
    ladderLayout->addWidget(ladder);

    // The readout above the chart, which takes the height left.
    chart = new ProfitChart(contents);
    auto* right = new QWidget(contents);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(priceFrame);
    rightLayout->addWidget(chart, 1);

    // The working and the chart share the width the user gives the window, and the height
    // above the ladder.
    splitter = named(new QSplitter(Qt::Horizontal, contents), u"splitter"_s);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(working);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);

    m_right = right;
    auto* contentLayout = new QVBoxLayout(contents);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->addWidget(splitter, 1);
    contentLayout->addWidget(ladderFrame);
    scroller->setWidget(contents);

    copyButton = named(new QPushButton(this), u"copyButton"_s);
    printButton = named(new QPushButton(this), u"printButton"_s);
    closeButton = named(new QPushButton(this), u"closeButton"_s);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copyButton);
    buttons->addWidget(printButton);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(outOfDateLabel);
    layout->addWidget(scroller, 1);
    layout->addLayout(buttons);

    setTabOrder(working, priceField);
    setTabOrder(priceField, ladder);
    setTabOrder(ladder, copyButton);
    setTabOrder(copyButton, printButton);
    setTabOrder(printButton, closeButton);

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

void DetailsWindow::setOutOfDate(bool outOfDate)
{
    outOfDateLabel->setVisible(outOfDate);
}

void DetailsWindow::showBeside(const QWidget& owner, const QRect& fields)
{
    if (!m_placed) {
        m_placed = true;
        // The window manager's frame, as it is around the owner.
        const QSize frame = owner.frameGeometry().size() - owner.geometry().size();
        // The size that shows everything side by side without scrolling, as far as the screen
        // allows; narrower, down to narrowestBeside, the parts go one under the other.
        const QSize chrome = sizeHint() - scroller->sizeHint();
        const QSize wanted(
            std::max(scroller->widget()->sizeHint().width() + chrome.width(), wideWidth()),
            scroller->widget()->sizeHint().height() + chrome.height());
        const WindowPlacement placement = placeBeside(
            owner.screen()->availableGeometry(), owner.frameGeometry(), fields, frame, wanted,
            QSize(narrowestBeside, narrowHeight), narrowestBeside, ownerHeaderBottom(owner));
        resize(placement.size);
        move(placement.topLeft);
        fitLayout();
    }
    show();
    raise();
    activateWindow();
}

int DetailsWindow::wideWidth() const
{
    // The readout's labels and values side by side, beside the working at its narrowest.
    int labels = priceLabel->sizeHint().width();
    int values = priceField->minimumSizeHint().width();
    for (int i = 0; i < readoutLines; ++i) {
        labels = std::max(labels, readoutLabels[i]->sizeHint().width());
        values = std::max(
            values, readoutValues[i]->fontMetrics().horizontalAdvance(readoutValues[i]->text()) +
                        2 * readoutValues[i]->margin() + 4);
    }
    const auto horizontal = [](const QLayout* layout) {
        const QMargins m = layout->contentsMargins();
        return m.left() + m.right();
    };
    const int readout = labels + values + m_priceLayout->horizontalSpacing() +
                        horizontal(m_priceLayout) + 2 * priceFrame->frameGeometry().x() + 8;
    const int right = std::max(readout, chart->minimumSizeHint().width());
    return workingWidth + right + splitter->handleWidth() + horizontal(layout()) +
           style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4;
}

void DetailsWindow::placeReadout(bool stacked)
{
    QGridLayout* grid = m_priceLayout;
    QList<QWidget*> all{priceLabel, priceField};
    for (int i = 0; i < readoutLines; ++i)
        all << readoutLabels[i] << readoutValues[i];
    for (QWidget* widget : all)
        grid->removeWidget(widget);
    const int indent = stacked ? fontMetrics().averageCharWidth() * 2 : 0;
    for (int i = 0; i <= readoutLines; ++i) {
        QWidget* label = i == 0 ? static_cast<QWidget*>(priceLabel) : readoutLabels[i - 1];
        QWidget* value = i == 0 ? static_cast<QWidget*>(priceField) : readoutValues[i - 1];
        if (stacked) {
            grid->addWidget(label, 2 * i, 0, 1, 2);
            grid->addWidget(value, 2 * i + 1, 1);
        } else {
            grid->addWidget(label, i, 0, Qt::AlignTop);
            grid->addWidget(value, i, 1);
        }
    }
    grid->setColumnMinimumWidth(0, indent);
    grid->setColumnStretch(0, 0);
    grid->setColumnStretch(1, 1);
}

void DetailsWindow::fitLayout()
{
    // Side by side where the window is wide enough for both, else one under the other, so
    // that nothing ever scrolls sideways.
    const bool narrow = width() < wideWidth();
    if (narrow == m_narrow && m_laidOut)
        return;
    m_laidOut = true;
    m_narrow = narrow;
    splitter->setOrientation(narrow ? Qt::Vertical : Qt::Horizontal);
    working->setMinimumWidth(narrow ? 0 : workingWidth);
    // Shown whole, it needs no scroll bar of its own, which would narrow it and so lengthen it.
    working->setVerticalScrollBarPolicy(narrow ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    placeReadout(narrow);
    if (m_details)
        fitWorkingHeight();
}

void DetailsWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitLayout();
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
    outOfDateLabel->setText(u"⚠ "_s + outOfDateLine(en));
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
    chart->setAccessibleName(pick(en, u"Graphique du bénéfice"_s, u"Profit chart"_s));
    chart->setTexts(chartTexts(en));
    if (!m_details)
        return;
    working->setHtml(detailsHtml(*m_details, en, QLocale(), false));
    m_curve = profitCurve(*m_details);
    showCurve(m_curve);
    fitWorkingHeight();
    showLadder();
    priceEdited();
}

void DetailsWindow::showCurve(const ProfitCurve& curve)
{
    m_shownCurve = curve;
    chart->setCurve(curve, chartDescription(curve, *m_details, m_english, QLocale()));
}

void DetailsWindow::fitWorkingHeight()
{
    // The whole working shows at once, without a scroll bar, at the narrowest the view gets,
    // unless that would make the window too tall for the screen.
    const int frame = 2 * working->frameWidth();
    QTextDocument* document = working->document();
    const qreal shown = document->textWidth();
    // One under the other, the working takes the width of the window and all the height it
    // needs: the window scrolls, the working does not.
    const int width = m_narrow ? working->width() : working->minimumWidth();
    document->setTextWidth(width - frame);
    const int roomy = m_narrow ? QWIDGETSIZE_MAX : screen()->availableGeometry().height() * 9 / 20;
    const int needed = int(std::ceil(document->size().height())) + frame;
    working->setMinimumHeight(std::min(needed, roomy));
    document->setTextWidth(shown);
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
    fitLadderHeight();
}

void DetailsWindow::fitLadderHeight()
{
    // Every rung shows, its note wrapped to the width: there are at most eight.
    ladder->resizeRowsToContents();
    int height = ladder->horizontalHeader()->height() + 2 * ladder->frameWidth();
    for (int row = 0; row < ladder->rowCount(); ++row)
        height += ladder->rowHeight(row);
    ladder->setFixedHeight(height);
}

void DetailsWindow::priceEdited()
{
    if (!m_details)
        return;
    const QLocale locale;
    if (priceField->text().isEmpty()) {
        chart->setTypedPrice(std::nullopt);
        showReadout(noSaleLines(*m_details, m_english, locale));
        return;
    }
    const double price = plainNumber(priceField->text());
    const SaleAtPrice sale = saleAtPrice(m_details->schedule, m_details->basis, price);
    // A sale the program does not take leaves the chart as it is; any other is shown on it.
    const bool onChart = !sale.overLimit;
    const bool outside = price < m_curve.fromPrice || price > m_curve.toPrice;
    if (onChart && outside)
        showCurve(profitCurve(*m_details, price));
    else if (m_shownCurve.fromPrice != m_curve.fromPrice || m_shownCurve.toPrice != m_curve.toPrice)
        showCurve(m_curve);
    chart->setTypedPrice(onChart ? std::optional<double>(price) : std::nullopt);
    showReadout(saleLines(sale, *m_details, m_english, locale));
}

void DetailsWindow::showReadout(const QList<DetailLine>& lines)
{
    for (int i = 0; i < readoutLines; ++i) {
        const bool used = i < lines.size();
        readoutLabels[i]->setText(used ? lines[i].label : QString());
        readoutValues[i]->setText(used ? lines[i].value : QString());
        readoutValues[i]->setMinimumHeight(
            readoutValues[i]->heightForWidth(readoutValues[i]->width()));
        // Read as the main window's results are: the caption, then the value.
        readoutValues[i]->setAccessibleName(readoutLabels[i]->text());
        readoutValues[i]->setAccessibleDescription(readoutValues[i]->text());
    }
    // A longer value may no longer leave room beside the working.
    if (isVisible())
        fitLayout();
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
    const QString title = detailsTitle(m_english);
    printer.setDocName(title);
    // Proposed as a PDF among the user's documents, named after what it holds.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty())
        printer.setOutputFileName(documents + u'/' + title + u".pdf"_s);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    printTo(printer);
}

void DetailsWindow::printTo(QPagedPaintDevice& device) const
{
    if (!m_details)
        return;
    if (auto* pdf = dynamic_cast<QPdfWriter*>(&device))
        pdf->setTitle(detailsTitle(m_english));
    // Printed in the colours of a light screen whatever the screen's theme.
    const QPalette paper = QApplication::style()->standardPalette();
    // The calculation's own range: a typed price is not printed, nor stretches the axis.
    const ProfitCurve curve = m_curve;
    const PrintedPicture picture{
        QSizeF(640, 320), [curve, colours = ChartColours::from(paper),
                           texts = chartTexts(m_english)](QPainter& painter, const QRectF& area) {
            const QLocale locale;
            paintProfitChart(painter,
                             chartFrame(area, curve, QFontMetricsF(painter.font()), locale), curve,
                             std::nullopt, colours, texts, locale);
        }};
    const QString heading = u"<p>%1</p>"_s.arg(
        printedLine(m_scheduleName, QDate::currentDate(), m_english, QLocale()).toHtmlEscaped());
    printOnOnePage(heading + detailsHtml(*m_details, m_english, QLocale(), true), picture, device);
}

bool DetailsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == working && event->type() == QEvent::Resize && m_narrow && m_details &&
        static_cast<QResizeEvent*>(event)->oldSize().width() != working->width())
        fitWorkingHeight();
    if (event->type() == QEvent::Resize || event->type() == QEvent::FontChange) {
        if (auto* value = qobject_cast<QLabel*>(watched); value && readoutValues.contains(value)) {
            value->setMinimumHeight(value->heightForWidth(value->width()));
            return QWidget::eventFilter(watched, event);
        }
    }
    if (watched == ladder) {
        if (event->type() == QEvent::Resize)
            fitLadderHeight();
        return QWidget::eventFilter(watched, event);
    }
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

void DetailsWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Another font measures the working and the ladder afresh.
    if (event->type() == QEvent::FontChange && m_details) {
        fitWorkingHeight();
        fitLadderHeight();
    }
}
