#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/rich/richformats.h"
#include "platform/rich/richobject.h"
#include "platform/rich/richparagraph.h"
#include "platform/rich/richpositionindex.h"

namespace vex {

// What is worked out per paragraph (line breaks, links) follows the document's changes through
// this, so that an edit costs the paragraphs it touched and not the whole text.
class TRichDocumentListener {
public:
    virtual ~TRichDocumentListener() = default;
    // Paragraphs [First, First + Removed) are now [First, First + Inserted); a change of one
    // paragraph's text or format is (Index, 1, 1).
    virtual void ParagraphsChanged(int32_t First, int32_t Removed, int32_t Inserted) = 0;
};

// The text of a rich-text document as paragraphs of formatted runs. Character positions count
// each paragraph end as one character; the last paragraph has no end, so an empty document has
// one empty paragraph and the length 0. Positions outside the text are clamped to it.
class TRichDocument {
public:
    TRichDocument();

    int32_t Length() const;
    int32_t ParagraphCount() const { return static_cast<int32_t>(FParagraphs.size()); }
    const TRichParagraph& Paragraph(int32_t Index) const { return FParagraphs.at(Index); }
    int32_t ParagraphStart(int32_t Index) const;
    // The paragraph holding Position and the offset in it (its length at its end).
    int32_t Locate(int32_t Position, int32_t& Offset) const;

    TCharFormatPool& CharFormats() { return FCharFormats; }
    const TCharFormatPool& CharFormats() const { return FCharFormats; }
    TParaFormatPool& ParaFormats() { return FParaFormats; }
    const TParaFormatPool& ParaFormats() const { return FParaFormats; }

    // What new text takes where nothing else says: the format of an empty document, and of
    // every character in plain-text mode.
    int32_t DefaultCharFormat() const { return FDefaultCharFormat; }
    void SetDefaultCharFormat(const TRichCharFormat& Value);
    int32_t DefaultParaFormat() const { return FDefaultParaFormat; }

    // The characters with paragraph ends as "\r".
    std::string Text(int32_t Start, int32_t Count) const;
    std::string Text() const { return Text(0, Length()); }
    TRichFragment Extract(int32_t Start, int32_t Count) const;
    // Puts With in place of [Start, Start + Count). A paragraph end keeps its format: the
    // paragraph that ends where the removed text ended keeps the format of that end.
    void Replace(int32_t Start, int32_t Count, const TRichFragment& With);
    void Clear();

    // The format that text typed at Position takes: that of the character before it, or at
    // the start of a paragraph that of the character after it.
    int32_t CharFormatForTyping(int32_t Position) const;
    void SetParagraphFormat(int32_t Index, int32_t Format);

    // Object runs refer to the objects by number. An object stays in the table while the
    // document lives, so that undoing its removal brings the same object back.
    uint32_t AddObject(std::shared_ptr<IRichObject> Object);
    // Null for a number the table does not hold.
    IRichObject* Object(uint32_t Number) const;

    // Listeners are told of every change after it is made, each once however often added; one
    // may add or remove listeners while it hears. Each must be removed before it goes.
    // Listening reads the document and changes nothing of it, so a const document may be heard.
    void AddListener(TRichDocumentListener* Listener) const;
    void RemoveListener(TRichDocumentListener* Listener) const;

    // Every paragraph and run reads back the same (formats compared by value).
    bool SameContent(const TRichDocument& Other) const;
    // Narrows a range to the text there is.
    void Clamp(int32_t& Start, int32_t& Count) const;

private:
    const TRichPositionIndex& Index() const;
    void Changed(int32_t First, int32_t Removed, int32_t Inserted);

    std::vector<TRichParagraph> FParagraphs;
    TCharFormatPool FCharFormats;
    TParaFormatPool FParaFormats;
    int32_t FDefaultCharFormat = 0;
    int32_t FDefaultParaFormat = 0;
    mutable TRichPositionIndex FIndex;
    mutable bool FIndexStale = true;
    // Each with the number of its adding: one removed and added again while a change is told
    // (or another made where a freed one was) is a new listener, that did not see the change.
    struct TListenerEntry {
        TRichDocumentListener* Listener;
        uint64_t Added;
        bool operator==(const TListenerEntry&) const = default;
    };
    mutable std::vector<TListenerEntry> FListeners;
    mutable uint64_t FListenersAdded = 0;
    std::unordered_map<uint32_t, std::shared_ptr<IRichObject>> FObjects;
    uint32_t FNextObject = 1;
};

}  // namespace vex
