#include "platform/core/files.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <random>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/stream.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

// Asks for a handle meant only to tell files apart, which file systems that cannot reopen a file
// by its handle (overlay) give too. Kernels older than the flag refuse it with EINVAL, and are
// asked again without it.
#ifndef AT_HANDLE_FID
constexpr int AT_HANDLE_FID = 0x200;
#endif

// The handle's type and bytes, or nothing when the file system gives no handle.
std::string HandleAt(int DirFd, const char* Name, int EmptyPath) {
    alignas(file_handle) unsigned char buffer[sizeof(file_handle) + MAX_HANDLE_SZ];
    file_handle* handle = new (buffer) file_handle{};
    int mountId = 0;
    for (const int flags : {EmptyPath | AT_HANDLE_FID, EmptyPath}) {
        handle->handle_bytes = MAX_HANDLE_SZ;
        if (name_to_handle_at(DirFd, Name, handle, &mountId, flags) == 0) {
            std::string bytes(reinterpret_cast<const char*>(&handle->handle_type),
                              sizeof handle->handle_type);
            return bytes.append(reinterpret_cast<const char*>(handle->f_handle),
                                handle->handle_bytes);
        }
        if (errno != EINVAL) break;
    }
    return {};
}

// The identity of the entry but its handle.
bool StatIdentityAt(int DirFd, const std::string& Name, TFileIdentity& Identity) {
    struct statx st;
    if (statx(DirFd, Name.c_str(), (Name.empty() ? AT_EMPTY_PATH : 0) | AT_SYMLINK_NOFOLLOW,
              STATX_INO | STATX_BTIME, &st))
        return false;
    const bool born = st.stx_mask & STATX_BTIME;
    Identity = {makedev(st.stx_dev_major, st.stx_dev_minor),
                st.stx_ino,
                born ? st.stx_btime.tv_sec : 0,
                born ? st.stx_btime.tv_nsec : 0u,
                {}};
    return true;
}

size_t NameStart(const std::string& FileName) {
    const size_t slash = FileName.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

// Where the extension begins, or npos when the file name has none.
size_t ExtensionStart(const std::string& FileName) {
    const size_t dot = FileName.rfind('.');
    return dot != std::string::npos && dot >= NameStart(FileName) ? dot : std::string::npos;
}

std::string WithSystemText(const std::string& Msg, int Error) {
    return Msg + ". " + std::strerror(Error);
}

// Closes a descriptor on every way out of a function.
class TDescriptor {
public:
    explicit TDescriptor(int Fd) : FFd(Fd) {}
    ~TDescriptor() {
        if (FFd >= 0) ::close(FFd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;

    int Get() const { return FFd; }
    // Closes now, so that a failing close can be reported; returns errno or 0.
    int Close() {
        const int fd = FFd;
        FFd = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int FFd;
};

int WriteAll(int Fd, std::string_view Contents) {
    while (!Contents.empty()) {
        const ssize_t n = ::write(Fd, Contents.data(), Contents.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        Contents.remove_prefix(static_cast<size_t>(n));
    }
    return 0;
}

std::string RandomSuffix() {
    thread_local std::mt19937_64 generator{std::random_device{}()};
    return IntToHex(static_cast<int64_t>(generator() >> 1), 16);
}

// Creates the temporary beside Target with a name nobody else holds; the name keeps a readable
// part of the target's name but stays within the file system's name limit.
int CreateTemporary(const std::string& Target, mode_t Mode, std::string& TempName) {
    const std::string folder = ExtractFilePath(Target);
    const std::string name = ExtractFileName(Target).substr(0, 180);
    for (int attempt = 0; attempt < 100; ++attempt) {
        TempName = folder + "." + name + "." + RandomSuffix() + ".tmp";
        const int fd = ::open(TempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, Mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

[[noreturn]] void RaiseWriteFailure(const std::string& FileName, int Error) {
    throw EInOutError(WithSystemText("Cannot write file " + FileName, Error), Error);
}

}  // namespace

std::string ExtractFilePath(const std::string& FileName) {
    return FileName.substr(0, NameStart(FileName));
}

std::string ExtractFileName(const std::string& FileName) {
    return FileName.substr(NameStart(FileName));
}

std::string ExtractFileExt(const std::string& FileName) {
    const size_t dot = ExtensionStart(FileName);
    return dot == std::string::npos ? std::string() : FileName.substr(dot);
}

std::string ChangeFileExt(const std::string& FileName, const std::string& Extension) {
    return FileName.substr(0, ExtensionStart(FileName)) + Extension;
}

std::string IncludeTrailingPathDelimiter(const std::string& S) {
    return !S.empty() && S.back() == '/' ? S : S + "/";
}

bool FileExists(const std::string& FileName) {
    struct stat st;
    return ::stat(FileName.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& Directory) {
    struct stat st;
    return ::stat(Directory.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceDirectories(const std::string& Dir) {
    std::string dir = Dir;
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    if (dir.empty()) return false;
    if (DirectoryExists(dir)) return true;
    const std::string parent = ExtractFilePath(dir);
    if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
    return ::mkdir(dir.c_str(), 0777) == 0 || (errno == EEXIST && DirectoryExists(dir));
}

bool DeleteFile(const std::string& FileName) {
    return ::unlink(FileName.c_str()) == 0;
}

bool RenameFile(const std::string& OldName, const std::string& NewName) {
    if (::renameat2(AT_FDCWD, OldName.c_str(), AT_FDCWD, NewName.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // File systems without the no-replace flag: check first, accepting the small race.
    struct stat st;
    if (::lstat(NewName.c_str(), &st) == 0) return false;
    return ::rename(OldName.c_str(), NewName.c_str()) == 0;
}

bool TFileIdentity::operator==(const TFileIdentity& Other) const {
    if (Device != Other.Device || Inode != Other.Inode) return false;
    if (!Handle.empty() && !Other.Handle.empty()) return Handle == Other.Handle;
    return BirthSeconds == Other.BirthSeconds && BirthNanoseconds == Other.BirthNanoseconds;
}

bool FileIdentityAt(int DirFd, const std::string& Name, TFileIdentity& Identity) {
    if (!StatIdentityAt(DirFd, Name, Identity)) return false;
    Identity.Handle = HandleAt(DirFd, Name.c_str(), Name.empty() ? AT_EMPTY_PATH : 0);
    return true;
}

bool IsFileAt(int DirFd, const std::string& Name, const TFileIdentity& Identity) {
    TFileIdentity there;
    if (!StatIdentityAt(DirFd, Name, there) || there.Device != Identity.Device ||
        there.Inode != Identity.Inode)
        return false;
    if (Identity.Lasting())
        there.Handle = HandleAt(DirFd, Name.c_str(), Name.empty() ? AT_EMPTY_PATH : 0);
    return there == Identity;
}

std::string ProgramDirectory() {
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) throw EInOutError(WithSystemText("Cannot find the program", errno), errno);
        if (static_cast<size_t>(n) < buffer.size())
            return ExtractFilePath(std::string(buffer.data(), static_cast<size_t>(n)));
        buffer.resize(buffer.size() * 2);
    }
}

void WriteFileAtomic(const std::string& FileName, std::string_view Contents) {
    mode_t mode = 0644;
    bool keepMode = false;
    struct stat old;
    if (::stat(FileName.c_str(), &old) == 0) {
        if (S_ISDIR(old.st_mode))
            throw EFCreateError(WithSystemText("Cannot create file " + FileName, EISDIR));
        mode = old.st_mode & 07777;
        keepMode = true;
    }

    std::string tempName;
    TDescriptor temp(CreateTemporary(FileName, mode, tempName));
    if (temp.Get() < 0)
        throw EFCreateError(WithSystemText("Cannot create file " + FileName, errno));

    int error = WriteAll(temp.Get(), Contents);
    // The old file's bits are restored exactly, which the umask on open could not do.
    if (error == 0 && keepMode && ::fchmod(temp.Get(), mode) != 0) error = errno;
    if (error == 0 && ::fsync(temp.Get()) != 0) error = errno;
    if (const int closeError = temp.Close(); error == 0) error = closeError;
    if (error == 0 && ::rename(tempName.c_str(), FileName.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(tempName.c_str());
        RaiseWriteFailure(FileName, error);
    }

    std::string folder = ExtractFilePath(FileName);
    if (folder.empty()) folder.push_back('.');
    TDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // Some file systems cannot sync a folder (EINVAL); the rename is then as durable as they go.
    if (dir.Get() < 0 || (::fsync(dir.Get()) != 0 && errno != EINVAL))
        RaiseWriteFailure(FileName, errno);
}

std::string ReadFileToString(const std::string& FileName) {
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    struct stat st;
    if (::fstat(file.Handle(), &st) != 0)
        throw EFOpenError(WithSystemText("Cannot open file " + FileName, errno));
    if (S_ISDIR(st.st_mode))
        throw EFOpenError(WithSystemText("Cannot open file " + FileName, EISDIR));
    std::string result;
    // The size is a hint only: files in /proc report 0 and still have contents.
    if (st.st_size > 0) result.reserve(static_cast<size_t>(st.st_size));
    char buffer[0x10000];
    for (;;) {
        const int32_t n = file.Read(buffer, sizeof buffer);
        if (n == 0) break;
        result.append(buffer, static_cast<size_t>(n));
    }
    return result;
}

}  // namespace vex
