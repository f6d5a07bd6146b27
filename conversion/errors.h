#pragma once

#include <stdexcept>
#include <string>

// Every failure of a conversion is one of these; its what() is the French
// message shown to the user, in UTF-8.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failed file operation. The code follows the program's historical table
// (2 missing file, 3 bad path, 4 too many files, 5 access denied, 101 disk
// full); any other system error is shown as "Erreur E/S" with
// ioErrorOtherBase + errno, so that no errno value can fall on a code of the
// table by accident (EIO is 5 on Linux).
class EInOutError : public ConversionError {
public:
    explicit EInOutError(int code);
    int code() const noexcept { return code_; }

private:
    int code_;
};

inline constexpr int ioErrorOtherBase = 1000;

// The French message that goes with an EInOutError code.
std::string inOutErrorMessage(int code);

// The EInOutError code for a failed system call on `path`, from its errno.
int inOutErrorCode(int errnoValue, const std::string& path);

[[noreturn]] void throwInOutError(int errnoValue, const std::string& path);

class EOutOfMemory : public ConversionError {
public:
    EOutOfMemory();
};

// The text needs more records than a PalmDOC database can number.
class ETextTooLong : public ConversionError {
public:
    ETextTooLong();
};

// How an error message is shown: a message ending in a character above "."
// gets a full stop, one ending in ".", a blank, ")" or "!" is kept as it is.
std::string withFullStop(std::string message);
