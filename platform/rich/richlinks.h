#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/rich/richdocument.h"

namespace vex {

// A web or mail address found in the text: document positions.
struct TRichLinkRange {
    int32_t Start = 0;
    int32_t Length = 0;
    friend bool operator==(const TRichLinkRange&, const TRichLinkRange&) = default;
};

// The addresses in a document while detection is on: names that begin "http://", "https://",
// "ftp://", "mailto:" or "www." (no other scheme is ever marked), up to the next blank, without
// the punctuation that ends a sentence or closes a bracket after them. Found per paragraph when
// first asked and kept until the document changes that paragraph.
class TRichLinks {
public:
    explicit TRichLinks(TRichDocument& Document);
    ~TRichLinks();
    TRichLinks(const TRichLinks&) = delete;
    TRichLinks& operator=(const TRichLinks&) = delete;

    bool Enabled() const;
    void SetEnabled(bool Value);
    // The links of paragraph Index in order, as document positions; none while disabled.
    std::vector<TRichLinkRange> InParagraph(int32_t Index) const;
    // The link holding the character at Position.
    std::optional<TRichLinkRange> At(int32_t Position) const;

private:
    class TImpl;
    std::unique_ptr<TImpl> FImpl;
};

}  // namespace vex
