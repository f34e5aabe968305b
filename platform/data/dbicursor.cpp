#include "platform/data/dbicursor.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/core/exceptions.h"
#include "platform/core/stringutils.h"
#include "platform/data/bytes.h"
#include "platform/data/enginevalues.h"
#include "platform/data/filterblock.h"
#include "platform/data/isodates.h"

namespace vex {

namespace {

// Records read ahead at a time: enough to amortise a statement, little enough to stay fresh.
constexpr size_t CacheRecords = 1024;

const char* ColumnText(sqlite3_stmt* Stmt, int Column) {
    const unsigned char* text = sqlite3_column_text(Stmt, Column);
    return text ? reinterpret_cast<const char*>(text) : "";
}

// One column into its slot; a value that does not convert reads as blank.
void ReadColumn(sqlite3_stmt* Stmt, int Column, const FLDDesc& Field, uint8_t* Buffer) {
    uint8_t* slot = Buffer + Field.iOffset;
    bool blank = sqlite3_column_type(Stmt, Column) == SQLITE_NULL;
    if (!blank) switch (Field.iFldType) {
            case fldZSTRING: {
                const int size = sqlite3_column_bytes(Stmt, Column);
                const size_t n = std::min<size_t>(static_cast<size_t>(size), Field.iUnits1);
                std::memcpy(slot, ColumnText(Stmt, Column), n);
                slot[n] = 0;
                break;
            }
            case fldINT16:
            case fldUINT16:
            case fldINT32:
            case fldBOOL: {
                // A value the field cannot hold (text, a fraction, a number out of its range)
                // reads as blank, never as some other number.
                const sqlite3_int64 v = sqlite3_column_int64(Stmt, Column);
                const bool whole = sqlite3_column_type(Stmt, Column) == SQLITE_INTEGER;
                if (Field.iFldType == fldINT16) {
                    blank = !whole || v < INT16_MIN || v > INT16_MAX;
                    PutBytes<int16_t>(slot, static_cast<int16_t>(v));
                } else if (Field.iFldType == fldUINT16) {
                    blank = !whole || v < 0 || v > UINT16_MAX;
                    PutBytes<uint16_t>(slot, static_cast<uint16_t>(v));
                } else if (Field.iFldType == fldINT32) {
                    blank = !whole || v < INT32_MIN || v > INT32_MAX;
                    PutBytes<int32_t>(slot, static_cast<int32_t>(v));
                } else {
                    blank = !whole;
                    PutBytes<int16_t>(slot, v != 0 ? -1 : 0);
                }
                break;
            }
            case fldFLOAT:
                blank = sqlite3_column_type(Stmt, Column) == SQLITE_TEXT ||
                        sqlite3_column_type(Stmt, Column) == SQLITE_BLOB;
                PutBytes<double>(slot, sqlite3_column_double(Stmt, Column));
                break;
            case fldBCD:
                try {
                    // A column of numeric affinity may have made the text a double already.
                    const TBcd bcd =
                        sqlite3_column_type(Stmt, Column) == SQLITE_FLOAT
                            ? FloatToBcd(sqlite3_column_double(Stmt, Column), Field.iUnits1,
                                         Field.iUnits2)
                            : StrToBcd(ColumnText(Stmt, Column), Field.iUnits1, Field.iUnits2);
                    std::memcpy(slot, bcd.Bytes, BcdSize);
                } catch (const EConvertError&) {
                    blank = true;
                }
                break;
            case fldDATE: {
                int32_t day = 0;
                blank = !ParseIsoDate(ColumnText(Stmt, Column), day);
                PutBytes<int32_t>(slot, day);
                break;
            }
            case fldTIME: {
                int32_t ms = 0;
                blank = !ParseIsoTime(ColumnText(Stmt, Column), ms);
                PutBytes<int32_t>(slot, ms);
                break;
            }
            case fldTIMESTAMP: {
                double ms = 0;
                blank = !ParseIsoTimeStamp(ColumnText(Stmt, Column), ms);
                PutBytes<double>(slot, ms);
                break;
            }
        }
    Buffer[Field.iNullOffset] = blank ? 1 : 0;
}

// The name that reaches the row id of the table with these columns: a column may take any of
// SQLite's three names, and then that name reads the column.
std::string RowIdName(const std::vector<FLDDesc>& Fields, const std::string& Table) {
    for (const char* name : {"rowid", "_rowid_", "oid"})
        if (std::none_of(Fields.begin(), Fields.end(),
                         [&](const FLDDesc& f) { return SameText(f.szName, name); }))
            return name;
    throw EDBEngineError(DBIERR_NOTSUPPORTED,
                         Table +
                             ": its columns take every name of the row id, so no row can be "
                             "told apart");
}

// A whole number binds as one, so that SQLite compares integers without converting.
void BindNumber(sqlite3_stmt* Stmt, int Index, double Value) {
    if (Value == std::trunc(Value) && std::fabs(Value) < 9e15)
        sqlite3_bind_int64(Stmt, Index, static_cast<sqlite3_int64>(Value));
    else
        sqlite3_bind_double(Stmt, Index, Value);
}

}  // namespace

TDbiCursor::TDbiCursor(std::shared_ptr<TDbiDatabase> Database, const std::string& Table,
                       const std::string& IndexName)
    : FDatabase(std::move(Database)), FTable(Table) {
    FFields = FDatabase->TableFields(Table);
    FRowId = RowIdName(FFields, Table);
    FRecordSize = LayOutRecord(FFields);
    FIndexes = FDatabase->TableIndexes(Table);
    FCache.resize(CacheRecords * FRecordSize);
    FScratch.resize(FRecordSize);
    FCachePresent.resize(CacheRecords);
    SwitchToIndex(IndexName);
    FDatabase->CursorOpened(FTable);
}

TDbiCursor::~TDbiCursor() {
    FDatabase->CursorClosed(FTable);
    if (!FDropTable) return;
    try {
        FDatabase->Execute("DROP TABLE IF EXISTS temp." + QuoteName(FTable));
    } catch (const EDBEngineError&) {
        // A temporary table goes with the connection at the latest.
    }
}

void TDbiCursor::SwitchToIndex(const std::string& IndexName) {
    size_t found = FIndexes.size();
    for (size_t i = 0; i < FIndexes.size(); ++i)
        if (SameText(FIndexes[i].szName, IndexName)) found = i;
    if (found == FIndexes.size()) throw EDBEngineError(DBIERR_OBJNOTFOUND, "Index " + IndexName);
    FIndex = found;
    LoadKeyset();
    ResetRange();
}

std::string TDbiCursor::KeyColumns(uint16_t Count) const {
    const IDXDesc& index = CurrentIndex();
    std::string Result;
    for (uint16_t i = 0; i < Count && i < index.Fields.size(); ++i)
        Result += (i ? ", " : "") + QuoteName(index.Fields[i]) + " COLLATE " + index.Collations[i];
    return Result;
}

std::string TDbiCursor::OrderBy() const {
    const std::string keys = KeyColumns(static_cast<uint16_t>(CurrentIndex().Fields.size()));
    return keys.empty() ? FRowId : keys + ", " + FRowId;
}

void TDbiCursor::LoadKeyset() {
    auto q = FDatabase->Prepare("SELECT " + FRowId + " FROM " + QuoteName(FTable) + " ORDER BY " +
                                OrderBy());
    FKeyset.clear();
    while (q->Step())
        FKeyset.push_back(sqlite3_column_int64(q->Handle(), 0));
    FKeyset.shrink_to_fit();
    FCacheCount = 0;
}

void TDbiCursor::Refresh() {
    const int64_t current = Bookmark();
    LoadKeyset();
    // Records came, went or moved: the range's keys find its places again.
    PlaceRange();
    if (current != 0 && SetToBookmark(current) == DBIERR_NONE) return;
    SetToBegin();
}

void TDbiCursor::SetToBegin() {
    FPos = FLow;
    FOnRecord = false;
}

void TDbiCursor::SetToEnd() {
    FPos = FHigh;
    FOnRecord = false;
}

std::string TDbiCursor::SelectList(const std::vector<uint16_t>* Only) const {
    std::string list = FRowId;
    for (const FLDDesc& f : FFields)
        if (f.iFldType != fldBLOB &&
            (Only == nullptr || std::find(Only->begin(), Only->end(), f.iFldNum) != Only->end()))
            list += ", " + QuoteName(f.szName);
    return list;
}

std::string TDbiCursor::Narrowing(const std::vector<const TFilterProgram*>& Programs,
                                  std::vector<double>& Values) const {
    // Only what the filters need in any case. A field of these types reads a stored integer
    // (or, for a float, any stored number as a double) and nothing else, so a record the block
    // keeps holds a number that SQLite compares exactly as the block does; the block still
    // judges every row. A float field's column may keep integers beyond a double's exact ones
    // (a column of numeric affinity does), which the block sees rounded: SQLite rounds them too.
    std::string where;
    static const char* const ops[] = {"", "", "", "=", "<>", ">", "<", ">=", "<="};
    for (const TFilterProgram* p : Programs)
        for (const TFilterProgram::TNecessaryComparison& c : p->NecessaryComparisons()) {
            const FLDDesc& field = FFields[c.FieldNum - 1];
            const std::string column = QuoteName(field.szName);
            where += (field.iFldType == fldFLOAT ? "CAST(" + column + " AS REAL)" : column) + " " +
                     ops[c.Op] + " ? AND ";
            Values.push_back(c.Value);
        }
    return where;
}

void TDbiCursor::ReadRow(sqlite3_stmt* Stmt, uint8_t* Record, const std::vector<uint16_t>* Only) {
    int column = 1;
    for (const FLDDesc& f : FFields) {
        if (f.iFldType == fldBLOB)
            Record[f.iNullOffset] = 0;  // read on demand
        else if (Only == nullptr || std::find(Only->begin(), Only->end(), f.iFldNum) != Only->end())
            ReadColumn(Stmt, column++, f, Record);
    }
}

void TDbiCursor::FillCache(size_t Position) {
    // A window around the place, reaching further in the direction of travel.
    const bool backward = FCacheCount != 0 && Position < FCacheStart;
    const size_t start =
        !backward ? Position : (Position + 1 >= CacheRecords ? Position + 1 - CacheRecords : 0);
    const size_t end = std::min(start + CacheRecords, FKeyset.size());
    FCacheStart = start;
    FCacheCount = end - start;
    std::fill(FCachePresent.begin(), FCachePresent.end(), 0);

    // With expression filters active the window first reads only the fields they judge, and
    // whole rows only for the records that pass: most rows of a narrow filter cost one column.
    std::vector<uint16_t> judged;
    std::vector<const TFilterProgram*> programs;
    for (const TFilter& f : FFilters)
        if (f.Active && f.Program) {
            programs.push_back(f.Program.get());
            for (uint16_t n : f.Program->FieldNumbers())
                if (std::find(judged.begin(), judged.end(), n) == judged.end()) judged.push_back(n);
        }
    const std::vector<uint16_t>* only = programs.empty() ? nullptr : &judged;

    const bool rowidOrder = CurrentIndex().bPrimary;
    std::vector<double> narrowing;
    const std::string select = "SELECT " + SelectList(only) + " FROM " + QuoteName(FTable) +
                               " WHERE " + Narrowing(programs, narrowing);
    std::unique_ptr<TSqlStatement> q;
    // In rowid order one range scan reads the window; in another order the rowids are named.
    std::map<int64_t, size_t> places;
    int bound = 0;
    if (rowidOrder) {
        q = FDatabase->Prepare(select + FRowId + " BETWEEN ? AND ? ORDER BY " + FRowId);
        for (double v : narrowing)
            BindNumber(q->Handle(), ++bound, v);
        sqlite3_bind_int64(q->Handle(), ++bound, FKeyset[start]);
        sqlite3_bind_int64(q->Handle(), ++bound, FKeyset[end - 1]);
    } else {
        std::string sql = select + FRowId + " IN (?";
        for (size_t i = 1; i < CacheRecords; ++i)
            sql += ",?";
        q = FDatabase->Prepare(sql + ")");
        for (double v : narrowing)
            BindNumber(q->Handle(), ++bound, v);
        for (size_t i = start; i < end; ++i) {
            sqlite3_bind_int64(q->Handle(), ++bound, FKeyset[i]);
            places.emplace(FKeyset[i], i - start);
        }
    }
    size_t next = start;  // the rowid order walks the keyset beside the rows
    while (q->Step()) {
        const int64_t rowid = sqlite3_column_int64(q->Handle(), 0);
        size_t place;
        if (rowidOrder) {
            while (next < end && FKeyset[next] < rowid)
                ++next;
            if (next == end || FKeyset[next] != rowid) continue;
            place = next - start;
        } else {
            const auto it = places.find(rowid);
            if (it == places.end()) continue;
            place = it->second;
        }
        uint8_t* record = FCache.data() + place * FRecordSize;
        ReadRow(q->Handle(), record, only);
        const bool passes =
            std::all_of(programs.begin(), programs.end(),
                        [&](const TFilterProgram* p) { return p->Matches(record); });
        // A record the filters hide is not in the cache: the cursor cannot stand on it.
        FCachePresent[place] = passes ? (only ? 2 : 1) : 0;
    }
    q.reset();
    if (only == nullptr) return;
    auto whole = FDatabase->Prepare("SELECT " + SelectList(nullptr) + " FROM " + QuoteName(FTable) +
                                    " WHERE " + FRowId + " = ?1");
    for (size_t place = 0; place < FCacheCount; ++place) {
        if (FCachePresent[place] != 2) continue;
        sqlite3_bind_int64(whole->Handle(), 1, FKeyset[start + place]);
        FCachePresent[place] = whole->Step() ? 1 : 0;
        if (FCachePresent[place])
            ReadRow(whole->Handle(), FCache.data() + place * FRecordSize, nullptr);
        sqlite3_reset(whole->Handle());
    }
}

const uint8_t* TDbiCursor::CachedRecord(size_t Position) {
    if (Position < FCacheStart || Position >= FCacheStart + FCacheCount) FillCache(Position);
    const size_t i = Position - FCacheStart;
    return FCachePresent[i] ? FCache.data() + i * FRecordSize : nullptr;
}

bool TDbiCursor::ReadAt(size_t Position, uint8_t* Buffer) {
    const uint8_t* record = CachedRecord(Position);
    if (record == nullptr) return false;
    if (Buffer != nullptr) std::memcpy(Buffer, record, FRecordSize);
    return true;
}

bool TDbiCursor::Passes(size_t Position, uint8_t* Buffer) {
    const uint8_t* record = CachedRecord(Position);
    if (record == nullptr) return false;  // deleted since the keyset was read
    // Expressions judged the record as the cache was filled; callbacks get a copy, since they
    // may move the cursor and so refill the cache.
    std::memcpy(Buffer, record, FRecordSize);
    // The list may change under a callback; walk it by index.
    for (size_t i = 0; i < FFilters.size(); ++i) {
        const TFilter& f = FFilters[i];
        if (f.Active && !f.Program &&
            f.Callback(f.ClientData, Buffer, static_cast<int32_t>(FKeyset[Position])) == 0)
            return false;
    }
    return true;
}

DBIResult TDbiCursor::Step(int Direction, uint8_t* Buffer) {
    size_t p = FPos;
    bool onRecord = FOnRecord;
    for (;;) {
        if (Direction > 0) {
            if (onRecord) ++p;
            if (p >= FHigh) {
                SetToEnd();
                return DBIERR_EOF;
            }
        } else {
            if (p <= FLow) {
                SetToBegin();
                return DBIERR_BOF;
            }
            --p;
        }
        onRecord = true;
        if (!Passes(p, Buffer)) continue;
        // A callback may have moved the cursor; the record found is where it stands now.
        FPos = p;
        FOnRecord = true;
        FVerified = true;
        return DBIERR_NONE;
    }
}

DBIResult TDbiCursor::GetNextRecord(uint8_t* Buffer) {
    return Step(1, Buffer);
}
DBIResult TDbiCursor::GetPriorRecord(uint8_t* Buffer) {
    return Step(-1, Buffer);
}

DBIResult TDbiCursor::GetRecord(uint8_t* Buffer) {
    if (!FOnRecord || FPos < FLow || FPos >= FHigh) return DBIERR_NOCURRREC;
    return ReadAt(FPos, Buffer) ? DBIERR_NONE : DBIERR_NOCURRREC;
}

DBIResult TDbiCursor::GetRelativeRecord(int32_t Offset, uint8_t* Buffer, int32_t& Moved) {
    Moved = 0;
    if (Offset == 0) return GetRecord(Buffer);
    const int direction = Offset < 0 ? -1 : 1;
    if (!Filtered() && FOnRecord) {
        // Without filters every place is a record (but those deleted meanwhile): jump.
        const int64_t target = static_cast<int64_t>(FPos) + Offset;
        const int64_t clamped = std::clamp<int64_t>(target, static_cast<int64_t>(FLow),
                                                    static_cast<int64_t>(FHigh) - 1);
        if (clamped != target) {
            Moved = static_cast<int32_t>(clamped - static_cast<int64_t>(FPos));
            FPos = static_cast<size_t>(clamped);
            ReadAt(FPos, Buffer);
            Offset > 0 ? SetToEnd() : SetToBegin();
            return Offset > 0 ? DBIERR_EOF : DBIERR_BOF;
        }
        FPos = static_cast<size_t>(target);
        Moved = Offset;
        // A record deleted meanwhile gives its place to the next one on the way.
        return ReadAt(FPos, Buffer) ? DBIERR_NONE : Step(direction, Buffer);
    }
    for (int32_t i = 0; i != Offset; i += direction) {
        const DBIResult r = Step(direction, Buffer);
        if (r != DBIERR_NONE) return r;
        Moved += direction;
    }
    return DBIERR_NONE;
}

bool TDbiCursor::Filtered() const {
    return std::any_of(FFilters.begin(), FFilters.end(), [](const TFilter& f) { return f.Active; });
}

int32_t TDbiCursor::GetRecordCount() {
    if (!Filtered()) return static_cast<int32_t>(FHigh - FLow);
    const size_t pos = FPos;
    const bool onRecord = FOnRecord, verified = FVerified;
    std::vector<uint8_t> buffer(FRecordSize);
    int32_t count = 0;
    SetToBegin();
    while (Step(1, buffer.data()) == DBIERR_NONE)
        ++count;
    // Back where it was, and no surer of that record than before.
    FPos = pos;
    FOnRecord = onRecord;
    FVerified = verified;
    return count;
}

int32_t TDbiCursor::SequenceNumber() const {
    return FOnRecord && FPos < FHigh ? static_cast<int32_t>(FPos - FLow + 1) : 0;
}

int64_t TDbiCursor::Bookmark() const {
    return FOnRecord && FPos < FKeyset.size() ? FKeyset[FPos] : 0;
}

DBIResult TDbiCursor::SetToBookmark(int64_t Bookmark) {
    // Datasets come back to the record they left, which passed the filters when it was
    // reached and needs no second look while they stay as they are.
    if (FOnRecord && FVerified && FPos >= FLow && FPos < FHigh && FKeyset[FPos] == Bookmark)
        return DBIERR_NONE;
    // A neighbour next, then the whole range.
    for (size_t p = FPos > FLow ? FPos - 1 : FLow; p < FHigh && p <= FPos + 1; ++p)
        if (FKeyset[p] == Bookmark) {
            FPos = p;
            FOnRecord = true;
            return Verify();
        }
    const auto it = std::find(FKeyset.begin() + static_cast<ptrdiff_t>(FLow),
                              FKeyset.begin() + static_cast<ptrdiff_t>(FHigh), Bookmark);
    if (it == FKeyset.begin() + static_cast<ptrdiff_t>(FHigh)) return DBIERR_RECNOTFOUND;
    FPos = static_cast<size_t>(it - FKeyset.begin());
    FOnRecord = true;
    return Verify();
}

DBIResult TDbiCursor::Verify() {
    // A record hidden by a filter is as unreachable as a deleted one.
    FVerified = Passes(FPos, FScratch.data());
    return FVerified ? DBIERR_NONE : DBIERR_RECNOTFOUND;
}

int TDbiCursor::CompareBookmarks(int64_t A, int64_t B) const {
    const auto a = std::find(FKeyset.begin(), FKeyset.end(), A);
    const auto b = std::find(FKeyset.begin(), FKeyset.end(), B);
    return (a > b) - (a < b);
}

void TDbiCursor::PlaceOn(int64_t RowId) {
    FCacheCount = 0;
    if (SetToBookmark(RowId) != DBIERR_NONE) SetToBegin();
}

void TDbiCursor::InitRecord(uint8_t* Buffer) const {
    std::memset(Buffer, 0, FRecordSize);
    for (const FLDDesc& f : FFields)
        Buffer[f.iNullOffset] = 1;
}

std::optional<std::string> TDbiCursor::ReadBlob(uint16_t FieldNum) {
    if (FieldNum < 1 || FieldNum > FFields.size()) throw EDBEngineError(DBIERR_INVALIDPARAM);
    const auto staged = FStagedBlobs.find(FieldNum);
    if (staged != FStagedBlobs.end()) return staged->second;
    if (Bookmark() == 0) return std::nullopt;
    auto q = FDatabase->Prepare("SELECT " + QuoteName(FFields[FieldNum - 1].szName) + " FROM " +
                                QuoteName(FTable) + " WHERE " + FRowId + " = ?1");
    sqlite3_bind_int64(q->Handle(), 1, Bookmark());
    if (!q->Step() || sqlite3_column_type(q->Handle(), 0) == SQLITE_NULL) return std::nullopt;
    const void* bytes = sqlite3_column_blob(q->Handle(), 0);
    return std::string(static_cast<const char*>(bytes),
                       static_cast<size_t>(sqlite3_column_bytes(q->Handle(), 0)));
}

void TDbiCursor::StageBlob(uint16_t FieldNum, std::optional<std::string> Value) {
    if (FieldNum < 1 || FieldNum > FFields.size() || FFields[FieldNum - 1].iFldType != fldBLOB)
        throw EDBEngineError(DBIERR_INVALIDPARAM);
    FStagedBlobs[FieldNum] = std::move(Value);
}

void TDbiCursor::BindField(sqlite3_stmt* Stmt, int Index, const FLDDesc& Field,
                           const uint8_t* Buffer) {
    const uint8_t* slot = Buffer + Field.iOffset;
    if (Field.iFldType == fldBLOB) {
        const auto& value = FStagedBlobs[Field.iFldNum];
        if (!value)
            sqlite3_bind_null(Stmt, Index);
        else if (Field.iSubType == fldstMEMO || Field.iSubType == fldstFMTMEMO)
            sqlite3_bind_text(Stmt, Index, value->data(), static_cast<int>(value->size()),
                              SQLITE_TRANSIENT);
        else
            sqlite3_bind_blob(Stmt, Index, value->data(), static_cast<int>(value->size()),
                              SQLITE_TRANSIENT);
        return;
    }
    if (Buffer[Field.iNullOffset] != 0) {
        sqlite3_bind_null(Stmt, Index);
        return;
    }
    switch (Field.iFldType) {
        case fldZSTRING:
            sqlite3_bind_text(
                Stmt, Index, reinterpret_cast<const char*>(slot),
                static_cast<int>(strnlen(reinterpret_cast<const char*>(slot), Field.iLen)),
                SQLITE_TRANSIENT);
            break;
        case fldINT16:
            sqlite3_bind_int64(Stmt, Index, GetBytes<int16_t>(slot));
            break;
        case fldUINT16:
            sqlite3_bind_int64(Stmt, Index, GetBytes<uint16_t>(slot));
            break;
        case fldINT32:
            sqlite3_bind_int64(Stmt, Index, GetBytes<int32_t>(slot));
            break;
        case fldBOOL:
            sqlite3_bind_int(Stmt, Index, GetBytes<int16_t>(slot) != 0);
            break;
        case fldFLOAT:
            sqlite3_bind_double(Stmt, Index, GetBytes<double>(slot));
            break;
        case fldBCD: {
            TBcd bcd;
            std::memcpy(bcd.Bytes, slot, BcdSize);
            if (!IsValidBcd(bcd.Bytes)) throw EDBEngineError(DBIERR_INVALIDPARAM, Field.szName);
            sqlite3_bind_text(Stmt, Index, BcdToStr(bcd).c_str(), -1, SQLITE_TRANSIENT);
            break;
        }
        case fldDATE:
            sqlite3_bind_text(Stmt, Index, IsoDate(GetBytes<int32_t>(slot)).c_str(), -1,
                              SQLITE_TRANSIENT);
            break;
        case fldTIME:
            sqlite3_bind_text(Stmt, Index, IsoTime(GetBytes<int32_t>(slot)).c_str(), -1,
                              SQLITE_TRANSIENT);
            break;
        case fldTIMESTAMP:
            sqlite3_bind_text(Stmt, Index, IsoTimeStamp(GetBytes<double>(slot)).c_str(), -1,
                              SQLITE_TRANSIENT);
            break;
    }
}

void TDbiCursor::Write(const uint8_t* Buffer, int64_t RowId) {
    for (const FLDDesc& f : FFields) {
        const bool blank =
            f.iFldType == fldBLOB
                ? (FStagedBlobs.count(f.iFldNum) ? !FStagedBlobs[f.iFldNum] : RowId == 0)
                : Buffer[f.iNullOffset] != 0;
        if (f.bRequired && blank && f.iSubType != fldstAUTOINC)
            throw EDBEngineError(DBIERR_REQDERR, "Field '" + f.szName + "' must have a value");
    }
    std::string sql;
    std::vector<const FLDDesc*> bound;
    for (const FLDDesc& f : FFields)
        if (f.iFldType != fldBLOB || FStagedBlobs.count(f.iFldNum)) bound.push_back(&f);
    if (RowId == 0) {
        std::string names, values;
        for (size_t i = 0; i < bound.size(); ++i) {
            names += (i ? ", " : "") + QuoteName(bound[i]->szName);
            const bool autoinc = bound[i]->iSubType == fldstAUTOINC;
            values += (i ? ", " : "") +
                      (autoinc ? "coalesce(?, (SELECT coalesce(max(" + QuoteName(bound[i]->szName) +
                                     "), 0) + 1 FROM " + QuoteName(FTable) + "))"
                               : std::string("?"));
        }
        sql = "INSERT INTO " + QuoteName(FTable) + " (" + names + ") VALUES (" + values + ")";
    } else {
        std::string sets;
        for (size_t i = 0; i < bound.size(); ++i)
            sets += (i ? ", " : "") + QuoteName(bound[i]->szName) + " = ?";
        sql = "UPDATE " + QuoteName(FTable) + " SET " + sets + " WHERE " + FRowId + " = ?";
    }
    auto q = FDatabase->Prepare(sql);
    for (size_t i = 0; i < bound.size(); ++i)
        BindField(q->Handle(), static_cast<int>(i + 1), *bound[i], Buffer);
    if (RowId != 0) sqlite3_bind_int64(q->Handle(), static_cast<int>(bound.size() + 1), RowId);
    q->Step();
    // A change to a record deleted meanwhile would otherwise vanish as if it had been written.
    if (RowId != 0 && sqlite3_changes(FDatabase->Handle()) == 0)
        throw EDBEngineError(DBIERR_RECNOTFOUND, "The record was deleted by another user");
    FStagedBlobs.clear();
}

void TDbiCursor::InsertRecord(const uint8_t* Buffer) {
    Write(Buffer, 0);
    const int64_t rowid = sqlite3_last_insert_rowid(FDatabase->Handle());
    Refresh();
    // A new record outside the range is still the current one: the range opens to show it.
    if (SetToBookmark(rowid) != DBIERR_NONE) {
        ResetRange();
        PlaceOn(rowid);
    }
}

void TDbiCursor::ModifyRecord(const uint8_t* Buffer) {
    const int64_t rowid = Bookmark();
    if (rowid == 0) throw EDBEngineError(DBIERR_NOCURRREC);
    Write(Buffer, rowid);
    if (!CurrentIndex().bPrimary) {
        Refresh();
    } else {
        FCacheCount = 0;
    }
    PlaceOn(rowid);
}

void TDbiCursor::DeleteRecord() {
    const int64_t rowid = Bookmark();
    if (rowid == 0) throw EDBEngineError(DBIERR_NOCURRREC);
    auto q = FDatabase->Prepare("DELETE FROM " + QuoteName(FTable) + " WHERE " + FRowId + " = ?1");
    sqlite3_bind_int64(q->Handle(), 1, rowid);
    q->Step();
    FKeyset.erase(FKeyset.begin() + static_cast<ptrdiff_t>(FPos));
    --FHigh;
    FCacheCount = 0;
    FOnRecord = false;  // on the crack before the record that followed
}

bool TDbiCursor::KeyCompares(size_t Position, const uint8_t* Key, uint16_t Count, const char* Op) {
    const IDXDesc& index = CurrentIndex();
    std::string values;
    for (uint16_t i = 0; i < Count; ++i)
        values += i ? ", ?" : "?";
    auto q = FDatabase->Prepare("SELECT (" + KeyColumns(Count) + ") " + Op + " (" + values +
                                ") FROM " + QuoteName(FTable) + " WHERE " + FRowId + " = ?");
    for (uint16_t i = 0; i < Count; ++i) {
        const auto field = std::find_if(FFields.begin(), FFields.end(), [&](const FLDDesc& f) {
            return SameText(f.szName, index.Fields[i]);
        });
        BindField(q->Handle(), i + 1, *field, Key);
    }
    sqlite3_bind_int64(q->Handle(), Count + 1, FKeyset[Position]);
    if (!q->Step()) return false;
    // A blank key column sorts first: below every key.
    return sqlite3_column_type(q->Handle(), 0) == SQLITE_NULL
               ? Op[0] == '<'
               : sqlite3_column_int(q->Handle(), 0) != 0;
}

size_t TDbiCursor::LowerBound(const uint8_t* Key, uint16_t Count, bool After) {
    size_t low = 0, high = FKeyset.size();
    while (low < high) {
        const size_t mid = low + (high - low) / 2;
        if (KeyCompares(mid, Key, Count, After ? "<=" : "<"))
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

DBIResult TDbiCursor::SetToKey(DBISearchCond Cond, const uint8_t* Key, uint16_t FieldCount) {
    const IDXDesc& index = CurrentIndex();
    if (index.bPrimary || FieldCount == 0 || FieldCount > index.Fields.size())
        throw EDBEngineError(DBIERR_INVALIDPARAM, "A key search needs the fields of an index");
    const size_t p = std::clamp(LowerBound(Key, FieldCount, Cond == keySEARCHGT), FLow, FHigh);
    FPos = p;
    FOnRecord = false;
    if (Cond != keySEARCHEQ) return p < FHigh ? DBIERR_NONE : DBIERR_EOF;
    if (p < FHigh && KeyCompares(p, Key, FieldCount, "=")) {
        FOnRecord = true;
        return DBIERR_NONE;
    }
    return DBIERR_RECNOTFOUND;
}

void TDbiCursor::SetRange(const uint8_t* Low, uint16_t LowCount, bool LowIncluded,
                          const uint8_t* High, uint16_t HighCount, bool HighIncluded) {
    if (CurrentIndex().bPrimary)
        throw EDBEngineError(DBIERR_INVALIDPARAM, "A range needs an index");
    const auto end = [&](const uint8_t* Key, uint16_t Count, bool Included) {
        return Key ? std::optional<TRangeEnd>({{Key, Key + FRecordSize}, Count, Included})
                   : std::nullopt;
    };
    FRangeLow = end(Low, LowCount, LowIncluded);
    FRangeHigh = end(High, HighCount, HighIncluded);
    FEmptyRange = false;
    PlaceRange();
    SetToBegin();
}

void TDbiCursor::SetEmptyRange() {
    FRangeLow = FRangeHigh = std::nullopt;
    FEmptyRange = true;
    PlaceRange();
    SetToBegin();
}

void TDbiCursor::ResetRange() {
    FRangeLow = FRangeHigh = std::nullopt;
    FEmptyRange = false;
    PlaceRange();
    SetToBegin();
}

void TDbiCursor::PlaceRange() {
    if (FEmptyRange) {
        FLow = FHigh = 0;
        return;
    }
    FLow =
        FRangeLow ? LowerBound(FRangeLow->Key.data(), FRangeLow->Count, !FRangeLow->Included) : 0;
    FHigh = FRangeHigh ? LowerBound(FRangeHigh->Key.data(), FRangeHigh->Count, FRangeHigh->Included)
                       : FKeyset.size();
    FHigh = std::max(FHigh, FLow);
}

TDbiCursor::TFilter* TDbiCursor::FindFilter(hDBIFilter Filter) {
    for (TFilter& f : FFilters)
        if (f.Handle == Filter) return &f;
    return nullptr;
}

DBIResult TDbiCursor::AddFilter(void* ClientData, const uint8_t* Block, size_t BlockLength,
                                pfDBIFilter Callback, hDBIFilter& Filter) {
    Filter = 0;
    if ((Block == nullptr) == (Callback == nullptr)) return DBIERR_INVALIDPARAM;
    TFilter f;
    if (Block) {
        try {
            f.Program = std::make_unique<TFilterProgram>(Block, BlockLength, FFields);
        } catch (const EDBEngineError& e) {
            return e.ErrorCode();
        }
    }
    f.Callback = Callback;
    f.ClientData = ClientData;
    f.Handle = FNextFilter++;
    FiltersChanged();
    Filter = f.Handle;
    FFilters.push_back(std::move(f));
    return DBIERR_NONE;
}

DBIResult TDbiCursor::ActivateFilter(hDBIFilter Filter) {
    TFilter* f = FindFilter(Filter);
    if (f == nullptr) return DBIERR_NOSUCHFILTER;
    f->Active = true;
    FiltersChanged();
    return DBIERR_NONE;
}

DBIResult TDbiCursor::DeactivateFilter(hDBIFilter Filter) {
    if (Filter == 0) {
        for (TFilter& f : FFilters)
            f.Active = false;
        FiltersChanged();
        return DBIERR_NONE;
    }
    TFilter* f = FindFilter(Filter);
    if (f == nullptr) return DBIERR_NOSUCHFILTER;
    f->Active = false;
    FiltersChanged();
    return DBIERR_NONE;
}

DBIResult TDbiCursor::DropFilter(hDBIFilter Filter) {
    FiltersChanged();
    if (Filter == 0) {
        FFilters.clear();
        return DBIERR_NONE;
    }
    const auto it = std::find_if(FFilters.begin(), FFilters.end(),
                                 [&](const TFilter& f) { return f.Handle == Filter; });
    if (it == FFilters.end()) return DBIERR_NOSUCHFILTER;
    FFilters.erase(it);
    return DBIERR_NONE;
}

void TDbiCursor::FiltersChanged() {
    // Records read or reached under the old filters are judged again.
    FCacheCount = 0;
    FVerified = false;
}

}  // namespace vex
