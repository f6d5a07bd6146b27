#include "errors.h"
#include "pdbImage.h"

#include <gtest/gtest.h>

using namespace std::chrono;
using namespace std::string_literals;

namespace {

const sys_days newYear2024 = year {2024} / January / 1;

std::string hex(std::string_view bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char byte : bytes) {
        out += digits[byte >> 4];
        out += digits[byte & 0xF];
        out += ' ';
    }
    return out;
}

std::uint32_t longAt(const std::string& image, std::size_t offset)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(image[offset + i]);
    return value;
}

unsigned wordAt(const std::string& image, std::size_t offset)
{
    return (static_cast<unsigned char>(image[offset]) << 8) | static_cast<unsigned char>(image[offset + 1]);
}

} // namespace

TEST(PdbImage, WorkedExampleIsExact)
{
    const std::string expected = std::string("Essai") + std::string(27, '\0') + std::string(4, '\0') +
                                 "\x65\x92\x00\x80\x65\x92\x00\x80"s + std::string(16, '\0') + "TEXtREAd" +
                                 std::string(8, '\0') + "\x00\x02"s + "\x00\x00\x00\x60\x41\x6F\x80\x00"s +
                                 "\x00\x00\x00\x70\x41\x6F\x80\x01"s + "\x00\x00"s +
                                 "\x00\x01\x00\x00\x00\x00\x00\x08\x00\x01\x10\x00\x00\x00\x00\x00"s + "Bonjour\n";
    ASSERT_EQ(expected.size(), 120u);

    const PdbImage image = buildPDB("Bonjour\n", "Essai", 1, newYear2024);
    EXPECT_EQ(hex(image.bytes()), hex(expected));
    EXPECT_EQ(image.size(), 120u);
}

struct SizeCase {
    std::size_t textLength;
    std::size_t records;
    std::size_t lastRecordSize;
};

class PdbImageSizes : public testing::TestWithParam<SizeCase> {};

TEST_P(PdbImageSizes, RecordsCoverTheTextExactly)
{
    const auto [length, records, lastRecordSize] = GetParam();
    std::string text(length, 'x');
    for (std::size_t i = 0; i < length; ++i)
        text[i] = static_cast<char>('a' + i % 26);
    const std::string bytes = buildPDB(text, "N", 1, newYear2024).bytes();

    ASSERT_EQ(bytes.size(), 96 + 8 * records + length);
    EXPECT_EQ(wordAt(bytes, pdb::recordCountOffset), records);
    const std::size_t docHeader = longAt(bytes, pdb::recordListOffset);
    EXPECT_EQ(docHeader, 80 + 8 * records);
    EXPECT_EQ(longAt(bytes, docHeader + pdb::docTextLengthOffset), length);
    EXPECT_EQ(wordAt(bytes, docHeader + pdb::docRecordCountOffset), records - 1);
    EXPECT_EQ(wordAt(bytes, docHeader + pdb::docRecordSizeOffset), 4096u);

    for (std::size_t k = 1; k < records; ++k) {
        const std::size_t start = longAt(bytes, pdb::recordListOffset + k * pdb::entrySize);
        EXPECT_EQ(start, 96 + 8 * records + (k - 1) * 4096) << "record " << k;
        const std::size_t end = k + 1 < records ? start + 4096 : bytes.size();
        if (k + 1 == records) {
            EXPECT_EQ(end - start, lastRecordSize);
        }
        EXPECT_EQ(bytes.substr(start, end - start), text.substr((k - 1) * 4096, end - start));
    }
}

INSTANTIATE_TEST_SUITE_P(Edges, PdbImageSizes,
                         testing::Values(SizeCase {0, 2, 0}, SizeCase {1, 2, 1}, SizeCase {4095, 2, 4095},
                                         SizeCase {4096, 3, 0}, SizeCase {4097, 3, 1},
                                         SizeCase {3 * 4096 + 5, 5, 5}));

TEST(PdbImage, EmptyTextHasEntriesAt96And112)
{
    const std::string bytes = buildPDB("", "E", 1, newYear2024).bytes();
    ASSERT_EQ(bytes.size(), 112u);
    EXPECT_EQ(longAt(bytes, pdb::recordListOffset), 96u);
    EXPECT_EQ(longAt(bytes, pdb::recordListOffset + pdb::entrySize), 112u);
}

TEST(PdbImage, NameIsCutTo31BytesAndPaddedWithNul)
{
    struct Case {
        std::string name;
        std::string field;
    };
    const Case cases[] = {
        {"abc", "abc" + std::string(29, '\0')},
        {std::string(31, 'n'), std::string(31, 'n') + '\0'},
        {std::string(32, 'n'), std::string(31, 'n') + '\0'},
        {"0123456789012345678901234567890123456789", "0123456789012345678901234567890" + std::string(1, '\0')},
    };
    for (const auto& [name, field] : cases) {
        const std::string bytes = buildPDB("t\n", name, 1, newYear2024).bytes();
        EXPECT_EQ(bytes.substr(pdb::nameOffset, pdb::nameFieldSize), field) << name;
        EXPECT_EQ(bytes.substr(pdb::typeOffset, 8), "TEXtREAd") << name;
    }
}

TEST(PdbImage, UniqueIdsCountPast255)
{
    const std::size_t records = 300;
    const std::string bytes = buildPDB(std::string((records - 2) * 4096 + 7, 'z'), "U", 1, newYear2024).bytes();
    ASSERT_EQ(wordAt(bytes, pdb::recordCountOffset), records);
    for (std::size_t k = 0; k < records; ++k) {
        const std::size_t entry = pdb::recordListOffset + k * pdb::entrySize;
        EXPECT_EQ(static_cast<unsigned char>(bytes[entry + pdb::entryAttributesOffset]), 0x41);
        EXPECT_EQ(static_cast<unsigned char>(bytes[entry + pdb::entryUniqueIdOffset]), 0x6F);
        EXPECT_EQ(wordAt(bytes, entry + pdb::entryUniqueIdOffset + 1), 0x8000 | k);
    }
    const std::size_t entry256 = pdb::recordListOffset + 256 * pdb::entrySize + pdb::entryUniqueIdOffset;
    EXPECT_EQ(hex(bytes.substr(entry256, 3)), "6F 81 00 ");
}

TEST(PdbImage, RecordAttributeIsOredInto0x40)
{
    const std::string bytes = buildPDB("", "A", 0x06, newYear2024).bytes();
    EXPECT_EQ(static_cast<unsigned char>(bytes[pdb::recordListOffset + pdb::entryAttributesOffset]), 0x46);
}

TEST(PdbImage, DatesAreWholeDaysSince1970)
{
    const std::string epoch = buildPDB("", "D", 1, sys_days {}).bytes();
    EXPECT_EQ(longAt(epoch, pdb::creationDateOffset), 0u);
    // 2106-02-07 is the first day past 32 bits of seconds: only the low bits are kept.
    const std::string late = buildPDB("", "D", 1, year {2106} / February / 8).bytes();
    EXPECT_EQ(longAt(late, pdb::creationDateOffset), (49711ull * 86400) & 0xFFFFFFFF);
    EXPECT_EQ(longAt(late, pdb::modificationDateOffset), longAt(late, pdb::creationDateOffset));
}

TEST(PdbImage, LargestTextStillNumbersItsRecordsUniquely)
{
    const PdbImage image = buildPDB(std::string(maxPdbTextLength, 'x'), "L", 1, newYear2024);
    EXPECT_EQ(wordAt(image.head, pdb::recordCountOffset), 0x8000u);
    const std::size_t lastEntry = pdb::recordListOffset + 0x7FFF * pdb::entrySize;
    EXPECT_EQ(wordAt(image.head, lastEntry + pdb::entryUniqueIdOffset + 1), 0xFFFFu);

    EXPECT_THROW(buildPDB(std::string(maxPdbTextLength + 1, 'x'), "L", 1, newYear2024), ETextTooLong);
}

TEST(PdbImage, BigEndianEncoders)
{
    EXPECT_EQ(longToBE(0x01020304), (std::array<unsigned char, 4> {1, 2, 3, 4}));
    EXPECT_EQ(longToBE(0xFFFFFFFF), (std::array<unsigned char, 4> {0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(wordToBE(0x1000), (std::array<unsigned char, 2> {0x10, 0x00}));
    EXPECT_EQ(wordToBE(0x18001), (std::array<unsigned char, 2> {0x80, 0x01})); // low 16 bits only
}
