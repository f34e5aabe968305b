#pragma once

// Stand-ins for the data-aware grid, for the editors that sit in it: one that tells its options,
// takes the focus and logs the keys handed to it, one descended from it, and one that is named
// like the grid but tells nothing.

#include <cstdint>
#include <vector>

#include "dataaware/edits/wweditorgrid.h"
#include "platform/ui/wincontrol.h"

namespace vex::test {

class TwwDBGrid : public TWinControl, public TwwEditorGrid {
    VEX_CLASS(TwwDBGrid, TWinControl)

public:
    explicit TwwDBGrid(TComponent* AOwner) : TWinControl(AOwner) {
        FControlStyle.Include(csAcceptsControls);
        SetTabStop(true);
    }

    struct THandedKey {
        uint16_t Key;
        TShiftState Shift;
        bool operator==(const THandedKey&) const = default;
    };

    TwwDBGridOptions Options{dgEditing, dgTabs};
    std::vector<THandedKey> HandedKeys;

    TwwDBGridOptions GridOptions() const override { return Options; }
    bool GridFocused() override { return Focused(); }
    void GridKeyDown(uint16_t& Key, TShiftState Shift) override {
        HandedKeys.push_back({Key, Shift});
        Key = 0;
    }
};

class TwwDBGridDescendant : public TwwDBGrid {
    VEX_CLASS(TwwDBGridDescendant, TwwDBGrid)

public:
    using TwwDBGrid::TwwDBGrid;
};

namespace silent {
class TwwDBGrid : public TWinControl {
    VEX_CLASS(TwwDBGrid, TWinControl)

public:
    using TWinControl::TWinControl;
};
}  // namespace silent

}  // namespace vex::test
