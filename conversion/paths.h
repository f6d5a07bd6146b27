#pragma once

#include <string>

// The folder part of a path, as the system resolves it: "." for a bare name, "/" at the root.
inline std::string directoryOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}
