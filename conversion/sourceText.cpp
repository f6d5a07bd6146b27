#include "sourceText.h"

#include "errors.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

void SourceTextScanner::feed(const char* data, std::size_t size)
{
    if (endMarkSeen_ || size == 0)
        return;

    std::size_t end = size;
    for (std::size_t at = 0; at < size;) {
        const auto* found = static_cast<const char*>(std::memchr(data + at, endMark, size - at));
        if (found == nullptr)
            break;
        const auto position = static_cast<std::size_t>(found - data);
        const bool atLineStart = position == 0 ? !lineHasBytes_ : data[position - 1] == '\n';
        if (atLineStart || (offset_ + position) % endMarkBlockSize == 0) {
            end = position;
            endMarkSeen_ = true;
            break;
        }
        at = position + 1;
    }

    appendWithoutCR(data, end);
    if (end > 0) {
        const auto* lastLF = static_cast<const char*>(::memrchr(data, '\n', end));
        lineHasBytes_ = lastLF == nullptr ? true : lastLF != data + end - 1;
    }
    offset_ += end;
    if (text_.size() > maxLength_)
        throw ETextTooLong();
}

void SourceTextScanner::appendWithoutCR(const char* data, std::size_t size)
{
    const char* const stop = data + size;
    while (data < stop) {
        const auto* cr = static_cast<const char*>(std::memchr(data, '\r', static_cast<std::size_t>(stop - data)));
        const char* spanEnd = cr == nullptr ? stop : cr;
        text_.append(data, static_cast<std::size_t>(spanEnd - data));
        data = cr == nullptr ? stop : cr + 1;
    }
}

void SourceTextScanner::reserve(std::size_t size)
{
    text_.reserve(size);
    // Filling a large buffer page by page costs one fault per 4 KiB, which
    // on some machines outweighs the rest of the conversion: ask for huge
    // pages. Only advice; nothing changes where they are not available.
    constexpr std::uintptr_t hugePage = 2 << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(text_.data());
    const std::uintptr_t begin = (start + hugePage - 1) & ~(hugePage - 1);
    const std::uintptr_t end = (start + text_.capacity()) & ~(hugePage - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

std::string SourceTextScanner::take()
{
    // A last line without LF still counts when it held any byte, even a CR.
    if (lineHasBytes_) {
        text_.push_back('\n');
        lineHasBytes_ = false;
        if (text_.size() > maxLength_)
            throw ETextTooLong();
    }
    return std::move(text_);
}

namespace {

struct FileCloser {
    void operator()(const int* fd) const { ::close(*fd); }
};

// The scanner counts absolute offsets, so reads may be of any size.
constexpr std::size_t readChunkSize = 1 << 20;

} // namespace

std::string readSourceText(const std::string& path, std::size_t maxLength)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throwInOutError(errno, path);
    // Closed on the way out of an error; the normal path closes it itself to check the result.
    std::unique_ptr<int, FileCloser> closeOnError(&fd);

    struct stat info {};
    if (::fstat(fd, &info) != 0)
        throwInOutError(errno, path);
    if (S_ISDIR(info.st_mode))
        throwInOutError(EISDIR, path);

    SourceTextScanner scanner(maxLength);
    if (S_ISREG(info.st_mode) && info.st_size > 0) {
        // CR removal only shrinks the text; one LF may be added at the end.
        const auto fileSize = static_cast<unsigned long long>(info.st_size);
        scanner.reserve(static_cast<std::size_t>(std::min<unsigned long long>(fileSize, maxLength) + 1));
    }

    auto chunk = std::make_unique_for_overwrite<char[]>(readChunkSize);
    while (!scanner.finished()) {
        const ssize_t got = ::read(fd, chunk.get(), readChunkSize);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throwInOutError(errno, path);
        }
        if (got == 0)
            break;
        scanner.feed(chunk.get(), static_cast<std::size_t>(got));
    }

    closeOnError.release();
    if (::close(fd) != 0)
        throwInOutError(errno, path);
    return scanner.take();
}
