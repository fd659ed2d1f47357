#include "NumericFilter.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

Q_DECLARE_METATYPE(NumericKind)

namespace {

QString text(const char* latin1)
{
    return QString::fromLatin1(latin1);
}

enum class PasteRoute
{
    CtrlV,
    PasteCall,
    Drop,
};

} // namespace

Q_DECLARE_METATYPE(PasteRoute)

class TestNumericFilter : public QObject
{
    Q_OBJECT

private:
    // A window with a plain edit before the filtered one, so that the focus can come from
    // somewhere, as in the real pages.
    std::unique_ptr<QWidget> m_window;
    QLineEdit* m_before = nullptr;
    QLineEdit* m_field = nullptr;

    void showField(NumericKind kind, int maxLength, bool beep = false);
    void giveFocusTo(QLineEdit* edit) const;
    void paste(PasteRoute route, const QString& clipboardText) const;

private slots:
    void init();
    void cleanup();

    void typing_data();
    void typing();
    void refusedCharacterLeavesSelectionAndCaret();
    void pointRefusedWhenTheOnlyPointIsSelectedOutOfSight();
    void keypadDigitsAreTyped();
    void controlCharactersInsertNothing();
    void editingKeysAndShortcutsStillWork();
    void enterAndTabStillWork();
    void beepOptionKeepsTheFilter();

    void focusSelectsAll_data();
    void focusSelectsAll();
    void mouseClickThatGivesFocusSelectsAll();
    void clickInFocusedFieldPlacesTheCaret();
    void focusBackFromPopupKeepsTheSelection();

    void pasteAndDrop_data();
    void pasteAndDrop();
    void programTextIsNotFiltered();
    void oddProgramTextStaysEditable();
};

void TestNumericFilter::init()
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QGuiApplication::clipboard()->clear();
}

void TestNumericFilter::cleanup()
{
    m_window.reset();
    m_before = nullptr;
    m_field = nullptr;
    QLocale::setDefault(QLocale::c());
}

void TestNumericFilter::showField(NumericKind kind, int maxLength, bool beep)
{
    m_window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(m_window.get());
    m_before = new QLineEdit(m_window.get());
    m_field = new QLineEdit(m_window.get());
    layout->addWidget(m_before);
    layout->addWidget(m_field);
    m_field->setMaxLength(maxLength);
    NumericFilter::install(m_field, kind, beep);

    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_before->setFocus();
}

void TestNumericFilter::giveFocusTo(QLineEdit* edit) const
{
    edit->setFocus(Qt::OtherFocusReason);
    QVERIFY(edit->hasFocus());
}

void TestNumericFilter::paste(PasteRoute route, const QString& clipboardText) const
{
    switch (route) {
    case PasteRoute::CtrlV:
        QGuiApplication::clipboard()->setText(clipboardText);
        QTest::keyClick(m_field, Qt::Key_V, Qt::ControlModifier);
        return;
    case PasteRoute::PasteCall:
        QGuiApplication::clipboard()->setText(clipboardText);
        m_field->paste();
        return;
    case PasteRoute::Drop: {
        QMimeData data;
        data.setText(clipboardText);
        // Dropped at the right end of the field, after the text.
        const QPointF end(m_field->width() - 2, m_field->height() / 2.0);
        QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        // The application discards a drop that no real drag started, so hand it to the edit.
        static_cast<QObject*>(m_field)->event(&drop);
        QVERIFY(drop.isAccepted());
        return;
    }
    }
}

void TestNumericFilter::typing_data()
{
    QTest::addColumn<NumericKind>("kind");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("expectedUnderComma");

    // Under a regional decimal comma the result differs only where a comma is typed.
    const auto row = [](const char* name, NumericKind kind, int maxLength, const char* start,
                        const char* keys, const char* expected, const char* underComma = nullptr) {
        QTest::newRow(name) << kind << maxLength << text(start) << text(keys) << text(expected)
                            << text(underComma ? underComma : expected);
    };
    const NumericKind decimal = NumericKind::Decimal;
    const NumericKind whole = NumericKind::WholeNumber;

    row("decimal: comma", decimal, 10, "", "12,5", "125", "12.5");
    row("decimal: comma after a point", decimal, 10, "", "1.2,3", "1.23", "1.23");
    row("decimal: point after a comma", decimal, 10, "", "1,2.3", "12.3", "1.23");
    row("decimal: comma over selected 3.5", decimal, 10, "3.5", ",", "3.5", "3.5");
    row("decimal: comma into a full field", decimal, 4, "", "1234,", "1234", "1234");
    row("decimal: second point discarded", decimal, 8, "", "1.2.3", "1.23");
    row("decimal: point over selected 3.5 discarded", decimal, 10, "3.5", ".", "3.5");
    row("decimal: digit replaces selected 3.5", decimal, 10, "3.5", "7", "7");
    row("decimal: point into empty field", decimal, 10, "", ".", ".");
    row("decimal: leading point then digit", decimal, 10, "", ".5", ".5");
    row("decimal: signs discarded", decimal, 10, "", "-1+2", "12");
    row("decimal: letters and blanks discarded", decimal, 10, "", "a1 b2e", "12");
    row("decimal: other symbols discarded", decimal, 10, "", "1/2*3=%4", "1234");
    row("decimal: full field takes nothing more", decimal, 5, "", "123.45", "123.4");
    row("whole: 250 accepted", whole, 5, "", "250", "250");
    row("whole: point of 2.5 discarded", whole, 5, "", "2.5", "25");
    row("whole: comma and sign discarded", whole, 5, "", "-2,5", "25");
    row("whole: sixth digit does nothing", whole, 5, "", "123456", "12345");
    row("whole: digit replaces selected text", whole, 8, "1000", "2", "2");
}

void TestNumericFilter::typing()
{
    QFETCH(NumericKind, kind);
    QFETCH(int, maxLength);
    QFETCH(QString, start);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QFETCH(QString, expectedUnderComma);

    // The field holds the point whatever the regional settings.
    for (const QLocale& locale : {QLocale(QLocale::French, QLocale::France), QLocale::c()}) {
        QLocale::setDefault(locale);
        showField(kind, maxLength);
        m_field->setText(start);
        giveFocusTo(m_field);

        QTest::keyClicks(m_field, keys);

        QCOMPARE(m_field->text(), locale.decimalPoint() == u',' ? expectedUnderComma : expected);
    }
}

void TestNumericFilter::refusedCharacterLeavesSelectionAndCaret()
{
    showField(NumericKind::Decimal, 10);
    m_field->setText(text("3.5"));
    giveFocusTo(m_field);
    QCOMPARE(m_field->selectedText(), text("3.5"));

    QTest::keyClick(m_field, Qt::Key_Period);
    QTest::keyClick(m_field, Qt::Key_Comma);
    QTest::keyClick(m_field, Qt::Key_Minus);

    QCOMPARE(m_field->text(), text("3.5"));
    QCOMPARE(m_field->selectedText(), text("3.5"));

    m_field->setCursorPosition(1);
    QTest::keyClick(m_field, Qt::Key_A);
    QCOMPARE(m_field->cursorPosition(), 1);
    QVERIFY(!m_field->hasSelectedText());
}

void TestNumericFilter::pointRefusedWhenTheOnlyPointIsSelectedOutOfSight()
{
    showField(NumericKind::Decimal, 10);
    m_field->setText(text("12.5"));
    giveFocusTo(m_field);
    m_field->setSelection(0, 2); // "12" selected, the point outside the selection

    QTest::keyClick(m_field, Qt::Key_Period);
    QCOMPARE(m_field->text(), text("12.5"));

    QTest::keyClick(m_field, Qt::Key_9);
    QCOMPARE(m_field->text(), text("9.5"));
}

void TestNumericFilter::keypadDigitsAreTyped()
{
    showField(NumericKind::Decimal, 10);
    giveFocusTo(m_field);

    QTest::keyClick(m_field, Qt::Key_4, Qt::KeypadModifier);
    QTest::keyClick(m_field, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClick(m_field, Qt::Key_2, Qt::KeypadModifier);
    QTest::keyClick(m_field, Qt::Key_Plus, Qt::KeypadModifier);

    QCOMPARE(m_field->text(), text("4.2"));
}

void TestNumericFilter::controlCharactersInsertNothing()
{
    showField(NumericKind::Decimal, 10);
    m_field->setText(text("12"));
    giveFocusTo(m_field);
    m_field->setCursorPosition(2);
    QGuiApplication::clipboard()->setText(text("99"));

    // Ctrl+C, Ctrl+V and Ctrl+X as some platforms deliver them: bare control characters.
    for (const char16_t code : {u'\x03', u'\x16', u'\x18', u'\x01', u'\x1b'})
        QTest::sendKeyEvent(QTest::Click, m_field, Qt::Key_unknown, QString(QChar(code)),
                            Qt::NoModifier);

    QCOMPARE(m_field->text(), text("12"));
}

void TestNumericFilter::editingKeysAndShortcutsStillWork()
{
    showField(NumericKind::Decimal, 10);
    m_field->setText(text("12.5"));
    giveFocusTo(m_field);

    QTest::keyClick(m_field, Qt::Key_Home);
    QTest::keyClick(m_field, Qt::Key_Delete);
    QCOMPARE(m_field->text(), text("2.5"));
    QTest::keyClick(m_field, Qt::Key_End);
    QTest::keyClick(m_field, Qt::Key_Backspace);
    QCOMPARE(m_field->text(), text("2."));
    QTest::keyClick(m_field, Qt::Key_Left);
    QTest::keyClick(m_field, Qt::Key_Backspace);
    QCOMPARE(m_field->text(), text("."));
    QTest::keyClick(m_field, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_field->text(), text("2."));

    QTest::keyClick(m_field, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(m_field->selectedText(), text("2."));
    QTest::keyClick(m_field, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), text("2."));
    QTest::keyClick(m_field, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(m_field->text(), QString());
    QTest::keyClick(m_field, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(m_field, Qt::Key_V, Qt::ControlModifier); // would be a second point
    QCOMPARE(m_field->text(), text("2."));
}

void TestNumericFilter::enterAndTabStillWork()
{
    showField(NumericKind::Decimal, 10);
    m_field->setText(text("12.5"));
    giveFocusTo(m_field);
    QSignalSpy returnPressed(m_field, &QLineEdit::returnPressed);

    QTest::keyClick(m_field, Qt::Key_Return);
    QCOMPARE(returnPressed.size(), 1);

    QTest::keyClick(m_field, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(m_before->hasFocus());
    QTest::keyClick(m_before, Qt::Key_Tab);
    QVERIFY(m_field->hasFocus());
}

void TestNumericFilter::beepOptionKeepsTheFilter()
{
    showField(NumericKind::Decimal, 5, true);
    giveFocusTo(m_field);

    QTest::keyClicks(m_field, text("1.2.3,-"));
    QCOMPARE(m_field->text(), text("1.23"));

    m_field->selectAll();
    QTest::keyClick(m_field, Qt::Key_Period);
    QCOMPARE(m_field->text(), text("1.23"));
}

void TestNumericFilter::focusSelectsAll_data()
{
    QTest::addColumn<Qt::FocusReason>("reason");

    QTest::newRow("set by the program") << Qt::OtherFocusReason;
    QTest::newRow("tab") << Qt::TabFocusReason;
    QTest::newRow("back tab") << Qt::BacktabFocusReason;
    QTest::newRow("access key") << Qt::ShortcutFocusReason;
}

void TestNumericFilter::focusSelectsAll()
{
    QFETCH(Qt::FocusReason, reason);
    showField(NumericKind::WholeNumber, 8);
    m_field->setText(text("2500"));
    m_field->setCursorPosition(1);

    m_field->setFocus(reason);

    QVERIFY(m_field->hasFocus());
    QCOMPARE(m_field->selectedText(), text("2500"));
    QTest::keyClick(m_field, Qt::Key_7);
    QCOMPARE(m_field->text(), text("7"));
}

void TestNumericFilter::mouseClickThatGivesFocusSelectsAll()
{
    showField(NumericKind::Decimal, 10);
    m_field->setText(text("12.35"));
    QVERIFY(m_before->hasFocus());

    QTest::mouseClick(m_field, Qt::LeftButton, {}, QPoint(4, m_field->height() / 2));

    QVERIFY(m_field->hasFocus());
    QCOMPARE(m_field->selectedText(), text("12.35"));
}

void TestNumericFilter::clickInFocusedFieldPlacesTheCaret()
{
    showField(NumericKind::Decimal, 10);
    m_field->setText(text("12.35"));
    QTest::mouseClick(m_field, Qt::LeftButton, {}, QPoint(4, m_field->height() / 2));
    QCOMPARE(m_field->selectedText(), text("12.35"));

    QTest::mouseClick(m_field, Qt::LeftButton, {}, QPoint(m_field->width() - 4, 4));

    QVERIFY(!m_field->hasSelectedText());
}

void TestNumericFilter::focusBackFromPopupKeepsTheSelection()
{
    showField(NumericKind::Decimal, 10);
    m_field->setText(text("12.35"));
    giveFocusTo(m_field);
    m_field->setCursorPosition(2);
    m_before->setFocus(Qt::OtherFocusReason);

    // As when a context menu closes: a paste chosen from it goes where the caret was.
    m_field->setFocus(Qt::PopupFocusReason);

    QVERIFY(m_field->hasFocus());
    QVERIFY(m_field->selectedText() != text("12.35"));
}

void TestNumericFilter::pasteAndDrop_data()
{
    QTest::addColumn<PasteRoute>("route");
    QTest::addColumn<NumericKind>("kind");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QLocale>("locale");

    const auto rows = [](const char* name, NumericKind kind, const char* start, bool selectAll,
                         const char* pasted, const char* expected,
                         const QLocale& locale = QLocale(QLocale::French, QLocale::France)) {
        const std::pair<PasteRoute, const char*> routes[] = {{PasteRoute::CtrlV, "Ctrl+V"},
                                                             {PasteRoute::PasteCall, "paste()"},
                                                             {PasteRoute::Drop, "drop"}};
        for (const auto& [route, routeName] : routes) {
            QTest::addRow("%s, %s", name, routeName) << route << kind << text(start) << selectAll
                                                     << text(pasted) << text(expected) << locale;
        }
    };
    const NumericKind decimal = NumericKind::Decimal;
    const NumericKind whole = NumericKind::WholeNumber;

    rows("decimal: 12a refused whole", decimal, "5", false, "12a", "5");
    rows("decimal: 1.2 beside a point refused whole", decimal, "3.5", false, "1.2", "3.5");
    rows("decimal: 34 accepted", decimal, "12", false, "34", "1234");
    rows("decimal: 1.2 into a field without point accepted", decimal, "35", false, "1.2", "351.2");
    const QLocale pointLocale(QLocale::English, QLocale::UnitedKingdom);
    rows("decimal: comma refused under a point locale", decimal, "", false, "12,5", "",
         pointLocale);
    rows("decimal: comma is the point under a comma locale", decimal, "", false, "12,5", "12.5");
    rows("decimal: comma beside a point refused", decimal, "3.5", false, "1,2", "3.5");
    rows("decimal: the program's comma stays", decimal, "1,5", false, "2,", "1,52.");
    rows("whole: comma refused under a comma locale", whole, "1", false, "2,5", "1");
    rows("decimal: sign refused", decimal, "", false, "-5", "");
    rows("decimal: blank refused", decimal, "1", false, " 2", "1");
    rows("whole: point refused", whole, "1", false, "2.5", "1");
    rows("whole: 250 accepted", whole, "", false, "250", "250");
    rows("whole: cut to the maximum length", whole, "", false, "123456789", "12345678");
}

void TestNumericFilter::pasteAndDrop()
{
    QFETCH(PasteRoute, route);
    QFETCH(NumericKind, kind);
    QFETCH(QString, start);
    QFETCH(bool, selectAll);
    QFETCH(QString, pasted);
    QFETCH(QString, expected);
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    showField(kind, 8);
    m_field->setText(start);
    giveFocusTo(m_field);
    if (selectAll)
        m_field->selectAll();
    else
        m_field->end(false);

    paste(route, pasted);

    QCOMPARE(m_field->text(), expected);
}

void TestNumericFilter::programTextIsNotFiltered()
{
    showField(NumericKind::WholeNumber, 8);

    m_field->setText(text("1.2,3a"));
    QCOMPARE(m_field->text(), text("1.2,3a"));
    m_field->setText(QString());
    m_field->setText(text("-5"));
    QCOMPARE(m_field->text(), text("-5"));
    QVERIFY(m_field->hasAcceptableInput());

    // The odd text set by the program does not open the door to the next paste.
    giveFocusTo(m_field);
    m_field->end(false);
    paste(PasteRoute::PasteCall, text("+"));
    QCOMPARE(m_field->text(), text("-5"));
    paste(PasteRoute::CtrlV, text("6"));
    QCOMPARE(m_field->text(), text("-56"));
}

void TestNumericFilter::oddProgramTextStaysEditable()
{
    showField(NumericKind::Decimal, 10);
    m_field->setText(text("abc"));
    giveFocusTo(m_field);
    m_field->end(false);

    QTest::keyClick(m_field, Qt::Key_Backspace);
    QCOMPARE(m_field->text(), text("ab"));
    QTest::keyClick(m_field, Qt::Key_5);
    QCOMPARE(m_field->text(), text("ab5"));

    // Taking a refused character out is fine, bringing one back in is not.
    paste(PasteRoute::PasteCall, text("x"));
    QCOMPARE(m_field->text(), text("ab5"));

    QSignalSpy returnPressed(m_field, &QLineEdit::returnPressed);
    QTest::keyClick(m_field, Qt::Key_Return);
    QCOMPARE(returnPressed.size(), 1);
}

QTEST_MAIN(TestNumericFilter)
#include "tst_numeric_filter.moc"
