#include "errors.h"

#include <gtest/gtest.h>

#include <cerrno>

TEST(Errors, FullStopIsAddedAfterCharactersAboveTheDot)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Fichier introuvable", "Fichier introuvable."},
        {"Erreur E/S 1005", "Erreur E/S 1005."},
        {"Attention:", "Attention:."},
        {"Mémoire insuffisante", "Mémoire insuffisante."},
        {"Déjà fini.", "Déjà fini."},
        {"Fini ", "Fini "},
        {"(entre parenthèses)", "(entre parenthèses)"},
        {"Stop!", "Stop!"},
        {"Accès au fichier refusé", "Accès au fichier refusé."},
        {"", ""},
    };
    for (const auto& [message, shown] : cases)
        EXPECT_EQ(withFullStop(message), shown) << message;
}

TEST(Errors, CodesChooseTheirMessages)
{
    const std::pair<int, std::string> cases[] = {
        {2, "Fichier introuvable"},       {3, "Nom de fichier incorrect"},
        {4, "Trop de fichiers ouverts"},  {5, "Accès au fichier refusé"},
        {100, "Lecture au-delà de la fin de fichier"}, {101, "Disque plein"},
        {106, "Saisie numérique incorrecte"}, {1005, "Erreur E/S 1005"},
        {32, "Erreur E/S 32"},
    };
    for (const auto& [code, message] : cases) {
        EXPECT_EQ(inOutErrorMessage(code), message) << code;
        EXPECT_EQ(EInOutError(code).what(), message) << code;
    }
}

TEST(Errors, SystemErrorsMapOntoTheTable)
{
    const std::pair<int, int> cases[] = {
        {ENOENT, 2}, {ENOTDIR, 3}, {ENAMETOOLONG, 3}, {EMFILE, 4}, {ENFILE, 4},  {EACCES, 5},
        {EPERM, 5},  {EROFS, 5},   {EISDIR, 5},       {ENOSPC, 101}, {EDQUOT, 101},
        // Never a code of the table by accident: EIO is 5 on Linux.
        {EIO, 1000 + EIO}, {EBUSY, 1000 + EBUSY},
    };
    for (const auto& [errnoValue, code] : cases)
        EXPECT_EQ(inOutErrorCode(errnoValue, "/tmp/x"), code) << errnoValue;
    EXPECT_EQ(inOutErrorCode(ENOENT, "/no-such-folder-here/x"), 3);
    EXPECT_EQ(inOutErrorCode(ENOENT, "relative-missing-file"), 2);
}
