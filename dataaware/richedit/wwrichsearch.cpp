#include "dataaware/richedit/wwrichsearch.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/rich/richengine.h"
#include "platform/rich/richfind.h"
#include "platform/rich/richplaintext.h"

namespace vex {

namespace {

// The characters Text takes in a document.
int32_t Length(const std::string& Text) {
    return static_cast<int32_t>(DocumentTextOf(Text).size());
}

// A replacement made on the copy: where, in the copy as it then stood, and whether the search
// had gone round the end by then.
struct TReplacement {
    int32_t Position = 0;
    bool Wrapped = false;
};

// Text with paragraph ends as "\r" and a gap where it was last changed. A replace-all changes
// it at places that only grow, except once when the search goes round the end, so moving the gap
// costs about the text's length in all, where changing a string in place would cost that much
// for each replacement.
class TGapText {
public:
    explicit TGapText(std::string Text) : FBefore(std::move(Text)) {}

    int32_t Length() const { return static_cast<int32_t>(FBefore.size() + FAfter.size()); }
    std::string Text(int32_t From, int32_t Count) const {
        const auto from = static_cast<size_t>(From), end = from + static_cast<size_t>(Count);
        std::string text;
        text.reserve(static_cast<size_t>(Count));
        if (from < FBefore.size()) text.append(FBefore, from, std::min(end, FBefore.size()) - from);
        for (size_t at = std::max(from, FBefore.size()); at < end; ++at)
            text.push_back(FAfter[FAfter.size() - 1 - (at - FBefore.size())]);
        return text;
    }
    void Replace(int32_t Start, int32_t Count, const std::string& With) {
        const auto to = static_cast<size_t>(Start);
        while (FBefore.size() > to) {
            FAfter.push_back(FBefore.back());
            FBefore.pop_back();
        }
        while (FBefore.size() < to) {
            FBefore.push_back(FAfter.back());
            FAfter.pop_back();
        }
        FAfter.resize(FAfter.size() - static_cast<size_t>(Count));
        FBefore += DocumentTextOf(With);
    }

private:
    std::string FBefore;
    std::string FAfter;  // last character first, so that the gap moves at the strings' ends
};

// The plain text of a document with a selection, recording the replacements made in it.
class TTextCopy : public TwwSearchTarget {
public:
    TTextCopy(const TRichEditEngine& Engine, const TwwSearchState& State)
        : FState(State),
          FText(Engine.Document().Text()),
          FStart(Engine.SelStart()),
          FLength(Engine.SelLength()) {}

    int32_t Find(const std::string& Text, int32_t Start, uint32_t Options) override {
        const TFindSource source{FText.Length(), [this](int32_t From, int32_t Count) {
                                     return FText.Text(From, Count);
                                 }};
        return FindText(source, Text, Start, -1, Options | FR_DOWN);
    }
    int32_t SelStart() const override { return FStart; }
    int32_t SelLength() const override { return FLength; }
    void Select(int32_t Start, int32_t Length) override {
        FStart = Start;
        FLength = Length;
    }
    void ReplaceSelection(const std::string& Text) override {
        FText.Replace(FStart, FLength, Text);
        Made.push_back({FStart, FState.Wrapped});
        FStart += Length(Text);
        FLength = 0;
    }

    std::vector<TReplacement> Made;

private:
    const TwwSearchState& FState;
    TGapText FText;
    int32_t FStart;
    int32_t FLength;
};

// The replacements' positions in the document before any of them. The search replaces down
// from where it began, then goes round and replaces down from the top, stopping before that
// point: within each of the two runs every earlier replacement lies before a later one, and
// none of the second run lies after any of the first.
std::vector<int32_t> OriginalPositions(const std::vector<TReplacement>& Made, int32_t Shift) {
    std::vector<int32_t> first, second;
    int32_t firstShift = 0, secondShift = 0;
    for (const TReplacement& made : Made) {
        int32_t& shift = made.Wrapped ? secondShift : firstShift;
        (made.Wrapped ? second : first).push_back(made.Position - shift);
        shift += Shift;
    }
    second.insert(second.end(), first.begin(), first.end());
    return second;
}

}  // namespace

bool wwSearch(TwwSearchTarget& Target, TwwSearchState& State, const TwwSearchRequest& Request,
              const std::function<void()>& NoMoreMatches) {
    if (Request.Text.empty()) return false;
    const int32_t length = Length(Request.Text);
    // What each replacement adds to the text's length.
    const int32_t growth = Length(Request.Replacement) - length;
    for (;;) {
        bool atMatch =
            Target.SelLength() == length &&
            Target.Find(Request.Text, Target.SelStart(), Request.Options) == Target.SelStart();
        if (Request.Replace && atMatch) {
            const int32_t at = Target.SelStart();
            Target.ReplaceSelection(Request.Replacement);
            if (!State.Wrapped) {
                State.Replaced = std::min(State.Replaced, at);
            } else {
                State.Start += growth;
                if (State.Replaced != INT32_MAX) State.Replaced += growth;
            }
            atMatch = false;
        }
        // After going round: where the search began, or into what it replaced before that.
        const auto outOfReach = [&](int32_t Found) {
            return Found >= State.Start || Found + length > State.Replaced;
        };
        int32_t found =
            Target.Find(Request.Text, Target.SelStart() + (atMatch ? 1 : 0), Request.Options);
        if (State.Wrapped && outOfReach(found)) found = -1;
        if (found < 0 && !State.Wrapped && Target.SelStart() > 0) {
            found = Target.Find(Request.Text, 0, Request.Options);
            if (outOfReach(found)) found = -1;
            State.Wrapped = true;
        }
        if (found < 0) {
            if (NoMoreMatches) NoMoreMatches();
            State = TwwSearchState{Target.SelStart(), false};
            return false;
        }
        Target.Select(found, length);
        if (!Request.ReplaceAll) return true;
    }
}

int32_t wwReplaceAll(TRichEditEngine& Engine, TwwSearchState& State,
                     const TwwSearchRequest& Request, const std::function<void()>& NoMoreMatches) {
    TwwSearchRequest all = Request;
    all.Replace = all.ReplaceAll = true;
    TTextCopy copy(Engine, State);
    wwSearch(copy, State, all, NoMoreMatches);
    if (!copy.Made.empty()) {
        const TRichDocument& document = Engine.Document();
        const int32_t removed = Length(all.Text);
        const std::vector<int32_t> positions =
            OriginalPositions(copy.Made, Length(all.Replacement) - removed);
        TRichFragment piece;
        int32_t at = positions.front();
        for (const int32_t position : positions) {
            piece.Append(document.Extract(at, position - at));
            int32_t offset = 0;
            const int32_t paragraph = document.Locate(position, offset);
            piece.Append(PlainTextFragment(all.Replacement, document.CharFormatForTyping(position),
                                           document.Paragraph(paragraph).Format));
            at = position + removed;
        }
        Engine.Replace(positions.front(), at - positions.front(), piece, true);
    }
    Engine.SetSel(copy.SelStart(), copy.SelLength());
    return static_cast<int32_t>(copy.Made.size());
}

}  // namespace vex
