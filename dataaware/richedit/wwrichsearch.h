#pragma once

#include <climits>
#include <cstdint>
#include <functional>
#include <string>

namespace vex {

class TRichEditEngine;

// What a find or a replace works on: a text with a selection.
class TwwSearchTarget {
public:
    virtual ~TwwSearchTarget() = default;
    // The first match of Text from Start to the end, searching down with FR_WHOLEWORD and
    // FR_MATCHCASE as Options say; -1 when there is none.
    virtual int32_t Find(const std::string& Text, int32_t Start, uint32_t Options) = 0;
    virtual int32_t SelStart() const = 0;
    virtual int32_t SelLength() const = 0;
    virtual void Select(int32_t Start, int32_t Length) = 0;
    // Leaves the caret after the new text.
    virtual void ReplaceSelection(const std::string& Text) = 0;
};

// A running search: where it began and whether it went round the end of the text yet. A new
// search (a dialog opened) starts from the caret.
struct TwwSearchState {
    int32_t Start = 0;
    bool Wrapped = false;
    // Where the first replacement before going round begins: after going round a match must end
    // by it, or it would take in replaced text. Past any text while nothing was replaced.
    int32_t Replaced = INT32_MAX;
};

struct TwwSearchRequest {
    std::string Text;
    uint32_t Options = 0;  // FR_WHOLEWORD, FR_MATCHCASE
    bool Replace = false;
    bool ReplaceAll = false;
    std::string Replacement;
};

// One press of Find Next, Replace or Replace All. The search goes down from the caret (just
// past the selection when the selection is the match found last, so a match at the caret is
// found), round the end of the text once, and stops where it began: after going round, only
// matches that begin before that point, and end before any text replaced after it, count, so
// Replace All changes each occurrence once and never what it put in.
// Replace first replaces the selection when it is the match. When nothing more is found,
// NoMoreMatches is called once and the next search begins afresh at the caret; the answer
// says whether a match is selected.
bool wwSearch(TwwSearchTarget& Target, TwwSearchState& State, const TwwSearchRequest& Request,
              const std::function<void()>& NoMoreMatches);

// Replace All over an engine as one step that can be undone. The matches are found on a copy
// of the plain text, so the document changes once; the selection ends as the search left it.
// The answer is the number of replacements.
int32_t wwReplaceAll(TRichEditEngine& Engine, TwwSearchState& State,
                     const TwwSearchRequest& Request, const std::function<void()>& NoMoreMatches);

}  // namespace vex
