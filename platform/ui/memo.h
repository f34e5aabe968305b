#pragma once

#include <memory>

#include "platform/core/stringlist.h"
#include "platform/ui/customedit.h"

namespace vex {

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo;

// A memo's lines as a string list: reading reads the control's text, and every change goes
// into the control as an edit of the lines concerned. A final line break ends the last line
// and makes no empty line of its own. Objects are not kept.
class TMemoStrings : public TStrings {
    VEX_CLASS(TMemoStrings, TStrings)

public:
    explicit TMemoStrings(TCustomMemo& Memo) : FMemo(Memo) {}

    int32_t Count() const override;
    void Insert(int32_t Index, const std::string& S) override;
    void Delete(int32_t Index) override;
    void Clear() override;

protected:
    std::string Get(int32_t Index) const override;
    void Put(int32_t Index, const std::string& S) override;
    TObject* GetObject(int32_t Index) const override;
    void PutObject(int32_t Index, TObject* AObject) override;
    void AddItems(std::vector<TStringItem>&& Items) override;

private:
    // Puts Lines, each ending in a line break, before line Index (Count(): after the last).
    void InsertLines(int32_t Index, std::string Lines);

    TCustomMemo& FMemo;
};

// The multi-line edit: lines that wrap at the right edge (WordWrap) or scroll sideways, Enter
// and Tab taken as text when WantReturns and WantTabs say so, and the scroll bars asked for.
class TCustomMemo : public TCustomEdit {
    VEX_CLASS(TCustomMemo, TCustomEdit)

public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;

    TStrings& Lines() { return *FLines; }
    void SetLines(const TStrings& Value) { FLines->Assign(&Value); }

    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value);
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);

protected:
    LRESULT DialogCode() override;

private:
    friend class TMemoStrings;

    void UpdateStyle();
    // Puts Value in place of the characters from Start to End, as the program's change: it
    // marks nothing modified and cannot be undone.
    void ReplaceRange(int32_t Start, int32_t End, const std::string& Value);

    std::unique_ptr<TMemoStrings> FLines;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
    TScrollStyle FScrollBars = ssNone;
};

class TMemo : public TCustomMemo {
    VEX_CLASS(TMemo, TCustomMemo)

public:
    explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

}  // namespace vex
