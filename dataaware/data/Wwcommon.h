#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dataaware/data/wwfilter.h"
#include "platform/core/set.h"
#include "platform/core/stringlist.h"
#include "platform/data/dataset.h"
#include "platform/gfx/cursors.h"
#include "platform/ui/screen.h"
#include "platform/win/messagebox.h"

namespace vex {

enum TwwOnFilterOption { ofoEnabled, ofoShowHourGlass, ofoCancelOnEscape };
using TwwOnFilterOptions = TSet<TwwOnFilterOption>;

// Removes the next keyboard message from the queue; true when it was Escape.
bool wwCheckEscape();

// The extension properties the library's four dataset classes share, over the framework class
// each derives from: per-field lines for controls, lookups and picture masks, and a local
// record filter driven by OnFilter.
template <class TBase>
class TwwDataSetExtensions : public TBase {
public:
    using TFilterEvent = std::function<void(TDataSet* DataSet, bool& Accept)>;

    explicit TwwDataSetExtensions(TComponent* AOwner) : TBase(AOwner) {}
    ~TwwDataSetExtensions() override { FDestroying = true; }

    TStrings& ControlType() { return FControlType; }
    void SetControlType(const TStrings& Value) { FControlType.Assign(&Value); }
    TStrings& LookupFields() { return FLookupFields; }
    void SetLookupFields(const TStrings& Value) { FLookupFields.Assign(&Value); }
    TStrings& LookupLinks() { return FLookupLinks; }
    void SetLookupLinks(const TStrings& Value) { FLookupLinks.Assign(&Value); }
    TStrings& PictureMasks() { return FPictureMasks; }
    void SetPictureMasks(const TStrings& Value) { FPictureMasks.Assign(&Value); }
    bool ValidateWithMask = true;
    std::function<void(TDataSet* DataSet, TField* Field)> OnInvalidValue;
    std::function<void(TDataSet* DataSet)> OnFilterEscape;
    // The lookup tables the shared routines open for this dataset; freed with it.
    std::vector<std::unique_ptr<TDataSet>> LookupTables;

    const TFilterEvent& OnFilter() const { return FOnFilter; }
    void SetOnFilter(TFilterEvent Value) {
        FOnFilter = std::move(Value);
        if (FOnFilter) {
            if (!ChecksOpenBeforeInstalling() || this->Active()) {
                const bool installed =
                    SetRecordFilterCallback(&FilterCallback, *this, FCallbackHandle);
                if (!installed && !FilterRefusedText().empty() && this->Active())
                    MessageBox(0, FilterRefusedText(), "Warning", MB_ICONWARNING | MB_OK);
            }
        } else {
            SetRecordFilterCallback(nullptr, *this, FCallbackHandle);
        }
    }

    TwwOnFilterOptions OnFilterOptions() const { return FOnFilterOptions; }
    void SetOnFilterOptions(TwwOnFilterOptions Value) {
        const bool switchedOff =
            FOnFilterOptions.Contains(ofoEnabled) && !Value.Contains(ofoEnabled);
        FOnFilterOptions = Value;
        // Every record shows again at once; switching back on waits for the next re-read.
        if (switchedOff && this->Active() && FOnFilter) {
            this->UpdateCursorPos();
            this->CursorPosChanged();
            this->Resync({});
        }
    }

    hDBIFilter CallbackHandle() const { return FCallbackHandle; }
    // The record buffer the filter event reads, while it runs.
    const uint8_t* FilterBuffer() const { return FFilterBuffer; }

    bool IsSequenced() const override { return TBase::IsSequenced() && !FOnFilter; }

protected:
    void DataEvent(TDataEvent Event, intptr_t Info) override {
        TBase::DataEvent(Event, Info);
        RestoreCursor();
    }
    int32_t GetNextRecords() override {
        const int32_t count = TBase::GetNextRecords();
        RestoreCursor();
        return count;
    }
    void DoAfterOpen() override {
        TBase::DoAfterOpen();
        if (InstallsFilterAfterOpen() && FOnFilter)
            SetRecordFilterCallback(&FilterCallback, *this, FCallbackHandle);
    }
    void CloseCursor() override {
        FCallbackHandle = 0;
        TBase::CloseCursor();
    }

    // What differs between the four classes.
    virtual bool InstallsFilterAfterOpen() const { return true; }
    virtual bool ChecksOpenBeforeInstalling() const { return true; }
    virtual std::string FilterRefusedText() const {
        return "Local filtering is not supported on a Live-Query which contains a Where clause in "
               "the SQL string. To perform a local filter on this query, you will need to set its "
               "RequestLive property to False.";
    }

    hDBIFilter FCallbackHandle = 0;

private:
    static int32_t FilterCallback(void* ClientData, uint8_t* RecBuf, int32_t /*PhyRecNum*/) {
        auto* self = static_cast<TwwDataSetExtensions*>(static_cast<TDataSet*>(ClientData));
        if (self->FDestroying || !self->FOnFilter) return 1;
        if (self->FInCallback || !self->FOnFilterOptions.Contains(ofoEnabled)) return 1;
        bool accept = true;
        self->FInCallback = true;
        self->FFilterBuffer = RecBuf;
        const TDataSetState old = self->SetTempState(dsFilter, RecBuf);
        try {
            self->FOnFilter(self, accept);
        } catch (...) {
            self->RestoreState(old, RecBuf);
            self->FInCallback = false;
            throw;
        }
        self->RestoreState(old, RecBuf);
        self->FInCallback = false;
        if (self->FOnFilterOptions.Contains(ofoShowHourGlass) && !self->FHourGlassShown &&
            !accept) {
            if (Screen().Cursor() != crHourGlass) Screen().SetCursor(crHourGlass);
            self->FHourGlassShown = true;
        }
        if (!self->FOnFilterOptions.Contains(ofoCancelOnEscape)) return accept;
        self->FRecordCounter = (self->FRecordCounter + 1) % 32000;
        if (self->FRecordCounter % 100 != 0) return accept;
        if (wwCheckEscape()) {
            TwwOnFilterOptions options = self->FOnFilterOptions;
            options.Exclude(ofoEnabled);
            self->SetOnFilterOptions(options);
            if (self->OnFilterEscape) self->OnFilterEscape(self);
        }
        return accept;
    }

    void RestoreCursor() {
        if (FOnFilterOptions.Contains(ofoShowHourGlass) && FHourGlassShown &&
            Screen().Cursor() != crArrow) {
            Screen().SetCursor(crArrow);
            FHourGlassShown = false;
        }
    }

    TStringList FControlType, FLookupFields, FLookupLinks, FPictureMasks;
    TFilterEvent FOnFilter;
    TwwOnFilterOptions FOnFilterOptions{ofoEnabled, ofoShowHourGlass};
    const uint8_t* FFilterBuffer = nullptr;
    bool FInCallback = false, FHourGlassShown = false, FDestroying = false;
    int32_t FRecordCounter = 0;
};

}  // namespace vex
