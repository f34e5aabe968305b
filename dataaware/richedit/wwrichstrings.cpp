#include "dataaware/richedit/wwrichstrings.h"

#include <utility>

#include "dataaware/richedit/wwriched.h"

namespace vex {

TwwRichEditStrings::TwwRichEditStrings(TwwCustomRichEdit& Owner)
    : TRichEditStrings(Owner), FEdit(Owner) {}

void TwwRichEditStrings::AddItems(std::vector<TStringItem>&& Items) {
    const std::weak_ptr<const void> life = FEdit.LifeToken();
    TNotifyEvent selectionChange = std::move(FEdit.OnSelectionChange);
    FEdit.OnSelectionChange = nullptr;
    try {
        TRichEditStrings::AddItems(std::move(Items));
    } catch (...) {
        if (!life.expired()) FEdit.OnSelectionChange = std::move(selectionChange);
        throw;
    }
    if (!life.expired()) FEdit.OnSelectionChange = std::move(selectionChange);
}

}  // namespace vex
