#pragma once

#include <optional>
#include <vector>

#include "platform/rich/richedit.h"

namespace vex {

class TwwCustomRichEdit;

// The lines of the library's rich-text control: whole display lines, one change told for a
// whole Text or Assign, and no selection notices while lines are added.
class TwwRichEditStrings : public TRichEditStrings {
    VEX_CLASS(TwwRichEditStrings, TRichEditStrings)

public:
    explicit TwwRichEditStrings(TwwCustomRichEdit& Owner);

protected:
    // Lines are added inside an update, whose end tells the selection change the adding made:
    // the handler stays away until that end has passed.
    void AddItems(std::vector<TStringItem>&& Items) override;
    void SetUpdateState(bool Updating) override;

private:
    void RestoreSelectionHandler();

    TwwCustomRichEdit& FEdit;
    std::optional<TNotifyEvent> FHeldSelectionChange;
};

}  // namespace vex
