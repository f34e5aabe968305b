#include "platform/win/messagebox.h"

#include <cstdio>
#include <utility>

namespace vex {

namespace {

int FirstButton(UINT Type) {
    switch (Type & 0x0F) {
        case MB_ABORTRETRYIGNORE:
            return IDABORT;
        case MB_YESNOCANCEL:
        case MB_YESNO:
            return IDYES;
        case MB_RETRYCANCEL:
            return IDRETRY;
        default:
            return IDOK;
    }
}

// Without a screen the text still has to reach a person: it goes to the standard error stream.
int ShowOnStandardError(HWND, const std::string& Text, const std::string& Caption, UINT Type) {
    std::fprintf(stderr, "%s: %s\n", Caption.c_str(), Text.c_str());
    return FirstButton(Type);
}

TMessageBoxHandler& InstalledHandler() {
    static TMessageBoxHandler handler = ShowOnStandardError;
    return handler;
}

}  // namespace

int MessageBox(HWND Owner, const std::string& Text, const std::string& Caption, UINT Type) {
    // A copy, so a handler that replaces itself does not pull the ground from under its call.
    const TMessageBoxHandler handler = InstalledHandler();
    return handler(Owner, Text, Caption, Type);
}

TMessageBoxOverride::TMessageBoxOverride(TMessageBoxHandler Handler)
    : FPrevious(std::exchange(InstalledHandler(), std::move(Handler))) {}

TMessageBoxOverride::~TMessageBoxOverride() {
    InstalledHandler() = std::move(FPrevious);
}

}  // namespace vex
