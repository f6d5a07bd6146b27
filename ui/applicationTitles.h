#pragma once

#include <QString>

// The captions of the program's boxes, both taken from the executable's file
// name at start-up, as users of the first Windows versions knew them.
struct ApplicationTitles {
    QString messageBox; // the file name without its last extension
    QString errorBox;   // cut at its first ".", lowercased after the first character

    static ApplicationTitles fromFileName(const QString& fileName);
};
