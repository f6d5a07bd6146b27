#include "windows1252.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : handle_(::iconv_open(to, from))
    {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { ::iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // False when the input cannot be converted whole.
    bool convert(const void* input, std::size_t inputSize, void* output, std::size_t& outputSize)
    {
        ::iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        auto* in = static_cast<char*>(const_cast<void*>(input));
        auto* out = static_cast<char*>(output);
        std::size_t outLeft = outputSize;
        const bool ok = ::iconv(handle_, &in, &inputSize, &out, &outLeft) != static_cast<std::size_t>(-1);
        outputSize -= outLeft;
        return ok && inputSize == 0;
    }

private:
    iconv_t handle_;
};

} // namespace

std::string toWindows1252(std::string_view utf8)
{
    // Decoding to UTF-32 first tells invalid UTF-8 apart from a character
    // that Windows-1252 has no byte for.
    constexpr std::size_t unit = 4;
    std::string codePoints(utf8.size() * unit, '\0');
    std::size_t decodedSize = codePoints.size();
    Converter decoder("UTF-32LE", "UTF-8");
    if (!decoder.convert(utf8.data(), utf8.size(), codePoints.data(), decodedSize))
        return std::string(utf8);

    Converter encoder("WINDOWS-1252", "UTF-32LE");
    std::string result;
    result.reserve(decodedSize / unit);
    for (std::size_t at = 0; at < decodedSize; at += unit) {
        char byte = '?';
        std::size_t written = 1;
        if (!encoder.convert(codePoints.data() + at, unit, &byte, written) || written != 1)
            byte = '?';
        result.push_back(byte);
    }
    return result;
}
