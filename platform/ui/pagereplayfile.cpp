#include "platform/ui/pagereplayfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#include "platform/core/files.h"
#include "platform/ui/printerdevice.h"

namespace vex {

namespace {

std::string Described(const std::string& What, int Error) {
    return What + ": " + std::strerror(Error);
}

}  // namespace

TPageFile::TPageFile(std::string FileName) : FFileName(std::move(FileName)) {
    if (FFileName.empty() || ExtractFileName(FFileName).empty())
        throw EPrinter("No output file name is set for the printer");
    std::random_device random;
    const std::string stem =
        ExtractFilePath(FFileName) + "." + ExtractFileName(FFileName).substr(0, 180) + ".";
    for (int attempt = 0; attempt < 100 && FFd < 0; ++attempt) {
        FTempName = stem + std::to_string(random()) + ".tmp";
        FFd = ::open(FTempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (FFd < 0 && errno != EEXIST) break;
    }
    if (FFd < 0) throw EPrinter(Described("Cannot create the file " + FFileName, errno));
}

TPageFile::~TPageFile() {
    Discard();
}

int TPageFile::Write(const void* Data, size_t Length) {
    const auto* bytes = static_cast<const char*>(Data);
    while (FError == 0 && Length > 0) {
        if (FFd < 0) {
            FError = EBADF;
            break;
        }
        const ssize_t written = ::write(FFd, bytes, Length);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            FError = written < 0 ? errno : EIO;
            break;
        }
        bytes += written;
        Length -= static_cast<size_t>(written);
    }
    return FError;
}

void TPageFile::Place() {
    if (FPlaced) return;
    int error = FFd < 0 ? EBADF : FError;
    struct stat old;
    const bool exists = error == 0 && ::stat(FFileName.c_str(), &old) == 0;
    // A folder would be swapped like a file, and then could not be dropped.
    if (exists && S_ISDIR(old.st_mode)) error = EISDIR;
    // A file replaced keeps its permissions, as any of our writes does.
    if (error == 0 && exists && ::fchmod(FFd, old.st_mode & 07777) != 0) error = errno;
    if (error == 0 && ::fsync(FFd) != 0) error = errno;
    if (FFd >= 0 && ::close(FFd) != 0 && error == 0) error = errno;
    FFd = -1;
    if (error == 0 && exists &&
        ::renameat2(AT_FDCWD, FTempName.c_str(), AT_FDCWD, FFileName.c_str(), RENAME_EXCHANGE) == 0)
        FKeptAside = true;
    // Without an exchange (a file system that has none, a file gone meanwhile) the old file
    // cannot come back.
    else if (error == 0 && ::rename(FTempName.c_str(), FFileName.c_str()) != 0)
        error = errno;
    if (error != 0) {
        Discard();
        throw EPrinter(Described("Cannot write the file " + FFileName, error));
    }
    FPlaced = true;
}

void TPageFile::Commit() {
    Place();
    if (FKeptAside) ::unlink(FTempName.c_str());
    FPlaced = FKeptAside = false;
    FTempName.clear();
}

void TPageFile::Discard() noexcept {
    if (FFd >= 0) ::close(FFd);
    FFd = -1;
    if (FPlaced && !FKeptAside) {
        ::unlink(FFileName.c_str());
    } else if (FPlaced) {
        // Should the old file not go back, both stay rather than lose it.
        if (::renameat2(AT_FDCWD, FTempName.c_str(), AT_FDCWD, FFileName.c_str(),
                        RENAME_EXCHANGE) == 0)
            ::unlink(FTempName.c_str());
    } else if (!FTempName.empty()) {
        ::unlink(FTempName.c_str());
    }
    FPlaced = FKeptAside = false;
    FTempName.clear();
}

}  // namespace vex
