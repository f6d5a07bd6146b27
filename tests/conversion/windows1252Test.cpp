#include "windows1252.h"

#include <gtest/gtest.h>

TEST(Windows1252, NamesBecomeHandheldBytes)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Essai", "Essai"},
        {"", ""},
        {"Été à Noël", "\xC9t\xE9 \xE0 No\xEBl"},
        {"Cœur 5 €", "C\x9C" "ur 5 \x80"},
        {"日本語 ok", "??? ok"},
        {"emoji 😀", "emoji ?"},
        // Not UTF-8: the bytes are kept.
        {"caf\xE9", "caf\xE9"},
        {"\xFF\xFE", "\xFF\xFE"},
        {"trunc\xC3", "trunc\xC3"},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(toWindows1252(name), expected) << name;
}
