#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/component.h"
#include "platform/core/set.h"
#include "platform/data/dbicursor.h"
#include "platform/data/fields.h"

namespace vex {

class TDataSource;

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey, dsCalcFields, dsFilter };

enum TDataEvent {
    deFieldChange,
    deRecordChange,
    deDataSetChange,
    deDataSetScroll,
    deLayoutChange,
    deUpdateRecord,
    deUpdateState,
    deCheckBrowseMode,
    deFocusControl
};

enum TResyncModeItem { rmExact, rmCenter };
using TResyncMode = TSet<TResyncModeItem>;

// A record's place that survives scrolling; 0 is no place.
struct TBookmark {
    int64_t Id = 0;
    bool operator==(const TBookmark&) const = default;
};

using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;

// Records of an engine cursor seen through a window of record buffers (BufferCount of them, as
// many as the largest link asks for), one of which is the active record. Fields read the active
// buffer, or the buffer of the temporary state the dataset is in (filtering, calculating).
// Without a cursor an active dataset is simply empty.
class TDataSet : public TComponent {
    VEX_CLASS(TDataSet, TComponent)

public:
    explicit TDataSet(TComponent* AOwner);
    ~TDataSet() override;

    bool Active() const { return FState != dsInactive; }
    void SetActive(bool Value);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return FState; }

    int32_t FieldCount() const { return static_cast<int32_t>(FFields.size()); }
    TField* Fields(int32_t Index) const;
    TField* FindField(const std::string& FieldName) const;
    // Raises EDatabaseError "Field 'X' not found" for a name the dataset lacks.
    TField* FieldByName(const std::string& FieldName) const;
    // The engine's fields; on a closed dataset an information-only open reads them.
    const std::vector<FLDDesc>& FieldDefs();
    void UpdateFieldDefs();

    void First();
    void Last();
    void Next() { MoveBy(1); }
    void Prior() { MoveBy(-1); }
    // The number of records actually passed, signed.
    int32_t MoveBy(int32_t Distance);
    bool Bof() const { return FBof; }
    bool Eof() const { return FEof; }
    bool IsEmpty() const { return FRecordCount == 0; }
    // 1-based place of the active record while the dataset is sequenced, else -1.
    int32_t RecNo() const;
    int32_t RecordCount() const;

    TBookmark GetBookmark() const;
    bool BookmarkValid(const TBookmark& Bookmark) const;
    int CompareBookmarks(const TBookmark& A, const TBookmark& B) const;
    // Raises EDatabaseError "Record not found" when the record is gone.
    void GotoBookmark(const TBookmark& Bookmark);
    void FreeBookmark(TBookmark& Bookmark) { Bookmark = {}; }

    // Reads the buffers again around the active record; rmCenter puts it in the middle.
    void Resync(TResyncMode Mode);
    // The engine cursor onto the active record, and the other way round after the cursor moved.
    void UpdateCursorPos();
    void CursorPosChanged() { FCursorMoved = true; }
    void Refresh();

    void Edit();
    void Insert();
    void Append();
    void Delete();
    void Cancel();
    void Post();
    void CheckBrowseMode();
    void UpdateRecord();
    bool Modified() const { return FModified; }
    virtual bool CanModify() const;

    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return FDisableCount > 0; }

    // The window of record buffers, for data links.
    int32_t BufferCount() const { return static_cast<int32_t>(FBuffers.size()); }
    int32_t ActiveRecord() const { return FActiveRecord; }
    int32_t BufferRecordCount() const { return FRecordCount; }

    // Enters a temporary state whose field reads and writes go to Buffer (the engine's filter
    // callback, a calculation pass); nests. RestoreState returns to the previous state.
    TDataSetState SetTempState(TDataSetState State, uint8_t* Buffer);
    void RestoreState(TDataSetState State, uint8_t* Buffer);

    TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose, BeforeEdit, AfterEdit,
        BeforeInsert, AfterInsert, BeforePost, AfterPost, BeforeCancel, AfterCancel, BeforeDelete,
        AfterDelete, BeforeScroll, AfterScroll, OnNewRecord, OnCalcFields;

    TDbiCursor* Handle() const { return FHandle.get(); }

    // For fields and links.
    uint8_t* ActiveBuffer() const;
    const uint8_t* FieldBuffer() const;  // null when the dataset has no record to read
    std::optional<std::string> ReadBlob(const TField& Field) const;
    void WriteBlob(const TField& Field, std::optional<std::string> Value);
    void SetModified() { FModified = true; }
    void AddField(TField* Field);
    void RemoveField(TField* Field);
    void MoveField(TField* Field, int32_t Index);
    void AddDataSource(TDataSource* Source);
    void RemoveDataSource(TDataSource* Source);
    void SetBufferCount(int32_t Value);  // what the links need, at least 1
    // Tells every link; virtual as the data-event dispatch slot.
    virtual void DataEvent(TDataEvent Event, intptr_t Info);

protected:
    // The slots that descendants override, in this order.
    virtual void DoAfterOpen();
    virtual void DoBeforePost();
    virtual void DoOnCalcFields();
    virtual int32_t GetNextRecords();
    virtual void InitFieldDefs();
    virtual void OpenCursor(bool InfoQuery);
    virtual void CloseCursor();

public:
    virtual bool IsSequenced() const;

protected:
    virtual std::unique_ptr<TDbiCursor> CreateHandle();
    virtual void PrepareCursor() {}

    void SetState(TDataSetState Value);
    void SetHandle(std::unique_ptr<TDbiCursor> Value);
    void CheckActive() const;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    struct TRecordBuffer {
        std::vector<uint8_t> Data;
        int64_t Bookmark = 0;
    };
    void CreateFields();
    void DestroyFields();
    void BindFields();
    void ClearBuffers();
    bool ReadInto(TRecordBuffer& Buffer, DBIResult Result);
    bool FetchNextRecord();
    bool FetchPriorRecord();
    void FillWindow(int32_t Before);
    void CalculateFields(uint8_t* Buffer);
    // A lookup field's value: the result field of the lookup dataset's record whose key fields
    // hold this record's key fields' values (compared as text).
    void LookUp(TField& Field);
    // The active buffer becomes a new blank record; Anchor is the record Cancel returns to.
    void StartInsert(int64_t Anchor);
    void CheckRequiredFields();
    void Fire(const TDataSetNotifyEvent& Event) {
        if (Event) Event(this);
    }

    TDataSetState FState = dsInactive;
    std::unique_ptr<TDbiCursor> FHandle;
    std::vector<FLDDesc> FFieldDefs;
    std::vector<TField*> FFields;
    std::vector<std::unique_ptr<TField>> FDefaultFields;  // made on open, freed on close
    std::vector<TDataSource*> FDataSources;
    uint32_t FRecordSize = 0, FCalcSize = 0;

    std::vector<TRecordBuffer> FBuffers = std::vector<TRecordBuffer>(1);
    int32_t FRecordCount = 0, FActiveRecord = 0;
    bool FBof = true, FEof = true, FModified = false, FCursorMoved = false;
    TRecordBuffer FCalcBuffer;  // inserting a record that the window has no room for
    std::map<int32_t, std::optional<std::string>> FPendingBlobs;

    // Temporary states and the buffer each reads.
    std::vector<std::pair<TDataSetState, uint8_t*>> FTempStates;

    int32_t FDisableCount = 0;
    bool FEventsDeferred = false;
    TDataSetState FDisabledState = dsInactive;
};

}  // namespace vex
