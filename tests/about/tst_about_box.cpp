#include "Fen_APropos_Enreg.h"

#include "FakeMessenger.h"
#include "TempSettings.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray settingsWithLanguage(const QByteArray& code)
{
    return "[Vantrelle]\r\nC=" + code + "\r\n";
}

QString unavailableText()
{
    return QStringLiteral("Les informations système ne sont pas disponibles actuellement");
}

} // namespace

class TestAboutBox : public QObject
{
    Q_OBJECT

private:
    // A box that can neither open a link nor start a program for real.
    struct Harness
    {
        TempSettings settings;
        FakeMessenger messenger;
        QTemporaryDir toolDir;
        QList<QUrl> opened;
        QList<SystemInfoTool> launched;
        bool openerSucceeds = true;
        bool launcherSucceeds = true;
        std::unique_ptr<Fen_APropos_Enreg> box;

        explicit Harness(const QString& version = QStringLiteral("1.0.0"))
        {
            box = std::make_unique<Fen_APropos_Enreg>(settings.store(), messenger, version);
            box->setLinkOpener([this](const QUrl& url) {
                opened.append(url);
                return openerSucceeds;
            });
            box->setToolSearchPaths({toolDir.path()});
            box->setToolLauncher([this](const SystemInfoTool& tool) {
                launched.append(tool);
                return launcherSucceeds;
            });
        }

        template <typename T> T* control(const char* name) const
        {
            return box->findChild<T*>(QLatin1String(name));
        }
    };

    static void writeExecutable(const QString& path)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nexit 0\n");
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ExeOwner));
    }

private slots:
    void languageTexts_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("infoButton");
        QTest::addColumn<QString>("credits");

        const QString french = QStringLiteral("À propos de Vantrelle Ostrapine");
        const QString frenchButton = QStringLiteral("&Infos Système");
        const QString frenchCredits = QStringLiteral("Conçu et réalisé par l'équipe Vantrelle");
        QTest::newRow("code A is English")
            << settingsWithLanguage("A") << QStringLiteral("About Vantrelle Ostrapine")
            << QStringLiteral("System &info")
            << QStringLiteral("Designed and built by the Vantrelle team");
        QTest::newRow("code F is French")
            << settingsWithLanguage("F") << french << frenchButton << frenchCredits;
        QTest::newRow("empty code is French")
            << settingsWithLanguage("") << french << frenchButton << frenchCredits;
        QTest::newRow("lower-case a is French")
            << settingsWithLanguage("a") << french << frenchButton << frenchCredits;
        QTest::newRow("no settings file is French")
            << QByteArray() << french << frenchButton << frenchCredits;
    }

    void languageTexts()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, caption);
        QFETCH(QString, infoButton);
        QFETCH(QString, credits);

        Harness h;
        if (!settings.isEmpty())
            h.settings.setContents(settings);
        h.box->show();

        QCOMPARE(h.box->windowTitle(), caption);
        QCOMPARE(h.control<QPushButton>("Fen_APropos_Bout_Info")->text(), infoButton);
        QCOMPARE(h.control<QLabel>("lblDescription")->text(), credits);
    }

    void everyActivationRereadsTheLanguage()
    {
        Harness h;
        h.settings.setContents(settingsWithLanguage("F"));
        h.box->show();
        QCOMPARE(h.box->windowTitle(), QStringLiteral("À propos de Vantrelle Ostrapine"));

        h.settings.setContents(settingsWithLanguage("A"));
        h.box->Form_Activate();
        QCOMPARE(h.box->windowTitle(), QStringLiteral("About Vantrelle Ostrapine"));
        QCOMPARE(h.control<QPushButton>("Fen_APropos_Bout_Info")->text(),
                 QStringLiteral("System &info"));
    }

    void fixedTexts_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::newRow("French") << settingsWithLanguage("F");
        QTest::newRow("English") << settingsWithLanguage("A");
    }

    void fixedTexts()
    {
        QFETCH(QByteArray, settings);
        Harness h;
        h.settings.setContents(settings);
        h.box->show();

        QCOMPARE(h.box->objectName(), QStringLiteral("Fen_APropos_Enreg"));
        QCOMPARE(h.control<QLabel>("lblTitle")->text(), QStringLiteral("Vantrelle Ostrapine"));
        QCOMPARE(h.control<QLabel>("Label1")->text(), QStringLiteral("Écrire à l'auteur"));
        QCOMPARE(h.control<QLabel>("Label3")->text(), QStringLiteral("https://www.vantrelle.fr"));
        QCOMPARE(h.control<QPushButton>("cmdOK")->text(), QStringLiteral("&OK"));
        QVERIFY(!h.control<QLabel>("Label2")->text().isEmpty());
    }

    void titleIsBoldAndLarger()
    {
        Harness h;
        const QFont font = h.control<QLabel>("lblTitle")->font();
        QVERIFY(font.bold());
        QCOMPARE(font.pointSizeF(), 13.5);
        QCOMPARE(h.control<QLabel>("lblTitle")->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    }

    void versionLine_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first release")
            << QStringLiteral("1.0.0") << QStringLiteral("Version 1.0.0");
        QTest::newRow("two-digit parts")
            << QStringLiteral("2.13.107") << QStringLiteral("Version 2.13.107");
    }

    void versionLine()
    {
        QFETCH(QString, version);
        QFETCH(QString, expected);
        Harness h(version);
        QCOMPARE(h.control<QLabel>("lblVersion")->text(), expected);
    }

    void linksLookLikeLinks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("web page") << QStringLiteral("Label3");
        QTest::newRow("e-mail") << QStringLiteral("Label1");
    }

    void linksLookLikeLinks()
    {
        QFETCH(QString, name);
        Harness h;
        // A dark theme's link colour, readable where plain blue would not be.
        QPalette dark = h.box->palette();
        dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
        dark.setColor(QPalette::Link, QColor(0x8a, 0xb4, 0xf8));
        h.box->setPalette(dark);
        QLabel* link = h.box->findChild<QLabel*>(name);
        QVERIFY(link);
        QCOMPARE(link->palette().color(link->foregroundRole()), QColor(0x8a, 0xb4, 0xf8));
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(link);
        QCOMPARE(accessible->role(), QAccessible::Link);
        QVERIFY(!accessible->text(QAccessible::Name).isEmpty());
    }

    void linksOpenFromTheKeyboard_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("key"); // 0: the press action of assistive technology
        QTest::addColumn<QString>("scheme");
        QTest::newRow("web page, Enter") << "Label3" << int(Qt::Key_Return) << "https";
        QTest::newRow("web page, Space") << "Label3" << int(Qt::Key_Space) << "https";
        QTest::newRow("e-mail, keypad Enter") << "Label1" << int(Qt::Key_Enter) << "mailto";
        QTest::newRow("e-mail, press action") << "Label1" << 0 << "mailto";
    }

    void linksOpenFromTheKeyboard()
    {
        QFETCH(QString, name);
        QFETCH(int, key);
        QFETCH(QString, scheme);
        Harness h;
        h.box->show();
        QVERIFY(QTest::qWaitForWindowActive(h.box.get()));
        auto* link = h.box->findChild<QLabel*>(name);
        link->setFocus(Qt::TabFocusReason);
        QVERIFY(link->hasFocus());
        if (key == 0) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(link);
            accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        } else {
            QTest::keyClick(link, Qt::Key(key),
                            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        }

        QCOMPARE(h.opened.size(), 1);
        QCOMPARE(h.opened.first().scheme(), scheme);
        QVERIFY(h.box->isVisible()); // Enter on a link opens it rather than closing the box
    }

    void mailLinkCarriesTheSubject()
    {
        Harness h;
        h.box->show();
        QTest::mouseClick(h.control<QLabel>("Label1"), Qt::LeftButton);

        QCOMPARE(h.opened.size(), 1);
        const QUrl url = h.opened.first();
        QCOMPARE(url.scheme(), QStringLiteral("mailto"));
        QCOMPARE(url.path(), QStringLiteral("contact@vantrelle.fr"));
        QCOMPARE(url.query(QUrl::FullyDecoded), QStringLiteral("Subject=Demande d'informations"));
        QCOMPARE(url.toEncoded(),
                 QByteArray("mailto:contact@vantrelle.fr?Subject=Demande%20d'informations"));
        QVERIFY(h.messenger.shown.isEmpty());
    }

    void webLinkOpensTheMakersPage()
    {
        Harness h;
        h.box->show();
        QTest::mouseClick(h.control<QLabel>("Label3"), Qt::LeftButton);

        QCOMPARE(h.opened.size(), 1);
        QCOMPARE(h.opened.first(), QUrl(QStringLiteral("https://www.vantrelle.fr")));
    }

    void linkThatCannotOpenShowsNothing()
    {
        Harness h;
        h.openerSucceeds = false;
        h.box->Label1_Click();
        h.box->Label3_Click();

        QCOMPARE(h.opened.size(), 2);
        QVERIFY(h.messenger.shown.isEmpty());
    }

    void noToolShowsTheFrenchMessage_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::newRow("French") << settingsWithLanguage("F");
        QTest::newRow("English too") << settingsWithLanguage("A");
    }

    void noToolShowsTheFrenchMessage()
    {
        QFETCH(QByteArray, settings);
        Harness h;
        h.settings.setContents(settings);
        h.box->show();
        h.control<QPushButton>("Fen_APropos_Bout_Info")->click();

        QVERIFY(h.launched.isEmpty());
        QCOMPARE(h.messenger.shown.size(), 1);
        const Message& shown = h.messenger.shown.first();
        QCOMPARE(shown.text, unavailableText());
        QCOMPARE(shown.title, QString());
        QCOMPARE(shown.icon, MessageIcon::None);
        QVERIFY(h.box->isVisible());
    }

    void installedToolIsStarted()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows finds its tool through the registry");
#endif
        Harness h;
        const QString tool = h.toolDir.filePath(QStringLiteral("kinfocenter"));
        writeExecutable(tool);
        h.box->show();
        h.control<QPushButton>("Fen_APropos_Bout_Info")->click();

        QCOMPARE(h.launched.size(), 1);
        QCOMPARE(h.launched.first().program, tool);
        QVERIFY(h.messenger.shown.isEmpty());
        QVERIFY(h.box->isVisible());
    }

    void failedLaunchShowsTheMessage()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows finds its tool through the registry");
#endif
        Harness h;
        writeExecutable(h.toolDir.filePath(QStringLiteral("hardinfo")));
        h.launcherSucceeds = false;
        h.box->StartSysInfo();

        QCOMPARE(h.launched.size(), 1);
        QCOMPARE(h.messenger.shown.size(), 1);
        QCOMPARE(h.messenger.shown.first().text, unavailableText());
    }

    void keysClose_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    }

    void keysClose()
    {
        QFETCH(int, key);
        Harness h;
        h.box->show();
        QVERIFY(h.box->isVisible());
        QTest::keyClick(h.box.get(), Qt::Key(key));

        QVERIFY(!h.box->isVisible());
        QCOMPARE(h.box->result(), int(QDialog::Accepted));
        QVERIFY(h.launched.isEmpty());
        QVERIFY(h.messenger.shown.isEmpty());
    }

    void okButtonClosesAndIsTheDefault()
    {
        Harness h;
        h.box->show();
        auto* ok = h.control<QPushButton>("cmdOK");
        QVERIFY(ok->isDefault());
        ok->click();
        QVERIFY(!h.box->isVisible());
    }

    void keyboardOrderIsOkInfoThenTheLinks()
    {
        Harness h;
        h.box->show();
        QVERIFY(QTest::qWaitForWindowActive(h.box.get()));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdOK"));
        for (const char* next : {"Fen_APropos_Bout_Info", "Label3", "Label1", "cmdOK"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(next));
        }
    }

    void sizeAndIcon()
    {
        QPixmap pixmap(64, 64);
        pixmap.fill(Qt::darkGreen);
        QApplication::setWindowIcon(QIcon(pixmap));

        Harness h;
        const auto* icon = h.control<QLabel>("picIcon");
        QCOMPARE(icon->size(), QSize(48, 48));
        QVERIFY(!icon->pixmap().isNull());
        QCOMPARE(icon->pixmap().deviceIndependentSize().toSize(), QSize(48, 48));

        // 6015 by 3180 twips of client area at the screen's resolution, at the least.
        QVERIFY(h.box->width() >= 6015 * h.box->logicalDpiX() / 1440);
        QVERIFY(h.box->height() >= 3180 * h.box->logicalDpiY() / 1440);
        QApplication::setWindowIcon(QIcon());
    }
};

QTEST_MAIN(TestAboutBox)
#include "tst_about_box.moc"
