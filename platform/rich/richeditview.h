#pragma once

#include <cstdint>
#include <functional>

#include "platform/core/geometry.h"
#include "platform/rich/richedit.h"
#include "platform/rich/richformatrange.h"
#include "platform/rich/richlayout.h"
#include "platform/rich/richlinks.h"
#include "platform/rich/richolecallbackguard.h"

namespace vex {

// What the control shows and how: the lines, the links, the pages for printing, where the view
// stands, the caret, a drag of the mouse, and what the notices last told. It lives as long as
// the control, so a new window shows the same view.
class TCustomRichEdit::TView : public TRichDocumentListener {
public:
    explicit TView(TRichDocument& Document);
    ~TView() override;
    TView(const TView&) = delete;
    TView& operator=(const TView&) = delete;

    void ParagraphsChanged(int32_t First, int32_t Removed, int32_t Inserted) override;

    TRichDocument& Document;
    TRichLayout Layout;
    TRichLinks Links;
    TRichFormatter Formatter;

    TRect FormatRect;
    bool FormatRectSet = false;  // by SetFormattingRect: kept while the control changes size
    int32_t TargetWidth = 0;     // twips; 0: the formatting rectangle's width
    int32_t TopY = 0;            // the layout's y at the top of the formatting rectangle
    int32_t ScrollX = 0;

    // The selection runs from Anchor to Caret; the engine holds it as start and length.
    int32_t Anchor = 0;
    int32_t Caret = 0;
    // The x kept while the caret goes up and down through shorter lines; -1 for none.
    int32_t GoalX = -1;
    bool CaretMade = false;
    int32_t CaretHeight = 0;

    // A drag of the mouse; by words after a double click, from the word first taken.
    bool Dragging = false;
    bool DragWords = false;
    int32_t DragFirst = 0;
    int32_t DragLast = 0;
    TPoint DragPoint;

    // The paragraphs changed since the view last followed the text: [DirtyFirst, DirtyEnd) of
    // the new text, and whether lines before them moved.
    int32_t DirtyFirst = -1;
    int32_t DirtyEnd = -1;
    // Set while the control makes an edit itself: it follows the view afterwards; a change
    // made through the engine directly repaints everything.
    bool Editing = false;
    int32_t LinesBefore = 0;
    int32_t HeightBefore = 0;
    // Counts every change of the document, so an edit a handler makes while the control asks
    // it something is seen.
    uint64_t Changes = 0;

    // What the notices last told, so they go once and only for real changes.
    int32_t ToldSelStart = 0;
    int32_t ToldSelLength = 0;
    int32_t ToldHeight = -1;
    int32_t UpdateCount = 0;  // the lines are being updated: one change at the end
    bool ChangePending = false;

    // What the scroll bars were last given, so that an unchanged bar leaves the frame alone.
    struct TBarValues {
        int32_t Max = -1;
        int32_t Page = -1;
        int32_t Pos = -1;
        bool operator==(const TBarValues&) const = default;
    };
    TBarValues Bars[2];  // SB_HORZ, SB_VERT

    // What the control last put on the clipboard, for EN_SAVECLIPBOARD.
    int32_t ClipboardChars = 0;
    int32_t ClipboardObjects = 0;
    // The owner is being asked whether to keep it.
    bool ReleasingClipboard = false;
    // Repaints the control after a change made through the engine directly, which the
    // control did not see coming.
    std::function<void()> Repaint;
};

template <typename TCall>
inline HRESULT TCustomRichEdit::CallBack(TCall Call) const {
    // The owner's code must not take the control down with an exception.
    TGuardedOleCallback guarded(FOleCallback);
    return Call(guarded);
}

}  // namespace vex
