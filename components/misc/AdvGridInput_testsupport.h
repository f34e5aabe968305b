#pragma once

// An advanced grid on a form for the tests of its keys, mouse and clipboard: 10 x 20 cells of
// 30 x 14 pixels, all on screen, with one fixed row and column, each data cell holding its column
// and row
// ("2:3"), the grid focused, and what its events report noted in a log.

#include <string>
#include <vector>

#include "components/misc/AdvGrid.h"
#include "platform/ui/grid_testsupport.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/clipboard.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"

namespace vex::test {

// Where the middle of a cell of the scene's grid is, in its client coordinates.
inline TPoint AdvCellPoint(int32_t Col, int32_t Row) {
    return Point(31 * Col + 15, 15 * Row + 7);
}

struct TAdvGridScene : TGridSceneOf<TAdvStringGrid> {
    TAdvGridScene() {
        // Every cell on screen.
        Form->SetBoundsRect(Rect(10, 10, 360, 360));
        Grid->SetBoundsRect(Rect(0, 0, 320, 310));
        for (int32_t r = 1; r < Grid->RowCount(); ++r)
            for (int32_t c = 1; c < Grid->ColCount(); ++c)
                Grid->SetCells(c, r, std::to_string(c) + ":" + std::to_string(r));
        Grid->SetFocus();
        Application().ProcessMessages();
    }

    // Notes every cell event as "name row,col".
    void LogEvents() {
        auto note = [this](const char* Name) {
            return [this, Name](TObject*, int32_t ARow, int32_t ACol) {
                Log.push_back(std::string(Name) + " " + std::to_string(ARow) + "," +
                              std::to_string(ACol));
            };
        };
        Grid->OnClickCell = note("click");
        Grid->OnRightClickCell = note("right");
        Grid->OnDblClickCell = note("dbl");
        Grid->OnAutoInsertRow = [this](TObject*, int32_t ARow) {
            Log.push_back("insertrow " + std::to_string(ARow));
        };
        Grid->OnAutoInsertCol = [this](TObject*, int32_t ACol) {
            Log.push_back("insertcol " + std::to_string(ACol));
        };
        Grid->OnAutoDeleteRow = [this](TObject*, int32_t ARow) {
            Log.push_back("deleterow " + std::to_string(ARow));
        };
    }

    void Click(int32_t Col, int32_t Row, TMouseButton Button = mbLeft) {
        ClickAt(Grid->ClientToScreen(AdvCellPoint(Col, Row)), Button);
        Application().ProcessMessages();
    }
    // Types Keys; Shift or Ctrl is held for the key after it.
    void Keys(const std::vector<int32_t>& Keys) {
        InjectKeys(Keys);
        Application().ProcessMessages();
    }
    std::string Current() const {
        return std::to_string(Grid->Col()) + ":" + std::to_string(Grid->Row());
    }
    // The texts of one row, joined by ','.
    std::string RowText(int32_t Row) const {
        std::string out;
        for (int32_t c = 0; c < Grid->StoredColCount(); ++c)
            out += (c ? "," : "") + Grid->Cells(c, Row);
        return out;
    }
};

// The clipboard's text, or "(none)".
inline std::string ClipboardText() {
    const TOpenClipboard clipboard(0);
    const std::string* text = clipboard.Open() ? GetClipboardData(CF_TEXT) : nullptr;
    return text != nullptr ? *text : "(none)";
}

inline void PutOnClipboard(std::string Text) {
    const TOpenClipboard clipboard(0);
    EmptyClipboard();
    SetClipboardData(CF_TEXT, std::move(Text));
}

}  // namespace vex::test
