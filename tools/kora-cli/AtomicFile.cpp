#include "kora-cli/AtomicFile.h"

#include "framework/SysUtils.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kora::cli {

namespace {

[[noreturn]] void Fail(const char* what, const std::string& path, int error)
{
    throw EInOutError(Format("%s \"%s\". %s", what, path.c_str(), SysErrorMessage(error).c_str()), error);
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes)
{
    std::vector<char> temp(path.begin(), path.end());
    for (char c : std::string_view(".tmp-XXXXXX"))
        temp.push_back(c);
    temp.push_back('\0');
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        Fail("Cannot create file", path, errno);
    const std::string tempPath = temp.data();
    auto abandon = [&](const char* what) {
        const int error = errno;
        ::close(fd);
        ::unlink(tempPath.c_str());
        Fail(what, tempPath, error);
    };
    // mkstemp makes the file private; give it the usual mode.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(fd, 0666 & ~mask) != 0)
        abandon("Cannot set the mode of");
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            abandon("Cannot write");
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0)
        abandon("Cannot flush");
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(tempPath.c_str());
        Fail("Cannot close", tempPath, error);
    }
    if (::rename(tempPath.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(tempPath.c_str());
        Fail("Cannot replace", path, error);
    }
}

}  // namespace kora::cli
