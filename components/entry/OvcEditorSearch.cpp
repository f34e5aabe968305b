// Finding and replacing text in the editor.
#include <algorithm>
#include <array>

#include "components/entry/OvcEditor.h"
#include "components/entry/OvcErrors.h"
#include "platform/core/codepage.h"
#include "platform/gfx/cursors.h"
#include "platform/ui/screen.h"

namespace vex {

namespace {

const std::array<char, 256>& UpperTable() {
    static const std::array<char, 256> table = [] {
        std::array<char, 256> t{};
        for (int c = 0; c < 256; ++c)
            t[static_cast<size_t>(c)] = AnsiUpperChar(static_cast<char>(c));
        return t;
    }();
    return table;
}

}  // namespace

bool TOvcCustomEditor::MatchAt(std::string_view Para, size_t At, std::string_view Find,
                               uint8_t Options) const {
    if (At + Find.size() > Para.size()) return false;
    if ((Options & srMatchCase) != 0) {
        if (Para.compare(At, Find.size(), Find) != 0) return false;
    } else {
        const auto& upper = UpperTable();
        for (size_t i = 0; i < Find.size(); ++i)
            if (upper[static_cast<uint8_t>(Para[At + i])] != upper[static_cast<uint8_t>(Find[i])])
                return false;
    }
    if ((Options & srWholeWord) == 0) return true;
    const size_t end = At + Find.size();
    return (At == 0 || IsDelimiter(Para[At - 1])) && (end == Para.size() || IsDelimiter(Para[end]));
}

uint16_t TOvcCustomEditor::SearchReplace(const std::string& Find, const std::string& Replace,
                                         uint8_t Options) {
    const bool replaceAll = (Options & srReplaceAll) != 0;
    const bool replacing = replaceAll || (Options & srReplace) != 0;
    if (Find.size() > MaxSearchText || (replacing && Replace.size() > MaxSearchText))
        throw EEditorError("Find and Replace texts hold at most 255 characters", 0, 0);
    if (Find.empty()) return 0;
    if (replacing && GetReadOnly()) return 0;
    const bool backward = (Options & srBackward) != 0;
    const TScreenCursorGuard hourglass(crHourGlass);

    // The part of the text searched, as paragraph positions (Pos counts from 1).
    TTextPos from{1, 1};
    TTextPos to{GetParaCount(), Length(FParas->ParaText(GetParaCount())) + 1};
    TTextPos selStart, selEnd;
    SelectionRange(selStart, selEnd);
    if ((Options & srSelectedOnly) != 0) {
        if (!HasSelection()) return 0;
        from = selStart;
        to = selEnd;
    } else if ((Options & srGlobal) == 0) {
        (backward ? to : from) = FCaretPos;
    }

    const TChangeScope changing(FChanging);
    const TUndoGroup group(FParas->UndoBuffer());
    uint16_t code = 0;
    // A selection that already is the text looked for is replaced first.
    if (replacing && !replaceAll && HasSelection() && selStart.Para == selEnd.Para &&
        selEnd.Pos - selStart.Pos == static_cast<int32_t>(Find.size()) &&
        MatchAt(FParas->ParaText(selStart.Para), static_cast<size_t>(selStart.Pos - 1), Find,
                static_cast<uint8_t>(Options & ~srWholeWord))) {
        code = FParas->ReplaceText(selStart.Para, selStart.Pos, Length(Find), Replace);
        if (code != 0) {
            Finish(code, selStart);
            return code;
        }
        const TTextPos after{selStart.Para, selStart.Pos + Length(Replace)};
        (backward ? to : from) = backward ? selStart : after;
        if (to.Para == from.Para && !backward) to.Pos += Length(Replace) - Length(Find);
        FCaretPos = FAnchorPos = backward ? selStart : after;
    }

    if (replaceAll) {
        int32_t replaced = 0;
        TTextPos last = FCaretPos;
        for (int32_t para = from.Para; para <= to.Para && code == 0; ++para) {
            const std::string_view text = FParas->ParaText(para);
            const auto begin = static_cast<size_t>(para == from.Para ? from.Pos - 1 : 0);
            const size_t end =
                std::min(text.size(), para == to.Para ? static_cast<size_t>(std::max(to.Pos - 1, 0))
                                                      : text.size());
            std::string out;
            size_t copied = 0;
            for (size_t at = begin; at + Find.size() <= end;) {
                if (!MatchAt(text, at, Find, Options)) {
                    ++at;
                    continue;
                }
                out.append(text.substr(copied, at - copied)) += Replace;
                at += Find.size();
                copied = at;
                ++replaced;
            }
            if (copied == 0) continue;
            const auto oldLength = static_cast<int32_t>(copied);
            code = FParas->ReplaceText(para, 1, oldLength, out);
            last = {para, Length(out) + 1};
        }
        FFullRepaint = true;
        Invalidate();
        UpdateVertScrollBar();
        Finish(code, last);
        if (replaced > 0) DoOnChange();
        return code;
    }

    // The first match in the searched part, in the search's direction.
    auto findIn = [&](int32_t para) -> int32_t {
        const std::string_view text = FParas->ParaText(para);
        const auto lo = static_cast<size_t>(para == from.Para ? from.Pos - 1 : 0);
        const size_t hi =
            std::min(text.size(),
                     para == to.Para ? static_cast<size_t>(std::max(to.Pos - 1, 0)) : text.size());
        if (hi < lo + Find.size()) return 0;
        if (!backward) {
            for (size_t at = lo; at + Find.size() <= hi; ++at)
                if (MatchAt(text, at, Find, Options)) return static_cast<int32_t>(at) + 1;
        } else {
            for (size_t at = hi - Find.size() + 1; at-- > lo;)
                if (MatchAt(text, at, Find, Options)) return static_cast<int32_t>(at) + 1;
        }
        return 0;
    };
    for (int32_t i = 0; i <= to.Para - from.Para; ++i) {
        const int32_t para = backward ? to.Para - i : from.Para + i;
        const int32_t pos = findIn(para);
        if (pos == 0) continue;
        int32_t l1 = 0, c1 = 0, l2 = 0, c2 = 0;
        LineOfPos({para, pos}, l1, c1);
        LineOfPos({para, pos + Length(Find)}, l2, c2);
        FFullRepaint = true;
        Invalidate();
        SetSelection(l1, c1, !backward, l2, c2);
        break;
    }
    if (code == 0 && replacing) DoOnChange();
    return code;
}

}  // namespace vex
