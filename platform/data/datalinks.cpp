#include "platform/data/datalinks.h"

#include <algorithm>

namespace vex {

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
    while (!FLinks.empty())
        FLinks.back()->SetDataSource(nullptr);
    SetDataSet(nullptr);
}

void TDataSource::SetDataSet(TDataSet* Value) {
    if (Value == FDataSet) return;
    if (FDataSet) FDataSet->RemoveDataSource(this);
    FDataSet = Value;
    if (FDataSet) {
        FDataSet->FreeNotification(this);
        FDataSet->AddDataSource(this);
    }
    UpdateState();
}

void TDataSource::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == FDataSet) SetDataSet(nullptr);
    TComponent::Notification(AComponent, Operation);
}

void TDataSource::SetEnabled(bool Value) {
    FEnabled = Value;
    UpdateState();
}

void TDataSource::Edit() {
    if (FAutoEdit && FState == dsBrowse) FDataSet->Edit();
}

void TDataSource::AddDataLink(TDataLink* Link) {
    FLinks.push_back(Link);
    if (FDataSet) FDataSet->SetBufferCount(0);  // the dataset asks its links again
}

void TDataSource::RemoveDataLink(TDataLink* Link) {
    FLinks.erase(std::remove(FLinks.begin(), FLinks.end(), Link), FLinks.end());
    if (FDataSet) FDataSet->SetBufferCount(0);
}

void TDataSource::UpdateState() {
    const TDataSetState state = FEnabled && FDataSet ? FDataSet->State() : dsInactive;
    if (state == FState) return;
    const bool wasActive = FState != dsInactive;
    FState = state;
    // A copy: a link may leave while it hears of the change.
    for (TDataLink* link : std::vector<TDataLink*>(FLinks))
        link->UpdateState();
    if (wasActive != (state != dsInactive))
        for (TDataLink* link : std::vector<TDataLink*>(FLinks))
            link->DataEvent(deDataSetChange, 0);
    if (OnStateChange) OnStateChange(this);
}

void TDataSource::DataEvent(TDataEvent Event, intptr_t Info) {
    if (Event == deUpdateState) {
        UpdateState();
        return;
    }
    if (FState == dsInactive) return;
    for (TDataLink* link : std::vector<TDataLink*>(FLinks))
        link->DataEvent(Event, Info);
    if ((Event == deFieldChange || Event == deRecordChange || Event == deDataSetChange ||
         Event == deDataSetScroll || Event == deLayoutChange) &&
        OnDataChange)
        OnDataChange(this, Event == deFieldChange ? reinterpret_cast<TField*>(Info) : nullptr);
    if (Event == deUpdateRecord && OnUpdateData) OnUpdateData(this);
}

TDataLink::TDataLink() = default;

TDataLink::~TDataLink() {
    SetDataSource(nullptr);
}

void TDataLink::SetDataSource(TDataSource* Value) {
    if (Value == FDataSource) return;
    if (FDataSource) FDataSource->RemoveDataLink(this);
    FDataSource = Value;
    if (FDataSource) FDataSource->AddDataLink(this);
    UpdateState();
}

TDataSet* TDataLink::DataSet() const {
    return FDataSource ? FDataSource->DataSet() : nullptr;
}

int32_t TDataLink::ActiveRecord() const {
    return FActive ? DataSet()->ActiveRecord() - FFirstRecord : 0;
}

void TDataLink::SetActiveRecord(int32_t Value) {
    if (FActive) DataSet()->MoveBy(FFirstRecord + Value - DataSet()->ActiveRecord());
}

void TDataLink::SetBufferCount(int32_t Value) {
    FBufferCount = std::max(1, Value);
    if (FActive) {
        DataSet()->SetBufferCount(0);
        UpdateRange();
    }
}

int32_t TDataLink::RecordCount() const {
    if (!FActive) return 0;
    return std::clamp(DataSet()->BufferRecordCount() - FFirstRecord, 0, FBufferCount);
}

void TDataLink::SetReadOnly(bool Value) {
    FReadOnly = Value;
    UpdateState();
}

bool TDataLink::Edit() {
    if (!FReadOnly && FDataSource) FDataSource->Edit();
    return FEditing;
}

void TDataLink::UpdateRecord() {
    FUpdating = true;
    try {
        UpdateData();
    } catch (...) {
        FUpdating = false;
        throw;
    }
    FUpdating = false;
}

void TDataLink::UpdateRange() {
    // An inactive link has no window of records; its dataset may be closed or gone.
    if (!FActive) {
        FFirstRecord = 0;
        return;
    }
    const int32_t active = DataSet()->ActiveRecord();
    if (active < FFirstRecord) FFirstRecord = active;
    if (active >= FFirstRecord + FBufferCount) FFirstRecord = active - FBufferCount + 1;
    FFirstRecord = std::clamp(FFirstRecord, 0, std::max(0, DataSet()->BufferRecordCount() - 1));
}

void TDataLink::SetEditing(bool Value) {
    if (Value == FEditing) return;
    FEditing = Value;
    EditingChanged();
}

void TDataLink::UpdateState() {
    const bool active = FDataSource && FDataSource->State() != dsInactive;
    if (active != FActive) {
        FActive = active;
        FFirstRecord = 0;
        if (active) DataSet()->SetBufferCount(0);
        ActiveChanged();
    }
    const TDataSetState state = FDataSource ? FDataSource->State() : dsInactive;
    SetEditing(active && !FReadOnly && (state == dsEdit || state == dsInsert));
}

void TDataLink::DataEvent(TDataEvent Event, intptr_t Info) {
    switch (Event) {
        case deFieldChange:
        case deRecordChange:
            if (!FUpdating) RecordChanged(reinterpret_cast<TField*>(Info));
            break;
        case deDataSetChange:
        case deDataSetScroll:
        case deLayoutChange: {
            UpdateRange();
            if (Event == deDataSetScroll)
                DataSetScrolled(static_cast<int32_t>(Info));
            else if (Event == deLayoutChange)
                LayoutChanged();
            else
                DataSetChanged();
            break;
        }
        case deUpdateRecord:
            UpdateRecord();
            break;
        case deUpdateState:
            UpdateState();
            break;
        case deCheckBrowseMode:
            CheckBrowseMode();
            break;
        case deFocusControl:
            FocusControl(reinterpret_cast<TField*>(Info));
            break;
    }
}

void TFieldDataLink::SetFieldName(const std::string& Value) {
    FFieldName = Value;
    UpdateField();
}

void TFieldDataLink::UpdateField() {
    FField = Active() && !FFieldName.empty() ? DataSet()->FindField(FFieldName) : nullptr;
    RecordChanged(nullptr);
}

void TFieldDataLink::Reset() {
    RecordChanged(nullptr);
}

void TFieldDataLink::ActiveChanged() {
    UpdateField();
    if (OnActiveChange) OnActiveChange(this);
}

void TFieldDataLink::EditingChanged() {
    if (OnEditingChange) OnEditingChange(this);
}

void TFieldDataLink::LayoutChanged() {
    UpdateField();
}

void TFieldDataLink::RecordChanged(TField* Field) {
    if (Field != nullptr && Field != FField) return;
    if (OnDataChange) OnDataChange(this);
    FModified = false;
}

void TFieldDataLink::UpdateData() {
    if (!FModified) return;
    if (OnUpdateData) OnUpdateData(this);
    FModified = false;
}

}  // namespace vex
