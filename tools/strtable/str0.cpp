#include "tools/strtable/str0.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "tools/rescomp/resourceerror.h"

namespace vex::strtable {

namespace {

constexpr size_t kHeaderSize = 8;
constexpr size_t kEntrySize = 12;

void PutUint32(std::string& Out, uint32_t Value) {
    for (int shift = 0; shift < 32; shift += 8)
        Out += static_cast<char>((Value >> shift) & 0xFF);
}

}  // namespace

std::string BuildStr0(std::vector<TextEntry> Entries, const std::string& FileName) {
    std::stable_sort(Entries.begin(), Entries.end(),
                     [](const TextEntry& A, const TextEntry& B) { return A.Id < B.Id; });
    for (size_t i = 1; i < Entries.size(); ++i) {
        if (Entries[i].Id == Entries[i - 1].Id) {
            throw rescomp::ResourceError(
                FileName, Entries[i].Line,
                "string number " + std::to_string(Entries[i].Id) + " is given twice");
        }
    }

    uint64_t size = kHeaderSize + kEntrySize * static_cast<uint64_t>(Entries.size());
    for (const TextEntry& entry : Entries)
        size += 2 * static_cast<uint64_t>(entry.Text.size());
    if (size > std::numeric_limits<uint32_t>::max())
        throw rescomp::ResourceError(FileName, 0, "the table is too large for 32-bit offsets");

    std::string out = "STR0";
    out.reserve(static_cast<size_t>(size));
    PutUint32(out, static_cast<uint32_t>(Entries.size()));
    uint64_t offset = kHeaderSize + kEntrySize * Entries.size();
    for (const TextEntry& entry : Entries) {
        PutUint32(out, static_cast<uint32_t>(entry.Id));
        PutUint32(out, static_cast<uint32_t>(offset));
        PutUint32(out, static_cast<uint32_t>(entry.Text.size()));
        offset += 2 * entry.Text.size();
    }
    for (const TextEntry& entry : Entries) {
        for (const char16_t unit : entry.Text) {
            out += static_cast<char>(unit & 0xFF);
            out += static_cast<char>(unit >> 8);
        }
    }
    return out;
}

}  // namespace vex::strtable
