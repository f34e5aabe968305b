#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/component.h"
#include "platform/data/dataset.h"

namespace vex {

class TDataLink;

// Connects a dataset to the links of controls. A disabled source shows its links an inactive
// dataset.
class TDataSource : public TComponent {
    VEX_CLASS(TDataSource, TComponent)

public:
    explicit TDataSource(TComponent* AOwner);
    ~TDataSource() override;

    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* Value);
    TDataSetState State() const { return FState; }
    bool AutoEdit() const { return FAutoEdit; }
    void SetAutoEdit(bool Value) { FAutoEdit = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // Puts the dataset into edit mode when AutoEdit allows it.
    void Edit();

    std::function<void(TObject*Sender)> OnStateChange, OnUpdateData;
    std::function<void(TObject* Sender, TField* Field)> OnDataChange;

    // For datasets and links.
    void DataEvent(TDataEvent Event, intptr_t Info);
    void AddDataLink(TDataLink* Link);
    void RemoveDataLink(TDataLink* Link);
    int32_t DataLinkCount() const { return static_cast<int32_t>(FLinks.size()); }
    TDataLink* DataLinks(int32_t Index) const { return FLinks.at(static_cast<size_t>(Index)); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void UpdateState();

    TDataSet* FDataSet = nullptr;
    std::vector<TDataLink*> FLinks;
    TDataSetState FState = dsInactive;
    bool FAutoEdit = true, FEnabled = true;
};

// What a control hears of its dataset. The link sees BufferCount records of the dataset's window
// from its own first record on, and keeps the active record among them.
class TDataLink : public TPersistent {
    VEX_CLASS(TDataLink, TPersistent)

public:
    TDataLink();
    ~TDataLink() override;

    TDataSource* DataSource() const { return FDataSource; }
    void SetDataSource(TDataSource* Value);
    TDataSet* DataSet() const;
    bool Active() const { return FActive; }
    int32_t ActiveRecord() const;
    void SetActiveRecord(int32_t Value);
    int32_t BufferCount() const { return FBufferCount; }
    void SetBufferCount(int32_t Value);
    int32_t RecordCount() const;
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    bool Editing() const { return FEditing; }
    // Asks for edit mode; answers whether the link is editing now.
    bool Edit();
    void UpdateRecord();

    // For the data source.
    void DataEvent(TDataEvent Event, intptr_t Info);
    void UpdateState();

protected:
    virtual void ActiveChanged() {}
    virtual void DataSetChanged() { RecordChanged(nullptr); }
    virtual void DataSetScrolled(int32_t /*Distance*/) { DataSetChanged(); }
    virtual void EditingChanged() {}
    virtual void LayoutChanged() { DataSetChanged(); }
    virtual void RecordChanged(TField* /*Field*/) {}
    virtual void UpdateData() {}
    virtual void CheckBrowseMode() {}
    virtual void FocusControl(TField* /*Field*/) {}

private:
    void UpdateRange();
    void SetEditing(bool Value);

    TDataSource* FDataSource = nullptr;
    int32_t FFirstRecord = 0, FBufferCount = 1;
    bool FActive = false, FEditing = false, FReadOnly = false, FUpdating = false;
};

// The link of a control that shows one field.
class TFieldDataLink : public TDataLink {
    VEX_CLASS(TFieldDataLink, TDataLink)

public:
    TField* Field() const { return FField; }
    const std::string& FieldName() const { return FFieldName; }
    void SetFieldName(const std::string& Value);
    TComponent* Control = nullptr;
    bool Modified() const { return FModified; }
    void SetModified() { FModified = true; }
    // Shows the field's value again, dropping what the control changed.
    void Reset();

    std::function<void(TObject*Sender)> OnDataChange, OnEditingChange, OnUpdateData, OnActiveChange;

protected:
    void ActiveChanged() override;
    void EditingChanged() override;
    void LayoutChanged() override;
    void RecordChanged(TField* Field) override;
    void UpdateData() override;

private:
    void UpdateField();

    TField* FField = nullptr;
    std::string FFieldName;
    bool FModified = false;
};

}  // namespace vex
