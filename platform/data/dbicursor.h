#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/data/dbidatabase.h"
#include "platform/data/dbierrors.h"
#include "platform/data/dbitypes.h"

namespace vex {

class TFilterProgram;

// Keeps a record (1) or skips it (0). The engine calls it with the record already read, never
// while SQLite is stepping, so it may move this or any other cursor.
using pfDBIFilter = int32_t (*)(void* ClientData, uint8_t* RecBuf, int32_t PhyRecNum);
using hDBIFilter = uint32_t;  // 0 names no filter, or all of them where a call allows it

enum DBISearchCond { keySEARCHEQ, keySEARCHGT, keySEARCHGEQ };

// A navigable keyset cursor over one table: on opening, or on switching the index, the rowids
// are read once in index order (8 bytes a row); records are read by rowid through prepared
// statements, a window of them at a time, into record buffers laid out as Fields() says. The
// bookmark of a record is its rowid. Between records the cursor stands on a crack, before the
// record at its position.
class TDbiCursor {
public:
    TDbiCursor(std::shared_ptr<TDbiDatabase> Database, const std::string& Table,
               const std::string& IndexName = "");
    virtual ~TDbiCursor();
    TDbiCursor(const TDbiCursor&) = delete;
    TDbiCursor& operator=(const TDbiCursor&) = delete;

    const std::string& TableName() const { return FTable; }
    // An answer table that lives as long as its cursor.
    void DropTableOnClose() { FDropTable = true; }
    // For an answer: the tables of the database that its query read.
    std::vector<std::string> SourceTables;
    TDbiDatabase& Database() const { return *FDatabase; }
    const std::vector<FLDDesc>& Fields() const { return FFields; }
    uint32_t RecordSize() const { return FRecordSize; }
    const std::vector<IDXDesc>& Indexes() const { return FIndexes; }
    const IDXDesc& CurrentIndex() const { return FIndexes[FIndex]; }
    // "" is the rowid order; an unknown name raises DBIERR_OBJNOTFOUND. The range is reset and
    // the cursor stands before the first record.
    void SwitchToIndex(const std::string& IndexName);

    void SetToBegin();
    void SetToEnd();
    // DBIERR_EOF / DBIERR_BOF at the ends, with the cursor on the end's crack.
    DBIResult GetNextRecord(uint8_t* Buffer);
    DBIResult GetPriorRecord(uint8_t* Buffer);
    // The current record again; DBIERR_NOCURRREC on a crack.
    DBIResult GetRecord(uint8_t* Buffer);
    // Moves Offset passing records (back when negative) and reads the record reached; Moved
    // tells how far it got before an end.
    DBIResult GetRelativeRecord(int32_t Offset, uint8_t* Buffer, int32_t& Moved);
    // Records that pass the active filters inside the range.
    int32_t GetRecordCount();
    // 1-based place of the current record in the range, 0 on a crack.
    int32_t SequenceNumber() const;

    int64_t Bookmark() const;  // 0 on a crack
    // DBIERR_RECNOTFOUND when the record is gone or outside the range.
    DBIResult SetToBookmark(int64_t Bookmark);
    // Order of two bookmarks in the current index: -1, 0 or 1; unknown ones sort last.
    int CompareBookmarks(int64_t A, int64_t B) const;

    // A record buffer with every field blank.
    void InitRecord(uint8_t* Buffer) const;
    // Blob values travel beside the buffer: staged here, written by the next insert or modify.
    std::optional<std::string> ReadBlob(uint16_t FieldNum);
    void StageBlob(uint16_t FieldNum, std::optional<std::string> Value);
    // The new or changed record becomes current. A blank required field raises DBIERR_REQDERR.
    void InsertRecord(const uint8_t* Buffer);
    void ModifyRecord(const uint8_t* Buffer);
    void DeleteRecord();
    // Re-reads the keyset, keeping the current record when it is still there.
    void Refresh();

    // Key searches on the first FieldCount fields of the current index, read from a record
    // buffer. A string key field compares as the index's collation does, so a shorter string
    // finds the first record at or after it with GEQ.
    DBIResult SetToKey(DBISearchCond Cond, const uint8_t* Key, uint16_t FieldCount);
    // A null key leaves that end open.
    void SetRange(const uint8_t* Low, uint16_t LowCount, bool LowIncluded, const uint8_t* High,
                  uint16_t HighCount, bool HighIncluded);
    void ResetRange();
    void SetEmptyRange();  // no record at all, until the range is reset

    // Filters: a compiled block (Block non-null) or a callback with its client data. All
    // active filters must keep a record. The block is checked against this cursor's fields here.
    virtual DBIResult AddFilter(void* ClientData, const uint8_t* Block, size_t BlockLength,
                                pfDBIFilter Callback, hDBIFilter& Filter);
    virtual DBIResult ActivateFilter(hDBIFilter Filter);
    virtual DBIResult DeactivateFilter(hDBIFilter Filter);  // 0: all of them
    virtual DBIResult DropFilter(hDBIFilter Filter);        // 0: all of them
    bool Filtered() const;

private:
    struct TFilter {
        hDBIFilter Handle;
        bool Active = false;
        std::unique_ptr<TFilterProgram> Program;
        pfDBIFilter Callback = nullptr;
        void* ClientData = nullptr;
    };

    void LoadKeyset();
    std::string OrderBy() const;
    std::string KeyColumns(uint16_t Count) const;
    // First place in the range whose key is not below the key (GEQ) or above it (GT).
    size_t LowerBound(const uint8_t* Key, uint16_t Count, bool After);
    bool KeyCompares(size_t Position, const uint8_t* Key, uint16_t Count, const char* Op);
    void BindField(sqlite3_stmt* Stmt, int Index, const FLDDesc& Field, const uint8_t* Buffer);
    // Reads the record at Position into Buffer (when given); false when it was deleted meanwhile.
    bool ReadAt(size_t Position, uint8_t* Buffer);
    void FillCache(size_t Position);
    // The select list of the buffer's fields (only those numbered, when given), rowid first.
    std::string SelectList(const std::vector<uint16_t>* Only) const;
    void ReadRow(sqlite3_stmt* Stmt, uint8_t* Record, const std::vector<uint16_t>* Only);
    // SQL conditions ("... AND ") that every record the filters keep meets, with their values.
    std::string Narrowing(const std::vector<const TFilterProgram*>& Programs,
                          std::vector<double>& Values) const;
    const uint8_t* CachedRecord(size_t Position);  // null when deleted meanwhile
    // Whether the record at Position passes the active filters; copies it to Buffer on the way.
    bool Passes(size_t Position, uint8_t* Buffer);
    DBIResult Step(int Direction, uint8_t* Buffer);
    void Write(const uint8_t* Buffer, int64_t RowId);
    void PlaceOn(int64_t RowId);
    TFilter* FindFilter(hDBIFilter Filter);
    // Whether the record at the cursor's place passes the filters now.
    DBIResult Verify();
    void FiltersChanged();
    // The range's places in the keyset, found again from its ends whenever the keyset is read.
    void PlaceRange();

    std::shared_ptr<TDbiDatabase> FDatabase;
    std::string FTable;
    std::vector<FLDDesc> FFields;
    std::string FRowId;  // the name that reads the row id, not a column
    uint32_t FRecordSize = 0;
    std::vector<IDXDesc> FIndexes;
    size_t FIndex = 0;

    struct TRangeEnd {
        std::vector<uint8_t> Key;  // a record buffer
        uint16_t Count;
        bool Included;
    };

    std::vector<int64_t> FKeyset;
    std::optional<TRangeEnd> FRangeLow, FRangeHigh;  // an open end when absent
    bool FEmptyRange = false;
    size_t FLow = 0, FHigh = 0;  // the range, as places in FKeyset
    size_t FPos = 0;             // the record, or the crack before it
    bool FOnRecord = false;
    bool FVerified = false;  // the record at FPos passed the filters as they are
    std::vector<uint8_t> FScratch;

    // Records read ahead: FCacheCount records from place FCacheStart.
    std::vector<uint8_t> FCache;
    std::vector<uint8_t> FCachePresent;
    size_t FCacheStart = 0, FCacheCount = 0;

    std::vector<TFilter> FFilters;
    hDBIFilter FNextFilter = 1;
    std::map<uint16_t, std::optional<std::string>> FStagedBlobs;
    bool FDropTable = false;
};

}  // namespace vex
