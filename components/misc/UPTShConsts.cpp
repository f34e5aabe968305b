#include "components/misc/UPTShConsts.h"

#include "platform/core/resources.h"

namespace vex {

const TShellShortcutTexts& ShellShortcutTexts() {
    static const TShellShortcutTexts texts{
        LoadStr(SShellSelectAll), LoadStr(SShellDelete),  LoadStr(SShellCopy),  LoadStr(SShellCut),
        LoadStr(SShellPaste),     LoadStr(SShellRefresh), LoadStr(SShellRename)};
    return texts;
}

}  // namespace vex
