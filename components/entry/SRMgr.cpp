#include "components/entry/SRMgr.h"

#include <memory>
#include <string_view>

#include "platform/core/codepage.h"
#include "platform/core/format.h"
#include "platform/core/resources.h"

namespace vex {

namespace {

constexpr std::string_view kMagic = "STR0";
constexpr size_t kHeaderSize = 8;
constexpr size_t kEntrySize = 12;

constexpr int32_t scStringNotFound = 1;
constexpr int32_t scCannotLockResource = 2;
constexpr int32_t scResourceNotFound = 3;
constexpr int32_t scInvalidResource = 5;

// The reader's messages while its own table is not open yet, or is being opened. The fourth,
// for a resource found but not loaded, has no cause here: a found resource is in memory.
constexpr const char* kBuiltInMessages[] = {
    "String not found: %d",          "Cannot lock resource",
    "String resource not found: %s", "Unable to open string resource: %s",
    "Invalid TPString resource",
};

// Set while this thread opens the reader of SRMGR_STRINGS, whose own failures cannot be
// described through it.
thread_local bool tOpeningOwnTable = false;

std::string ErrorText(int32_t Id) {
    if (!tOpeningOwnTable) {
        try {
            std::string text = SrMgrStringResource().GetAsString(Id);
            if (!text.empty()) return text;
        } catch (const ETpsStringResourceError&) {
            // The table of messages is missing or damaged; the built-in text stands in.
        }
    }
    return kBuiltInMessages[Id - 1];
}

[[noreturn]] void RaiseError(int32_t Id, std::initializer_list<TVarRec> Args = {}) {
    throw ETpsStringResourceError(Args.size() == 0 ? ErrorText(Id) : Format(ErrorText(Id), Args));
}

uint32_t Uint32At(std::span<const uint8_t> Data, size_t Offset) {
    return static_cast<uint32_t>(Data[Offset]) | static_cast<uint32_t>(Data[Offset + 1]) << 8 |
           static_cast<uint32_t>(Data[Offset + 2]) << 16 |
           static_cast<uint32_t>(Data[Offset + 3]) << 24;
}

TpsStringEntry EntryAt(std::span<const uint8_t> Data, uint32_t Index) {
    const size_t at = kHeaderSize + kEntrySize * Index;
    return {static_cast<int32_t>(Uint32At(Data, at)), Uint32At(Data, at + 4),
            Uint32At(Data, at + 8)};
}

// Checks every number of the table against its size once, so lookups can trust them.
bool IsValidTable(std::span<const uint8_t> Data) {
    if (Data.size() < kHeaderSize ||
        std::string_view(reinterpret_cast<const char*>(Data.data()), kMagic.size()) != kMagic)
        return false;
    const uint64_t count = Uint32At(Data, 4);
    const uint64_t textsStart = kHeaderSize + kEntrySize * count;
    if (textsStart > Data.size()) return false;
    for (uint32_t i = 0; i < count; ++i) {
        const TpsStringEntry entry = EntryAt(Data, i);
        const uint64_t end = uint64_t{entry.Offset} + 2 * uint64_t{entry.Length};
        if (entry.Offset < textsStart || end > Data.size()) return false;
        if (i > 0 && EntryAt(Data, i - 1).Id >= entry.Id) return false;
    }
    return true;
}

std::unique_ptr<TpsStringResource> OpenOwnTable() {
    tOpeningOwnTable = true;
    try {
        auto reader = std::make_unique<TpsStringResource>("SRMGR_STRINGS");
        tOpeningOwnTable = false;
        return reader;
    } catch (...) {
        tOpeningOwnTable = false;
        throw;
    }
}

}  // namespace

TpsStringResource::TpsStringResource(const std::string& ResourceName) {
    ChangeResource(ResourceName);
}

TpsStringResource::~TpsStringResource() {
    CloseResource();
}

void TpsStringResource::ChangeResource(const std::string& ResourceName) {
    CloseResource();
    if (!ResourceName.empty()) OpenResource(ResourceName);
}

void TpsStringResource::OpenResource(const std::string& ResourceName) {
    const auto data = FindResource("RCDATA", ResourceName);
    if (!data) RaiseError(scResourceNotFound, {ResourceName});
    if (!IsValidTable(*data)) RaiseError(scInvalidResource);
    FResource = data;
    FResourceName = ResourceName;
    FCount = Uint32At(*data, 4);
}

void TpsStringResource::CloseResource() {
    FResource.reset();
    FResourceName.clear();
    FCount = 0;
}

std::span<const uint8_t> TpsStringResource::Table() const {
    if (!FResource) RaiseError(scCannotLockResource);
    return *FResource;
}

std::optional<TpsStringEntry> TpsStringResource::FindEntry(int32_t Id) const {
    const std::span<const uint8_t> data = Table();
    // Signed bounds, so an empty table ends the search at once.
    int64_t low = 0;
    int64_t high = int64_t{FCount} - 1;
    while (low <= high) {
        const int64_t middle = (low + high) / 2;
        const TpsStringEntry entry = EntryAt(data, static_cast<uint32_t>(middle));
        if (entry.Id == Id) return entry;
        if (entry.Id < Id)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return std::nullopt;
}

std::string TpsStringResource::GetAsString(int32_t Id) const {
    const auto entry = FindEntry(Id);
    if (!entry) {
        if (ReportError) RaiseError(scStringNotFound, {Id});
        return "";
    }
    const std::span<const uint8_t> text = Table().subspan(entry->Offset, 2 * size_t{entry->Length});
    std::u16string units(entry->Length, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(text[2 * i] | text[2 * i + 1] << 8);
    return Utf16ToWin1252(units);
}

TpsStringResource& SrMgrStringResource() {
    static const std::unique_ptr<TpsStringResource> reader = OpenOwnTable();
    return *reader;
}

TpsStringResource& EntryStringResource() {
    static const auto reader = std::make_unique<TpsStringResource>("ENTRY_STRINGS_ENGLISH");
    return *reader;
}

TpsStringResource& ExtrasStringResource() {
    static const auto reader = std::make_unique<TpsStringResource>("EXTRAS_STRINGS_ENGLISH");
    return *reader;
}

}  // namespace vex
