#pragma once

#include <stdexcept>
#include <string>

class EDirectoryCreation : public std::runtime_error {
public:
    EDirectoryCreation() : std::runtime_error("Impossible de créer le répertoire") {}
};

// Makes the directory `path` (bytes) and every missing level above it, like
// mkdir -p; a relative path is taken against the working directory. Throws
// EDirectoryCreation when a level cannot be made, or for an empty path.
void forceDirectories(const std::string& path);
