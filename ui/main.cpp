// texte-vers-pdb: the desktop program. It takes no command line of its own.
#include "mainFormUnit.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QScreen>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    application.setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));
    const auto titles = ApplicationTitles::fromFileName(QFileInfo(QApplication::applicationFilePath()).fileName());

    TmainForm mainForm(titles);
    mainForm.move(mainForm.screen()->availableGeometry().center() - mainForm.rect().center());
    mainForm.show();
    return application.exec();
}
