// texte-vers-pdb: the desktop program. It takes no command line of its own.
#include "mainFormUnit.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // The program speaks French; so do Qt's own dialogs and buttons.
    QTranslator qtFrench;
    if (qtFrench.load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(&qtFrench);
    application.setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));
    const auto titles = ApplicationTitles::fromFileName(QApplication::applicationFilePath());

    TmainForm mainForm(titles);
    mainForm.move(mainForm.screen()->availableGeometry().center() - mainForm.rect().center());
    mainForm.show();
    return application.exec();
}
