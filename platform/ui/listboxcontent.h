#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/object.h"

namespace vex {

// What a list box holds, without a window or painting: the items in their order, each with its
// object, its height (owner-drawn variable rows) and whether it is selected, and the three
// places the selection is made from: the current item of a single-selection list, the caret
// (the item with the focus frame) and the anchor (where a Shift range starts). Inserting and
// deleting keep the three on the items they were on. Indexes count from 0; methods taking an
// index answer false or -1 for one out of range, as the window's messages do.
class TListBoxContent {
public:
    static constexpr int32_t NoItem = -1;

    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    bool Valid(int32_t Index) const { return Index >= 0 && Index < Count(); }

    const std::string& Text(int32_t Index) const { return FItems[Check(Index)].Text; }
    TObject* Object(int32_t Index) const { return FItems[Check(Index)].Object; }
    bool SetObject(int32_t Index, TObject* Value);
    int32_t Height(int32_t Index) const { return FItems[Check(Index)].Height; }
    bool SetHeight(int32_t Index, int32_t Value);

    // Sorted adds in the collating order (after equal items), keeping a list that is in order in
    // order; otherwise at the end. Returns the new item's index.
    int32_t Add(std::string Text, TObject* Object, bool Sorted);
    // At Index (-1 or Count: at the end), whatever the order; NoItem for an index beyond.
    int32_t Insert(int32_t Index, std::string Text, TObject* Object);
    bool Delete(int32_t Index);
    void Clear();
    // Puts the items in collating order, equal ones keeping theirs; the current item, caret
    // and anchor stay on their items.
    void Sort();
    // True while every item follows the one before in collating order, so that searches may
    // halve the list.
    bool InOrder() const { return FInOrder; }

    // The first item after Start (NoItem: from the top) that starts with Prefix, case and
    // accents as they are but in any case, going round to the top; every item is looked at once
    // (Start itself last). NoItem when none does.
    int32_t FindPrefix(int32_t Start, std::string_view Prefix) const;
    // The same for an item equal to Text in any case.
    int32_t FindExact(int32_t Start, std::string_view Text) const;

    // Selection of a multiple-selection list.
    bool Selected(int32_t Index) const { return Valid(Index) && FItems[Index].Selected; }
    bool SetSelected(int32_t Index, bool Value);
    // Items First to Last (either way round, cut to the list) take Value; the others keep theirs.
    void SelectRange(int32_t First, int32_t Last, bool Value);
    void ClearSelection();
    int32_t SelCount() const { return FSelCount; }

    int32_t Current() const { return FCurrent; }
    void SetCurrent(int32_t Index) { FCurrent = Valid(Index) ? Index : NoItem; }
    int32_t Caret() const { return FCaret; }
    void SetCaret(int32_t Index) { FCaret = Valid(Index) ? Index : NoItem; }
    int32_t Anchor() const { return FAnchor; }
    void SetAnchor(int32_t Index) { FAnchor = Valid(Index) ? Index : NoItem; }

private:
    struct TItem {
        std::string Text;
        TObject* Object = nullptr;
        int32_t Height = 0;
        bool Selected = false;
    };

    size_t Check(int32_t Index) const;
    // Whether the item at Index sits in order between its neighbours.
    bool FitsAt(size_t Index) const;
    // Items inserted at Index (Delta 1) or removed from it (Delta -1): the marks follow.
    void Shift(int32_t Index, int32_t Delta);
    // The items that may start with Prefix: all of them, or the run a binary search finds.
    void Candidates(std::string_view Prefix, size_t& First, size_t& Last) const;
    template <class TMatch>
    int32_t FindFrom(int32_t Start, std::string_view Key, TMatch Matches) const;

    std::vector<TItem> FItems;
    int32_t FSelCount = 0;
    int32_t FCurrent = NoItem;
    int32_t FCaret = NoItem;
    int32_t FAnchor = NoItem;
    bool FInOrder = true;
};

}  // namespace vex
