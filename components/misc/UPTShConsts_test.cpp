#include "components/misc/UPTShConsts.h"

#include <gtest/gtest.h>

namespace vex {
namespace {

TEST(ShellShortcutTexts, ComeFromTheLibrarysStrings) {
    const TShellShortcutTexts& texts = ShellShortcutTexts();
    const std::pair<const std::string&, const char*> cases[] = {
        {texts.SelectAll, "Ctrl+A"}, {texts.Delete, "Del"},   {texts.Copy, "Ctrl+C"},
        {texts.Cut, "Ctrl+X"},       {texts.Paste, "Ctrl+V"}, {texts.Refresh, "F5"},
        {texts.Rename, "F2"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(text, expected);
}

}  // namespace
}  // namespace vex
