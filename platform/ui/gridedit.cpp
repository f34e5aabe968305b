// The editor protocol as the grid alone answers it, before there is an editor to show: the
// hooks' defaults and the editor mode. The in-place editor's own work replaces these bodies.

#include "platform/ui/grid.h"

namespace vex {

bool TCustomGrid::CanEditAcceptKey(char /*Key*/) {
    return true;
}

bool TCustomGrid::CanEditModify() {
    return true;
}

bool TCustomGrid::CanEditShow() {
    return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && FEditorMode &&
           HandleAllocated() && (FOptions.Contains(goAlwaysShowEditor) || Focused());
}

std::string TCustomGrid::GetEditMask(int32_t /*ACol*/, int32_t /*ARow*/) {
    return {};
}

std::string TCustomGrid::GetEditText(int32_t /*ACol*/, int32_t /*ARow*/) {
    return {};
}

void TCustomGrid::SetEditText(int32_t /*ACol*/, int32_t /*ARow*/, const std::string& /*Value*/) {}

int32_t TCustomGrid::GetEditLimit() {
    return 0;
}

TInplaceEdit* TCustomGrid::CreateEditor() {
    return nullptr;
}

void TCustomGrid::SetEditorMode(bool Value) {
    if (Value)
        ShowEditor();
    else
        HideEditor();
}

void TCustomGrid::ShowEditor() {
    if (!FOptions.Contains(goEditing) || FOptions.Contains(goRowSelect)) return;
    FEditorMode = true;
    InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::HideEditor() {
    if (!FEditorMode) return;
    FEditorMode = false;
    HideEdit();
    InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::ShowEditorChar(char /*Ch*/) {
    ShowEditor();
}

void TCustomGrid::InvalidateEditor() {}

void TCustomGrid::UpdateEdit() {}

void TCustomGrid::HideEdit() {}

}  // namespace vex
