#include "platform/rich/richlinks.h"

#include <algorithm>

#include "platform/rich/richlinkscan.h"

namespace vex {

// The cache holds per paragraph its links as offsets into it, so that a change before a
// paragraph moves its links without finding them again.
class TRichLinks::TImpl : public TRichDocumentListener {
public:
    explicit TImpl(TRichDocument& Document) : FDocument(Document) { FDocument.AddListener(this); }
    ~TImpl() override { FDocument.RemoveListener(this); }

    void ParagraphsChanged(int32_t First, int32_t Removed, int32_t Inserted) override {
        if (!FEnabled) return;
        if (First < 0 || Removed < 0 || Inserted < 0 ||
            First + static_cast<int64_t>(Removed) > static_cast<int64_t>(FParagraphs.size())) {
            // A notice that does not fit what is cached: start again rather than misplace links.
            FParagraphs.assign(FDocument.ParagraphCount(), std::nullopt);
            return;
        }
        const auto first = FParagraphs.begin() + First;
        FParagraphs.erase(first, first + Removed);
        FParagraphs.insert(FParagraphs.begin() + First, Inserted, std::nullopt);
    }

    bool Enabled() const { return FEnabled; }

    void SetEnabled(bool Value) {
        FEnabled = Value;
        // Nothing is followed while off, so what was found is dropped rather than kept stale.
        FParagraphs.assign(Value ? FDocument.ParagraphCount() : 0, std::nullopt);
    }

    const std::vector<TRichLinkRange>& Found(int32_t Index) {
        std::optional<std::vector<TRichLinkRange>>& spans = FParagraphs.at(Index);
        if (!spans) spans = FindLinksInText(FDocument.Paragraph(Index).Text);
        return *spans;
    }

    const TRichDocument& Document() const { return FDocument; }

private:
    TRichDocument& FDocument;
    bool FEnabled = false;
    std::vector<std::optional<std::vector<TRichLinkRange>>> FParagraphs;
};

TRichLinks::TRichLinks(TRichDocument& Document) : FImpl(std::make_unique<TImpl>(Document)) {}

TRichLinks::~TRichLinks() = default;

bool TRichLinks::Enabled() const {
    return FImpl->Enabled();
}

void TRichLinks::SetEnabled(bool Value) {
    if (Value != FImpl->Enabled()) FImpl->SetEnabled(Value);
}

std::vector<TRichLinkRange> TRichLinks::InParagraph(int32_t Index) const {
    if (!FImpl->Enabled()) return {};
    const std::vector<TRichLinkRange>& spans = FImpl->Found(Index);
    const int32_t start = FImpl->Document().ParagraphStart(Index);
    std::vector<TRichLinkRange> links;
    links.reserve(spans.size());
    for (const TRichLinkRange& span : spans)
        links.push_back({start + span.Start, span.Length});
    return links;
}

std::optional<TRichLinkRange> TRichLinks::At(int32_t Position) const {
    if (!FImpl->Enabled() || Position < 0 || Position >= FImpl->Document().Length())
        return std::nullopt;
    int32_t offset = 0;
    const int32_t index = FImpl->Document().Locate(Position, offset);
    const std::vector<TRichLinkRange>& spans = FImpl->Found(index);
    const auto after = std::upper_bound(
        spans.begin(), spans.end(), offset,
        [](int32_t Offset, const TRichLinkRange& Span) { return Offset < Span.Start; });
    if (after == spans.begin()) return std::nullopt;
    const TRichLinkRange& span = *std::prev(after);
    if (offset >= span.Start + span.Length) return std::nullopt;
    return TRichLinkRange{FImpl->Document().ParagraphStart(index) + span.Start, span.Length};
}

}  // namespace vex
