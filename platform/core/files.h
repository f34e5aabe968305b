#pragma once

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
