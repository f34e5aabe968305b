#pragma once

#include <functional>
#include <string>

#include "dataaware/data/Wwcommonclasses.h"
#include "dataaware/data/wwcontrolprops.h"
#include "dataaware/data/wwextensions.h"
#include "dataaware/data/wwfieldlists.h"
#include "dataaware/data/wwfilter.h"
#include "dataaware/data/wwlookups.h"
#include "dataaware/data/wwpictures.h"
#include "platform/core/component.h"
#include "platform/core/geometry.h"
#include "platform/core/set.h"
#include "platform/core/stringlist.h"
#include "platform/data/dataset.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/cursors.h"
#include "platform/ui/screen.h"
#include "platform/win/messagebox.h"
#include "platform/win/messages.h"

namespace vex {

enum TwwOnFilterOption { ofoEnabled, ofoShowHourGlass, ofoCancelOnEscape };
using TwwOnFilterOptions = TSet<TwwOnFilterOption>;

// A dataset whose OnFilter event can be switched off and on by its options.
class TwwFilterOptionsHolder {
public:
    virtual ~TwwFilterOptionsHolder() = default;
    virtual TwwOnFilterOptions OnFilterOptions() const = 0;
    virtual void SetOnFilterOptions(TwwOnFilterOptions Value) = 0;
};

// Takes an Escape that is the first key pressed among those queued and answers true; every
// other keyboard message stays queued for the control it was typed to.
bool wwCheckEscape();

// Posts Wnd a press and release of Key that it takes with Modifier held (Ctrl+Tab to a page
// control); the keyboard state is as it was once the key has been taken.
void wwPostShiftedKey(HWND Wnd, uint16_t Modifier, uint16_t Key);
// The desktop less the panels that stay on top of it, in screen coordinates.
void wwGetWorkArea(TRect& Rect);
// Whether one line of text drawn with Flags fills Rect's height, so that an edit of that height
// is a single-line one. Without a device nothing is measured, and nothing fits.
bool wwFitsOneLine(HDC DC, const TRect& Rect, uint32_t Flags);
// Removes the ControlType lines of recognised kinds whose control is no longer there: a bare
// name among Component's components, a "form.name" among those of the dataset's owner. The
// library has no design time of its own, so the caller says when the components are complete.
bool wwCleanControlTypes(TComponent* Component, TDataSet* DataSet);
inline bool wwNoOp() {
    return false;
}

// The lines as one text, apart by a blank (OneLine) or by CR LF; nothing after the last.
std::string wwStringsToText(const TStrings& Lines, bool OneLine);
inline const char* wwBoolToTF(bool Value) {
    return Value ? "T" : "F";
}
inline int wwCompareBookmarks(const TDataSet& DataSet, const TBookmark& A, const TBookmark& B) {
    return DataSet.CompareBookmarks(A, B);
}
inline int32_t wwMax(int32_t A, int32_t B) {
    return A > B ? A : B;
}
inline int32_t wwMin(int32_t A, int32_t B) {
    return A < B ? A : B;
}
// A size laid out at 96 pixels per inch, at PixelsPerInch.
int32_t wwScale96(int32_t Value, int32_t PixelsPerInch);
// Keys that change an edit's text: backspace, space, delete, digits, letters, the number pad,
// and the keys from 146 on; not the arrows.
bool wwIsEditKey(uint16_t Key);
// A key-state byte with its high bit set is down.
inline bool wwKeyStateDown(uint8_t State) {
    return (State & 0x80) != 0;
}

// The extension properties the library's four dataset classes share, over the framework class
// each derives from: per-field lines for controls, lookups and picture masks, and a local
// record filter driven by OnFilter. A post is checked against the masks (ValidateWithMask),
// and every calculation pass fills the lookup fields.
template <class TBase>
class TwwDataSetExtensions : public TBase,
                             public TwwExtensionProperties,
                             public TwwFilterOptionsHolder {
public:
    using TFilterEvent = std::function<void(TDataSet* DataSet, bool& Accept)>;

    explicit TwwDataSetExtensions(TComponent* AOwner) : TBase(AOwner) {}
    ~TwwDataSetExtensions() override { FDestroying = true; }

    std::function<void(TDataSet* DataSet)> OnFilterEscape;

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

    TwwOnFilterOptions OnFilterOptions() const override { return FOnFilterOptions; }
    void SetOnFilterOptions(TwwOnFilterOptions Value) override {
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
    void DoBeforePost() override {
        TBase::DoBeforePost();
        if (ValidateWithMask) wwValidatePictures(*this, OnInvalidValue);
    }
    void DoOnCalcFields() override {
        wwRemoveStaleDefinitions(*this, LookupFields(), LookupLinks(), ControlType());
        wwRefreshLookups(*this, LookupFields(), LookupLinks(), LookupTables, FUnopenableLookups);
        TBase::DoOnCalcFields();
    }
    void DoAfterOpen() override {
        TBase::DoAfterOpen();
        if (InstallsFilterAfterOpen() && FOnFilter)
            SetRecordFilterCallback(&FilterCallback, *this, FCallbackHandle);
    }
    void CloseCursor() override {
        FCallbackHandle = 0;
        FUnopenableLookups.clear();
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

    TFilterEvent FOnFilter;
    // Lookup definitions whose table could not be opened since the dataset opened.
    std::vector<std::string> FUnopenableLookups;
    TwwOnFilterOptions FOnFilterOptions{ofoEnabled, ofoShowHourGlass};
    const uint8_t* FFilterBuffer = nullptr;
    bool FInCallback = false, FHourGlassShown = false, FDestroying = false;
    int32_t FRecordCounter = 0;
};

}  // namespace vex
