#include "errors.h"
#include "sourceText.h"
#include "tempDir.h"

#include <gtest/gtest.h>

#include <random>

using namespace std::string_literals;

namespace {

// The reading rule stated plainly: cut the file before the first end mark
// that starts a line or a 128-byte block, then every line loses its CRs and
// ends in one LF.
std::string referenceText(const std::string& file)
{
    std::size_t end = file.size();
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file[i] == 0x1A && (i % 128 == 0 || file[i - 1] == '\n')) {
            end = i;
            break;
        }
    }
    std::string text;
    std::string line;
    bool lineOpen = false;
    for (std::size_t i = 0; i < end; ++i) {
        lineOpen = true;
        if (file[i] == '\n') {
            text += line + '\n';
            line.clear();
            lineOpen = false;
        } else if (file[i] != '\r') {
            line += file[i];
        }
    }
    if (lineOpen)
        text += line + '\n';
    return text;
}

std::string readThroughFile(const std::string& bytes)
{
    TempDir dir;
    writeFile(dir / "source", bytes);
    return readSourceText(dir / "source");
}

} // namespace

TEST(SourceText, ByteCases)
{
    const std::string CR = "\r", LF = "\n", SUB = "\x1A";
    struct Case {
        std::string file;
        std::string text;
    };
    const Case cases[] = {
        {"", ""},
        {"abc", "abc" + LF},
        {"abc" + LF, "abc" + LF},
        {"abc" + CR + LF, "abc" + LF},
        {"abc" + CR, "abc" + LF},
        {"a" + CR + LF + "b" + CR + LF, "a" + LF + "b" + LF},
        {"a" + CR + "b" + LF, "ab" + LF},
        {"a" + CR + CR + "b", "ab" + LF},
        {"a" + CR + CR + LF, "a" + LF},
        {LF, LF},
        {LF + LF, LF + LF},
        {CR, LF},
        {CR + CR + CR, LF},
        {"a" + LF + CR, "a" + LF + LF},
        {"a" + LF + CR + LF, "a" + LF + LF},
        {SUB + "abc", ""},
        {"ab" + LF + SUB + "cd" + LF, "ab" + LF},
        {"ab" + CR + LF + SUB, "ab" + LF},
        {"ab" + SUB + "cd" + LF, "ab" + SUB + "cd" + LF},
        {"abc" + SUB, "abc" + SUB + LF},
        {CR + SUB, SUB + LF},
        {"\x00\x7F\x80\xC3\xA9\xFF"s + LF + "\x00"s, "\x00\x7F\x80\xC3\xA9\xFF"s + LF + "\x00"s + LF},
    };
    for (const auto& [file, text] : cases) {
        EXPECT_EQ(readThroughFile(file), text) << testing::PrintToString(file);
        EXPECT_EQ(referenceText(file), text) << "reference: " << testing::PrintToString(file);
    }
}

TEST(SourceText, EndMarkCountsAtBlockStartsOnly)
{
    std::string line(300, 'x');
    line[128] = 0x1A;
    EXPECT_EQ(readThroughFile(line + "\nnext\n"), std::string(128, 'x') + "\n");

    std::string shifted(300, 'x');
    shifted[129] = 0x1A;
    EXPECT_EQ(readThroughFile(shifted + "\nnext\n"), shifted + "\nnext\n");

    // A CR LF split across two blocks ends one line.
    const std::string split = std::string(127, 'y') + "\r\nz";
    EXPECT_EQ(readThroughFile(split), std::string(127, 'y') + "\nz\n");
}

TEST(SourceText, LongLinesComeBackWhole)
{
    for (const std::size_t length : {255u, 256u, 100000u, 3u << 20}) {
        const std::string line(length, 'L');
        EXPECT_EQ(readThroughFile(line + "\r\n" + line), line + "\n" + line + "\n") << length;
    }
}

TEST(SourceText, MatchesTheRuleOnRandomFilesAndPieces)
{
    std::mt19937 random(20240101);
    const char alphabet[] = {'a', 'b', '\r', '\n', 0x1A, '\0', '\xFF'};
    // End marks are made rarer so that many files run past several blocks.
    std::discrete_distribution<int> pick({30, 20, 8, 8, 1, 2, 2});
    std::uniform_int_distribution<std::size_t> length(0, 700);
    for (int round = 0; round < 400; ++round) {
        std::string file(length(random), ' ');
        for (auto& byte : file)
            byte = alphabet[pick(random)];
        const std::string expected = referenceText(file);

        ASSERT_EQ(readThroughFile(file), expected) << testing::PrintToString(file);

        SourceTextScanner scanner;
        for (std::size_t at = 0; at < file.size();) {
            const std::size_t piece = std::min(file.size() - at, std::uniform_int_distribution<std::size_t>(1, 200)(random));
            scanner.feed(file.data() + at, piece);
            at += piece;
        }
        ASSERT_EQ(scanner.take(), expected) << "in pieces: " << testing::PrintToString(file);
    }
}

TEST(SourceText, TooLongTextIsRefusedWithoutReadingOn)
{
    TempDir dir;
    writeFile(dir / "long", std::string(5000, 'x'));
    EXPECT_THROW(readSourceText(dir / "long", 4999), ETextTooLong);
    EXPECT_EQ(readSourceText(dir / "long", 5001).size(), 5001u);
    // The final LF counts too.
    EXPECT_THROW(readSourceText(dir / "long", 5000), ETextTooLong);
    // A source without end gives up at the limit.
    EXPECT_THROW(readSourceText("/dev/zero", 1 << 16), ETextTooLong);
}

TEST(SourceText, FileSystemFailuresCarryTheirCodes)
{
    TempDir dir;
    struct Case {
        std::string path;
        int code;
        std::string message;
    };
    const Case cases[] = {
        {dir / "missing.txt", 2, "Fichier introuvable"},
        {dir / "missing-folder/file.txt", 3, "Nom de fichier incorrect"},
        {dir.path(), 5, "Accès au fichier refusé"},
    };
    for (const auto& [path, code, message] : cases) {
        try {
            readSourceText(path);
            ADD_FAILURE() << path << " was read";
        } catch (const EInOutError& error) {
            EXPECT_EQ(error.code(), code) << path;
            EXPECT_EQ(error.what(), message) << path;
        }
    }
}
