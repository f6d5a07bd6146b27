#include "applicationTitles.h"

ApplicationTitles ApplicationTitles::fromFileName(const QString& fileName)
{
    const QString name = fileName.section(QLatin1Char('/'), -1);

    const qsizetype lastDot = name.lastIndexOf(QLatin1Char('.'));
    const QString messageBox = lastDot < 0 ? name : name.left(lastDot);

    QString errorBox = name.section(QLatin1Char('.'), 0, 0);
    if (errorBox.size() > 1)
        errorBox = errorBox.left(1) + errorBox.mid(1).toLower();

    return {messageBox, errorBox};
}
