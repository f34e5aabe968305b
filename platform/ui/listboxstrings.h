#pragma once

#include <cstdint>
#include <string>

#include "platform/core/stringlist.h"

namespace vex {

class TCustomListBox;

// The Items of a list box: every read and change goes to the list box's own items, so a change
// shows at once (or, inside BeginUpdate, once at EndUpdate). Insert puts an item where it is
// told even in a sorted list box, as the window does.
class TListBoxStrings : public TStrings {
    VEX_CLASS(TListBoxStrings, TStrings)

public:
    explicit TListBoxStrings(TCustomListBox& ListBox) : FListBox(ListBox) {}

    int32_t Count() const override;
    int32_t Add(const std::string& S) override;
    int32_t AddObject(const std::string& S, TObject* AObject) override;
    void Insert(int32_t Index, const std::string& S) override;
    void Delete(int32_t Index) override;
    void Clear() override;
    int32_t IndexOf(const std::string& S) const override;

protected:
    std::string Get(int32_t Index) const override;
    void Put(int32_t Index, const std::string& S) override;
    TObject* GetObject(int32_t Index) const override;
    void PutObject(int32_t Index, TObject* AObject) override;
    void SetUpdateState(bool Updating) override;

private:
    TCustomListBox& FListBox;
};

}  // namespace vex
