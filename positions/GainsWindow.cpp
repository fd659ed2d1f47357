#include "GainsWindow.h"

#include "GainsReport.h"
#include "Language.h"
#include "Messenger.h"
#include "PositionTexts.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

GainsWindow::GainsWindow(PositionsSource positions, Messenger& messenger, bool english,
                         QWidget* parent)
    : QWidget(parent, Qt::Window), m_positions(std::move(positions)), m_messenger(messenger),
      m_english(english)
{
    setObjectName(u"GainsWindow"_s);
    setWindowTitle(pick(english, u"Plus-values par année"_s, u"Gains by year"_s));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* yearLabel = new QLabel(pick(english, u"&Année :"_s, u"&Year:"_s), this);
    m_year = new QSpinBox(this);
    m_year->setRange(1900, 9999);
    m_year->setValue(QDate::currentDate().year());
    yearLabel->setBuddy(m_year);
    top->addWidget(yearLabel);
    top->addWidget(m_year);
    top->addStretch();
    layout->addLayout(top);
    m_table = new QTableWidget(0, int(gainsColumns(english).size()), this);
    m_table->setHorizontalHeaderLabels(gainsColumns(english));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    layout->addWidget(m_table);
    m_totals = new QLabel(this);
    m_totals->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_totals);
    auto* buttons = new QHBoxLayout;
    auto* copyButton = new QPushButton(pick(english, u"&Copier"_s, u"&Copy"_s), this);
    auto* exportButton = new QPushButton(pick(english, u"E&xporter…"_s, u"E&xport…"_s), this);
    auto* printButton = new QPushButton(pick(english, u"&Imprimer…"_s, u"&Print…"_s), this);
    auto* closeButton = new QPushButton(pick(english, u"&Fermer"_s, u"C&lose"_s), this);
    buttons->addStretch();
    for (QPushButton* button : {copyButton, exportButton, printButton, closeButton})
        buttons->addWidget(button);
    layout->addLayout(buttons);

    connect(m_year, &QSpinBox::valueChanged, this, &GainsWindow::showYear);
    connect(copyButton, &QPushButton::clicked, this, &GainsWindow::copy);
    connect(exportButton, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(
            this, pick(m_english, u"Exporter"_s, u"Export"_s),
            u"plus-values-"_s + QString::number(m_gains.year) + u".csv"_s, u"CSV (*.csv)"_s);
        if (!path.isEmpty())
            exportFile(path);
    });
    connect(printButton, &QPushButton::clicked, this, &GainsWindow::print);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    resize(900, 500);
}

void GainsWindow::refresh()
{
    showYear(m_year->value());
}

void GainsWindow::showYear(int year)
{
    if (m_year->value() != year) {
        m_year->setValue(year); // shows it through valueChanged
        return;
    }
    m_gains = gainsOfYear(m_positions(), year);
    const QLocale here = locale();
    m_table->setRowCount(int(m_gains.sales.size()));
    for (int row = 0; row < m_gains.sales.size(); ++row) {
        const QStringList cells = gainsCells(m_gains.sales[row], m_english, here);
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column != 1)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, column, item);
        }
    }
    m_totals->setText(gainsTotals(m_gains, m_english, here).join(u'\n'));
}

void GainsWindow::copy() const
{
    QApplication::clipboard()->setText(gainsText(m_gains, m_english, locale()));
}

void GainsWindow::exportFile(const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(gainsCsv(m_gains)) < 0 || !file.commit())
        m_messenger.inform(
            positionsMessage(pick(m_english, u"Le fichier ne peut pas être écrit : "_s,
                                  u"The file cannot be written: "_s) +
                                 file.errorString(),
                             m_english));
}

void GainsWindow::printTo(QPagedPaintDevice& device) const
{
    QTextDocument document;
    document.setHtml(gainsHtml(m_gains, m_english, locale()));
    // A year of many sales runs over several pages, which the document lays out itself.
    document.print(&device);
}

void GainsWindow::print()
{
    QPrinter printer;
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        printTo(printer);
}
