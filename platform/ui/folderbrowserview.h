#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/ui/folderbrowsertree.h"
#include "platform/ui/listbox.h"

namespace vex {

// A folder tree shown as an indented list: each row has a box to open or close it (a click on
// the box, a double click on the row), and the keys + and - (either keyboard's) open and close
// the selected folder, Right opens it or goes to its first subfolder, Left closes it or goes to
// the folder above. A folder that cannot be read shows no box. OnClick fires when the user
// moves the selection, by mouse or key, as a list box's does.
class TFolderTreeView : public TCustomListBox {
    VEX_CLASS(TFolderTreeView, TCustomListBox)

public:
    explicit TFolderTreeView(TComponent* AOwner);

    // Starts a new tree at Root, the root selected.
    void SetRoot(const std::string& Root);
    // The selected folder's path, "" when none.
    std::string SelectedPath();
    // Opens the tree down to Path and selects it; false, with nothing changed, when Path is no
    // folder below the root.
    bool SelectPath(const std::string& Path);

    const TFolderTree& Tree() const { return FTree; }
    // Opens or closes the row as its box would.
    void Toggle(int32_t Index);

    // How far a level is indented, and where a row's box, glyph and text begin within that.
    static constexpr int32_t LevelIndent = 16;

protected:
    void DrawItem(int32_t Index, TRect Rect, TOwnerDrawState State) override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void DblClick() override;

private:
    // The list shows the tree's rows again, Selected selected; a change of the selection made
    // here is the user's, so it fires OnClick.
    void ShowRows(int32_t Selected, bool ByUser);
    TRect BoxRect(int32_t Index);

    TFolderTree FTree{"/"};
};

}  // namespace vex
