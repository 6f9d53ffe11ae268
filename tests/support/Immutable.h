#pragma once
// The immutable flag of a file or folder, which stops even root from replacing the file or creating
// files in the folder: how the fault tests make a disk refuse a write.

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <filesystem>

namespace tei::test {

// Sets or clears the flag; false where the file system cannot.
inline bool setImmutable(const std::filesystem::path& p, bool on) {
    int fd = ::open(p.c_str(), O_RDONLY);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
}

}  // namespace tei::test
