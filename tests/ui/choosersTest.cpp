#include "boxDriver.h"
#include "mainFormUnit.h"
#include "openFileDialog.h"
#include "tempDir.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include <filesystem>
#include <unistd.h>

namespace {

const ApplicationTitles programTitles = ApplicationTitles::fromFileName(QStringLiteral("texte-vers-pdb"));

QString q(const std::string& path)
{
    return QString::fromStdString(path);
}

template <typename Widget = QLineEdit>
Widget* child(QWidget* parent, const char* name)
{
    return parent->findChild<Widget*>(QLatin1String(name));
}

// What the open-file dialog shows in its file view.
QStringList shownNames(QFileDialog* dialog)
{
    auto* view = child<QListView>(dialog, "listView");
    QStringList names;
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < view->model()->rowCount(root); ++row)
        names << view->model()->index(row, 0, root).data().toString();
    return names;
}

void typeInto(QLineEdit* field, const QString& text)
{
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

} // namespace

class ChoosersTest : public QObject {
    Q_OBJECT

    QString startingDirectory_;
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<TmainForm> form_;

    QLineEdit* field(const char* name) { return child(form_.get(), name); }
    void click(const char* name) { QTest::mouseClick(child<QPushButton>(form_.get(), name), Qt::LeftButton); }
    QString path(const std::string& name) const { return q(*dir_ / name); }

private slots:
    void init()
    {
        startingDirectory_ = QDir::currentPath();
        dir_ = std::make_unique<TempDir>();
        std::filesystem::create_directory(*dir_ / "livres");
        writeFile(*dir_ / "notes.txt", "n\n");
        writeFile(*dir_ / "README", "r\n");
        writeFile(*dir_ / "livres/dedans.txt", "d\n");
        QDir::setCurrent(q(dir_->path()));
        form_ = std::make_unique<TmainForm>(programTitles);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }

    void cleanup()
    {
        form_.reset();
        QDir::setCurrent(startingDirectory_);
        dir_.reset();
    }

    void filterTextBecomesFileTypes_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QStringList>("masks");
        QTest::newRow("program's") << "*.pas|*.c|*.txt|*.*" << QStringList {"*.pas", "*.c", "*.txt", "*.*"}
                                   << QStringList {"*.pas", "*.c", "*.txt", "*.*"};
        QTest::newRow("described") << "Textes (*.txt)|Pascal (*.pas;*.pp)"
                                   << QStringList {"Textes (*.txt)", "Pascal (*.pas;*.pp)"}
                                   << QStringList {"*.txt", "*.pas;*.pp"};
        QTest::newRow("close first") << "a)b(c" << QStringList {"a)b(c"} << QStringList {"a)b(c"};
        QTest::newRow("open only") << "a(b" << QStringList {"a(b"} << QStringList {"a(b"};
        QTest::newRow("empty mask") << "rien ()" << QStringList {"rien ()"} << QStringList {""};
    }

    void filterTextBecomesFileTypes()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, labels);
        QFETCH(QStringList, masks);
        const auto entries = fileTypeEntries(filter);
        QCOMPARE(entries.size(), labels.size());
        for (qsizetype i = 0; i < entries.size(); ++i) {
            QCOMPARE(entries[i].label, labels[i]);
            QCOMPARE(entries[i].mask, masks[i]);
        }
    }

    void confirmingAFileFillsSourceAndStoryName()
    {
        field("repDestPDB")->setText(QStringLiteral("garde"));
        field("StoryName")->setText(QStringLiteral("ancien"));
        QString title, firstFilter, firstDirectory, firstName;
        BoxDriver driver({[&](QWidget* widget) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            QVERIFY(dialog);
            title = dialog->windowTitle();
            firstFilter = dialog->selectedNameFilter();
            firstDirectory = dialog->directory().absolutePath();
            firstName = child(dialog, "fileNameEdit")->text();
            typeInto(child(dialog, "fileNameEdit"), path("notes.txt"));
            QTest::keyClick(child(dialog, "fileNameEdit"), Qt::Key_Return);
        }});
        click("B_selFicSource");

        QCOMPARE(title, QStringLiteral("Ouvrir"));
        QVERIFY(firstFilter.startsWith(QStringLiteral("*.pas")));
        QCOMPARE(firstDirectory, QDir::currentPath());
        QCOMPARE(firstName, QString());
        QCOMPARE(field("fichierSource")->text(), path("notes.txt"));
        QCOMPARE(field("StoryName")->text(), QStringLiteral("notes.txt"));
        QCOMPARE(field("repDestPDB")->text(), QStringLiteral("garde"));
    }

    void aTypedNameOfAMissingFileIsAccepted()
    {
        BoxDriver driver({[&](QWidget* dialog) {
            QTest::keyClicks(child(dialog, "fileNameEdit"), QStringLiteral("nouveau.txt"));
            QTest::keyClick(child(dialog, "fileNameEdit"), Qt::Key_Return);
        }});
        click("B_selFicSource");
        QCOMPARE(field("fichierSource")->text(), path("nouveau.txt"));
        QCOMPARE(field("StoryName")->text(), QStringLiteral("nouveau.txt"));
    }

    void aReadOnlyFileIsAccepted()
    {
        std::filesystem::permissions(*dir_ / "notes.txt", std::filesystem::perms::owner_read);
        BoxDriver driver({[&](QWidget* dialog) {
            QTest::keyClicks(child(dialog, "fileNameEdit"), QStringLiteral("notes.txt"));
            QTest::keyClick(child(dialog, "fileNameEdit"), Qt::Key_Return);
        }});
        click("B_selFicSource");
        QCOMPARE(field("fichierSource")->text(), path("notes.txt"));
    }

    void starDotStarShowsAndTakesNamesWithoutADot()
    {
        QStringList underPas, underAll;
        BoxDriver driver({[&](QWidget* widget) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            QVERIFY(QTest::qWaitFor([&] { return shownNames(dialog).contains(QStringLiteral("livres")); }));
            underPas = shownNames(dialog);
            dialog->selectNameFilter(dialog->nameFilters().constLast());
            QVERIFY(QTest::qWaitFor([&] { return shownNames(dialog).contains(QStringLiteral("README")); }));
            underAll = shownNames(dialog);
            QTest::keyClicks(child(dialog, "fileNameEdit"), QStringLiteral("README"));
            QTest::keyClick(child(dialog, "fileNameEdit"), Qt::Key_Return);
        }});
        click("B_selFicSource");

        QVERIFY2(!underPas.contains(QStringLiteral("README")), qPrintable(underPas.join(',')));
        QVERIFY2(underAll.contains(QStringLiteral("README")), qPrintable(underAll.join(',')));
        QVERIFY(underAll.contains(QStringLiteral("notes.txt")));
        QCOMPARE(field("StoryName")->text(), QStringLiteral("README"));
    }

    void reopensOnTheLastConfirmedFileAndType()
    {
        const auto pickTxt = [&](QWidget* widget) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            dialog->selectNameFilter(dialog->nameFilters().at(2));
            QTest::keyClicks(child(dialog, "fileNameEdit"), path("livres/dedans.txt"));
            QTest::keyClick(child(dialog, "fileNameEdit"), Qt::Key_Return);
        };
        QString filterThen, directoryThen, nameThen;
        const auto look = [&](QWidget* widget) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            filterThen = dialog->selectedNameFilter();
            directoryThen = dialog->directory().absolutePath();
            nameThen = child(dialog, "fileNameEdit")->text();
            // Choosing another type and cancelling must not be remembered.
            dialog->selectNameFilter(dialog->nameFilters().at(1));
            QTest::keyClick(dialog, Qt::Key_Escape);
        };
        BoxDriver driver({pickTxt, look, look});
        click("B_selFicSource");
        field("fichierSource")->setText(QStringLiteral("tapé à la main"));
        click("B_selFicSource");
        QVERIFY(filterThen.startsWith(QStringLiteral("*.txt")));
        QCOMPARE(directoryThen, path("livres"));
        QCOMPARE(nameThen, QStringLiteral("dedans.txt"));
        QCOMPARE(field("fichierSource")->text(), QStringLiteral("tapé à la main"));

        click("B_selFicSource");
        QVERIFY(filterThen.startsWith(QStringLiteral("*.txt")));
    }

    void directoryChooserStartsAtTheWorkingDirectory()
    {
        QString title, name, selected, focus, afterAccelerator;
        QStringList files;
        BoxDriver driver({[&](QWidget* dialog) {
            title = dialog->windowTitle();
            name = child(dialog, "directoryName")->text();
            focus = QApplication::focusWidget()->objectName();
            for (int i = 0; i < child<QListWidget>(dialog, "fileList")->count(); ++i)
                files << child<QListWidget>(dialog, "fileList")->item(i)->text();
            QTest::keyClick(dialog, Qt::Key_N, Qt::AltModifier);
            afterAccelerator = QApplication::focusWidget()->objectName();
            selected = child(dialog, "directoryName")->selectedText();
            QTest::keyClick(dialog, Qt::Key_Escape);
        }});
        click("B_selRepDestPDB");
        QCOMPARE(title, QStringLiteral("Sélection du répertoire"));
        QCOMPARE(name, QDir::currentPath());
        QCOMPARE(selected, name);
        QCOMPARE(focus, QStringLiteral("directoryList"));
        QCOMPARE(afterAccelerator, QStringLiteral("directoryName"));
        QCOMPARE(files, (QStringList {QStringLiteral("notes.txt"), QStringLiteral("README")}));
        QCOMPARE(field("repDestPDB")->text(), QString());
    }

    void directoryChooserStartsAtTheFieldsDirectoryAndMovesTheWorkingDirectory()
    {
        QDir::setCurrent(QStringLiteral("/"));
        field("repDestPDB")->setText(path("livres"));
        QString name;
        BoxDriver driver({[&](QWidget* dialog) {
            name = child(dialog, "directoryName")->text();
            QTest::keyClick(dialog, Qt::Key_Escape);
        }});
        click("B_selRepDestPDB");
        QCOMPARE(name, path("livres"));
        QCOMPARE(QDir::currentPath(), path("livres"));
        QCOMPARE(field("repDestPDB")->text(), path("livres"));
    }

    void doubleClickMovesIntoADirectory()
    {
        QString name;
        BoxDriver driver({[&](QWidget* dialog) {
            auto* tree = child<QTreeWidget>(dialog, "directoryList");
            const auto found = tree->findItems(QStringLiteral("livres"), Qt::MatchExactly | Qt::MatchRecursive);
            QCOMPARE(found.size(), 1);
            const QPoint centre = tree->visualItemRect(found[0]).center();
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, centre);
            name = child(dialog, "directoryName")->text();
            QTest::keyClick(dialog, Qt::Key_Return);
        }});
        click("B_selRepDestPDB");
        QCOMPARE(name, path("livres"));
        QCOMPARE(QDir::currentPath(), path("livres"));
        QCOMPARE(field("repDestPDB")->text(), path("livres"));
    }

    void theDriveListOffersTheRoot()
    {
        QString name;
        BoxDriver driver({[&](QWidget* dialog) {
            auto* drives = child<QComboBox>(dialog, "driveList");
            const int root = drives->findText(QStringLiteral("/"));
            QVERIFY(root >= 0);
            drives->showPopup();
            drives->view()->setCurrentIndex(drives->model()->index(root, 0));
            QTest::keyClick(drives->view(), Qt::Key_Return);
            name = child(dialog, "directoryName")->text();
            QTest::keyClick(dialog, Qt::Key_Return);
        }});
        click("B_selRepDestPDB");
        QCOMPARE(name, QStringLiteral("/"));
        QCOMPARE(field("repDestPDB")->text(), QStringLiteral("/"));
    }

    void aMissingDirectoryIsCreatedOnlyAfterYes()
    {
        const QString typed = path("Livres/Palm");
        QString textAfterNo;
        BoxDriver driver({
            [&](QWidget* dialog) {
                typeInto(child(dialog, "directoryName"), typed);
                QTest::keyClick(dialog, Qt::Key_Return);
            },
            [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); },
            [&](QWidget* dialog) {
                textAfterNo = child(dialog, "directoryName")->text();
                QTest::keyClick(dialog, Qt::Key_Return);
            },
            [](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); },
        });
        click("B_selRepDestPDB");

        QCOMPARE(driver.seen.size(), 2);
        for (const auto& box : driver.seen) {
            QCOMPARE(box.title, QStringLiteral("Confirmation"));
            QCOMPARE(box.text, QStringLiteral("Le répertoire spécifié n'existe pas. Le créer ?"));
            QCOMPARE(box.icon, QMessageBox::Question);
            QCOMPARE(box.buttons, (QStringList {QStringLiteral("&Oui"), QStringLiteral("&Non")}));
        }
        QCOMPARE(textAfterNo, typed);
        QVERIFY(QFileInfo(typed).isDir());
        QCOMPARE(field("repDestPDB")->text(), typed);
    }

    void aSingleRelativeNameIsCreatedInTheShownDirectory()
    {
        BoxDriver driver({[&](QWidget* dialog) {
            typeInto(child(dialog, "directoryName"), QStringLiteral("palm"));
            QTest::keyClick(dialog, Qt::Key_Return);
        }});
        click("B_selRepDestPDB");
        QVERIFY(QFileInfo(path("palm")).isDir());
        QCOMPARE(field("repDestPDB")->text(), QStringLiteral("palm"));
    }

    void aLevelThatCannotBeMadeShowsTheErrorBox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("empty name") << QString();
        QTest::newRow("under a file") << QStringLiteral("notes.txt/palm");
        QTest::newRow("in a system folder") << QStringLiteral("/sys/texte-vers-pdb-essai/palm");
        if (::geteuid() != 0) // permissions do not hold root back
            QTest::newRow("read-only parent") << QStringLiteral("lecture-seule/palm");
    }

    void aLevelThatCannotBeMadeShowsTheErrorBox()
    {
        QFETCH(QString, typed);
        std::filesystem::create_directory(*dir_ / "lecture-seule");
        std::filesystem::permissions(*dir_ / "lecture-seule", std::filesystem::perms::owner_read |
                                                                  std::filesystem::perms::owner_exec);
        const std::size_t entriesBefore = entryCount(dir_->path());
        field("repDestPDB")->setText(QStringLiteral("avant"));
        BoxDriver driver({[&](QWidget* dialog) {
            typeInto(child(dialog, "directoryName"), typed);
            QTest::keyClick(dialog, Qt::Key_Return);
        }});
        click("B_selRepDestPDB");

        QCOMPARE(driver.seen.size(), 2); // the confirmation, then the error
        QCOMPARE(driver.seen[1].objectName, QStringLiteral("errorBox"));
        QCOMPARE(driver.seen[1].text, QStringLiteral("Impossible de créer le répertoire."));
        QCOMPARE(driver.seen[1].title, programTitles.errorBox);
        QCOMPARE(field("repDestPDB")->text(), QStringLiteral("avant"));
        QCOMPARE(entryCount(dir_->path()), entriesBefore);
        QVERIFY(!QFileInfo::exists(path("lecture-seule/palm")));
    }
};

QTEST_MAIN(ChoosersTest)
#include "choosersTest.moc"
