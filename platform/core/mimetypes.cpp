#include "platform/core/mimetypes.h"

#include <fstream>
#include <utility>

#include "platform/core/stringutils.h"

namespace vex {

namespace {

// Debian's table is about 60 KB; anything far larger is not a mime.types file.
constexpr std::size_t MaxFileSize = 4 * 1024 * 1024;
constexpr std::size_t MaxTypeLength = 255;
constexpr std::size_t MaxExtensionLength = 64;

constexpr std::pair<const char*, const char*> BuiltInTypes[] = {
    {"text/plain", "txt text log asc"},
    {"text/html", "html htm shtml"},
    {"text/css", "css"},
    {"text/csv", "csv"},
    {"text/xml", "xml"},
    {"text/calendar", "ics"},
    {"text/vcard", "vcf vcard"},
    {"message/rfc822", "eml mht mhtml"},
    {"application/rtf", "rtf"},
    {"application/pdf", "pdf"},
    {"application/postscript", "ps eps ai"},
    {"application/zip", "zip"},
    {"application/gzip", "gz tgz"},
    {"application/x-tar", "tar"},
    {"application/x-7z-compressed", "7z"},
    {"application/x-rar-compressed", "rar"},
    {"application/json", "json"},
    {"application/javascript", "js"},
    {"application/msword", "doc dot"},
    {"application/vnd.ms-excel", "xls xlt"},
    {"application/vnd.ms-powerpoint", "ppt pps"},
    {"application/vnd.openxmlformats-officedocument.wordprocessingml.document", "docx"},
    {"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet", "xlsx"},
    {"application/vnd.openxmlformats-officedocument.presentationml.presentation", "pptx"},
    {"application/vnd.oasis.opendocument.text", "odt"},
    {"application/vnd.oasis.opendocument.spreadsheet", "ods"},
    {"application/x-msdos-program", "exe com bat dll"},
    {"image/gif", "gif"},
    {"image/jpeg", "jpeg jpg jpe"},
    {"image/png", "png"},
    {"image/bmp", "bmp"},
    {"image/tiff", "tiff tif"},
    {"image/svg+xml", "svg svgz"},
    {"image/vnd.microsoft.icon", "ico"},
    {"image/webp", "webp"},
    {"audio/mpeg", "mp3 mpga mpega"},
    {"audio/x-wav", "wav"},
    {"audio/midi", "mid midi"},
    {"audio/ogg", "oga ogg opus"},
    {"video/mpeg", "mpeg mpg mpe"},
    {"video/mp4", "mp4"},
    {"video/quicktime", "qt mov"},
    {"video/x-msvideo", "avi"},
};

bool IsBlank(char C) {
    return C == ' ' || C == '\t' || C == '\r' || C == '\v' || C == '\f';
}

// Splits a line into its blank-separated words.
template <class F>
void ForEachWord(std::string_view Line, F&& Word) {
    std::size_t i = 0;
    while (i < Line.size()) {
        while (i < Line.size() && IsBlank(Line[i]))
            ++i;
        std::size_t start = i;
        while (i < Line.size() && !IsBlank(Line[i]))
            ++i;
        if (i > start) Word(Line.substr(start, i - start));
    }
}

}  // namespace

TMimeTypeTable::TMimeTypeTable(const std::string& FileName) {
    FFromFile = LoadFile(FileName);
    if (!FFromFile) {
        FTypes.clear();
        LoadBuiltIn();
    }
}

bool TMimeTypeTable::LoadFile(const std::string& FileName) {
    std::ifstream in(FileName, std::ios::binary);
    if (!in) return false;
    std::string contents;
    contents.resize(MaxFileSize + 1);
    in.read(contents.data(), static_cast<std::streamsize>(contents.size()));
    if (in.bad()) return false;
    contents.resize(static_cast<std::size_t>(in.gcount()));
    if (contents.size() > MaxFileSize) return false;

    std::string_view rest(contents);
    while (!rest.empty()) {
        std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        line = line.substr(0, line.find('#'));
        std::string_view type;
        ForEachWord(line, [&](std::string_view Word) {
            if (type.empty())
                type = Word;
            else
                Register(type, Word);
        });
    }
    return true;
}

void TMimeTypeTable::LoadBuiltIn() {
    for (const auto& entry : BuiltInTypes)
        ForEachWord(entry.second, [&](std::string_view Word) { Register(entry.first, Word); });
}

void TMimeTypeTable::Register(std::string_view Type, std::string_view Extension) {
    if (Type.size() > MaxTypeLength || Type.find('/') == std::string_view::npos) return;
    if (Extension.size() > MaxExtensionLength) return;
    // The first registration of an extension wins, as in the tools that read these files.
    FTypes.try_emplace(LowerCase(Extension), std::string(Type));
}

std::string TMimeTypeTable::Lookup(std::string_view Extension) const {
    if (Extension.size() < 2 || Extension.front() != '.') return "";
    auto it = FTypes.find(LowerCase(Extension.substr(1)));
    return it == FTypes.end() ? std::string() : it->second;
}

const TMimeTypeTable& SystemMimeTypes() {
    static const TMimeTypeTable Table("/etc/mime.types");
    return Table;
}

}  // namespace vex
