#pragma once

#include <functional>
#include <string>

#include "platform/win/messages.h"

namespace vex {

inline constexpr UINT MB_OK = 0x00;
inline constexpr UINT MB_OKCANCEL = 0x01;
inline constexpr UINT MB_ABORTRETRYIGNORE = 0x02;
inline constexpr UINT MB_YESNOCANCEL = 0x03;
inline constexpr UINT MB_YESNO = 0x04;
inline constexpr UINT MB_RETRYCANCEL = 0x05;
inline constexpr UINT MB_ICONSTOP = 0x10;
inline constexpr UINT MB_ICONERROR = MB_ICONSTOP;
inline constexpr UINT MB_ICONQUESTION = 0x20;
inline constexpr UINT MB_ICONWARNING = 0x30;
inline constexpr UINT MB_ICONINFORMATION = 0x40;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Shows a message box and returns the button pressed. There is no screen here: the box goes to
// the installed handler, which answers with the first button of the box unless a test or a
// front end installs another one.
using TMessageBoxHandler =
    std::function<int(HWND Owner, const std::string& Text, const std::string& Caption, UINT Type)>;
int MessageBox(HWND Owner, const std::string& Text, const std::string& Caption, UINT Type);

// Installs a handler for its lifetime and restores the previous one after.
class TMessageBoxOverride {
public:
    explicit TMessageBoxOverride(TMessageBoxHandler Handler);
    ~TMessageBoxOverride();
    TMessageBoxOverride(const TMessageBoxOverride&) = delete;
    TMessageBoxOverride& operator=(const TMessageBoxOverride&) = delete;

private:
    TMessageBoxHandler FPrevious;
};

}  // namespace vex
