#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vex {

// File names. "/" is the only separator; an extension is the part of the file name (never of
// the folder) from its last ".".
std::string ExtractFilePath(const std::string& FileName);
std::string ExtractFileName(const std::string& FileName);
std::string ExtractFileExt(const std::string& FileName);
std::string ChangeFileExt(const std::string& FileName, const std::string& Extension);
std::string IncludeTrailingPathDelimiter(const std::string& S);

// FileExists is true for regular files only (following symbolic links), DirectoryExists for
// folders only.
bool FileExists(const std::string& FileName);
bool DirectoryExists(const std::string& Directory);
// Creates Dir and every missing folder above it; true when Dir exists afterwards.
bool ForceDirectories(const std::string& Dir);
// DeleteFile removes files, never folders. RenameFile never replaces an existing file.
bool DeleteFile(const std::string& FileName);
bool RenameFile(const std::string& OldName, const std::string& NewName);

// What tells an open file or folder from any other, wherever it is moved. Beside the device and
// inode number it holds what the file system gives to tell a file from one made later with the
// same inode number, once the first is deleted: the file's handle, which carries the inode's
// generation, or else its birth time, which is kept only to the file system's clock tick, so that
// two files made within one tick may share it. Where there is a handle the birth time does not
// count: a layered file system gives a folder a new one when it copies the folder up, and the
// folder is still the same.
struct TFileIdentity {
    uint64_t Device = 0;
    uint64_t Inode = 0;
    int64_t BirthSeconds = 0;  // both 0 where the file system keeps no birth time
    uint32_t BirthNanoseconds = 0;
    std::string Handle;  // empty where the file system gives none

    bool operator==(const TFileIdentity& Other) const;
    // True when no file made after this one is deleted can be taken for it.
    bool Lasting() const { return !Handle.empty(); }
};

// The identity of the entry Name of the open folder DirFd, or of DirFd itself when Name is empty;
// a link is not followed. False, with errno set, when it cannot be read.
bool FileIdentityAt(int DirFd, const std::string& Name, TFileIdentity& Identity);
// Whether that entry is the file Identity was read from. Its handle is asked for only when the
// device and inode number agree, which is seldom for any other file.
bool IsFileAt(int DirFd, const std::string& Name, const TFileIdentity& Identity);

// The folder of the running program, with a trailing "/".
std::string ProgramDirectory();

// Replaces FileName's contents all at once: the new contents go to a temporary file in the same
// folder, reach the disk, and are renamed over FileName, so readers see the old file or the new
// one and never a part. On a failure the old file is untouched and no temporary is left;
// EFCreateError says the file could not be made, EInOutError (with errno) that writing it failed.
// The new file keeps the old one's permission bits, or gets 0644 less the umask.
void WriteFileAtomic(const std::string& FileName, std::string_view Contents);

// The whole of a file; a file that cannot be opened raises EFOpenError.
std::string ReadFileToString(const std::string& FileName);

}  // namespace vex
