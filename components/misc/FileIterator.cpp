#include "components/misc/FileIterator.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "platform/core/filesearch.h"
#include "platform/core/resources.h"

namespace vex {

namespace {

constexpr int32_t SCannotChangeOptions = 54260;
constexpr int32_t SIteratorNotAvailable = 54261;
// Folders held open at once; a walk coming back up reopens the others through "..".
constexpr size_t kMaxOpenFolders = 16;

struct TWalkEntry {
    std::string Name;
    TEntryDetails Details;
};

// A folder of the walk, listed in full when entered so that its descriptor can be closed while
// deeper folders are walked.
struct TWalkFolder {
    int Fd = -1;        // -1 while closed, or lost
    int LostError = 0;  // why it could not be reopened
    dev_t Device = 0;   // to know it again when reopened
    ino_t Inode = 0;
    size_t PathLength = 0;
    std::vector<TWalkEntry> Entries;
    size_t Next = 0;
};

// The folders from the root down to the one being walked. Those held open are always the
// deepest ones, so the shallowest open folder is the one closed when too many are open.
class TFolderStack {
public:
    TFolderStack() = default;
    TFolderStack(const TFolderStack&) = delete;
    TFolderStack& operator=(const TFolderStack&) = delete;
    ~TFolderStack() {
        for (const TWalkFolder& f : FFolders)
            if (f.Fd >= 0) close(f.Fd);
    }

    bool Empty() const { return FFolders.empty(); }
    TWalkFolder& Top() { return FFolders.back(); }
    // The folder last entered or tried, without a trailing "/".
    const std::string& Path() const { return FPath; }
    std::string PathOf(const std::string& Name) {
        FPath.resize(Top().PathLength);
        return FPath + "/" + Name;
    }

    // Opens and lists the folder Name of the top folder, or the root folder when there is none:
    // 0, or the error number when it cannot be opened (nothing entered), or read or searched
    // (entered with what could be).
    int Enter(const std::string& Name) {
        int fd = -1;
        if (FFolders.empty()) {
            FPath = Name;
            if (FPath.ends_with('/')) FPath.pop_back();
            fd = open(Name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        } else {
            FPath = PathOf(Name);
            constexpr int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
            fd = Top().Fd >= 0 ? openat(Top().Fd, Name.c_str(), flags)
                               : (errno = Top().LostError, -1);
        }
        const int listFd = fd >= 0 ? fcntl(fd, F_DUPFD_CLOEXEC, 0) : -1;
        DIR* dir = listFd >= 0 ? fdopendir(listFd) : nullptr;
        if (!dir) {
            const int error = errno;
            for (const int unused : {listFd, fd})
                if (unused >= 0) close(unused);
            return error;
        }
        struct stat st;
        fstat(fd, &st);  // cannot fail on an open descriptor
        TWalkFolder folder{fd, 0, st.st_dev, st.st_ino, FPath.size(), {}, 0};
        int error = 0;
        for (;;) {
            errno = 0;
            const dirent* entry = readdir(dir);
            if (!entry) {
                error = errno ? errno : error;
                break;
            }
            TWalkEntry e{entry->d_name, {}};
            if (e.Name == "." || e.Name == "..") continue;
            const int detailsError = EntryDetailsAt(fd, e.Name, e.Details);
            if (detailsError == 0)
                folder.Entries.push_back(std::move(e));
            else if (detailsError != ENOENT)  // not gone since read: the folder cannot be searched
                error = detailsError;
        }
        closedir(dir);
        FFolders.push_back(std::move(folder));
        if (++FOpen > kMaxOpenFolders) {
            TWalkFolder& shallowest = FFolders[FFolders.size() - FOpen--];
            close(shallowest.Fd);
            shallowest.Fd = -1;
        }
        return error;
    }

    // Done with the top folder: its parent, when closed, is reopened through it, so the top
    // folder is always open unless it was lost (moved away during the walk).
    void Leave() {
        TWalkFolder& leaving = Top();
        if (FFolders.size() > 1) {
            TWalkFolder& parent = FFolders[FFolders.size() - 2];
            if (parent.Fd < 0) Reopen(parent, leaving);
        }
        if (leaving.Fd >= 0) {
            close(leaving.Fd);
            --FOpen;
        }
        FFolders.pop_back();
    }

private:
    void Reopen(TWalkFolder& Parent, const TWalkFolder& Child) {
        if (Child.Fd < 0) {
            Parent.LostError = Child.LostError;
            return;
        }
        const int fd = openat(Child.Fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        struct stat st;
        if (fd >= 0 && fstat(fd, &st) == 0 && st.st_dev == Parent.Device &&
            st.st_ino == Parent.Inode) {
            Parent.Fd = fd;
            ++FOpen;
            return;
        }
        Parent.LostError = fd >= 0 ? ESTALE : errno;
        if (fd >= 0) close(fd);
    }

    std::vector<TWalkFolder> FFolders;
    size_t FOpen = 0;
    std::string FPath;
};

}  // namespace

// Shared by an iterator and the threads made for it, so a thread that starts after its iterator
// is gone finds out safely. The lock orders a walk's start and end against the iterator's
// setters and its destruction.
struct TFileIteratorLink {
    std::mutex Lock;
    std::condition_variable BecameIdle;
    TFileIterator* Iterator = nullptr;
};

TFileIterator::TFileIterator(TComponent* AOwner)
    : TComponent(AOwner), FLink(std::make_shared<TFileIteratorLink>()) {
    FLink->Iterator = this;
}

TFileIterator::~TFileIterator() {
    Detach();
}

void TFileIterator::operator delete(TFileIterator* Self, std::destroying_delete_t,
                                    [[maybe_unused]] size_t Size, std::align_val_t Alignment) {
    // The walk calls virtual hooks, so it must end before the destructor of the most derived
    // class takes any of their state away.
    Self->Detach();
    void* storage = dynamic_cast<void*>(Self);
    Self->~TFileIterator();
    // Only a class aligned beyond what plain new gives was allocated with its alignment.
    const bool overAligned = static_cast<size_t>(Alignment) > __STDCPP_DEFAULT_NEW_ALIGNMENT__;
#ifdef __cpp_sized_deallocation
    overAligned ? ::operator delete(storage, Size, Alignment) : ::operator delete(storage, Size);
#else
    overAligned ? ::operator delete(storage, Alignment) : ::operator delete(storage);
#endif
}

void TFileIterator::Detach() {
    std::unique_lock<std::mutex> lock(FLink->Lock);
    FLink->Iterator = nullptr;
    uint8_t running = Started;
    FState.compare_exchange_strong(running, StopRequested);
    FLink->BecameIdle.wait(lock, [this] { return FState == Idle; });
}

TFileIteratorOptions TFileIterator::Options() const {
    std::lock_guard<std::mutex> lock(FLink->Lock);
    return FOptions;
}

void TFileIterator::SetOptions(TFileIteratorOptions Value) {
    std::lock_guard<std::mutex> lock(FLink->Lock);
    CheckIdleToChange();
    FOptions = Value;
}

std::string TFileIterator::RootFolder() const {
    std::lock_guard<std::mutex> lock(FLink->Lock);
    return FRootFolder;
}

void TFileIterator::SetRootFolder(const std::string& Value) {
    std::lock_guard<std::mutex> lock(FLink->Lock);
    CheckIdleToChange();
    FRootFolder = Value;
}

void TFileIterator::CheckIdleToChange() const {
    if (FState != Idle && !ComponentState().Contains(csLoading))
        throw EFileIteratorError(LoadStr(SCannotChangeOptions));
}

void TFileIterator::Stop() {
    uint8_t running = Started;
    FState.compare_exchange_strong(running, StopRequested);
}

void TFileIterator::Iterate() {
    {
        std::lock_guard<std::mutex> lock(FLink->Lock);
        if (!BeginWalk()) return;
    }
    RunWalk();
}

bool TFileIterator::BeginWalk() {
    if (FState != Idle) throw EFileIteratorError(LoadStr(SIteratorNotAvailable));
    if (!OnAddFile && !OnAddFileQuery) return false;
    FWalkOptions = FOptions;
    FWalkRoot = FRootFolder;
    FState = Started;
    return true;
}

void TFileIterator::RunWalk() {
    // Idle is the walk's last touch of the iterator: once a waiting destructor sees it, the
    // iterator may be gone.
    struct TBecomeIdle {
        TFileIteratorLink& Link;
        std::atomic<uint8_t>& State;
        ~TBecomeIdle() {
            std::lock_guard<std::mutex> lock(Link.Lock);
            State = Idle;
            Link.BecameIdle.notify_all();
        }
    } becomeIdle{*FLink, FState};

    DoActivate();
    if (!FWalkRoot.empty()) WalkTree(FWalkRoot);
    DoTerminate();
}

void TFileIterator::WalkTree(const std::string& Root) {
    TFolderStack folders;
    if (const int error = folders.Enter(Root)) DoFolderError(folders.Path(), error);
    while (!folders.Empty() && FState == Started) {
        TWalkFolder& top = folders.Top();
        if (top.Next == top.Entries.size()) {
            folders.Leave();
            continue;
        }
        const TWalkEntry entry = std::move(top.Entries[top.Next++]);
        const int32_t attr = entry.Details.Attr;
        if (attr & faDirectory) {
            const bool enter = entry.Name[0] != '.' && !(attr & faSymLink) &&
                               FWalkOptions.Contains(fiRecurseFolders);
            if (!enter) continue;
            if (const int error = folders.Enter(entry.Name)) DoFolderError(folders.Path(), error);
        } else {
            TFileInfo info;
            if (FWalkOptions.Contains(fiDetails))
                info = {entry.Details.Size, entry.Details.Time, attr};
            const std::string name =
                FWalkOptions.Contains(fiPath) ? folders.PathOf(entry.Name) : entry.Name;
            bool canAdd = true;
            DoAddFileQuery(name, info, canAdd);
            if (canAdd) DoAddFile(name, info);
        }
    }
}

void TFileIterator::DoAddFile(const std::string& FileName, const TFileInfo& FileInfo) {
    if (OnAddFile) OnAddFile(this, FileName, FileInfo);
}

void TFileIterator::DoAddFileQuery(const std::string& FileName, const TFileInfo& FileInfo,
                                   bool& CanAdd) {
    if (OnAddFileQuery) OnAddFileQuery(this, FileName, FileInfo, CanAdd);
}

void TFileIterator::DoActivate() {
    if (OnActivate) OnActivate(this);
}

void TFileIterator::DoTerminate() {
    if (OnTerminate) OnTerminate(this);
}

void TFileIterator::DoFolderError(const std::string& FolderName, int32_t ErrorCode) {
    if (OnFolderError) OnFolderError(this, FolderName, ErrorCode);
}

TFileIteratorThread::TFileIteratorThread(TFileIterator* Iterator, bool CreateSuspended)
    : TThread(CreateSuspended) {
    if (Iterator) FLink = Iterator->FLink;
    SetFreeOnTerminate(true);
    AfterConstruction();
}

void TFileIteratorThread::Execute() {
    if (!FLink) return;
    TFileIterator* iterator;
    {
        std::lock_guard<std::mutex> lock(FLink->Lock);
        iterator = FLink->Iterator;
        if (!iterator || !iterator->BeginWalk()) return;
    }
    iterator->RunWalk();
}

}  // namespace vex
