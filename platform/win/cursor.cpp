#include "platform/win/cursor.h"

#include <map>
#include <memory>
#include <string>

#include "platform/core/resources.h"
#include "platform/win/presenter.h"

namespace vex {

namespace {

constexpr uint32_t kStandardIds[] = {
    IDC_ARROW,  IDC_IBEAM,  IDC_WAIT,    IDC_CROSS, IDC_UPARROW, IDC_SIZENWSE,    IDC_SIZENESW,
    IDC_SIZEWE, IDC_SIZENS, IDC_SIZEALL, IDC_NO,    IDC_HAND,    IDC_APPSTARTING,
};

// Resource cursors get handles above every standard number.
constexpr HCURSOR kFirstResourceHandle = 0x10000;

struct TCursors {
    HCURSOR Current = 0;
    int32_t ShowCount = 0;
    std::map<HCURSOR, TCursorShape> Shapes;
    std::map<uint32_t, HCURSOR> Resources;  // by resource number
    HCURSOR NextResourceHandle = kFirstResourceHandle;

    TCursors() {
        for (uint32_t id : kStandardIds) {
            TCursorShape shape;
            shape.Standard = id;
            Shapes[static_cast<HCURSOR>(id)] = shape;
        }
    }
};

TCursors& Cursors() {
    static TCursors cursors;
    return cursors;
}

// The presenter shows the cursor in force, or none while it is hidden.
void ShowCurrent() {
    TCursors& cursors = Cursors();
    Presenter().SetCursor(cursors.ShowCount >= 0 ? GetCursorShape(cursors.Current) : nullptr);
}

HCURSOR LoadResourceCursor(uint32_t Id) {
    TCursors& cursors = Cursors();
    if (auto known = cursors.Resources.find(Id); known != cursors.Resources.end())
        return known->second;
    const auto bytes = FindResource("CURSOR", std::to_string(Id));
    if (!bytes) return 0;
    std::optional<TCursorShape> shape = ParseCursorPicture(*bytes);
    if (!shape) return 0;
    const HCURSOR handle = cursors.NextResourceHandle++;
    cursors.Shapes[handle] = std::move(*shape);
    cursors.Resources[Id] = handle;
    return handle;
}

}  // namespace

HCURSOR LoadCursor(HMODULE Instance, uint32_t Id) {
    if (Instance != 0) return LoadResourceCursor(Id);
    return Cursors().Shapes.count(static_cast<HCURSOR>(Id)) != 0 && Id < kFirstResourceHandle
               ? static_cast<HCURSOR>(Id)
               : 0;
}

HCURSOR SetCursor(HCURSOR Cursor) {
    TCursors& cursors = Cursors();
    const HCURSOR previous = cursors.Current;
    // Told again even when it is the same: a presenter put in since must learn it.
    cursors.Current = Cursor;
    ShowCurrent();
    return previous;
}

HCURSOR GetCursor() {
    return Cursors().Current;
}

int32_t ShowCursor(bool Show) {
    TCursors& cursors = Cursors();
    const bool wasShown = cursors.ShowCount >= 0;
    cursors.ShowCount += Show ? 1 : -1;
    if ((cursors.ShowCount >= 0) != wasShown) ShowCurrent();
    return cursors.ShowCount;
}

const TCursorShape* GetCursorShape(HCURSOR Cursor) {
    const TCursors& cursors = Cursors();
    auto it = cursors.Shapes.find(Cursor);
    return it == cursors.Shapes.end() ? nullptr : &it->second;
}

}  // namespace vex
