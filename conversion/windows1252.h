#pragma once

#include <string>
#include <string_view>

// The handheld's form of a name typed on the desktop: UTF-8 text becomes
// Windows-1252, a character that Windows-1252 lacks becomes "?", and bytes
// that are not valid UTF-8 are kept as they are.
std::string toWindows1252(std::string_view utf8);
