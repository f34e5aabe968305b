#include "dataaware/richedit/wwrichstrings.h"

#include <utility>

#include "dataaware/richedit/wwriched.h"

namespace vex {

TwwRichEditStrings::TwwRichEditStrings(TwwCustomRichEdit& Owner)
    : TRichEditStrings(Owner), FEdit(Owner) {}

void TwwRichEditStrings::AddItems(std::vector<TStringItem>&& Items) {
    if (!FHeldSelectionChange) {
        FHeldSelectionChange = std::move(FEdit.OnSelectionChange);
        FEdit.OnSelectionChange = nullptr;
    }
    TRichEditStrings::AddItems(std::move(Items));
}

void TwwRichEditStrings::SetUpdateState(bool Updating) {
    if (Updating || !FHeldSelectionChange) {
        TRichEditStrings::SetUpdateState(Updating);
        return;
    }
    // The control, and these lines with it, may be gone when the update's notices return.
    const std::weak_ptr<const void> life = FEdit.LifeToken();
    try {
        TRichEditStrings::SetUpdateState(false);
    } catch (...) {
        if (!life.expired()) RestoreSelectionHandler();
        throw;
    }
    if (!life.expired()) RestoreSelectionHandler();
}

void TwwRichEditStrings::RestoreSelectionHandler() {
    // A handler set meanwhile is the newer wish.
    if (!FEdit.OnSelectionChange) FEdit.OnSelectionChange = std::move(*FHeldSelectionChange);
    FHeldSelectionChange.reset();
}

}  // namespace vex
