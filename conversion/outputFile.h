#pragma once

#include <string>
#include <string_view>
#include <vector>

// Writes `parts`, one after the other, as the whole content of the file at
// `path`, so that a failure leaves whatever was there before untouched: the
// bytes go to a temporary file beside the target, are flushed to disk, and
// the temporary file is then renamed over the target. A symbolic link is
// followed and the file it points to replaced. A read-only target is refused.
// Throws EInOutError.
void replaceFileContents(const std::string& path, const std::vector<std::string_view>& parts);
