#include "DataPage.h"
#include "MainWindowFixture.h"
#include "MessageBoxMessenger.h"
#include "QtTranslation.h"
#include "SettingsKeys.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTranslator>

namespace {

struct Expected
{
    const char* name;
    const char* french;
    const char* english;
};

// The captions as the user sees them in each language, written out independently of the code.
const Expected captions[] = {
    {"Fichier", "&Fichier", "&File"},
    {"Calculer", "&Calculer", "&Calculate"},
    {"EffacerLesDonnées", "Éffacer les &données", "Clear &data"},
    {"quitter", "&Quitter", "&Quit"},
    {"Langue", "&Langue", "&Language"},
    {"Français", "&Français", "&French"},
    {"Anglais", "&Anglais", "&English"},
    {"APropos", "&À propos", "&About"},
    {"Frame_Type_Benefice", "Type de &bénéfice recherché", "Type of &sought-after profit"},
    {"Pourcentage", "&Pourcentage", "&Percentage"},
    {"Numéraire", "&Numéraire", "Cas&h"},
    {"Frame_Impots", "&Imposition des plus-values", "Capital gain &taxing"},
    {"Bout_Calculer", "&CALCULER", "&CALCULATE"},
    {"Bout_Efface", "Éffacer les &données", "Clear &data"},
    {"Label1", "Prix d'achat", "Purchase price"},
    {"Label2", "Nombre d'actions", "Number of shares"},
    {"ArrondiSupérieur", "Prix minimum au centime &supérieur", "Minimum price rounded &up"},
    {"Frame_Px_Revient", "Prix de revient unitaire", "Cost price / unit"},
    {"Frame_Px_Vente", "Prix de vente minimum", "Selling price minimum"},
    {"Frame_Bén_Avt_Impôt", "Bénéfice avant impôt", "Profit before tax"},
    {"Frame_Bén_Après_Impôt", "Bénéfice après impôt", "Profit after tax"},
    // These keep their French caption in both languages.
    {"EffacerLesFrais", "Éffacer les frais de co&urtage", "Éffacer les frais de co&urtage"},
    {"Paramétrage", "Pa&ramétrage", "Pa&ramétrage"},
    {"Param_Tx_Imposition", "&Taux d'imposition", "&Taux d'imposition"},
    {"Interrogation", "&?", "&?"},
    {"Bout_EffaceFrais", "Éffacer les frais de co&urtage", "Éffacer les frais de co&urtage"},
    {"Label7", "Fourchette basse", "Fourchette basse"},
    {"Label8", "Minimum", "Minimum"},
    {"Frame_Frais", "Frais de courtage", "Frais de courtage"},
};

QString captionOf(const Fen_principale& window, const QString& name)
{
    QObject* control = window.findChild<QObject*>(name);
    if (auto* action = qobject_cast<QAction*>(control))
        return action->text();
    if (auto* menu = qobject_cast<QMenu*>(control))
        return menu->title();
    if (auto* frame = qobject_cast<QGroupBox*>(control))
        return frame->title();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    return QStringLiteral("<missing %1>").arg(name);
}

QStringList allCaptions(const Fen_principale& window)
{
    QStringList shown{window.windowTitle(), window.Tabulation()->tabText(0),
                      window.Tabulation()->tabText(1), window.dataPage()->Label4->text()};
    for (const Expected& caption : captions)
        shown << captionOf(window, QString::fromUtf8(caption.name));
    return shown;
}

QStringList expectedCaptions(bool english, const char* label4)
{
    QStringList expected{english ? "Shares selling price calculator"
                                 : "Calculateur de prix de vente d'actions",
                         english ? "Data&s" : "Donnée&s", "&Gestion des frais de courtage",
                         QString::fromUtf8(label4)};
    for (const Expected& caption : captions)
        expected << QString::fromUtf8(english ? caption.english : caption.french);
    return expected;
}

// The buttons of a question as the program shows it.
QStringList questionButtons()
{
    QStringList texts;
    whenModalOpens([&texts](QWidget* box) {
        for (const QAbstractButton* button : box->findChildren<QAbstractButton*>())
            texts << button->text();
        qobject_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
    });
    MessageBoxMessenger().confirm(
        {QStringLiteral("Frais"), QStringLiteral("?"), MessageIcon::Question});
    return texts;
}

// The entries of a field's context menu, without their shortcuts.
QStringList contextMenuEntries(QLineEdit* field)
{
    const std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << action->text().section(u'\t', 0, 0);
    return texts;
}

} // namespace

class LanguageTest : public QObject
{
    Q_OBJECT

private slots:
    void englishThenFrenchRestoresEveryCaption();
    void switchingOnTheFeePageRenamesTheDataPage();
    void checkMarkAndCodeFollowTheChoice();
    void profitCaptionKeepsItsTypeAcrossSwitches();
    void qtOwnTextsFollowTheLanguage_data();
    void qtOwnTextsFollowTheLanguage();
    void qtStaysEnglishWithoutItsTranslations();
};

void LanguageTest::englishThenFrenchRestoresEveryCaption()
{
    MainWindowFixture f;
    Fen_principale& window = f.open();
    QCOMPARE(allCaptions(window), expectedCaptions(false, "Bénéfice désiré (0 - 100)"));
    window.findChild<QAction*>(QStringLiteral("Anglais"))->trigger();
    QCOMPARE(allCaptions(window), expectedCaptions(true, "Sought-after profit (0 - 100)"));
    window.findChild<QAction*>(QStringLiteral("Français"))->trigger();
    QCOMPARE(allCaptions(window), expectedCaptions(false, "Bénéfice désiré (0 - 100)"));
}

void LanguageTest::switchingOnTheFeePageRenamesTheDataPage()
{
    MainWindowFixture f;
    Fen_principale& window = f.open();
    window.Tabulation()->setCurrentIndex(1);
    window.Anglais_Click();
    QCOMPARE(window.Tabulation()->currentIndex(), 1);
    QCOMPARE(window.Tabulation()->tabText(0), QStringLiteral("Data&s"));
    QCOMPARE(window.Tabulation()->tabText(1), QStringLiteral("&Gestion des frais de courtage"));
}

void LanguageTest::checkMarkAndCodeFollowTheChoice()
{
    MainWindowFixture f;
    Fen_principale& window = f.open();
    auto* french = window.findChild<QAction*>(QStringLiteral("Français"));
    auto* english = window.findChild<QAction*>(QStringLiteral("Anglais"));
    const auto code = [&f] {
        return f.settings.store().Lire_Ini(settingsSection(), languageKey());
    };

    english->trigger();
    QVERIFY(english->isChecked());
    QVERIFY(!french->isChecked());
    QCOMPARE(code(), QStringLiteral("A"));
    english->trigger(); // choosing the current language again changes nothing
    QVERIFY(english->isChecked());
    QVERIFY(!french->isChecked());
    french->trigger();
    QVERIFY(french->isChecked());
    QVERIFY(!english->isChecked());
    QCOMPARE(code(), QStringLiteral("F"));
}

void LanguageTest::profitCaptionKeepsItsTypeAcrossSwitches()
{
    MainWindowFixture f;
    Fen_principale& window = f.open();
    window.dataPage()->Numéraire->setChecked(true);
    window.Anglais_Click();
    QCOMPARE(window.dataPage()->Label4->text(), QStringLiteral("Sought-after profit (>0)"));
    window.dataPage()->Pourcentage->setChecked(true);
    QCOMPARE(window.dataPage()->Label4->text(), QStringLiteral("Sought-after profit (0 - 100)"));
    window.dataPage()->Numéraire->setChecked(true);
    window.Français_Click();
    QCOMPARE(window.dataPage()->Label4->text(), QStringLiteral("Bénéfice désiré (>0)"));
}

void LanguageTest::qtOwnTextsFollowTheLanguage_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QByteArray>("context");
    QTest::addColumn<QByteArray>("source");
    // The question's buttons, and a field's context menu.
    const std::pair<const char*, const char*> texts[] = {{"QPlatformTheme", "&Yes"},
                                                         {"QPlatformTheme", "&No"},
                                                         {"QLineEdit", "&Undo"},
                                                         {"QLineEdit", "Select All"}};
    for (const bool english : {false, true}) {
        for (const auto& [context, source] : texts)
            QTest::addRow("%s: %s", english ? "English" : "French", source)
                << english << QByteArray(context) << QByteArray(source);
    }
}

void LanguageTest::qtOwnTextsFollowTheLanguage()
{
    QFETCH(bool, english);
    QFETCH(QByteArray, context);
    QFETCH(QByteArray, source);
    QString expected = QString::fromLatin1(source);
    if (!english) {
        QTranslator french;
        QVERIFY2(french.load(QStringLiteral("qtbase_fr"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)),
                 "qtbase_fr.qm is missing (Debian package qt6-translations-l10n)");
        expected = french.translate(context, source);
        QVERIFY(!expected.isEmpty());
        QVERIFY(expected != QString::fromLatin1(source));
    }

    MainWindowFixture f;
    Fen_principale& window = f.open();
    window.Anglais_Click();
    if (!english)
        window.Français_Click();
    const QStringList shown = context == "QPlatformTheme"
                                  ? questionButtons()
                                  : contextMenuEntries(window.dataPage()->Text_pa);
    QVERIFY2(shown.contains(expected), qPrintable(shown.join(u'|')));
}

void LanguageTest::qtStaysEnglishWithoutItsTranslations()
{
    const QTemporaryDir empty;
    QtTranslation translation(empty.path());
    translation.setFrench(true);
    QCOMPARE(questionButtons(), QStringList({"&Yes", "&No"}));
}

QTEST_MAIN(LanguageTest)
#include "tst_language.moc"
