#include "platform/rich/richdocument.h"

#include <algorithm>

namespace vex {

TRichDocument::TRichDocument() {
    FDefaultCharFormat = FCharFormats.Intern(TRichCharFormat{});
    FDefaultParaFormat = FParaFormats.Intern(TRichParaFormat{});
    Clear();
}

void TRichDocument::Clear() {
    const auto removed = static_cast<int32_t>(FParagraphs.size());
    FParagraphs.assign(1, TRichParagraph{});
    FParagraphs[0].Format = FDefaultParaFormat;
    FIndexStale = true;
    Changed(0, removed, 1);
}

uint32_t TRichDocument::AddObject(std::shared_ptr<IRichObject> Object) {
    const uint32_t number = FNextObject++;
    FObjects.emplace(number, std::move(Object));
    return number;
}

IRichObject* TRichDocument::Object(uint32_t Number) const {
    const auto found = FObjects.find(Number);
    return found == FObjects.end() ? nullptr : found->second.get();
}

void TRichDocument::AddListener(TRichDocumentListener* Listener) const {
    // Told twice, a listener that keeps per-paragraph state would apply each change twice.
    if (std::none_of(FListeners.begin(), FListeners.end(),
                     [&](const TListenerEntry& Entry) { return Entry.Listener == Listener; }))
        FListeners.push_back({Listener, ++FListenersAdded});
}

void TRichDocument::RemoveListener(TRichDocumentListener* Listener) const {
    std::erase_if(FListeners,
                  [&](const TListenerEntry& Entry) { return Entry.Listener == Listener; });
}

void TRichDocument::Changed(int32_t First, int32_t Removed, int32_t Inserted) {
    // A listener may remove itself or another (a control freed by its change notice) or add
    // one while it hears: those present when the change was made hear of it, each once, and
    // none after it was removed.
    const std::vector<TListenerEntry> listeners = FListeners;
    for (const TListenerEntry& entry : listeners)
        if (std::find(FListeners.begin(), FListeners.end(), entry) != FListeners.end())
            entry.Listener->ParagraphsChanged(First, Removed, Inserted);
}

void TRichDocument::SetDefaultCharFormat(const TRichCharFormat& Value) {
    TRichCharFormat format = Value;
    format.Normalize(ANSI_CHARSET);
    FDefaultCharFormat = FCharFormats.Intern(format);
}

const TRichPositionIndex& TRichDocument::Index() const {
    if (FIndexStale) {
        std::vector<int32_t> sizes;
        sizes.reserve(FParagraphs.size());
        for (const TRichParagraph& paragraph : FParagraphs)
            sizes.push_back(paragraph.Length() + 1);
        FIndex.Reset(sizes);
        FIndexStale = false;
    }
    return FIndex;
}

int32_t TRichDocument::Length() const {
    return static_cast<int32_t>(Index().Before(FParagraphs.size()) - 1);
}

int32_t TRichDocument::ParagraphStart(int32_t Index) const {
    return static_cast<int32_t>(this->Index().Before(static_cast<size_t>(Index)));
}

int32_t TRichDocument::Locate(int32_t Position, int32_t& Offset) const {
    int64_t offset = 0;
    const size_t found = Index().Find(std::clamp(Position, 0, Length()), offset);
    Offset = static_cast<int32_t>(offset);
    return static_cast<int32_t>(found);
}

void TRichDocument::Clamp(int32_t& Start, int32_t& Count) const {
    const int32_t length = Length();
    Start = std::clamp(Start, 0, length);
    Count = std::clamp(Count, 0, length - Start);
}

std::string TRichDocument::Text(int32_t Start, int32_t Count) const {
    Clamp(Start, Count);
    std::string text;
    text.reserve(static_cast<size_t>(Count));
    int32_t offset = 0;
    for (int32_t i = Locate(Start, offset); Count > 0; ++i, offset = 0) {
        const std::string& chars = FParagraphs[i].Text;
        const auto take = std::min<size_t>(chars.size() - offset, static_cast<size_t>(Count));
        text.append(chars, static_cast<size_t>(offset), take);
        Count -= static_cast<int32_t>(take);
        if (Count > 0) {
            text.push_back('\r');
            --Count;
        }
    }
    return text;
}

TRichFragment TRichDocument::Extract(int32_t Start, int32_t Count) const {
    Clamp(Start, Count);
    int32_t firstOffset = 0, lastOffset = 0;
    const int32_t first = Locate(Start, firstOffset);
    const int32_t last = Locate(Start + Count, lastOffset);
    TRichFragment fragment;
    fragment.Paragraphs.clear();
    for (int32_t i = first; i <= last; ++i) {
        const TRichParagraph& paragraph = FParagraphs[i];
        fragment.Paragraphs.push_back(paragraph.Slice(i == first ? firstOffset : 0,
                                                      i == last ? lastOffset : paragraph.Length()));
    }
    return fragment;
}

void TRichDocument::Replace(int32_t Start, int32_t Count, const TRichFragment& With) {
    Clamp(Start, Count);
    int32_t firstOffset = 0, lastOffset = 0;
    const int32_t first = Locate(Start, firstOffset);
    const int32_t last = Locate(Start + Count, lastOffset);
    const TRichParagraph& typed = With.Paragraphs[0];
    if (Count == 0 && With.Paragraphs.size() == 1 && typed.Runs.size() == 1 &&
        !typed.Runs[0].Object &&
        FParagraphs[first].GrowRun(firstOffset, typed.Text, typed.Runs[0].Format)) {
        if (!FIndexStale) FIndex.Add(static_cast<size_t>(first), typed.Length());
        Changed(first, 1, 1);
        return;
    }
    const TRichParagraph& lastParagraph = FParagraphs[last];
    const TRichParagraph tail = lastParagraph.Slice(lastOffset, lastParagraph.Length());

    std::vector<TRichParagraph> made;
    made.reserve(With.Paragraphs.size());
    made.push_back(FParagraphs[first].Slice(0, firstOffset));
    for (size_t i = 0; i < With.Paragraphs.size(); ++i) {
        if (i > 0) made.emplace_back();
        made.back().Append(With.Paragraphs[i]);
        made.back().Format = With.Paragraphs[i].Format;
    }
    made.back().Append(tail);
    made.back().Format = tail.Format;

    const bool sameShape = made.size() == 1 && first == last;
    if (sameShape && !FIndexStale)
        FIndex.Add(static_cast<size_t>(first), made[0].Length() - FParagraphs[first].Length());
    else
        FIndexStale = true;
    if (made.size() == static_cast<size_t>(last - first + 1)) {
        std::move(made.begin(), made.end(), FParagraphs.begin() + first);
    } else {
        FParagraphs.erase(FParagraphs.begin() + first, FParagraphs.begin() + last + 1);
        FParagraphs.insert(FParagraphs.begin() + first, std::make_move_iterator(made.begin()),
                           std::make_move_iterator(made.end()));
    }
    Changed(first, last - first + 1, static_cast<int32_t>(made.size()));
}

int32_t TRichDocument::CharFormatForTyping(int32_t Position) const {
    int32_t offset = 0;
    const TRichParagraph& paragraph = FParagraphs[Locate(Position, offset)];
    return paragraph.FormatAt(offset > 0 ? offset - 1 : 0, FDefaultCharFormat);
}

void TRichDocument::SetParagraphFormat(int32_t Index, int32_t Format) {
    FParagraphs.at(Index).Format = Format;
    Changed(Index, 1, 1);
}

bool TRichDocument::SameContent(const TRichDocument& Other) const {
    if (FParagraphs.size() != Other.FParagraphs.size()) return false;
    for (size_t i = 0; i < FParagraphs.size(); ++i) {
        const TRichParagraph &mine = FParagraphs[i], &theirs = Other.FParagraphs[i];
        if (mine.Text != theirs.Text || mine.Runs.size() != theirs.Runs.size() ||
            !(FParaFormats[mine.Format] == Other.FParaFormats[theirs.Format]))
            return false;
        for (size_t r = 0; r < mine.Runs.size(); ++r) {
            const TRichRun &a = mine.Runs[r], &b = theirs.Runs[r];
            if (a.Length != b.Length || a.Object != b.Object ||
                !(FCharFormats[a.Format] == Other.FCharFormats[b.Format]))
                return false;
        }
    }
    return true;
}

}  // namespace vex
