#pragma once

#include <cstddef>
#include <string>

namespace vex {

// An output file of printed pages, written to a temporary file in its folder and renamed into
// place by Commit, so a reader never sees half a document and an existing file survives a
// failed or cancelled job. Anything not committed is removed when the object goes.
class TPageFile {
public:
    // EPrinter when the folder takes no new file.
    explicit TPageFile(std::string FileName);
    ~TPageFile();
    TPageFile(const TPageFile&) = delete;
    TPageFile& operator=(const TPageFile&) = delete;

    const std::string& FileName() const { return FFileName; }
    // The errno of the first failed write, 0 while all went well; writing stops at a failure.
    int Write(const void* Data, size_t Length);
    // Synced, closed and put under FileName, with the file it replaces kept aside: Commit drops
    // that, Discard puts it back, so that several files can take their places together or not
    // at all. A failure is an EPrinter, and the temporary file is gone. Idempotent.
    void Place();
    // Placed, for good; a failure is an EPrinter, and the temporary file is gone either way.
    void Commit();
    // Removes the temporary file, or takes a placed file out and puts back what it replaced;
    // idempotent.
    void Discard() noexcept;

private:
    std::string FFileName;
    std::string FTempName;
    int FFd = -1;
    int FError = 0;
    bool FPlaced = false;
    // The replaced file lies under FTempName while this one is placed.
    bool FKeptAside = false;
};

}  // namespace vex
