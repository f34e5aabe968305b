#include "platform/core/filesearch.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <cerrno>
#include <cmath>

#include "platform/core/clock.h"
#include "platform/core/datetime.h"
#include "platform/core/exceptions.h"

namespace vex {

struct TSearchState {
    ~TSearchState() {
        if (Dir) closedir(Dir);
    }

    DIR* Dir = nullptr;
    std::string Mask;
};

TSearchRec::TSearchRec() = default;
TSearchRec::~TSearchRec() = default;
TSearchRec::TSearchRec(TSearchRec&&) noexcept = default;
TSearchRec& TSearchRec::operator=(TSearchRec&&) noexcept = default;

namespace {

bool MatchesMask(const std::string& Mask, const std::string& Name) {
    if (Mask == "*" || Mask == "*.*") return true;
    return fnmatch(Mask.c_str(), Name.c_str(), 0) == 0;
}

int32_t LocalFileDate(time_t Seconds) {
    // Some file systems keep times millions of years away. Packing takes 1980 to 2107 only, so
    // anything a day or more beyond years 1 to 9999 (whatever the zone) is no date to convert.
    constexpr time_t FirstSecond = -62135596800 + SecsPerDay;  // 2 January 0001 UTC
    constexpr time_t LastSecond = 253402300799 - SecsPerDay;   // 30 December 9999 UTC
    if (Seconds < FirstSecond || Seconds > LastSecond) return 0;
    int64_t utcMs = static_cast<int64_t>(Seconds) * 1000;
    int64_t localMs = utcMs + int64_t{Clock().LocalOffsetMinutes(utcMs)} * 60000;
    return DateTimeToFileDate(UnixToDateTime(localMs / 1000));
}

int32_t AttributesOf(const std::string& Name, const struct stat& St, bool IsLink) {
    int32_t attr = 0;
    if (S_ISDIR(St.st_mode))
        attr |= faDirectory;
    else if (!S_ISREG(St.st_mode) && !S_ISLNK(St.st_mode))  // a dangling link passes as a file
        attr |= faSysFile;
    if (!(St.st_mode & S_IWUSR)) attr |= faReadOnly;
    if (Name.size() > 1 && Name[0] == '.' && Name != "..") attr |= faHidden;
    if (IsLink) attr |= faSymLink;
    return attr;
}

// Reads entries until one matches the mask and the wanted attributes.
int32_t FindMatching(TSearchRec& F) {
    TSearchState& state = *F.FindHandle;
    for (;;) {
        errno = 0;
        dirent* entry = readdir(state.Dir);
        if (!entry) {
            int32_t code = errno ? errno : ENOENT;
            FindClose(F);
            return code;
        }
        std::string name = entry->d_name;
        TEntryDetails details;
        if (!MatchesMask(state.Mask, name)) continue;
        if (const int32_t code = EntryDetailsAt(dirfd(state.Dir), name, details)) {
            // Gone since read, or closed to us on its own.
            if (code == ENOENT || FolderSearchable(dirfd(state.Dir))) continue;
            FindClose(F);
            return code;
        }
        if (details.Attr & F.ExcludeAttr) continue;
        F.Name = std::move(name);
        F.Attr = details.Attr;
        F.Size = details.Size;
        F.Time = details.Time;
        return 0;
    }
}

}  // namespace

int32_t EntryDetailsAt(int DirFd, const std::string& Name, TEntryDetails& Details) {
    struct stat st;
    if (fstatat(DirFd, Name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return errno;
    const bool isLink = S_ISLNK(st.st_mode);
    if (isLink) {
        struct stat target;
        if (fstatat(DirFd, Name.c_str(), &target, 0) == 0)
            st = target;  // a dangling link keeps its own details
    }
    Details.Attr = AttributesOf(Name, st, isLink);
    Details.Size = S_ISREG(st.st_mode) ? static_cast<int64_t>(st.st_size) : 0;
    Details.Time = LocalFileDate(st.st_mtime);
    return 0;
}

bool FolderSearchable(int DirFd) {
    // Even "." is looked up in the folder, which takes the right to search it.
    struct stat st;
    return fstatat(DirFd, ".", &st, AT_SYMLINK_NOFOLLOW) == 0;
}

int32_t FindFirst(const std::string& Path, int32_t Attr, TSearchRec& F) {
    FindClose(F);
    auto slash = Path.rfind('/');
    auto state = std::make_unique<TSearchState>();
    const std::string folder = slash == std::string::npos ? "./" : Path.substr(0, slash + 1);
    state->Mask = slash == std::string::npos ? Path : Path.substr(slash + 1);
    state->Dir = opendir(folder.c_str());
    if (!state->Dir) return errno ? errno : ENOENT;
    F.ExcludeAttr = ~Attr & (faHidden | faSysFile | faVolumeID | faDirectory);
    F.FindHandle = std::move(state);
    return FindMatching(F);
}

int32_t FindNext(TSearchRec& F) {
    if (!F.FindHandle) return ENOENT;
    return FindMatching(F);
}

void FindClose(TSearchRec& F) {
    F.FindHandle.reset();
}

int32_t DateTimeToFileDate(TDateTime DateTime) {
    if (!std::isfinite(DateTime)) return 0;
    uint16_t year, month, day, hour, minute, second, msec;
    try {
        DecodeDate(DateTime, year, month, day);
        DecodeTime(DateTime, hour, minute, second, msec);
    } catch (const EConvertError&) {
        return 0;
    }
    if (year < 1980 || year > 2107) return 0;
    uint32_t packed = (uint32_t{year} - 1980u) << 25 | uint32_t{month} << 21 | uint32_t{day} << 16 |
                      uint32_t{hour} << 11 | uint32_t{minute} << 5 | uint32_t{second} / 2u;
    return static_cast<int32_t>(packed);
}

}  // namespace vex
