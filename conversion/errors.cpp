#include "errors.h"

#include "paths.h"
#include "pdbImage.h"

#include <cerrno>
#include <sys/stat.h>

namespace {

struct ErrnoCode {
    int errnoValue;
    int code;
};

// The one place where system errors become the program's codes.
constexpr ErrnoCode errnoCodes[] = {
    {ENOENT, 2},        // refined to 3 when a folder on the path is missing
    {ENOTDIR, 3},       {ENAMETOOLONG, 3}, {ELOOP, 3},
    {EMFILE, 4},        {ENFILE, 4},
    {EACCES, 5},        {EPERM, 5},        {EROFS, 5},  {EISDIR, 5},
    {ENOSPC, 101},      {EDQUOT, 101},
};

struct CodeMessage {
    int code;
    const char* message;
};

constexpr CodeMessage codeMessages[] = {
    {2, "Fichier introuvable"},
    {3, "Nom de fichier incorrect"},
    {4, "Trop de fichiers ouverts"},
    {5, "Accès au fichier refusé"},
    {100, "Lecture au-delà de la fin de fichier"},
    {101, "Disque plein"},
    {106, "Saisie numérique incorrecte"},
};

bool isDirectory(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

std::string inOutErrorMessage(int code)
{
    for (const auto& entry : codeMessages)
        if (entry.code == code)
            return entry.message;
    return "Erreur E/S " + std::to_string(code);
}

EInOutError::EInOutError(int code) : ConversionError(inOutErrorMessage(code)), code_(code) {}

int inOutErrorCode(int errnoValue, const std::string& path)
{
    for (const auto& entry : errnoCodes) {
        if (entry.errnoValue != errnoValue)
            continue;
        // Linux says ENOENT for a missing folder too; it is a path error then.
        if (errnoValue == ENOENT && !isDirectory(directoryOf(path)))
            return 3;
        return entry.code;
    }
    return ioErrorOtherBase + errnoValue;
}

void throwInOutError(int errnoValue, const std::string& path)
{
    throw EInOutError(inOutErrorCode(errnoValue, path));
}

EOutOfMemory::EOutOfMemory() : ConversionError("Mémoire insuffisante") {}

ETextTooLong::ETextTooLong()
    : ConversionError("Texte trop long pour un fichier PDB : " + std::to_string(maxPdbTextLength) +
                      " caractères au plus")
{
}

std::string withFullStop(std::string message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        message.push_back('.');
    return message;
}
