#include "boxDriver.h"
#include "mainFormUnit.h"
#include "pdbImage.h"
#include "tempDir.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

const ApplicationTitles programTitles = ApplicationTitles::fromFileName(QStringLiteral("texte-vers-pdb"));

QLineEdit* field(QWidget& form, const char* name)
{
    return form.findChild<QLineEdit*>(QLatin1String(name));
}

QPushButton* button(QWidget& form, const char* name)
{
    return form.findChild<QPushButton*>(QLatin1String(name));
}

// Waits long enough for a box to have opened, had the program opened one.
void settle()
{
    QTest::qWait(100);
}

} // namespace

class MainFormTest : public QObject {
    Q_OBJECT

private slots:
    void startsEmptyWithFocusInTheSourceField()
    {
        TmainForm form(programTitles);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));

        QCOMPARE(form.windowTitle(), QStringLiteral("Vexlo Tools - Texte vers Pdb"));
        for (const char* name : {"fichierSource", "repDestPDB", "StoryName"})
            QVERIFY2(field(form, name)->text().isEmpty(), name);
        QCOMPARE(QApplication::focusWidget(), field(form, "fichierSource"));

        const char* expected[] = {"B_selFicSource", "repDestPDB", "B_selRepDestPDB", "StoryName",
                                  "B_transformer", "Button1", "fichierSource"};
        for (const char* name : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(name));
        }
    }

    void isLaidOutAtTheFontsScaleWithEveryCaptionWhole()
    {
        TmainForm form(programTitles);
        const double scale = form.scale();
        QVERIFY(scale >= QFontMetricsF(form.font()).height() / TmainForm::designTextHeight);
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QCOMPARE(form.size(), QSize(qRound(590 * scale), qRound(199 * scale)));
        QCOMPARE(button(form, "B_transformer")->geometry(),
                 QRect(qRound(464 * scale), qRound(168 * scale), qRound(121 * scale), qRound(25 * scale)));
        for (const char* name : {"Label1", "Label2", "Label3", "Label4"}) {
            const auto* label = form.findChild<QLabel*>(QLatin1String(name));
            // The ink of the caption, drawn from the label's top left, stays inside it.
            const QFontMetrics metrics = label->fontMetrics();
            const QRect ink = metrics.tightBoundingRect(label->text());
            QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(), name);
            QVERIFY2(metrics.ascent() + ink.bottom() < label->height(), name);
        }
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label4"))->palette().color(QPalette::WindowText),
                 QColor(0, 128, 128));
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().size(), QSize(48, 48));
        QCOMPARE(button(form, "B_selFicSource")->icon().availableSizes().value(0), QSize(19, 19));
    }

    void enterPressesOnlyTheFocusedButtonAndEscNothing()
    {
        TempDir dir;
        writeFile(dir / "s.txt", "x\n");
        TmainForm form(programTitles);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        field(form, "fichierSource")->setText(QString::fromStdString(dir / "s.txt"));
        field(form, "repDestPDB")->setText(QString::fromStdString(dir.path()));
        field(form, "StoryName")->setText(QStringLiteral("Livre"));

        BoxDriver driver;
        for (const char* name : {"fichierSource", "repDestPDB", "StoryName"}) {
            field(form, name)->setFocus();
            QTest::keyClick(field(form, name), Qt::Key_Return);
            QTest::keyClick(field(form, name), Qt::Key_Escape);
        }
        button(form, "B_transformer")->setFocus();
        QTest::keyClick(button(form, "B_transformer"), Qt::Key_Escape);
        settle();
        QVERIFY(driver.seen.isEmpty());
        QCOMPARE(entryCount(dir.path()), 1u);

        QTest::keyClick(button(form, "B_transformer"), Qt::Key_Return);
        QTRY_COMPARE(driver.seen.size(), 3);
        QVERIFY(std::filesystem::exists(dir / "Livre.pdb"));
    }

    void convertsThroughTheButtonWithMessageBoxes()
    {
        TempDir dir;
        writeFile(dir / "source.txt", "Bonjour\r\n");
        TmainForm form(programTitles);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::keyClicks(field(form, "fichierSource"), QString::fromStdString(dir / "source.txt"));
        QTest::keyClicks(field(form, "repDestPDB"), QString::fromStdString(dir.path()));
        QTest::keyClicks(field(form, "StoryName"), QStringLiteral("Essai"));

        BoxDriver driver;
        QTest::mouseClick(button(form, "B_transformer"), Qt::LeftButton);

        QCOMPARE(driver.texts(), (QStringList {QStringLiteral("8 caractères lus."), QStringLiteral("120 caractères écris."),
                                               QStringLiteral("Fichier %1/Essai.pdb sauvegardé").arg(dir.path().c_str())}));
        for (const auto& box : driver.seen) {
            QCOMPARE(box.title, QStringLiteral("texte-vers-pdb"));
            QCOMPARE(box.icon, QMessageBox::NoIcon);
            QCOMPARE(box.modality, Qt::ApplicationModal);
            QCOMPARE(box.buttons, QStringList {QStringLiteral("OK")});
        }
        QCOMPARE(readFile(dir / "Essai.pdb"), buildPDB("Bonjour\n", "Essai", 1, localToday()).bytes());
    }

    void aFailedConversionShowsTheErrorBoxAndKeepsTheFields()
    {
        TempDir dir;
        TmainForm form(ApplicationTitles::fromFileName(QStringLiteral("Conv.Tool.exe")));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QString source = QString::fromStdString(dir / "absent.txt");
        field(form, "fichierSource")->setText(source);
        field(form, "repDestPDB")->setText(QString::fromStdString(dir.path()));
        field(form, "StoryName")->setText(QStringLiteral("Essai"));

        BoxDriver driver;
        QTest::mouseClick(button(form, "B_transformer"), Qt::LeftButton);

        QCOMPARE(driver.seen.size(), 1);
        QCOMPARE(driver.seen[0].objectName, QStringLiteral("errorBox"));
        QCOMPARE(driver.seen[0].text, QStringLiteral("Fichier introuvable."));
        QCOMPARE(driver.seen[0].title, QStringLiteral("Conv"));
        QCOMPARE(driver.seen[0].icon, QMessageBox::Critical);
        QCOMPARE(driver.seen[0].modality, Qt::ApplicationModal);
        QVERIFY(form.isVisible());
        QCOMPARE(field(form, "fichierSource")->text(), source);
        QCOMPARE(field(form, "StoryName")->text(), QStringLiteral("Essai"));
        QCOMPARE(entryCount(dir.path()), 0u);
    }

    void aboutShowsTheMakerInTheMessageBox()
    {
        TmainForm form(ApplicationTitles::fromFileName(QStringLiteral("Conv.Tool.exe")));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        BoxDriver driver;
        QTest::mouseClick(button(form, "Button1"), Qt::LeftButton);
        QCOMPARE(driver.seen.size(), 1);
        QCOMPARE(driver.seen[0].title, QStringLiteral("Conv.Tool"));
        QVERIFY(driver.seen[0].text.startsWith(
            QStringLiteral("Programme de conversion de fichier texte vers pdb - développé par Vexlo Tools - ")));
        QCOMPARE(driver.seen[0].icon, QMessageBox::NoIcon);
        QVERIFY(field(form, "fichierSource")->text().isEmpty());
    }

    void titlesComeFromTheProgramFileName_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("messageTitle");
        QTest::addColumn<QString>("errorTitle");
        QTest::newRow("linux") << "texte-vers-pdb" << "texte-vers-pdb" << "texte-vers-pdb";
        QTest::newRow("two dots") << "Conv.Tool.exe" << "Conv.Tool" << "Conv";
        QTest::newRow("capitals") << "MyTool.exe" << "MyTool" << "Mytool";
        QTest::newRow("with folder") << "/usr/bin/TEXTE.bin" << "TEXTE" << "Texte";
        QTest::newRow("one letter") << "X" << "X" << "X";
    }

    void titlesComeFromTheProgramFileName()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, messageTitle);
        QFETCH(QString, errorTitle);
        const auto titles = ApplicationTitles::fromFileName(fileName);
        QCOMPARE(titles.messageBox, messageTitle);
        QCOMPARE(titles.errorBox, errorTitle);
    }
};

QTEST_MAIN(MainFormTest)
#include "mainFormTest.moc"
