#include "platform/ui/listboxstrings.h"

#include "platform/ui/listbox.h"

namespace vex {

int32_t TListBoxStrings::Count() const {
    return FListBox.FContent.Count();
}

std::string TListBoxStrings::Get(int32_t Index) const {
    if (!FListBox.FContent.Valid(Index)) IndexError(Index);
    return FListBox.FContent.Text(Index);
}

TObject* TListBoxStrings::GetObject(int32_t Index) const {
    if (!FListBox.FContent.Valid(Index)) IndexError(Index);
    return FListBox.FContent.Object(Index);
}

void TListBoxStrings::PutObject(int32_t Index, TObject* AObject) {
    if (!FListBox.FContent.SetObject(Index, AObject)) IndexError(Index);
}

void TListBoxStrings::Put(int32_t Index, const std::string& S) {
    if (!FListBox.FContent.Valid(Index)) IndexError(Index);
    FListBox.SetItemText(Index, S);
}

int32_t TListBoxStrings::Add(const std::string& S) {
    return FListBox.AddItem(S, nullptr);
}

int32_t TListBoxStrings::AddObject(const std::string& S, TObject* AObject) {
    return FListBox.AddItem(S, AObject);
}

void TListBoxStrings::Insert(int32_t Index, const std::string& S) {
    if (Index < 0 || Index > Count()) IndexError(Index);
    FListBox.InsertItem(Index, S, nullptr);
}

void TListBoxStrings::Delete(int32_t Index) {
    if (!FListBox.DeleteItem(Index)) IndexError(Index);
}

void TListBoxStrings::Clear() {
    FListBox.ResetContent();
}

int32_t TListBoxStrings::IndexOf(const std::string& S) const {
    return FListBox.FContent.FindExact(TListBoxContent::NoItem, S);
}

void TListBoxStrings::SetUpdateState(bool Updating) {
    FListBox.SetRedraw(!Updating);
}

}  // namespace vex
