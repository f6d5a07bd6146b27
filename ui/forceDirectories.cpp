#include "forceDirectories.h"

#include <filesystem>
#include <system_error>

void forceDirectories(const std::string& path)
{
    if (path.empty())
        throw EDirectoryCreation();
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error || !std::filesystem::is_directory(path, error))
        throw EDirectoryCreation();
}
