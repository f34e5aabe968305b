#include "dataaware/edits/wweditorgrid.h"

#include "dataaware/edits/wwpickersupport.h"
#include "platform/ui/wincontrol.h"

namespace vex {

namespace {

constexpr const char* kGridClass = "TwwDBGrid";

}  // namespace

bool wwInGrid(const TControl* Editor) {
    return Editor != nullptr && wwIsClass(Editor->Parent(), kGridClass);
}

TwwEditorGrid* wwEditorGrid(const TControl* Editor) {
    return wwInGrid(Editor) ? dynamic_cast<TwwEditorGrid*>(Editor->Parent()) : nullptr;
}

bool wwIsEditingInFocusedGrid(const TControl* Editor, bool FieldBound) {
    if (!FieldBound || !wwInGrid(Editor)) return false;
    TwwEditorGrid* grid = wwEditorGrid(Editor);
    return grid != nullptr ? grid->GridFocused() : Editor->Parent()->Focused();
}

TwwDBGridOptions wwGetGridOptions(const TControl* Editor) {
    const TwwEditorGrid* grid = wwEditorGrid(Editor);
    return grid != nullptr ? grid->GridOptions() : TwwDBGridOptions{};
}

bool wwHandKeyToGrid(const TControl* Editor, uint16_t Key, TShiftState Shift) {
    TwwEditorGrid* grid = wwEditorGrid(Editor);
    if (grid == nullptr) return false;
    TWinControl* window = Editor->Parent();
    if (window->CanFocus()) window->SetFocus();
    if (!grid->GridFocused()) return false;
    grid->GridKeyDown(Key, Shift);
    return true;
}

}  // namespace vex
