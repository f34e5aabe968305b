#pragma once

#include <memory>
#include <string>

#include "platform/core/exceptions.h"

namespace vex {

// An address that is not opened, or an opener that failed; the message says which and why.
VEX_EXCEPTION(EUrlOpenError, Exception);

// Hands an address to the desktop, which opens it in the program the person chose for it (a web
// browser, a mail program). Only web, file-transfer and mail addresses are opened: a text that
// merely came from a document or a grid cell must not run whatever the desktop associates with
// it.
class TUrlOpener {
public:
    virtual ~TUrlOpener() = default;
    // Raises EUrlOpenError when the address is refused (CheckOpenableUrl) or the desktop could
    // not open it.
    virtual void Open(const std::string& Url) = 0;
};

// Raises EUrlOpenError unless Url is not empty, holds no control character, and its scheme,
// compared without case, is http, https, ftp or mailto.
void CheckOpenableUrl(const std::string& Url);

// The opener of the process, made at first use: the desktop's (xdg-open).
TUrlOpener& UrlOpener();
// Replaces the opener (tests).
void SetUrlOpener(std::unique_ptr<TUrlOpener> Value);

}  // namespace vex
