#include "platform/shell/urlopener.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/shell/xdgurlopener.h"

namespace vex {

namespace {

std::unique_ptr<TUrlOpener>& Current() {
    static std::unique_ptr<TUrlOpener> opener;
    return opener;
}

bool IsControl(char C) {
    const auto byte = static_cast<unsigned char>(C);
    return byte < 0x20 || byte == 0x7F;
}

char Lower(char C) {
    return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C;
}

}  // namespace

void CheckOpenableUrl(const std::string& Url) {
    if (Url.empty()) throw EUrlOpenError("An empty address cannot be opened");
    // Control characters are never part of an address; the person sees none of them, so they
    // would smuggle in what was not shown.
    if (std::any_of(Url.begin(), Url.end(), IsControl))
        throw EUrlOpenError("An address holding control characters is not opened");
    static constexpr std::array<std::string_view, 4> kSchemes = {"http", "https", "ftp", "mailto"};
    const size_t colon = Url.find(':');
    std::string scheme = colon == std::string::npos ? std::string() : Url.substr(0, colon);
    std::transform(scheme.begin(), scheme.end(), scheme.begin(), Lower);
    if (std::find(kSchemes.begin(), kSchemes.end(), scheme) == kSchemes.end())
        throw EUrlOpenError("\"" + Url +
                            "\" is not opened: only http, https, ftp and mailto addresses are");
}

TUrlOpener& UrlOpener() {
    auto& opener = Current();
    if (opener == nullptr) opener = std::make_unique<TXdgUrlOpener>();
    return *opener;
}

void SetUrlOpener(std::unique_ptr<TUrlOpener> Value) {
    Current() = std::move(Value);
}

}  // namespace vex
