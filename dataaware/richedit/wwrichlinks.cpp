#include "dataaware/richedit/wwrichlinks.h"

#include <string_view>

#include "platform/core/stringutils.h"
#include "platform/gfx/cursors.h"
#include "platform/shell/urlopener.h"
#include "platform/ui/screen.h"

namespace vex {

namespace {

// Restores no earlier cursor on purpose: after a link opens the pointer is the default one.
class THourGlass {
public:
    THourGlass() { Screen().SetCursor(crHourGlass); }
    ~THourGlass() { Screen().SetCursor(crDefault); }
    THourGlass(const THourGlass&) = delete;
    THourGlass& operator=(const THourGlass&) = delete;
};

}  // namespace

std::string wwLinkAddress(const std::string& LinkText) {
    if (LinkText.size() > wwMaxLinkLength)
        throw EUrlOpenError("A link longer than " + std::to_string(wwMaxLinkLength) +
                            " characters is not opened");
    const std::string address =
        SameText(std::string_view(LinkText).substr(0, 4), "www.") ? "http://" + LinkText : LinkText;
    CheckOpenableUrl(address);
    return address;
}

void wwOpenLink(const std::string& LinkText) {
    const std::string address = wwLinkAddress(LinkText);
    THourGlass hourGlass;
    UrlOpener().Open(address);
}

}  // namespace vex
