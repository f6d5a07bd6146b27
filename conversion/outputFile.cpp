#include "outputFile.h"

#include "errors.h"
#include "paths.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

// The file a chain of symbolic links ends at, which may not exist yet.
std::string followLinks(std::string path)
{
    for (int hops = 0;; ++hops) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        if (hops == 40)
            throwInOutError(ELOOP, path);
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0)
            throwInOutError(errno, path);
        target.resize(static_cast<std::size_t>(length));
        path = target.front() == '/' ? target : directoryOf(path) + "/" + target;
    }
}

bool isReadOnly(const struct stat& info, const std::string& path)
{
    // Write bits count even for root, as a read-only attribute would.
    return (info.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& directory)
    {
        std::random_device entropy;
        for (int attempt = 0; fd_ < 0; ++attempt) {
            path_ = directory + "/.texte-vers-pdb-" + std::to_string(entropy()) + ".tmp";
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && (errno != EEXIST || attempt == 100))
                throwInOutError(errno, path_);
        }
    }
    ~TemporaryFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!path_.empty())
            ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_; }
    const std::string& path() const { return path_; }

    void close()
    {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            throwInOutError(errno, path_);
    }
    // After a successful rename there is nothing left to remove.
    void release() { path_.clear(); }

private:
    int fd_ = -1;
    std::string path_;
};

void writeAll(int fd, const std::vector<std::string_view>& parts, const std::string& path)
{
    std::vector<iovec> pending;
    for (const auto part : parts)
        if (!part.empty())
            pending.push_back({const_cast<char*>(part.data()), part.size()});

    std::size_t first = 0;
    while (first < pending.size()) {
        const std::size_t count = std::min<std::size_t>(pending.size() - first, IOV_MAX);
        const ssize_t written = ::writev(fd, pending.data() + first, static_cast<int>(count));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throwInOutError(errno, path);
        }
        auto done = static_cast<std::size_t>(written);
        while (first < pending.size() && done >= pending[first].iov_len)
            done -= pending[first++].iov_len;
        if (first < pending.size()) {
            pending[first].iov_base = static_cast<char*>(pending[first].iov_base) + done;
            pending[first].iov_len -= done;
        }
    }
}

void syncDirectory(const std::string& directory)
{
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return; // the new content is in place; only the rename's durability is at stake
    ::fsync(fd);
    ::close(fd);
}

} // namespace

void replaceFileContents(const std::string& path, const std::vector<std::string_view>& parts)
{
    const std::string target = followLinks(path);
    const std::string directory = directoryOf(target);

    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        throwInOutError(EISDIR, path);
    if (exists && isReadOnly(existing, target))
        throwInOutError(EACCES, path);

    TemporaryFile temporary(directory);
    if (exists && ::fchmod(temporary.fd(), existing.st_mode & 07777) != 0)
        throwInOutError(errno, path);
    writeAll(temporary.fd(), parts, path);
    if (::fsync(temporary.fd()) != 0)
        throwInOutError(errno, path);
    temporary.close();
    if (::rename(temporary.path().c_str(), target.c_str()) != 0)
        throwInOutError(errno, path);
    temporary.release();
    syncDirectory(directory);
}
