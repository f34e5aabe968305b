#include "platform/core/stringlist.h"

#include <algorithm>
#include <numeric>

#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/core/stream.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

bool IsSkippedBlank(char C) {
    return C >= 1 && C <= ' ';
}

// Bytes that force an item into quotes. A NUL is an ordinary byte here, so it is quoted like
// any control character instead of ending the text.
bool NeedsQuotes(std::string_view S, char Delimiter, char QuoteChar) {
    return std::any_of(S.begin(), S.end(), [&](char c) {
        return static_cast<unsigned char>(c) <= ' ' || c == QuoteChar || c == Delimiter;
    });
}

std::vector<TStringItem> SplitLines(std::string_view Text) {
    std::vector<TStringItem> lines;
    lines.reserve(static_cast<size_t>(std::count(Text.begin(), Text.end(), '\n')) + 1);
    size_t i = 0;
    while (i < Text.size()) {
        const size_t end = Text.find_first_of("\r\n", i);
        const size_t stop = end == std::string_view::npos ? Text.size() : end;
        lines.push_back({std::string(Text.substr(i, stop - i)), nullptr});
        i = stop;
        if (i < Text.size() && Text[i] == '\r') ++i;
        if (i < Text.size() && Text[i] == '\n') ++i;
    }
    return lines;
}

std::vector<TStringItem> SplitDelimited(std::string_view P, char Delimiter, char QuoteChar) {
    std::vector<TStringItem> items;
    auto skipBlanks = [&] {
        while (!P.empty() && IsSkippedBlank(P.front()))
            P.remove_prefix(1);
    };
    skipBlanks();
    while (!P.empty()) {
        std::string item;
        if (P.front() == QuoteChar) {
            item = AnsiExtractQuotedStr(P, QuoteChar);
        } else {
            size_t n = 0;
            while (n < P.size() && !IsSkippedBlank(P[n]) && P[n] != Delimiter)
                ++n;
            item.assign(P.substr(0, n));
            P.remove_prefix(n);
        }
        items.push_back({std::move(item), nullptr});
        skipBlanks();
        if (!P.empty() && P.front() == Delimiter) {
            P.remove_prefix(1);
            skipBlanks();
        }
    }
    return items;
}

// A bottom-up merge sort of the indexes 0..Count-1. Every access stays within bounds whatever
// Compare answers, and equal items keep their order.
std::vector<int32_t> SortedOrder(int32_t Count,
                                 const std::function<int(int32_t, int32_t)>& Compare) {
    const auto n = static_cast<size_t>(Count);
    std::vector<int32_t> from(n), to(n);
    std::iota(from.begin(), from.end(), 0);
    for (size_t width = 1; width < n; width *= 2) {
        for (size_t lo = 0; lo < n; lo += 2 * width) {
            const size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
            size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi)
                to[k++] = Compare(from[j], from[i]) < 0 ? from[j++] : from[i++];
            while (i < mid)
                to[k++] = from[i++];
            while (j < hi)
                to[k++] = from[j++];
        }
        from.swap(to);
    }
    return from;
}

}  // namespace

// TStrings

int32_t TStrings::Add(const std::string& S) {
    const int32_t index = Count();
    Insert(index, S);
    return index;
}

int32_t TStrings::AddObject(const std::string& S, TObject* AObject) {
    const int32_t index = Add(S);
    PutObject(index, AObject);
    return index;
}

void TStrings::InsertObject(int32_t Index, const std::string& S, TObject* AObject) {
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::Put(int32_t Index, const std::string& S) {
    TObject* object = GetObject(Index);
    BeginUpdate();
    try {
        Delete(Index);
        InsertObject(Index, S, object);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Exchange(int32_t Index1, int32_t Index2) {
    const std::string s1 = Get(Index1), s2 = Get(Index2);
    TObject* o1 = GetObject(Index1);
    TObject* o2 = GetObject(Index2);
    BeginUpdate();
    try {
        Put(Index1, s2);
        PutObject(Index1, o2);
        Put(Index2, s1);
        PutObject(Index2, o1);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Move(int32_t CurIndex, int32_t NewIndex) {
    if (CurIndex == NewIndex) return;
    if (NewIndex < 0 || NewIndex >= Count()) IndexError(NewIndex);
    const std::string s = Get(CurIndex);
    TObject* object = GetObject(CurIndex);
    BeginUpdate();
    try {
        Delete(CurIndex);
        InsertObject(NewIndex, s, object);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int32_t TStrings::IndexOf(const std::string& S) const {
    const int32_t n = Count();
    for (int32_t i = 0; i < n; ++i)
        if (CompareStrings(Get(i), S) == 0) return i;
    return -1;
}

int32_t TStrings::IndexOfName(const std::string& Name) const {
    const int32_t n = Count();
    for (int32_t i = 0; i < n; ++i) {
        const std::string s = Get(i);
        const size_t eq = s.find('=');
        if (eq != std::string::npos &&
            AnsiCompareText(std::string_view(s).substr(0, eq), Name) == 0)
            return i;
    }
    return -1;
}

int32_t TStrings::IndexOfObject(const TObject* AObject) const {
    const int32_t n = Count();
    for (int32_t i = 0; i < n; ++i)
        if (GetObject(i) == AObject) return i;
    return -1;
}

void TStrings::AddStrings(const TStrings& Strings) {
    const int32_t n = Strings.Count();
    std::vector<TStringItem> items;
    items.reserve(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i)
        items.push_back({Strings.Get(i), Strings.GetObject(i)});
    BeginUpdate();
    try {
        AddItems(std::move(items));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Assign(const TPersistent* Source) {
    const auto* source = dynamic_cast<const TStrings*>(Source);
    if (source == nullptr) return TPersistent::Assign(Source);
    if (source == this) return;
    FDelimiter = source->FDelimiter;
    FQuoteChar = source->FQuoteChar;
    const int32_t n = source->Count();
    std::vector<TStringItem> items;
    items.reserve(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i)
        items.push_back({source->Get(i), source->GetObject(i)});
    Replace(std::move(items));
}

bool TStrings::Equals(const TStrings& Strings) const {
    const int32_t n = Count();
    if (n != Strings.Count()) return false;
    for (int32_t i = 0; i < n; ++i)
        if (Get(i) != Strings.Get(i)) return false;
    return true;
}

void TStrings::BeginUpdate() {
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    // An EndUpdate without its BeginUpdate would otherwise silence the list for good.
    if (FUpdateCount == 0) return;
    --FUpdateCount;
    if (FUpdateCount == 0) SetUpdateState(false);
}

std::string TStrings::Text() const {
    const int32_t n = Count();
    std::string result;
    for (int32_t i = 0; i < n; ++i) {
        result += Get(i);
        result += "\r\n";
    }
    return result;
}

void TStrings::SetText(std::string_view Value) {
    Replace(SplitLines(Value));
}

std::string TStrings::CommaText() const {
    return JoinDelimited(',', '"');
}

void TStrings::SetCommaText(std::string_view Value) {
    Replace(SplitDelimited(Value, ',', '"'));
}

std::string TStrings::DelimitedText() const {
    return JoinDelimited(FDelimiter, FQuoteChar);
}

void TStrings::SetDelimitedText(std::string_view Value) {
    Replace(SplitDelimited(Value, FDelimiter, FQuoteChar));
}

std::string TStrings::Names(int32_t Index) const {
    const std::string s = Get(Index);
    const size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string TStrings::Values(const std::string& Name) const {
    const int32_t index = IndexOfName(Name);
    return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValues(const std::string& Name, const std::string& Value) {
    const int32_t index = IndexOfName(Name);
    if (Value.empty()) {
        if (index >= 0) Delete(index);
    } else if (index < 0) {
        Add(Name + "=" + Value);
    } else {
        Put(index, Name + "=" + Value);
    }
}

std::string TStrings::ValueFromIndex(int32_t Index) const {
    const std::string s = Get(Index);
    const size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(eq + 1);
}

void TStrings::LoadFromStream(TStream& Stream) {
    int64_t left = std::max<int64_t>(Stream.Size() - Stream.Position(), 0);
    std::string text;
    text.reserve(static_cast<size_t>(left));
    char buffer[0x10000];
    while (left > 0) {
        const auto n = static_cast<int32_t>(std::min<int64_t>(left, sizeof buffer));
        Stream.ReadBuffer(buffer, n);
        text.append(buffer, static_cast<size_t>(n));
        left -= n;
    }
    SetText(text);
}

void TStrings::SaveToStream(TStream& Stream) const {
    const std::string text = Text();
    std::string_view rest = text;
    while (!rest.empty()) {
        const auto n = static_cast<int32_t>(std::min<size_t>(rest.size(), INT32_MAX));
        Stream.WriteBuffer(rest.data(), n);
        rest.remove_prefix(static_cast<size_t>(n));
    }
}

void TStrings::LoadFromFile(const std::string& FileName) {
    SetText(ReadFileToString(FileName));
}

void TStrings::SaveToFile(const std::string& FileName) const {
    WriteFileAtomic(FileName, Text());
}

void TStrings::SetUpdateState(bool) {}

int TStrings::CompareStrings(std::string_view S1, std::string_view S2) const {
    return AnsiCompareText(S1, S2);
}

void TStrings::AddItems(std::vector<TStringItem>&& Items) {
    for (TStringItem& item : Items)
        AddObject(item.FString, item.FObject);
}

void TStrings::IndexError(int32_t Index) const {
    throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
}

std::string TStrings::JoinDelimited(char Delimiter, char QuoteChar) const {
    const int32_t n = Count();
    // A lone empty item is quoted, or it would read back as no item at all.
    if (n == 1 && Get(0).empty()) return std::string(2, QuoteChar);
    std::string result;
    for (int32_t i = 0; i < n; ++i) {
        if (i > 0) result += Delimiter;
        const std::string s = Get(i);
        result += NeedsQuotes(s, Delimiter, QuoteChar) ? AnsiQuotedStr(s, QuoteChar) : s;
    }
    return result;
}

void TStrings::Replace(std::vector<TStringItem>&& Items) {
    BeginUpdate();
    try {
        Clear();
        AddItems(std::move(Items));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// TStringList

namespace {

[[noreturn]] void SortedListError() {
    throw EStringListError("Operation not allowed on sorted string list");
}

}  // namespace

int32_t TStringList::Add(const std::string& S) {
    return AddObject(S, nullptr);
}

int32_t TStringList::AddObject(const std::string& S, TObject* AObject) {
    int32_t index = Count();
    if (FSorted && Find(S, index)) {
        if (FDuplicates == dupIgnore) return index;
        if (FDuplicates == dupError)
            throw EStringListError("String list does not allow duplicates");
    }
    InsertItem(index, {S, AObject});
    return index;
}

void TStringList::Insert(int32_t Index, const std::string& S) {
    if (FSorted) SortedListError();
    CheckIndex(Index, Count() + 1);
    InsertItem(Index, {S, nullptr});
}

void TStringList::Delete(int32_t Index) {
    CheckIndex(Index, Count());
    Changing();
    FList.erase(FList.begin() + Index);
    Changed();
}

void TStringList::Clear() {
    if (FList.empty()) return;
    Changing();
    FList.clear();
    Changed();
}

void TStringList::Exchange(int32_t Index1, int32_t Index2) {
    CheckIndex(Index1, Count());
    CheckIndex(Index2, Count());
    Changing();
    std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
    Changed();
}

void TStringList::Move(int32_t CurIndex, int32_t NewIndex) {
    if (CurIndex == NewIndex) return;
    // Checked before anything moves: a sorted list would otherwise lose the item.
    if (FSorted) SortedListError();
    CheckIndex(CurIndex, Count());
    CheckIndex(NewIndex, Count());
    Changing();
    const auto first = FList.begin();
    if (CurIndex < NewIndex)
        std::rotate(first + CurIndex, first + CurIndex + 1, first + NewIndex + 1);
    else
        std::rotate(first + NewIndex, first + CurIndex, first + CurIndex + 1);
    Changed();
}

int32_t TStringList::IndexOf(const std::string& S) const {
    if (!FSorted) return TStrings::IndexOf(S);
    int32_t index;
    return Find(S, index) ? index : -1;
}

void TStringList::SetValues(const std::string& Name, const std::string& Value) {
    const int32_t index = IndexOfName(Name);
    if (!FSorted || Value.empty() || index < 0) return TStrings::SetValues(Name, Value);
    // A new value may move the line; if it cannot be added, the old line comes back.
    BeginUpdate();
    TStringItem old = FList[static_cast<size_t>(index)];
    try {
        Delete(index);
        AddObject(Name + "=" + Value, old.FObject);
    } catch (...) {
        FList.insert(FList.begin() + index, std::move(old));
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStringList::SetCapacity(int32_t NewCapacity) {
    if (NewCapacity < Count())
        throw EStringListError("List capacity out of bounds (" + IntToStr(NewCapacity) + ")");
    FList.reserve(static_cast<size_t>(NewCapacity));
}

bool TStringList::Find(const std::string& S, int32_t& Index) const {
    int32_t lo = 0, hi = Count();
    bool found = false;
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        const int c = CompareStrings(FList[static_cast<size_t>(mid)].FString, S);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid;
            found = found || c == 0;
        }
    }
    Index = lo;
    return found;
}

void TStringList::Sort() {
    if (FSorted || Count() < 2) return;
    SortBy([this](int32_t a, int32_t b) {
        return CompareStrings(FList[static_cast<size_t>(a)].FString,
                              FList[static_cast<size_t>(b)].FString);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
    if (FSorted || Count() < 2) return;
    SortBy([&](int32_t a, int32_t b) { return Compare(this, a, b); });
}

void TStringList::SetSorted(bool Value) {
    if (Value == FSorted) return;
    if (Value) Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
    if (Value == FCaseSensitive) return;
    FCaseSensitive = Value;
    // Find relies on the order matching the comparison, so a sorted list sorts again.
    if (FSorted) {
        FSorted = false;
        Sort();
        FSorted = true;
    }
}

std::string TStringList::Get(int32_t Index) const {
    CheckIndex(Index, Count());
    return FList[static_cast<size_t>(Index)].FString;
}

void TStringList::Put(int32_t Index, const std::string& S) {
    if (FSorted) SortedListError();
    CheckIndex(Index, Count());
    Changing();
    FList[static_cast<size_t>(Index)].FString = S;
    Changed();
}

TObject* TStringList::GetObject(int32_t Index) const {
    CheckIndex(Index, Count());
    return FList[static_cast<size_t>(Index)].FObject;
}

void TStringList::PutObject(int32_t Index, TObject* AObject) {
    CheckIndex(Index, Count());
    Changing();
    FList[static_cast<size_t>(Index)].FObject = AObject;
    Changed();
}

void TStringList::SetUpdateState(bool Updating) {
    if (Updating)
        Changing();
    else
        Changed();
}

int TStringList::CompareStrings(std::string_view S1, std::string_view S2) const {
    return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::AddItems(std::vector<TStringItem>&& Items) {
    if (FSorted) return AddSortedItems(std::move(Items));
    Changing();
    // Growing geometrically keeps repeated bulk additions linear.
    if (FList.capacity() < FList.size() + Items.size())
        FList.reserve(std::max(FList.size() + Items.size(), FList.capacity() * 2));
    std::move(Items.begin(), Items.end(), std::back_inserter(FList));
    Changed();
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::CheckIndex(int32_t Index, int32_t Limit) const {
    if (Index < 0 || Index >= Limit) IndexError(Index);
}

void TStringList::InsertItem(int32_t Index, TStringItem Item) {
    Changing();
    FList.insert(FList.begin() + Index, std::move(Item));
    Changed();
}

void TStringList::SortBy(const std::function<int(int32_t, int32_t)>& Compare) {
    Changing();
    const std::vector<int32_t> order = SortedOrder(Count(), Compare);
    // A compare function that changed the list leaves an order that no longer fits it.
    if (order.size() != FList.size()) IndexError(static_cast<int32_t>(order.size()));
    std::vector<TStringItem> sorted;
    sorted.reserve(FList.size());
    for (int32_t i : order)
        sorted.push_back(std::move(FList[static_cast<size_t>(i)]));
    FList.swap(sorted);
    Changed();
}

// Gives the result of adding the items one by one to the sorted list, in n log n instead of
// one shift of the whole list per item. Each item goes before the equal ones already there,
// so with dupAccept the new items go first in reverse; otherwise the old ones go first and a
// new item is a duplicate when anything before it in its run of equals is.
void TStringList::AddSortedItems(std::vector<TStringItem>&& Items) {
    const size_t added = Items.size();
    if (added == 0) return;
    std::vector<TStringItem> all;
    all.reserve(FList.size() + added);
    if (FDuplicates == dupAccept) std::move(Items.rbegin(), Items.rend(), std::back_inserter(all));
    const size_t firstNew = FDuplicates == dupAccept ? 0 : FList.size();
    for (const TStringItem& item : FList)
        all.push_back(item);
    if (FDuplicates != dupAccept) std::move(Items.begin(), Items.end(), std::back_inserter(all));
    auto isNew = [&](int32_t i) {
        return static_cast<size_t>(i) >= firstNew && static_cast<size_t>(i) < firstNew + added;
    };

    const std::vector<int32_t> order =
        SortedOrder(static_cast<int32_t>(all.size()), [&](int32_t a, int32_t b) {
            return CompareStrings(all[static_cast<size_t>(a)].FString,
                                  all[static_cast<size_t>(b)].FString);
        });
    std::vector<bool> keep(order.size(), true);
    bool duplicate = false;
    for (size_t k = 1; k < order.size(); ++k) {
        const int32_t i = order[k];
        if (FDuplicates != dupAccept && isNew(i) &&
            CompareStrings(all[static_cast<size_t>(order[k - 1])].FString,
                           all[static_cast<size_t>(i)].FString) == 0) {
            keep[k] = false;
            duplicate = true;
        }
    }
    if (duplicate && FDuplicates == dupError) {
        // Add one by one, so the list holds what it held when the duplicate was met.
        for (size_t i = firstNew; i < firstNew + added; ++i)
            AddObject(all[i].FString, all[i].FObject);
        return;
    }

    std::vector<TStringItem> result;
    result.reserve(all.size());
    for (size_t k = 0; k < order.size(); ++k)
        if (keep[k]) result.push_back(std::move(all[static_cast<size_t>(order[k])]));
    Changing();
    FList.swap(result);
    Changed();
}

}  // namespace vex
