#include "platform/data/dataset.h"

#include <algorithm>
#include <cstring>

#include "platform/core/stringutils.h"
#include "platform/data/datalinks.h"
#include "platform/data/dbierrors.h"

namespace vex {

TDataSet::TDataSet(TComponent* AOwner) : TComponent(AOwner) {}

TDataSet::~TDataSet() {
    FHandle.reset();
    FState = dsInactive;
    while (!FDataSources.empty())
        FDataSources.back()->SetDataSet(nullptr);
    while (!FFields.empty())
        FFields.back()->SetDataSet(nullptr);
}

void TDataSet::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove) {
        FFields.erase(std::remove(FFields.begin(), FFields.end(), AComponent), FFields.end());
        FDataSources.erase(std::remove(FDataSources.begin(), FDataSources.end(), AComponent),
                           FDataSources.end());
    }
    TComponent::Notification(AComponent, Operation);
}

void TDataSet::CheckActive() const {
    if (!Active()) throw EDatabaseError("Cannot perform this operation on a closed dataset");
}

void TDataSet::SetState(TDataSetState Value) {
    if (Value == FState) return;
    FState = Value;
    FModified = false;
    DataEvent(deUpdateState, 0);
}

void TDataSet::SetHandle(std::unique_ptr<TDbiCursor> Value) {
    FHandle = std::move(Value);
}

void TDataSet::SetActive(bool Value) {
    if (Value == Active()) return;
    if (Value) {
        Fire(BeforeOpen);
        try {
            OpenCursor(false);
        } catch (...) {
            CloseCursor();
            DestroyFields();
            throw;
        }
        SetBufferCount(0);
        SetState(dsBrowse);
        First();
        DoAfterOpen();
    } else {
        Fire(BeforeClose);
        FPendingBlobs.clear();
        SetState(dsInactive);
        CloseCursor();
        DestroyFields();
        ClearBuffers();
        Fire(AfterClose);
    }
}

// ---- the slots ----

void TDataSet::DoAfterOpen() {
    Fire(AfterOpen);
}
void TDataSet::DoBeforePost() {
    Fire(BeforePost);
}
void TDataSet::DoOnCalcFields() {
    Fire(OnCalcFields);
}

int32_t TDataSet::GetNextRecords() {
    int32_t count = 0;
    while (FRecordCount < BufferCount() && FetchNextRecord())
        ++count;
    return count;
}

void TDataSet::InitFieldDefs() {
    FFieldDefs = FHandle ? FHandle->Fields() : std::vector<FLDDesc>();
}

void TDataSet::OpenCursor(bool InfoQuery) {
    SetHandle(CreateHandle());
    InitFieldDefs();
    // The fields exist before the cursor is prepared: a filter installed then names them.
    if (!InfoQuery) {
        CreateFields();
        BindFields();
    }
    if (FHandle) PrepareCursor();
}

void TDataSet::CloseCursor() {
    FHandle.reset();
}

bool TDataSet::IsSequenced() const {
    return !FHandle || !FHandle->Filtered();
}

std::unique_ptr<TDbiCursor> TDataSet::CreateHandle() {
    return nullptr;
}

// ---- fields ----

TField* TDataSet::Fields(int32_t Index) const {
    if (Index < 0 || Index >= FieldCount()) throw EDatabaseError("Field index out of range");
    return FFields[static_cast<size_t>(Index)];
}

TField* TDataSet::FindField(const std::string& FieldName) const {
    for (TField* f : FFields)
        if (SameText(f->FieldName(), FieldName)) return f;
    return nullptr;
}

TField* TDataSet::FieldByName(const std::string& FieldName) const {
    TField* f = FindField(FieldName);
    if (f == nullptr) throw EDatabaseError("Field '" + FieldName + "' not found");
    return f;
}

const std::vector<FLDDesc>& TDataSet::FieldDefs() {
    if (!Active()) UpdateFieldDefs();
    return FFieldDefs;
}

void TDataSet::UpdateFieldDefs() {
    if (Active()) return;
    // An information-only open: the cursor is made for its descriptors and closed again.
    try {
        OpenCursor(true);
    } catch (...) {
        CloseCursor();
        throw;
    }
    CloseCursor();
}

void TDataSet::AddField(TField* Field) {
    if (Active()) throw EDatabaseError("Cannot perform this operation on an open dataset");
    FFields.push_back(Field);
    FreeNotification(Field);
}

void TDataSet::RemoveField(TField* Field) {
    FFields.erase(std::remove(FFields.begin(), FFields.end(), Field), FFields.end());
}

void TDataSet::MoveField(TField* Field, int32_t Index) {
    const auto it = std::find(FFields.begin(), FFields.end(), Field);
    if (it == FFields.end()) return;
    FFields.erase(it);
    const size_t place = static_cast<size_t>(std::clamp(Index, 0, FieldCount()));
    FFields.insert(FFields.begin() + static_cast<ptrdiff_t>(place), Field);
    if (Active()) DataEvent(deLayoutChange, 0);
}

void TDataSet::CreateFields() {
    if (!FFields.empty()) return;
    for (const FLDDesc& d : FFieldDefs) {
        auto field = std::unique_ptr<TField>(CreateField(nullptr, FieldTypeOf(d)));
        field->SetFieldName(d.szName);
        if (d.iFldType == fldZSTRING) field->SetSize(d.iUnits1);
        if (d.iFldType == fldBCD) field->SetSize(d.iUnits2);
        field->SetRequired(d.bRequired && d.iSubType != fldstAUTOINC);
        field->SetDataSet(this);
        FDefaultFields.push_back(std::move(field));
    }
}

void TDataSet::DestroyFields() {
    for (auto& f : FDefaultFields)
        f->SetDataSet(nullptr);
    FDefaultFields.clear();
}

void TDataSet::BindFields() {
    FRecordSize = FHandle ? FHandle->RecordSize() : 0;
    uint32_t calc = FRecordSize;
    for (TField* f : FFields) {
        if (!f->Calculated()) {
            const auto d =
                std::find_if(FFieldDefs.begin(), FFieldDefs.end(),
                             [&](const FLDDesc& x) { return SameText(x.szName, f->FieldName()); });
            if (d == FFieldDefs.end())
                throw EDatabaseError("Field '" + f->FieldName() + "' not found");
            f->Bind(d->iFldNum, *d);
            continue;
        }
        // Calculated values take a slot after the record, laid out as the engine lays fields.
        FLDDesc slot;
        slot.szName = f->FieldName();
        switch (f->DataType()) {
            case ftString:
                slot.iFldType = fldZSTRING;
                slot.iUnits1 = static_cast<uint16_t>(f->Size());
                break;
            case ftSmallint:
                slot.iFldType = fldINT16;
                break;
            case ftWord:
                slot.iFldType = fldUINT16;
                break;
            case ftInteger:
            case ftAutoInc:
                slot.iFldType = fldINT32;
                break;
            case ftBoolean:
                slot.iFldType = fldBOOL;
                break;
            case ftFloat:
            case ftCurrency:
                slot.iFldType = fldFLOAT;
                break;
            case ftBCD:
                slot.iFldType = fldBCD;
                slot.iUnits1 = 32;
                slot.iUnits2 = static_cast<uint16_t>(f->Size());
                break;
            case ftDate:
                slot.iFldType = fldDATE;
                break;
            case ftTime:
                slot.iFldType = fldTIME;
                break;
            case ftDateTime:
                slot.iFldType = fldTIMESTAMP;
                break;
            default:
                throw EDatabaseError("Field '" + f->FieldName() + "' cannot be calculated");
        }
        slot.iNullOffset = calc++;
        slot.iOffset = calc;
        slot.iLen = FieldValueLength(slot.iFldType, slot.iUnits1);
        calc += slot.iLen;
        f->Bind(0, slot);
    }
    FCalcSize = calc - FRecordSize;
    ClearBuffers();
}

// ---- the window ----

void TDataSet::SetBufferCount(int32_t /*Value*/) {
    int32_t needed = 1;
    for (TDataSource* s : FDataSources)
        for (int32_t i = 0; i < s->DataLinkCount(); ++i)
            needed = std::max(needed, s->DataLinks(i)->BufferCount());
    if (needed == BufferCount()) return;
    const int64_t active =
        FRecordCount > 0 ? FBuffers[static_cast<size_t>(FActiveRecord)].Bookmark : 0;
    if (FActiveRecord >= needed) {
        // The active record, perhaps being edited, stays: the records before it leave instead.
        const int32_t leaving = FActiveRecord - (needed - 1);
        std::rotate(FBuffers.begin(), FBuffers.begin() + leaving, FBuffers.end());
        FActiveRecord -= leaving;
        FRecordCount -= leaving;
    }
    FBuffers.resize(static_cast<size_t>(needed));
    for (TRecordBuffer& b : FBuffers)
        b.Data.resize(FRecordSize + FCalcSize);
    FRecordCount = std::min(FRecordCount, needed);
    FActiveRecord = std::min(FActiveRecord, std::max(0, FRecordCount - 1));
    if (State() == dsBrowse && active != 0) {
        // The window is read again around the record that was active.
        FBuffers[static_cast<size_t>(FActiveRecord)].Bookmark = active;
        Resync({});
    }
}

void TDataSet::ClearBuffers() {
    for (TRecordBuffer& b : FBuffers) {
        b.Data.assign(FRecordSize + FCalcSize, 0);
        b.Bookmark = 0;
    }
    FCalcBuffer.Data.assign(FRecordSize + FCalcSize, 0);
    FRecordCount = FActiveRecord = 0;
    FBof = FEof = true;
}

bool TDataSet::ReadInto(TRecordBuffer& Buffer, DBIResult Result) {
    if (Result != DBIERR_NONE) return false;
    Buffer.Bookmark = FHandle->Bookmark();
    CalculateFields(Buffer.Data.data());
    return true;
}

bool TDataSet::FetchNextRecord() {
    if (!FHandle) return false;
    if (FRecordCount > 0 &&
        FHandle->SetToBookmark(FBuffers[static_cast<size_t>(FRecordCount - 1)].Bookmark) !=
            DBIERR_NONE)
        return false;
    if (!ReadInto(FCalcBuffer, FHandle->GetNextRecord(FCalcBuffer.Data.data()))) return false;
    if (FRecordCount == BufferCount()) {
        std::rotate(FBuffers.begin(), FBuffers.begin() + 1, FBuffers.end());
        --FRecordCount;
        --FActiveRecord;
    }
    std::swap(FBuffers[static_cast<size_t>(FRecordCount)], FCalcBuffer);
    ++FRecordCount;
    return true;
}

bool TDataSet::FetchPriorRecord() {
    if (!FHandle) return false;
    if (FRecordCount > 0 && FHandle->SetToBookmark(FBuffers[0].Bookmark) != DBIERR_NONE)
        return false;
    if (!ReadInto(FCalcBuffer, FHandle->GetPriorRecord(FCalcBuffer.Data.data()))) return false;
    if (FRecordCount == BufferCount()) --FRecordCount;
    std::rotate(FBuffers.rbegin(), FBuffers.rbegin() + 1, FBuffers.rend());
    std::swap(FBuffers[0], FCalcBuffer);
    ++FRecordCount;
    ++FActiveRecord;
    return true;
}

void TDataSet::FillWindow(int32_t Before) {
    // The cursor stands on the record that becomes active.
    TRecordBuffer current;
    current.Data.resize(FRecordSize + FCalcSize);
    const bool found = FHandle && ReadInto(current, FHandle->GetRecord(current.Data.data()));
    ClearBuffers();
    if (!found) return;
    std::swap(FBuffers[0], current);
    FRecordCount = 1;
    FActiveRecord = 0;
    for (int32_t i = 0; i < Before && FetchPriorRecord(); ++i) {
    }
    GetNextRecords();
    FBof = FEof = false;
}

void TDataSet::CalculateFields(uint8_t* Buffer) {
    if (FCalcSize == 0) return;
    for (TField* f : FFields)
        if (f->Calculated()) Buffer[f->Slot().iNullOffset] = 1;
    const TDataSetState old = SetTempState(dsCalcFields, Buffer);
    try {
        for (TField* f : FFields)
            if (f->FieldKind() == fkLookup) LookUp(*f);
        DoOnCalcFields();
    } catch (...) {
        RestoreState(old, Buffer);
        throw;
    }
    RestoreState(old, Buffer);
}

namespace {

std::vector<std::string> FieldNames(const std::string& List) {
    std::vector<std::string> names;
    for (size_t start = 0; start <= List.size();) {
        const size_t end = std::min(List.find(';', start), List.size());
        const std::string name = Trim(List.substr(start, end - start));
        if (!name.empty()) names.push_back(name);
        start = end + 1;
    }
    return names;
}

}  // namespace

void TDataSet::LookUp(TField& Field) {
    TDataSet* source = Field.LookupDataSet;
    if (source == nullptr || !source->Active() || source->Handle() == nullptr) return;
    const std::vector<std::string> keys = FieldNames(Field.KeyFields);
    const std::vector<std::string> sourceKeys = FieldNames(Field.LookupKeyFields);
    if (keys.empty() || keys.size() != sourceKeys.size()) return;
    std::vector<std::string> wanted;
    for (const std::string& k : keys)
        wanted.push_back(FieldByName(k)->AsString());
    TField* result = source->FieldByName(Field.LookupResultField);
    // The lookup table's own records, read from its cursor; its window is left as it is.
    TDbiCursor& cursor = *source->Handle();
    std::vector<uint8_t> record(cursor.RecordSize());
    cursor.SetToBegin();
    while (cursor.GetNextRecord(record.data()) == DBIERR_NONE) {
        bool match = true;
        for (size_t i = 0; i < sourceKeys.size() && match; ++i)
            match = source->FieldByName(sourceKeys[i])->TextOf(record.data()) == wanted[i];
        if (match) {
            Field.SetAsString(result->TextOf(record.data()));
            break;
        }
    }
}

void TDataSet::First() {
    CheckBrowseMode();
    Fire(BeforeScroll);
    ClearBuffers();
    if (FHandle) {
        FHandle->SetToBegin();
        GetNextRecords();
    }
    FBof = true;
    FEof = FRecordCount == 0;
    DataEvent(deDataSetChange, 0);
    Fire(AfterScroll);
}

void TDataSet::Last() {
    CheckBrowseMode();
    Fire(BeforeScroll);
    ClearBuffers();
    if (FHandle) {
        FHandle->SetToEnd();
        while (FRecordCount < BufferCount() && FetchPriorRecord()) {
        }
        FActiveRecord = std::max(0, FRecordCount - 1);
    }
    FEof = true;
    FBof = FRecordCount == 0;
    DataEvent(deDataSetChange, 0);
    Fire(AfterScroll);
}

int32_t TDataSet::MoveBy(int32_t Distance) {
    CheckBrowseMode();
    if (Distance == 0 || FRecordCount == 0) return 0;
    Fire(BeforeScroll);
    FBof = FEof = false;
    int32_t moved = 0;
    if (std::abs(static_cast<int64_t>(Distance)) > 2 * BufferCount()) {
        // A long way: the cursor jumps and the window is read again where it lands.
        UpdateCursorPos();
        const DBIResult r = FHandle->GetRelativeRecord(Distance, FCalcBuffer.Data.data(), moved);
        if (r == DBIERR_NONE) {
            FillWindow(Distance > 0 ? BufferCount() - 1 : 0);
        } else {
            Distance > 0 ? FHandle->SetToEnd() : FHandle->SetToBegin();
            ClearBuffers();
            if (Distance > 0) {
                while (FRecordCount < BufferCount() && FetchPriorRecord()) {
                }
                FActiveRecord = std::max(0, FRecordCount - 1);
            } else {
                GetNextRecords();
            }
            FBof = Distance < 0;
            FEof = Distance > 0;
        }
    } else {
        const int32_t step = Distance > 0 ? 1 : -1;
        for (; moved != Distance; moved += step) {
            if (step > 0) {
                if (FActiveRecord < FRecordCount - 1) {
                    ++FActiveRecord;
                } else if (FetchNextRecord()) {
                    FActiveRecord = FRecordCount - 1;
                } else {
                    FEof = true;
                    break;
                }
            } else {
                if (FActiveRecord > 0) {
                    --FActiveRecord;
                } else if (FetchPriorRecord()) {
                    FActiveRecord = 0;
                } else {
                    FBof = true;
                    break;
                }
            }
        }
    }
    DataEvent(deDataSetScroll, moved);
    Fire(AfterScroll);
    return moved;
}

int32_t TDataSet::RecNo() const {
    if (!FHandle || FRecordCount == 0 || !IsSequenced()) return -1;
    if (FHandle->SetToBookmark(FBuffers[static_cast<size_t>(FActiveRecord)].Bookmark) !=
        DBIERR_NONE)
        return -1;
    return FHandle->SequenceNumber();
}

int32_t TDataSet::RecordCount() const {
    return FHandle && Active() ? FHandle->GetRecordCount() : 0;
}

TBookmark TDataSet::GetBookmark() const {
    return FRecordCount > 0 && FState == dsBrowse
               ? TBookmark{FBuffers[static_cast<size_t>(FActiveRecord)].Bookmark}
               : TBookmark{};
}

bool TDataSet::BookmarkValid(const TBookmark& Bookmark) const {
    return FHandle && Bookmark.Id != 0 && FHandle->SetToBookmark(Bookmark.Id) == DBIERR_NONE;
}

int TDataSet::CompareBookmarks(const TBookmark& A, const TBookmark& B) const {
    if (A.Id == B.Id) return 0;
    if (A.Id == 0 || B.Id == 0) return A.Id == 0 ? -1 : 1;
    return FHandle ? FHandle->CompareBookmarks(A.Id, B.Id) : 0;
}

void TDataSet::GotoBookmark(const TBookmark& Bookmark) {
    CheckBrowseMode();
    if (!FHandle || Bookmark.Id == 0 || FHandle->SetToBookmark(Bookmark.Id) != DBIERR_NONE)
        throw EDatabaseError("Record not found");
    Fire(BeforeScroll);
    FillWindow((BufferCount() - 1) / 2);
    DataEvent(deDataSetChange, 0);
    Fire(AfterScroll);
}

void TDataSet::UpdateCursorPos() {
    if (FHandle && FRecordCount > 0)
        FHandle->SetToBookmark(FBuffers[static_cast<size_t>(FActiveRecord)].Bookmark);
}

void TDataSet::Resync(TResyncMode Mode) {
    CheckActive();
    if (!FHandle) {
        ClearBuffers();
        DataEvent(deDataSetChange, 0);
        return;
    }
    const int64_t bookmark = FCursorMoved ? FHandle->Bookmark()
                             : FRecordCount > 0
                                 ? FBuffers[static_cast<size_t>(FActiveRecord)].Bookmark
                                 : 0;
    FCursorMoved = false;
    const int32_t before = Mode.Contains(rmCenter) ? (BufferCount() - 1) / 2 : FActiveRecord;
    uint8_t* scratch = FCalcBuffer.Data.data();
    // The record, or when it is gone the one after its place, or the one before.
    if (bookmark == 0 || FHandle->SetToBookmark(bookmark) != DBIERR_NONE) {
        if (Mode.Contains(rmExact) && bookmark != 0) throw EDatabaseError("Record not found");
        if (FHandle->GetNextRecord(scratch) != DBIERR_NONE) FHandle->GetPriorRecord(scratch);
    }
    FillWindow(before);
    DataEvent(deDataSetChange, 0);
}

void TDataSet::Refresh() {
    CheckBrowseMode();
    UpdateCursorPos();
    if (FHandle) FHandle->Refresh();
    FCursorMoved = true;
    Resync({});
}

// ---- editing ----

bool TDataSet::CanModify() const {
    return Active() && FHandle != nullptr;
}

uint8_t* TDataSet::ActiveBuffer() const {
    if (!FTempStates.empty()) return FTempStates.back().second;
    return FRecordCount > 0
               ? const_cast<uint8_t*>(FBuffers[static_cast<size_t>(FActiveRecord)].Data.data())
               : nullptr;
}

const uint8_t* TDataSet::FieldBuffer() const {
    return ActiveBuffer();
}

std::optional<std::string> TDataSet::ReadBlob(const TField& Field) const {
    const auto pending = FPendingBlobs.find(Field.FieldNo());
    if (pending != FPendingBlobs.end() && (FState == dsEdit || FState == dsInsert))
        return pending->second;
    if (!FHandle || FRecordCount == 0 || FState == dsInsert) return std::nullopt;
    if (FHandle->SetToBookmark(FBuffers[static_cast<size_t>(FActiveRecord)].Bookmark) !=
        DBIERR_NONE)
        return std::nullopt;
    return FHandle->ReadBlob(static_cast<uint16_t>(Field.FieldNo()));
}

void TDataSet::WriteBlob(const TField& Field, std::optional<std::string> Value) {
    FPendingBlobs[Field.FieldNo()] = std::move(Value);
}

void TDataSet::Edit() {
    CheckActive();
    if (FState == dsEdit || FState == dsInsert) return;
    if (FRecordCount == 0) {
        Insert();
        return;
    }
    if (!CanModify()) throw EDatabaseError("Cannot modify a read-only dataset");
    Fire(BeforeEdit);
    UpdateCursorPos();
    TRecordBuffer& active = FBuffers[static_cast<size_t>(FActiveRecord)];
    ReadInto(active, FHandle->GetRecord(active.Data.data()));
    SetState(dsEdit);
    DataEvent(deRecordChange, 0);
    Fire(AfterEdit);
}

void TDataSet::Insert() {
    CheckBrowseMode();
    if (!CanModify()) throw EDatabaseError("Cannot modify a read-only dataset");
    Fire(BeforeInsert);
    const int64_t anchor =
        FRecordCount > 0 ? FBuffers[static_cast<size_t>(FActiveRecord)].Bookmark : 0;
    if (FRecordCount == BufferCount()) --FRecordCount;
    FBuffers.insert(FBuffers.begin() + FActiveRecord, std::move(FBuffers.back()));
    FBuffers.pop_back();
    ++FRecordCount;
    StartInsert(anchor);
}

void TDataSet::StartInsert(int64_t Anchor) {
    TRecordBuffer& fresh = FBuffers[static_cast<size_t>(FActiveRecord)];
    fresh.Data.assign(FRecordSize + FCalcSize, 0);
    FHandle->InitRecord(fresh.Data.data());
    fresh.Bookmark = Anchor;  // where Cancel comes back to
    FPendingBlobs.clear();
    SetState(dsInsert);
    Fire(OnNewRecord);
    DataEvent(deDataSetChange, 0);
    Fire(AfterInsert);
}

void TDataSet::Append() {
    CheckBrowseMode();
    if (!CanModify()) throw EDatabaseError("Cannot modify a read-only dataset");
    Fire(BeforeInsert);
    ClearBuffers();
    FHandle->SetToEnd();
    while (FRecordCount < BufferCount() - 1 && FetchPriorRecord()) {
    }
    const int64_t anchor =
        FRecordCount > 0 ? FBuffers[static_cast<size_t>(FRecordCount - 1)].Bookmark : 0;
    if (FRecordCount == BufferCount()) {
        std::rotate(FBuffers.begin(), FBuffers.begin() + 1, FBuffers.end());
        --FRecordCount;
    }
    FActiveRecord = FRecordCount++;
    FBof = false;
    FEof = true;
    StartInsert(anchor);
}

void TDataSet::CheckRequiredFields() {
    for (TField* f : FFields)
        if (f->Required() && !f->Calculated() && !f->ReadOnly() && f->IsNull()) {
            f->FocusControl();
            throw EDatabaseError("Field '" + f->DisplayName() + "' must have a value");
        }
}

void TDataSet::Post() {
    CheckActive();
    if (FState != dsEdit && FState != dsInsert) return;
    UpdateRecord();
    DoBeforePost();
    CheckRequiredFields();
    const uint8_t* record = FBuffers[static_cast<size_t>(FActiveRecord)].Data.data();
    for (auto& [fieldNo, value] : FPendingBlobs)
        FHandle->StageBlob(static_cast<uint16_t>(fieldNo), value);
    if (FState == dsInsert) {
        FHandle->InsertRecord(record);
    } else {
        UpdateCursorPos();
        FHandle->ModifyRecord(record);
    }
    FPendingBlobs.clear();
    FCursorMoved = true;
    SetState(dsBrowse);
    Resync({});
    Fire(AfterPost);
}

void TDataSet::Cancel() {
    if (FState != dsEdit && FState != dsInsert) return;
    Fire(BeforeCancel);
    FPendingBlobs.clear();
    SetState(dsBrowse);
    Resync({});
    Fire(AfterCancel);
}

void TDataSet::Delete() {
    CheckActive();
    if (FState == dsInsert) {
        Cancel();
        return;
    }
    if (FRecordCount == 0)
        throw EDatabaseError("Cannot perform this operation on an empty dataset");
    Cancel();
    if (!CanModify()) throw EDatabaseError("Cannot modify a read-only dataset");
    Fire(BeforeDelete);
    UpdateCursorPos();
    FHandle->DeleteRecord();
    FBuffers[static_cast<size_t>(FActiveRecord)].Bookmark = 0;
    Resync({});
    Fire(AfterDelete);
}

void TDataSet::CheckBrowseMode() {
    CheckActive();
    DataEvent(deCheckBrowseMode, 0);
    if (FState == dsEdit || FState == dsInsert) {
        UpdateRecord();
        if (FModified)
            Post();
        else
            Cancel();
    }
}

void TDataSet::UpdateRecord() {
    if (FState != dsEdit && FState != dsInsert && FState != dsSetKey)
        throw EDatabaseError("Dataset not in edit or insert mode");
    DataEvent(deUpdateRecord, 0);
}

// ---- notifications ----

void TDataSet::DisableControls() {
    if (FDisableCount++ == 0) {
        FDisabledState = FState;
        FEventsDeferred = false;
    }
}

void TDataSet::EnableControls() {
    if (FDisableCount == 0 || --FDisableCount > 0) return;
    const bool stateChanged = FState != FDisabledState;
    if (stateChanged) DataEvent(deUpdateState, 0);
    if (FEventsDeferred || stateChanged) DataEvent(deDataSetChange, 0);
    FEventsDeferred = false;
}

void TDataSet::DataEvent(TDataEvent Event, intptr_t Info) {
    if (Event == deFieldChange && FCalcSize > 0 && (FState == dsEdit || FState == dsInsert) &&
        !reinterpret_cast<TField*>(Info)->Calculated())
        CalculateFields(ActiveBuffer());
    if (ControlsDisabled() && Event != deUpdateRecord && Event != deCheckBrowseMode &&
        Event != deFocusControl) {
        // Told once, when the controls are enabled again.
        if (Event != deUpdateState) FEventsDeferred = true;
        return;
    }
    for (TDataSource* s : std::vector<TDataSource*>(FDataSources))
        s->DataEvent(Event, Info);
}

void TDataSet::AddDataSource(TDataSource* Source) {
    FDataSources.push_back(Source);
    FreeNotification(Source);
}

void TDataSet::RemoveDataSource(TDataSource* Source) {
    FDataSources.erase(std::remove(FDataSources.begin(), FDataSources.end(), Source),
                       FDataSources.end());
    SetBufferCount(0);
}

TDataSetState TDataSet::SetTempState(TDataSetState State, uint8_t* Buffer) {
    const TDataSetState old = FState;
    FTempStates.emplace_back(old, Buffer);
    FState = State;
    return old;
}

void TDataSet::RestoreState(TDataSetState State, uint8_t* /*Buffer*/) {
    if (!FTempStates.empty()) FTempStates.pop_back();
    FState = State;
}

}  // namespace vex
