#include "components/misc/FileIterator.h"

#include <condition_variable>
#include <mutex>

#include "platform/core/filesearch.h"
#include "platform/core/resources.h"

namespace vex {

namespace {

constexpr int32_t SCannotChangeOptions = 54260;
constexpr int32_t SIteratorNotAvailable = 54261;

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
    if (!FWalkRoot.empty()) WalkFolder(FWalkRoot);
    DoTerminate();
}

void TFileIterator::WalkFolder(const std::string& Folder) {
    std::string f = Folder;
    if (!f.empty() && f.back() == '/') f.pop_back();
    TSearchRec entry;
    if (FindFirst(f + "/*.*", faAnyFile, entry) != 0)
        return;  // missing or unreadable: nothing to report
    do {
        if (FState != Started) break;
        if (entry.Attr & faDirectory) {
            bool enter = entry.Name[0] != '.' && !(entry.Attr & faSymLink) &&
                         FWalkOptions.Contains(fiRecurseFolders);
            if (enter) WalkFolder(f + "/" + entry.Name);
        } else if (!(entry.Attr & faVolumeID)) {
            TFileInfo info;
            if (FWalkOptions.Contains(fiDetails)) info = {entry.Size, entry.Time, entry.Attr};
            std::string name = FWalkOptions.Contains(fiPath) ? f + "/" + entry.Name : entry.Name;
            bool canAdd = true;
            DoAddFileQuery(name, info, canAdd);
            if (canAdd) DoAddFile(name, info);
        }
    } while (FindNext(entry) == 0);
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
