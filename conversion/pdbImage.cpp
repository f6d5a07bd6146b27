#include "pdbImage.h"

#include "errors.h"

#include <algorithm>
#include <ctime>

std::array<unsigned char, 4> longToBE(std::uint32_t value)
{
    return {static_cast<unsigned char>((value >> 24) & 0xFF), static_cast<unsigned char>((value >> 16) & 0xFF),
            static_cast<unsigned char>((value >> 8) & 0xFF), static_cast<unsigned char>(value & 0xFF)};
}

std::array<unsigned char, 2> wordToBE(unsigned value)
{
    return {static_cast<unsigned char>((value >> 8) & 0xFF), static_cast<unsigned char>(value & 0xFF)};
}

std::chrono::sys_days localToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    ::localtime_r(&now, &local);
    return std::chrono::year {local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday;
}

namespace {

template <std::size_t N>
void put(std::string& image, std::size_t offset, const std::array<unsigned char, N>& bytes)
{
    std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
}

void put(std::string& image, std::size_t offset, std::string_view bytes)
{
    image.replace(offset, bytes.size(), bytes);
}

// Whole days since 1 January 1970, in seconds, kept to 32 bits.
std::uint32_t palmDate(std::chrono::sys_days day)
{
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(day.time_since_epoch()).count();
    return static_cast<std::uint32_t>(seconds);
}

} // namespace

PdbImage buildPDB(std::string text, std::string_view storyName, std::uint8_t recordAttribute,
                  std::chrono::sys_days today)
{
    using namespace pdb;
    if (text.size() > maxPdbTextLength)
        throw ETextTooLong();

    const std::size_t textLength = text.size();
    const std::size_t recordCount = textLength / textRecordSize + 2;
    const std::size_t docHeaderOffset = recordListOffset + entrySize * recordCount + gapSize;
    const std::size_t textOffset = docHeaderOffset + docHeaderSize;

    // Every field not written below is zero.
    std::string head(textOffset, '\0');
    put(head, nameOffset, storyName.substr(0, nameFieldSize - 1));
    const std::uint32_t date = palmDate(today);
    put(head, creationDateOffset, longToBE(date));
    put(head, modificationDateOffset, longToBE(date));
    put(head, typeOffset, "TEXt");
    put(head, creatorOffset, "REAd");
    put(head, recordCountOffset, wordToBE(static_cast<unsigned>(recordCount)));

    for (std::size_t k = 0; k < recordCount; ++k) {
        const std::size_t entry = recordListOffset + k * entrySize;
        const std::size_t dataOffset = k == 0 ? docHeaderOffset : textOffset + (k - 1) * textRecordSize;
        put(head, entry + entryDataOffset, longToBE(static_cast<std::uint32_t>(dataOffset)));
        head[entry + entryAttributesOffset] = static_cast<char>(entryAttributeBase | recordAttribute);
        head[entry + entryUniqueIdOffset] = static_cast<char>(uniqueIdHighByte);
        put(head, entry + entryUniqueIdOffset + 1, wordToBE(uniqueIdBase | static_cast<unsigned>(k)));
    }

    put(head, docHeaderOffset + docCompressionOffset, wordToBE(1));
    put(head, docHeaderOffset + docTextLengthOffset, longToBE(static_cast<std::uint32_t>(textLength)));
    put(head, docHeaderOffset + docRecordCountOffset, wordToBE(static_cast<unsigned>(recordCount - 1)));
    put(head, docHeaderOffset + docRecordSizeOffset, wordToBE(textRecordSize));

    return PdbImage {std::move(head), std::move(text)};
}
