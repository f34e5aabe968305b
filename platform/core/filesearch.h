#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/types.h"

namespace vex {

// File attribute bits as the original's file search reported them. On this system a name
// beginning "." is hidden, a file without the owner's write permission is read-only, anything
// neither a regular file nor a folder (device, pipe, socket) is a system file, and a symbolic
// link carries faSymLink besides the attributes of what it points to.
inline constexpr int32_t faReadOnly = 0x01;
inline constexpr int32_t faHidden = 0x02;
inline constexpr int32_t faSysFile = 0x04;
inline constexpr int32_t faVolumeID = 0x08;
inline constexpr int32_t faDirectory = 0x10;
inline constexpr int32_t faArchive = 0x20;
inline constexpr int32_t faSymLink = 0x400;
inline constexpr int32_t faAnyFile = 0x43F;

struct TSearchState;

// One entry of a folder search. Move-only: it owns the open search until FindClose or its end.
struct TSearchRec {
    TSearchRec();
    ~TSearchRec();
    TSearchRec(TSearchRec&&) noexcept;
    TSearchRec& operator=(TSearchRec&&) noexcept;

    // The packed local date and time of the last change (see DateTimeToFileDate).
    int32_t Time = 0;
    int64_t Size = 0;
    int32_t Attr = 0;
    std::string Name;
    int32_t ExcludeAttr = 0;
    std::unique_ptr<TSearchState> FindHandle;
};

// Path is a folder, "/" and a mask of "*" and "?" ("*.*" and "*" match every name). Entries
// come in the order the file system gives them, "." and ".." included; hidden, system and folder
// entries only when Attr asks for them, and none that cannot be looked at. Each returns 0 with F
// filled, or an errno code (ENOENT when nothing more matches, EACCES for a folder that may be
// listed but not searched) with the search closed. A link to a folder is never followed by the
// search itself.
int32_t FindFirst(const std::string& Path, int32_t Attr, TSearchRec& F);
int32_t FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);

// What a search reports of one entry beside its name.
struct TEntryDetails {
    int32_t Attr = 0;
    int64_t Size = 0;
    int32_t Time = 0;
};

// The details of the entry Name of the open folder DirFd, as FindFirst reports them (a link
// shows what it points to and carries faSymLink): 0, or the error number (ENOENT when the entry
// is gone; EACCES when the folder may be listed but not searched, or the entry itself may not be
// looked at, which FolderSearchable tells apart).
int32_t EntryDetailsAt(int DirFd, const std::string& Name, TEntryDetails& Details);

// Whether the entries of the open folder DirFd may be looked up, and not only listed. In a folder
// that may, an entry that cannot be looked at is that entry's own doing (another user's FUSE
// mount point, say), and the search passes over it.
bool FolderSearchable(int DirFd);

// The packed date and time: from bit 25 up the year since 1980, then month, day, hour, minute
// and two-second units. Dates outside 1980 to 2107 cannot be packed and give 0.
int32_t DateTimeToFileDate(TDateTime DateTime);

}  // namespace vex
