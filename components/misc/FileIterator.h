#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <string>

#include "platform/core/component.h"
#include "platform/core/events.h"
#include "platform/core/exceptions.h"
#include "platform/core/set.h"
#include "platform/core/thread.h"

namespace vex {

VEX_EXCEPTION(EFileIteratorError, Exception);

enum TFileIteratorOption : uint8_t { fiPath, fiDetails, fiRecurseFolders };
using TFileIteratorOptions = TSet<TFileIteratorOption, 8>;

// Size in bytes, the packed date and time of the last change, the attribute bits.
struct TFileInfo {
    int64_t Size = 0;
    int32_t Time = 0;
    int32_t Attr = 0;
};

using TAddFileEvent =
    std::function<void(TObject* Sender, const std::string& FileName, const TFileInfo& FileInfo)>;
using TAddFileQueryEvent = std::function<void(TObject* Sender, const std::string& FileName,
                                              const TFileInfo& FileInfo, bool& CanAdd)>;

// ErrorCode is the system's error number (ENOENT, EACCES, ...).
using TFolderErrorEvent =
    std::function<void(TObject* Sender, const std::string& FolderName, int32_t ErrorCode)>;

struct TFileIteratorLink;

// Walks a folder tree depth first and reports every file through events. The walk normally runs
// on a TFileIteratorThread, and then so do all four events: handlers that touch anything shared
// with other threads guard it themselves, and events are assigned only while the iterator is
// idle. Stop may be called from any thread. Links to folders are never entered, so a link loop
// cannot trap the walk. The walk opens folders relative to their parents and keeps only a few
// open at a time, so any depth is walked whatever the system's limits on path names and open
// files. A folder moved during the walk costs only what lies below it: what the walk cannot
// reach any more from the root folder is reported through OnFolderError (ESTALE). A folder moved
// while the walk is inside it is not walked again should the walk come upon it where it went;
// one moved after the walk has left it is walked again there, as knowing it would mean keeping
// every folder walked, and memory would grow with the tree.
//
// Freeing the iterator with delete (directly, through its owner or a smart pointer) stops a
// running walk and waits until it has unwound before anything of it goes, a descendant's own
// members included, so descendants may use them in their hooks. It must not be freed from one
// of its own events.
class TFileIterator : public TComponent {
    VEX_CLASS(TFileIterator, TComponent)

public:
    explicit TFileIterator(TComponent* AOwner);
    ~TFileIterator() override;

    // Changing either while a walk runs or a stop is pending raises EFileIteratorError (54260)
    // and keeps the value, unless the component is being loaded.
    TFileIteratorOptions Options() const;
    void SetOptions(TFileIteratorOptions Value);
    // "/" separates folders; one trailing "/" is dropped before the walk, and an empty folder
    // walks nothing.
    std::string RootFolder() const;
    void SetRootFolder(const std::string& Value);

    // True from the start of a walk until it has unwound.
    bool Running() const { return FState != Idle; }

    // Asks a running walk to end before its next entry; nothing when idle.
    void Stop();
    // Runs one walk on the calling thread. While another runs it raises EFileIteratorError
    // (54261) and that walk goes on; with neither OnAddFile nor OnAddFileQuery assigned it
    // returns at once, firing nothing.
    void Iterate();

    // Given the size and alignment of the most derived class, which the storage is freed with.
    void operator delete(TFileIterator* Self, std::destroying_delete_t, size_t Size,
                         std::align_val_t Alignment);

    TAddFileEvent OnAddFile;
    TAddFileQueryEvent OnAddFileQuery;
    TNotifyEvent OnActivate;
    TNotifyEvent OnTerminate;
    // A folder the walk could not open, read or search (list but not look into, so that what
    // it holds goes unreported), or, by its own name, an entry of a folder it could search that
    // alone could not be looked at (another user's FUSE mount point, say), unless it is listed as
    // a folder the walk would not enter. The walk goes on with the next entry.
    TFolderErrorEvent OnFolderError;

protected:
    virtual void DoAddFile(const std::string& FileName, const TFileInfo& FileInfo);
    virtual void DoAddFileQuery(const std::string& FileName, const TFileInfo& FileInfo,
                                bool& CanAdd);
    virtual void DoActivate();
    virtual void DoTerminate();
    virtual void DoFolderError(const std::string& FolderName, int32_t ErrorCode);

private:
    friend class TFileIteratorThread;

    enum TState : uint8_t { Idle, Started, StopRequested };

    // Called with the link's lock held: false when there is nothing to do.
    bool BeginWalk();
    // The rest of a walk begun by BeginWalk, ending idle even when a handler throws.
    void RunWalk();
    void WalkTree(const std::string& Root);
    void CheckIdleToChange() const;
    // Stops a running walk and waits until it has unwound; the thread link forgets the iterator.
    void Detach();

    std::atomic<uint8_t> FState = Idle;
    TFileIteratorOptions FOptions{fiPath, fiDetails, fiRecurseFolders};
    std::string FRootFolder = "/";
    // What the running walk uses, copied when it begins.
    TFileIteratorOptions FWalkOptions;
    std::string FWalkRoot;
    std::shared_ptr<TFileIteratorLink> FLink;
};

// Runs one walk of Iterator on a thread of its own and frees itself when the walk ends. An
// iterator freed before the thread reaches it is simply not walked.
class TFileIteratorThread : public TThread {
    VEX_CLASS(TFileIteratorThread, TThread)

public:
    TFileIteratorThread(TFileIterator* Iterator, bool CreateSuspended);

protected:
    void Execute() override;

private:
    std::shared_ptr<TFileIteratorLink> FLink;
};

}  // namespace vex
