#pragma once

#include "pdbImage.h"

#include <cstddef>
#include <string>

// Turns the bytes of a source file into the text of the book: lines end in
// exactly one LF, every CR is dropped, and the byte 0x1A ends the text when it
// starts a line or stands at an offset that is a multiple of 128 (the old DOS
// end-of-file mark, checked at each 128-byte block as the first readers did).
// Bytes may arrive in pieces of any size.
class SourceTextScanner {
public:
    explicit SourceTextScanner(std::size_t maxLength = maxPdbTextLength) : maxLength_(maxLength) {}

    // Throws ETextTooLong as soon as the text outgrows maxLength.
    void feed(const char* data, std::size_t size);
    bool finished() const noexcept { return endMarkSeen_; }
    std::string take();

    // Room for the whole text, when its size is known beforehand.
    void reserve(std::size_t size);

private:
    void appendWithoutCR(const char* data, std::size_t size);

    std::string text_;
    std::size_t maxLength_;
    unsigned long long offset_ = 0;
    bool lineHasBytes_ = false;
    bool endMarkSeen_ = false;
};

inline constexpr char endMark = 0x1A;
inline constexpr std::size_t endMarkBlockSize = 128;

// Reads the source file at `path` (bytes, used unchanged). Throws
// EInOutError on a file failure and ETextTooLong for a text longer than
// maxLength, without reading much beyond that.
std::string readSourceText(const std::string& path, std::size_t maxLength = maxPdbTextLength);
