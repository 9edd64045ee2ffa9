#include "core/data/SafeFileWrite.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace yarrow {

namespace {

std::string Reason(int error) {
    return std::strerror(error);
}

} // namespace

std::string WriteFileReplacing(const std::string& path, std::string_view bytes) {
    if (path.empty() || path.back() == '/')
        return "no file name";
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string pattern = folder + "." + name + ".XXXXXX";
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    // mkstemp opens with O_CREAT | O_EXCL: it never follows a link or reuses a file.
    const int fd = mkstemp(temp.data());
    if (fd < 0)
        return Reason(errno);
    int error = 0;
    for (size_t done = 0; done < bytes.size() && error == 0;) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR)
            error = errno;
        else if (n > 0)
            done += size_t(n);
    }
    if (error == 0) {
        const mode_t mask = umask(0);
        umask(mask);
        if (fchmod(fd, 0666 & ~mask) != 0 || fsync(fd) != 0)
            error = errno;
    }
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && std::rename(temp.data(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.data());
        return Reason(error);
    }
    return {};
}

} // namespace yarrow
