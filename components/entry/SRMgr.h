#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/core/exceptions.h"
#include "platform/core/object.h"

namespace vex {

VEX_EXCEPTION(ETpsStringResourceError, Exception);

// One entry of an "STR0" table: where the UTF-16LE text of an id lies, counted from the start
// of the resource, and how many 16-bit units it has.
struct TpsStringEntry {
    int32_t Id;
    uint32_t Offset;
    uint32_t Length;
};

// Reads one numbered string table, a resource of type RCDATA in the "STR0" layout, so texts can
// be exchanged without touching code. The whole table is checked when it is opened: a bad magic,
// a count or an entry reaching past the end, an entry inside the header or ids out of order
// raise "Invalid TPString resource", so no later lookup can read outside the resource.
// Lookups only read, so one reader may serve several threads as long as none changes it.
class TpsStringResource : public TObject {
    VEX_CLASS(TpsStringResource, TObject)

public:
    // An empty name gives a reader without a table; it raises nothing until it is asked.
    explicit TpsStringResource(const std::string& ResourceName);
    ~TpsStringResource() override;
    TpsStringResource(const TpsStringResource&) = delete;
    TpsStringResource& operator=(const TpsStringResource&) = delete;

    // When set, a lookup of an id the table lacks raises "String not found: <id>" instead of
    // giving "".
    bool ReportError = false;

    // Closes the current table, then opens the named one (none for an empty name). When the
    // new one cannot be opened the reader is left without a table.
    void ChangeResource(const std::string& ResourceName);
    void CloseResource();

    // The open table's bytes; nullopt while none is open.
    const std::optional<std::span<const uint8_t>>& ResourceHandle() const { return FResource; }
    const std::string& ResourceName() const { return FResourceName; }

    // The text of Id as Windows-1252 bytes, characters the code page lacks as "?". Without a
    // table it raises "Cannot lock resource".
    std::string GetAsString(int32_t Id) const;
    std::optional<TpsStringEntry> FindEntry(int32_t Id) const;

private:
    void OpenResource(const std::string& ResourceName);
    std::span<const uint8_t> Table() const;

    std::optional<std::span<const uint8_t>> FResource;
    std::string FResourceName;
    uint32_t FCount = 0;
};

// The readers of the three tables, each opened with the program's resources when first asked
// for and freed when the program ends. A table that cannot be opened raises on every call.
// SRMGR_STRINGS holds the reader's own messages; until it is open they come from built-in texts.
TpsStringResource& SrMgrStringResource();
TpsStringResource& EntryStringResource();   // "ENTRY_STRINGS_ENGLISH", the TOvc controls
TpsStringResource& ExtrasStringResource();  // "EXTRAS_STRINGS_ENGLISH", the TEs controls

}  // namespace vex
