#include "components/misc/AdvGridFileReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "components/misc/AdvGrid.h"
#include "components/misc/AdvGridFileFormat.h"

namespace vex {

namespace {

int OpenRegularFile(const std::string& FileName) {
    const int fd = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -1;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

TAdvGridFileReader::TAdvGridFileReader(const std::string& FileName)
    : FFileName(FileName), FHandle(OpenRegularFile(FileName)) {
    if (FHandle < 0) throw EAdvGridError("File " + FileName + " not found");
}

TAdvGridFileReader::~TAdvGridFileReader() {
    ::close(FHandle);
}

bool TAdvGridFileReader::Fill() {
    for (;;) {
        const ssize_t n = ::read(FHandle, FBuffer.data(), FBuffer.size());
        if (n >= 0) {
            FPos = 0;
            FEnd = static_cast<size_t>(n);
            return n > 0;
        }
        if (errno != EINTR)
            throw EAdvGridError("Cannot read file " + FFileName + ". " + std::strerror(errno));
    }
}

bool TAdvGridFileReader::ReadLine(std::string& Line) {
    Line.clear();
    bool any = false;
    for (;;) {
        if (FPos == FEnd && !Fill()) return any;
        if (FAfterCR) {
            FAfterCR = false;
            if (FBuffer[FPos] == '\n') {
                ++FPos;
                continue;
            }
        }
        any = true;
        const char* start = FBuffer.data() + FPos;
        const size_t left = FEnd - FPos;
        const void* lf = std::memchr(start, '\n', left);
        const void* cr = std::memchr(start, '\r', lf ? static_cast<const char*>(lf) - start : left);
        const char* end = static_cast<const char*>(cr ? cr : lf);
        const size_t taken = end ? static_cast<size_t>(end - start) : left;
        if (Line.size() + taken > advgridfile::MaxLineLength)
            advgridfile::RaiseCorruptFile(FFileName);
        Line.append(start, taken);
        FPos += taken;
        if (end == nullptr) continue;
        FAfterCR = *end == '\r';
        ++FPos;
        return true;
    }
}

void TAdvGridFileReader::Rewind() {
    if (::lseek(FHandle, 0, SEEK_SET) != 0)
        throw EAdvGridError("Cannot read file " + FFileName + ". " + std::strerror(errno));
    FPos = FEnd = 0;
    FAfterCR = false;
}

}  // namespace vex
