#include "platform/shell/windowentryfile.h"

#include <charconv>
#include <cstdio>

namespace vex {

namespace {

constexpr std::string_view kHeading = "vexbane window entry 1";
constexpr std::string_view kEntrySuffix = ".window";
constexpr std::string_view kSocketSuffix = ".socket";

std::string FileStem(const TWindowEntry& Entry) {
    return std::to_string(Entry.ProcessId) + "-" + std::to_string(Entry.ProcessStart) + "-" +
           std::to_string(Entry.Window);
}

std::string Escape(std::string_view Text) {
    std::string out;
    out.reserve(Text.size());
    for (const char c : Text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (byte < 0x20) {
            char code[5];
            std::snprintf(code, sizeof code, "\\x%02X", byte);
            out += code;
        } else {
            out += c;
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::string> Unescape(std::string_view Text) {
    std::string out;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] != '\\') {
            out += Text[i];
            continue;
        }
        if (i + 1 < Text.size() && Text[i + 1] == '\\') {
            out += '\\';
            i += 1;
            continue;
        }
        if (i + 3 >= Text.size() || Text[i + 1] != 'x') return std::nullopt;
        const int high = HexDigit(Text[i + 2]);
        const int low = HexDigit(Text[i + 3]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 3;
    }
    if (out.size() > TWindowDirectory::MaxTextLength) return std::nullopt;
    return out;
}

template <class Number>
std::optional<Number> ParseNumber(std::string_view Text) {
    Number value{};
    const auto [end, error] = std::from_chars(Text.data(), Text.data() + Text.size(), value);
    if (error != std::errc() || end != Text.data() + Text.size()) return std::nullopt;
    return value;
}

// Takes the next line, which must start with Key and a space, and gives what follows.
std::optional<std::string_view> Field(std::string_view& Rest, std::string_view Key) {
    const size_t end = Rest.find('\n');
    if (end == std::string_view::npos) return std::nullopt;
    std::string_view line = Rest.substr(0, end);
    Rest.remove_prefix(end + 1);
    if (line.size() <= Key.size() || line.substr(0, Key.size()) != Key || line[Key.size()] != ' ')
        return std::nullopt;
    return line.substr(Key.size() + 1);
}

}  // namespace

std::string WindowEntryFileName(const TWindowEntry& Entry) {
    return FileStem(Entry) + std::string(kEntrySuffix);
}

std::string WindowSocketFileName(const TWindowEntry& Entry) {
    return FileStem(Entry) + std::string(kSocketSuffix);
}

bool IsWindowEntryFileName(std::string_view Name) {
    if (!Name.ends_with(kEntrySuffix)) return false;
    Name.remove_suffix(kEntrySuffix.size());
    // Three runs of digits, apart by two dashes.
    int runs = 0;
    for (size_t i = 0; i <= Name.size(); ++i) {
        const bool end = i == Name.size() || Name[i] == '-';
        if (end && (i == 0 || Name[i - 1] == '-')) return false;
        if (end)
            ++runs;
        else if (Name[i] < '0' || Name[i] > '9')
            return false;
    }
    return runs == 3;
}

std::string FormatWindowEntry(const TWindowEntry& Entry) {
    return std::string(kHeading) + "\nclass " + Escape(Entry.ClassName) + "\ntitle " +
           Escape(Entry.Title) + "\nprocess " + std::to_string(Entry.ProcessId) + "\nstart " +
           std::to_string(Entry.ProcessStart) + "\nwindow " + std::to_string(Entry.Window) + "\n";
}

std::optional<TWindowEntry> ParseWindowEntry(std::string_view Text) {
    if (Text.size() > MaxWindowEntryFileSize) return std::nullopt;
    std::string_view rest = Text;
    const size_t headingEnd = rest.find('\n');
    if (headingEnd == std::string_view::npos || rest.substr(0, headingEnd) != kHeading)
        return std::nullopt;
    rest.remove_prefix(headingEnd + 1);

    const auto className = Field(rest, "class");
    const auto title = Field(rest, "title");
    const auto process = Field(rest, "process");
    const auto start = Field(rest, "start");
    const auto window = Field(rest, "window");
    if (!className || !title || !process || !start || !window || !rest.empty()) return std::nullopt;

    TWindowEntry entry;
    const auto classText = Unescape(*className);
    const auto titleText = Unescape(*title);
    const auto pid = ParseNumber<int32_t>(*process);
    const auto ticks = ParseNumber<uint64_t>(*start);
    const auto handle = ParseNumber<HWND>(*window);
    if (!classText || !titleText || !pid || !ticks || !handle || *pid <= 0 || *handle == 0)
        return std::nullopt;
    entry.ClassName = *classText;
    entry.Title = *titleText;
    entry.ProcessId = *pid;
    entry.ProcessStart = *ticks;
    entry.Window = *handle;
    // Only the one spelling this side writes is taken (no leading zeros or signs, escapes only
    // where needed), so a file is an entry exactly when its name and contents agree.
    if (FormatWindowEntry(entry) != Text) return std::nullopt;
    return entry;
}

}  // namespace vex
