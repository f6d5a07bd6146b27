#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A whole PalmDOC .pdb file: the database header, record list and document
// record (`head`), followed by the text unchanged. The text is kept as its
// own string so that a 100 MB book is never held twice in memory.
struct PdbImage {
    std::string head;
    std::string text;

    std::size_t size() const noexcept { return head.size() + text.size(); }
    std::string bytes() const { return head + text; }
};

// Layout of the database header (all numbers big-endian).
namespace pdb {
inline constexpr std::size_t nameOffset = 0;
inline constexpr std::size_t nameFieldSize = 32;
inline constexpr std::size_t attributesOffset = 32;
inline constexpr std::size_t versionOffset = 34;
inline constexpr std::size_t creationDateOffset = 36;
inline constexpr std::size_t modificationDateOffset = 40;
inline constexpr std::size_t lastBackupDateOffset = 44;
inline constexpr std::size_t modificationNumberOffset = 48;
inline constexpr std::size_t appInfoOffset = 52;
inline constexpr std::size_t sortInfoOffset = 56;
inline constexpr std::size_t typeOffset = 60;
inline constexpr std::size_t creatorOffset = 64;
inline constexpr std::size_t uniqueIdSeedOffset = 68;
inline constexpr std::size_t nextRecordListOffset = 72;
inline constexpr std::size_t recordCountOffset = 76;
inline constexpr std::size_t recordListOffset = 78;

// One record list entry.
inline constexpr std::size_t entrySize = 8;
inline constexpr std::size_t entryDataOffset = 0;
inline constexpr std::size_t entryAttributesOffset = 4;
inline constexpr std::size_t entryUniqueIdOffset = 5;

// Two NUL bytes between the record list and record 0.
inline constexpr std::size_t gapSize = 2;

// Record 0, the document header.
inline constexpr std::size_t docHeaderSize = 16;
inline constexpr std::size_t docCompressionOffset = 0;
inline constexpr std::size_t docReservedOffset = 2;
inline constexpr std::size_t docTextLengthOffset = 4;
inline constexpr std::size_t docRecordCountOffset = 8;
inline constexpr std::size_t docRecordSizeOffset = 10;
inline constexpr std::size_t docPositionOffset = 12;

inline constexpr std::size_t textRecordSize = 4096;
inline constexpr std::uint8_t entryAttributeBase = 0x40;
inline constexpr std::uint8_t uniqueIdHighByte = 0x6F;
inline constexpr std::uint16_t uniqueIdBase = 0x8000;
} // namespace pdb

// Unique IDs are 0x8000 OR the record index, so indexes must stay below
// 0x8000: at most 0x7FFF text records, hence this many bytes of text.
inline constexpr std::size_t maxPdbTextLength = 0x7FFF * pdb::textRecordSize - 1;

std::array<unsigned char, 4> longToBE(std::uint32_t value);
std::array<unsigned char, 2> wordToBE(unsigned value);

// Today's date on the local calendar.
std::chrono::sys_days localToday();

// Builds the image around `text` (moved in, not copied). `storyName` is the
// database name's bytes; it is cut to 31 bytes. Throws ETextTooLong when the
// text is longer than maxPdbTextLength.
PdbImage buildPDB(std::string text, std::string_view storyName, std::uint8_t recordAttribute,
                  std::chrono::sys_days today);
