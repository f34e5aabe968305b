#include "platform/ui/folderbrowserview.h"

#include "platform/core/stringlist.h"
#include "platform/gfx/colors.h"
#include "platform/shell/folderpaths.h"
#include "platform/win/keyboard.h"

namespace vex {

namespace {

constexpr int32_t kBoxSize = 9;
constexpr int32_t kGlyphLeft = 14;  // from the level's left edge
constexpr int32_t kTextLeft = 32;
constexpr TColor kFolderFace = 0x4CC8F0;  // a manila yellow
constexpr TColor kFolderEdge = 0x1E7CA8;

void DrawFolderGlyph(TCanvas& Canvas, int32_t X, int32_t MidY) {
    Canvas.Pen().SetColor(kFolderEdge);
    Canvas.Brush().SetColor(kFolderFace);
    Canvas.Rectangle(X, MidY - 5, X + 6, MidY - 2);  // the tab
    Canvas.Rectangle(X, MidY - 3, X + 15, MidY + 6);
}

void DrawBox(TCanvas& Canvas, const TRect& Box, bool Expanded) {
    Canvas.Pen().SetColor(clGray);
    Canvas.Brush().SetColor(clWindow);
    Canvas.Rectangle(Box);
    const int32_t midX = (Box.Left + Box.Right) / 2;
    const int32_t midY = (Box.Top + Box.Bottom) / 2;
    Canvas.Pen().SetColor(clBlack);
    Canvas.MoveTo(Box.Left + 2, midY);
    Canvas.LineTo(Box.Right - 2, midY);
    if (!Expanded) {
        Canvas.MoveTo(midX, Box.Top + 2);
        Canvas.LineTo(midX, Box.Bottom - 2);
    }
}

}  // namespace

TFolderTreeView::TFolderTreeView(TComponent* AOwner) : TCustomListBox(AOwner) {
    SetStyle(lbOwnerDrawFixed);
    SetItemHeight(18);
}

void TFolderTreeView::SetRoot(const std::string& Root) {
    FTree = TFolderTree(Root);
    FTree.Expand(0);
    ShowRows(0, false);
}

std::string TFolderTreeView::SelectedPath() {
    const int32_t index = ItemIndex();
    return index < 0 ? "" : FTree.Row(static_cast<size_t>(index)).Path;
}

bool TFolderTreeView::SelectPath(const std::string& Path) {
    const int32_t index = FTree.Reveal(Path);
    if (index < 0) return false;
    ShowRows(index, false);
    return true;
}

void TFolderTreeView::Toggle(int32_t Index) {
    if (Index < 0 || static_cast<size_t>(Index) >= FTree.Count()) return;
    const auto row = static_cast<size_t>(Index);
    std::string selected = SelectedPath();
    if (FTree.Row(row).Expanded) {
        // A selection inside the folder closed moves up to it.
        if (IsPathWithin(FTree.Row(row).Path, selected)) selected = FTree.Row(row).Path;
        FTree.Collapse(row);
    } else {
        FTree.Expand(row);
    }
    const bool moved = selected != SelectedPath();
    ShowRows(FTree.Find(selected), moved);
}

void TFolderTreeView::ShowRows(int32_t Selected, bool ByUser) {
    const int32_t top = TopIndex();
    const std::string before = SelectedPath();
    TStringList names;
    for (size_t i = 0; i < FTree.Count(); ++i)
        names.Add(FTree.Row(i).Name);
    Items().Assign(&names);
    SetTopIndex(top);
    SetItemIndex(Selected);
    if (ByUser && SelectedPath() != before) Click();
}

TRect TFolderTreeView::BoxRect(int32_t Index) {
    const TRect row = ItemRect(Index);
    const int32_t left = 2 + FTree.Row(static_cast<size_t>(Index)).Depth * LevelIndent;
    const int32_t top = (row.Top + row.Bottom - kBoxSize) / 2;
    return Rect(left, top, left + kBoxSize, top + kBoxSize);
}

void TFolderTreeView::DrawItem(int32_t Index, TRect R, TOwnerDrawState State) {
    if (Index < 0 || static_cast<size_t>(Index) >= FTree.Count()) return;
    const TFolderTree::TRow& row = FTree.Row(static_cast<size_t>(Index));
    TCanvas& canvas = Canvas();
    const TColor textBack = canvas.Brush().Color();
    canvas.Brush().SetColor(Color());
    canvas.FillRect(R);
    const int32_t left = 2 + row.Depth * LevelIndent;
    if (FTree.CanExpand(static_cast<size_t>(Index))) DrawBox(canvas, BoxRect(Index), row.Expanded);
    DrawFolderGlyph(canvas, left + kGlyphLeft, (R.Top + R.Bottom) / 2);
    const TRect text =
        Rect(left + kTextLeft, R.Top, left + kTextLeft + canvas.TextWidth(row.Name) + 4, R.Bottom);
    canvas.Brush().SetColor(State.Contains(odSelected) ? textBack : Color());
    if (!row.Readable && !State.Contains(odSelected)) canvas.Font().SetColor(clGrayText);
    canvas.TextRect(text, text.Left + 2, R.Top + 1, row.Name);
}

void TFolderTreeView::KeyDown(uint16_t& Key, TShiftState Shift) {
    TCustomListBox::KeyDown(Key, Shift);
    const int32_t index = ItemIndex();
    if (Key == 0 || index < 0) return;
    const TFolderTree::TRow& row = FTree.Row(static_cast<size_t>(index));
    switch (Key) {
        case VK_ADD:
            if (!row.Expanded) Toggle(index);
            break;
        case VK_SUBTRACT:
            if (row.Expanded) Toggle(index);
            break;
        case VK_RIGHT:
            if (!row.Expanded)
                Toggle(index);
            else if (static_cast<size_t>(index) + 1 < FTree.Count())
                ShowRows(index + 1, true);
            break;
        case VK_LEFT:
            if (row.Expanded)
                Toggle(index);
            else if (const int32_t parent = FTree.Parent(static_cast<size_t>(index)); parent >= 0)
                ShowRows(parent, true);
            break;
        default:
            return;
    }
    Key = 0;
}

void TFolderTreeView::KeyPress(char& Key) {
    TCustomListBox::KeyPress(Key);
    // The keypad's + and - come as keys first; these are the main keyboard's characters, which
    // would otherwise jump to a folder starting with them.
    const int32_t index = ItemIndex();
    if ((Key == '+' || Key == '-') && index >= 0) {
        if (FTree.Row(static_cast<size_t>(index)).Expanded == (Key == '-')) Toggle(index);
        Key = 0;
    }
}

void TFolderTreeView::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    TCustomListBox::MouseDown(Button, Shift, X, Y);
    // The second press of a double click has toggled the row already, through DblClick.
    if (Button != mbLeft || Shift.Contains(ssDouble)) return;
    const int32_t index = ItemAtPos(Point(X, Y), true);
    if (index < 0) return;
    const TRect box = BoxRect(index);
    if (X >= box.Left && X < box.Right && Y >= box.Top && Y < box.Bottom) Toggle(index);
}

void TFolderTreeView::DblClick() {
    TCustomListBox::DblClick();
    if (ItemIndex() >= 0) Toggle(ItemIndex());
}

}  // namespace vex
