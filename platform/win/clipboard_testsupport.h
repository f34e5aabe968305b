#pragma once

// The process clipboard's text as tests read and set it.

#include <gtest/gtest.h>

#include <string>

#include "platform/win/clipboard.h"

namespace vex::test {

// "<busy>" while another window holds the clipboard, "<none>" when it has no text.
inline std::string ClipboardText() {
    if (!OpenClipboard(0)) return "<busy>";
    const std::string* data = GetClipboardData(CF_TEXT);
    std::string text = data != nullptr ? *data : "<none>";
    CloseClipboard();
    return text;
}

inline void SetClipboardText(const std::string& Text) {
    ASSERT_TRUE(OpenClipboard(0));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, Text);
    CloseClipboard();
}

}  // namespace vex::test
