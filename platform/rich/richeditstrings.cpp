#include <algorithm>
#include <string>
#include <utility>

#include "platform/core/files.h"
#include "platform/core/stream.h"
#include "platform/rich/richedit.h"
#include "platform/rich/richeditview.h"
#include "platform/rich/richstreams.h"
#include "platform/rich/rtfreader.h"

namespace vex {

namespace {

// How a whole document is read from bytes: RTF when it is RTF, else the text as it stands.
uint32_t FormatOf(std::string_view Bytes) {
    return LooksLikeRtf(Bytes) ? SF_RTF : SF_TEXT;
}

}  // namespace

int32_t TRichEditStrings::Count() const {
    const TRichLayout& layout = FOwner.Layout();
    const int32_t lines = layout.LineCount();
    // A last line left empty by a paragraph end is no line of the list.
    return layout.Line(lines - 1).Length == 0 ? lines - 1 : lines;
}

std::string TRichEditStrings::Get(int32_t Index) const {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    const TRichLineInfo line = FOwner.Layout().Line(Index);
    return FOwner.Engine().Document().Text(line.Start, line.Length);
}

void TRichEditStrings::Put(int32_t Index, const std::string& S) {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    const TRichLineInfo line = FOwner.Layout().Line(Index);
    FOwner.ProgramReplace(line.Start, line.Length, S, false);
}

void TRichEditStrings::Insert(int32_t Index, const std::string& S) {
    if (Index < 0 || Index > Count()) IndexError(Index);
    InsertLines(Index, S + "\r\n");
}

void TRichEditStrings::AddItems(std::vector<TStringItem>&& Items) {
    if (Items.empty()) return;
    // All at once: one edit of the control for the whole list.
    std::string lines;
    for (const TStringItem& item : Items)
        lines += item.FString + "\r\n";
    InsertLines(Count(), std::move(lines));
}

void TRichEditStrings::InsertLines(int32_t Index, std::string Lines) {
    const int32_t at = FOwner.LineIndex(Index);
    if (at >= 0) {
        FOwner.ProgramReplace(at, 0, Lines, false);
        return;
    }
    // After a last line that has no paragraph end yet: it gets one, and the new last line none.
    Lines.resize(Lines.size() - 2);
    FOwner.ProgramReplace(FOwner.Engine().TextLength(), 0, "\r\n" + Lines, false);
}

void TRichEditStrings::Delete(int32_t Index) {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    const int32_t start = FOwner.LineIndex(Index);
    const int32_t next = FOwner.LineIndex(Index + 1);
    const int32_t end = next >= 0 ? next : FOwner.Engine().TextLength();
    FOwner.ProgramReplace(start, end - start, "", false);
}

void TRichEditStrings::Clear() {
    FOwner.Clear();
}

TObject* TRichEditStrings::GetObject(int32_t Index) const {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    return nullptr;
}

void TRichEditStrings::PutObject(int32_t Index, TObject*) {
    if (Index < 0 || Index >= Count()) IndexError(Index);
}

void TRichEditStrings::SetUpdateState(bool Updating) {
    TCustomRichEdit::TView& view = *FOwner.FView;
    if (Updating) {
        ++view.UpdateCount;
        return;
    }
    view.UpdateCount = std::max(view.UpdateCount - 1, 0);
    if (view.UpdateCount > 0) return;
    const std::weak_ptr<const void> life = FOwner.LifeToken();
    if (!FOwner.CheckHeightChange()) return;
    if (view.ChangePending && (FOwner.EventMask() & ENM_CHANGE) != 0) {
        view.ChangePending = false;
        FOwner.Change();
        if (life.expired()) return;
    }
    view.ChangePending = false;
    FOwner.CheckSelectionChange();
}

void TRichEditStrings::LoadFromStream(TStream& Stream) {
    const std::string bytes = ReadRestOf(Stream);
    FOwner.StreamIn(bytes, FOwner.PlainText() ? SF_TEXT : FormatOf(bytes));
}

void TRichEditStrings::SaveToStream(TStream& Stream) const {
    const std::string bytes = FOwner.StreamOut(FOwner.PlainText() ? SF_TEXT : SF_RTF);
    if (!bytes.empty()) Stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void TRichEditStrings::LoadFromFile(const std::string& FileName) {
    const std::string bytes = ReadFileToString(FileName);
    FOwner.StreamIn(bytes, FOwner.PlainText() ? SF_TEXT : FormatOf(bytes));
}

void TRichEditStrings::SaveToFile(const std::string& FileName) const {
    WriteFileAtomic(FileName, FOwner.StreamOut(FOwner.PlainText() ? SF_TEXT : SF_RTF));
}

}  // namespace vex
