#include "platform/ui/listboxcontent.h"

#include <algorithm>
#include <numeric>

#include "platform/core/codepage.h"
#include "platform/core/exceptions.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

bool Before(const std::string& A, const std::string& B) {
    return AnsiCollate(A, B, true) < 0;
}

// Text starts with Prefix, letters in any case.
bool StartsWithText(std::string_view Text, std::string_view Prefix) {
    if (Text.size() < Prefix.size()) return false;
    for (size_t i = 0; i < Prefix.size(); ++i)
        if (AnsiUpperChar(Text[i]) != AnsiUpperChar(Prefix[i])) return false;
    return true;
}

bool SameTextAs(std::string_view Text, std::string_view Other) {
    return Text.size() == Other.size() && StartsWithText(Text, Other);
}

}  // namespace

size_t TListBoxContent::Check(int32_t Index) const {
    if (!Valid(Index)) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return static_cast<size_t>(Index);
}

bool TListBoxContent::SetObject(int32_t Index, TObject* Value) {
    if (!Valid(Index)) return false;
    FItems[Index].Object = Value;
    return true;
}

bool TListBoxContent::SetHeight(int32_t Index, int32_t Value) {
    if (!Valid(Index)) return false;
    FItems[Index].Height = Value;
    return true;
}

bool TListBoxContent::FitsAt(size_t Index) const {
    const std::string& text = FItems[Index].Text;
    return (Index == 0 || !Before(text, FItems[Index - 1].Text)) &&
           (Index + 1 >= FItems.size() || !Before(FItems[Index + 1].Text, text));
}

void TListBoxContent::Shift(int32_t Index, int32_t Delta) {
    for (int32_t* mark : {&FCurrent, &FCaret, &FAnchor}) {
        if (*mark == NoItem || *mark < Index) continue;
        if (Delta < 0 && *mark == Index)
            *mark = NoItem;
        else
            *mark += Delta;
    }
}

int32_t TListBoxContent::Add(std::string Text, TObject* Object, bool Sorted) {
    if (!Sorted || !FInOrder) return Insert(NoItem, std::move(Text), Object);
    const auto at = std::upper_bound(
        FItems.begin(), FItems.end(), Text,
        [](const std::string& T, const TItem& Item) { return Before(T, Item.Text); });
    return Insert(static_cast<int32_t>(at - FItems.begin()), std::move(Text), Object);
}

int32_t TListBoxContent::Insert(int32_t Index, std::string Text, TObject* Object) {
    if (Index == NoItem) Index = Count();
    if (Index < 0 || Index > Count()) return NoItem;
    FItems.insert(FItems.begin() + Index, TItem{std::move(Text), Object, 0, false});
    Shift(Index, 1);
    if (FInOrder) FInOrder = FitsAt(static_cast<size_t>(Index));
    return Index;
}

bool TListBoxContent::Delete(int32_t Index) {
    if (!Valid(Index)) return false;
    if (FItems[Index].Selected) --FSelCount;
    FItems.erase(FItems.begin() + Index);
    Shift(Index, -1);
    if (FItems.empty()) FInOrder = true;
    return true;
}

void TListBoxContent::Clear() {
    FItems.clear();
    FSelCount = 0;
    FCurrent = FCaret = FAnchor = NoItem;
    FInOrder = true;
}

void TListBoxContent::Sort() {
    if (FInOrder) return;
    std::vector<int32_t> order(FItems.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](int32_t A, int32_t B) {
        return Before(FItems[A].Text, FItems[B].Text);
    });
    std::vector<int32_t> placeOf(order.size());
    std::vector<TItem> sorted;
    sorted.reserve(FItems.size());
    for (size_t i = 0; i < order.size(); ++i) {
        placeOf[order[i]] = static_cast<int32_t>(i);
        sorted.push_back(std::move(FItems[order[i]]));
    }
    FItems = std::move(sorted);
    for (int32_t* mark : {&FCurrent, &FCaret, &FAnchor})
        if (*mark != NoItem) *mark = placeOf[*mark];
    FInOrder = true;
}

void TListBoxContent::Candidates(std::string_view Prefix, size_t& First, size_t& Last) const {
    First = 0;
    Last = FItems.size();
    if (!FInOrder) return;
    First = static_cast<size_t>(
        std::partition_point(
            FItems.begin(), FItems.end(),
            [&](const TItem& Item) { return AnsiCollatePrefix(Item.Text, Prefix) < 0; }) -
        FItems.begin());
    Last = static_cast<size_t>(
        std::partition_point(
            FItems.begin() + First, FItems.end(),
            [&](const TItem& Item) { return AnsiCollatePrefix(Item.Text, Prefix) == 0; }) -
        FItems.begin());
}

template <class TMatch>
int32_t TListBoxContent::FindFrom(int32_t Start, std::string_view Key, TMatch Matches) const {
    size_t first = 0, last = 0;
    Candidates(Key, first, last);
    // After Start to the end of the run, then round from its beginning up to Start.
    const size_t from = Valid(Start) ? static_cast<size_t>(Start) + 1 : 0;
    for (size_t i = std::max(from, first); i < last; ++i)
        if (Matches(FItems[i].Text, Key)) return static_cast<int32_t>(i);
    for (size_t i = first; i < std::min(from, last); ++i)
        if (Matches(FItems[i].Text, Key)) return static_cast<int32_t>(i);
    return NoItem;
}

int32_t TListBoxContent::FindPrefix(int32_t Start, std::string_view Prefix) const {
    return FindFrom(Start, Prefix, StartsWithText);
}

int32_t TListBoxContent::FindExact(int32_t Start, std::string_view Text) const {
    return FindFrom(Start, Text, SameTextAs);
}

bool TListBoxContent::SetSelected(int32_t Index, bool Value) {
    if (!Valid(Index)) return false;
    TItem& item = FItems[Index];
    if (item.Selected != Value) FSelCount += Value ? 1 : -1;
    item.Selected = Value;
    return true;
}

void TListBoxContent::SelectRange(int32_t First, int32_t Last, bool Value) {
    if (First > Last) std::swap(First, Last);
    First = std::max(First, 0);
    Last = std::min(Last, Count() - 1);
    for (int32_t i = First; i <= Last; ++i)
        SetSelected(i, Value);
}

void TListBoxContent::ClearSelection() {
    if (FSelCount == 0) return;
    for (TItem& item : FItems)
        item.Selected = false;
    FSelCount = 0;
}

}  // namespace vex
