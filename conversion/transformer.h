#pragma once

#include "pdbImage.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Shows a message to the user and returns once the user has acknowledged it.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(const std::string& message) = 0;
};

using DateSource = std::function<std::chrono::sys_days()>;

// Every record entry of a converted book carries this attribute (0x40 | 1).
inline constexpr std::uint8_t conversionRecordAttribute = 1;

// The output file for a story: the destination, "/", the story name and
// ".pdb", joined as they are.
std::string outputPathFor(const std::string& destinationDirectory, const std::string& storyName);

// Converts the text file `sourcePath` into the PalmDOC book `storyName`.pdb in
// `destinationDirectory`, telling the user at each stage through `sink`.
// Paths are the file system's bytes; the story name is UTF-8 text. Throws
// EInOutError, EOutOfMemory or ETextTooLong; nothing is written unless the
// whole book is.
void transformer(const std::string& sourcePath, const std::string& storyName,
                 const std::string& destinationDirectory, MessageSink& sink, const DateSource& today = localToday);
