#pragma once

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
    void AddItems(std::vector<TStringItem>&& Items) override;

private:
    TwwCustomRichEdit& FEdit;
};

}  // namespace vex
