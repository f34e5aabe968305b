#include "dataaware/data/Wwpict.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <vector>

#include "platform/core/codepage.h"

namespace vex {
namespace {

// Each level of nesting costs the matcher a few stack frames.
constexpr int32_t MaxNesting = 100;
// Outcomes one match remembers; past this the matcher works them out again, more slowly.
constexpr size_t MaxKnownOutcomes = size_t{1} << 20;

bool IsDigit(char C) {
    return C >= '0' && C <= '9';
}

bool IsLetter(char C) {
    const unsigned char c = static_cast<unsigned char>(C);
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 129;
}

char AsciiUpper(char C) {
    return C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C;
}

// What auto-fill stops at; ";" is not among them, it escapes the literal after it.
bool IsSpecial(char C) {
    switch (C) {
        case '\0':
        case '!':
        case '#':
        case '&':
        case '*':
        case ',':
        case '?':
        case '@':
        case '[':
        case ']':
        case '{':
        case '}':
        case '~':
            return true;
        default:
            return false;
    }
}

bool IsComplete(TwwPictureResult R) {
    return R == picComplete || R == picAmbiguous;
}

bool IsIncomplete(TwwPictureResult R) {
    return R == picIncomplete || R == picIncompleteNoFill;
}

// What closes an element list; a repetition in front of it would have nothing to repeat.
bool IsElementEnd(char C) {
    return C == ',' || C == ']' || C == '}';
}

// Brackets must close what is open, in order, and every escape and repetition must have an
// element after it. A level of nesting is an open group or a repetition still waiting for its
// element. Close gets, at the position of each opening bracket, the position of its closing one.
bool IsWellFormed(const std::string& Mask, std::vector<size_t>& Close) {
    if (Mask.empty()) return false;
    Close.assign(Mask.size(), 0);
    struct TOpenGroup {
        char Close;
        size_t At;
        int32_t RepetitionsBefore;
    };
    std::vector<TOpenGroup> open;
    int32_t pending = 0;  // repetitions waiting for their element
    int32_t level = 0;
    for (size_t i = 0; i < Mask.size(); ++i) {
        switch (Mask[i]) {
            case ';':
                if (++i == Mask.size()) return false;
                level -= pending;
                pending = 0;
                break;
            case '*':
                while (i + 1 < Mask.size() && IsDigit(Mask[i + 1]))
                    ++i;
                if (i + 1 == Mask.size() || IsElementEnd(Mask[i + 1])) return false;
                ++pending;
                if (++level > MaxNesting) return false;
                break;
            case '[':
            case '{':
                open.push_back({Mask[i] == '[' ? ']' : '}', i, pending});
                pending = 0;
                if (++level > MaxNesting) return false;
                break;
            case ']':
            case '}':
                if (open.empty() || open.back().Close != Mask[i]) return false;
                level -= pending + 1 + open.back().RepetitionsBefore;
                Close[open.back().At] = i;
                pending = 0;
                open.pop_back();
                break;
            default:
                level -= pending;
                pending = 0;
                break;
        }
    }
    return open.empty();
}

// One match of a text against a well-formed mask. I and J are 0-based positions in the mask
// and the text; Term is always an exclusive end in the mask.
//
// A list of alternatives or an open repetition may be tried again at a place in the text where
// it was already worked out: each pass of an outer repetition retries the alternatives that
// failed at the last place, and each retry runs the inner repetitions to their end. So that
// nesting costs no power of the text's length, a match with repetitions first decides without
// touching the text and remembers every outcome by where it started; then it converts the text
// along the alternatives that won, retrying nothing. With one repetition at most, no retry runs
// further than the mask is long, and the match converts as it goes.
class TwwPictureMatch {
public:
    // Close is what IsWellFormed found in Mask.
    TwwPictureMatch(const std::string& Mask, const std::vector<size_t>& Close, std::string& Text)
        : FMask(Mask),
          FClose(Close),
          FText(Text),
          FRemembering(std::count(Mask.begin(), Mask.end(), '*') > 1),
          FNextAlternative(Mask.size()) {}

    TwwPictureResult Run() {
        FOriginal = FText;
        FConverted = 0;
        FKnown.clear();
        FRepeated.clear();
        if (FRemembering) {
            FConverting = false;
            I = 0;
            J = 0;
            MatchAlternatives(FMask.size());
        }
        FConverting = true;
        I = 0;
        J = 0;
        return MatchAlternatives(FMask.size());
    }

    size_t I = 0;
    size_t J = 0;

private:
    // Where a list of alternatives or a repetition starts: outcomes are remembered by it.
    struct TPlace {
        size_t I, J, Term;
        bool operator==(const TPlace&) const = default;
    };
    struct TPlaceHash {
        size_t operator()(const TPlace& P) const {
            size_t h = P.I;
            h = h * 0x9E3779B97F4A7C15ull + P.J;
            return h * 0x9E3779B97F4A7C15ull + P.Term;
        }
    };
    // Where a repetition ends.
    struct TRepeated {
        TwwPictureResult R;
        size_t I, J;
    };

    // Where a list of alternatives ends and which of them won, with the trailing-space flag
    // it found.
    struct TOutcome {
        TwwPictureResult R;
        size_t I, J;
        size_t Winner;
        bool TrailingSpace;
    };
    static constexpr size_t NoWinner = SIZE_MAX;

    char At(size_t K) const { return K < FMask.size() ? FMask[K] : '\0'; }

    void Consume(char C) {
        if (FConverting) {
            FText[J] = C;
            FConverted = std::max(FConverted, J + 1);
        }
        ++J;
        ++I;
    }

    // An alternative that did not hold must leave the text from From on as it was typed, or
    // the next alternative reads its conversions ("@" would take the "A" that a failed "&"
    // made of "a").
    void Restore(size_t From) {
        if (From >= FConverted) return;
        std::copy(FOriginal.begin() + static_cast<std::ptrdiff_t>(From),
                  FOriginal.begin() + static_cast<std::ptrdiff_t>(FConverted),
                  FText.begin() + static_cast<std::ptrdiff_t>(From));
        FConverted = From;
    }

    // The position after the element at K: a character, an escaped literal, a repetition with
    // its element, or a group with its closing bracket.
    size_t SkipElement(size_t K, size_t Term) const {
        if (K >= Term) return K;
        switch (FMask[K]) {
            case '[':
            case '{':
                return FClose[K] + 1;
            case ';':
                return K + 2;
            case '*':
                ++K;
                while (K < Term && IsDigit(FMask[K]))
                    ++K;
                return SkipElement(K, Term);
            default:
                return K + 1;
        }
    }

    bool NextAlternative(size_t Term) {
        TNextAlternative& known = FNextAlternative[I];
        if (known.Term != Term) {
            size_t k = I;
            while (k < Term && FMask[k] != ',')
                k = SkipElement(k, Term);
            known = {Term, k < Term ? k + 1 : k};
        }
        I = known.Next;
        return I < Term;
    }

    // Among the alternatives from I to Term the first that matches wins, but one that is
    // complete beats an earlier incomplete one only when it took at least as much text.
    TwwPictureResult MatchAlternatives(size_t Term) {
        const TPlace place{I, J, Term};
        // A list of one element is as quickly matched as looked up.
        const bool remember = FRemembering && Term - I > 2;
        if (remember) {
            if (const auto known = FKnown.find(place); known != FKnown.end())
                return Replay(known->second, Term);
        }
        size_t oldI = I, oldJ = J;
        bool incomplete = false;
        size_t incompleteI = 0, incompleteJ = 0;
        size_t incompleteFrom = 0;  // where the first incomplete alternative starts in the mask
        bool incompleteSpace = false;
        std::string incompleteText;  // what it made of the text
        bool trailingSpace = false;
        TwwPictureResult r;
        for (;;) {
            const bool spaceBefore = trailingSpace;
            r = ScanAlternative(Term, trailingSpace);
            if (IsComplete(r) && incomplete && J < incompleteJ) {
                r = picIncomplete;
                J = incompleteJ;
            }
            if (r != picError && r != picIncomplete) {
                if (r == picComplete && incomplete) r = picAmbiguous;
                return Remember(remember, place, {r, I, J, oldI, spaceBefore});
            }
            if (!incomplete && r == picIncomplete) {
                incomplete = true;
                incompleteI = I;
                incompleteJ = J;
                incompleteFrom = oldI;
                incompleteSpace = spaceBefore;
                if (FConverting) incompleteText.assign(FText, oldJ, J - oldJ);
            }
            I = oldI;
            J = oldJ;
            Restore(J);
            if (!NextAlternative(Term)) {
                if (!incomplete) return Remember(remember, place, {r, I, J, NoWinner, false});
                I = incompleteI;
                J = incompleteJ;
                if (FConverting) {
                    std::copy(incompleteText.begin(), incompleteText.end(),
                              FText.begin() + static_cast<std::ptrdiff_t>(oldJ));
                    FConverted = std::max(FConverted, J);
                }
                return Remember(remember, place,
                                {picIncomplete, I, J, incompleteFrom, incompleteSpace});
            }
            oldI = I;
        }
    }

    TwwPictureResult Remember(bool Wanted, const TPlace& Place, const TOutcome& Outcome) {
        if (Wanted && FKnown.size() < MaxKnownOutcomes) FKnown.emplace(Place, Outcome);
        return Outcome.R;
    }

    // While deciding, a known outcome is taken as it is; while converting, the alternative
    // that won runs again, for its conversions only.
    TwwPictureResult Replay(const TOutcome& Known, size_t Term) {
        if (FConverting && Known.Winner != NoWinner) {
            I = Known.Winner;
            bool trailingSpace = Known.TrailingSpace;
            ScanAlternative(Term, trailingSpace);
        }
        I = Known.I;
        J = Known.J;
        return Known.R;
    }

    TwwPictureResult ScanAlternative(size_t Term, bool& TrailingSpace) {
        TwwPictureResult r = picEmpty;
        while (I < Term && FMask[I] != ',') {
            if (J >= FText.size()) return SkipOptionalRest(r, I, Term);
            const char c = FText[J];
            switch (FMask[I]) {
                case '#':
                    if (!IsDigit(c)) return picError;
                    Consume(c);
                    break;
                case '?':
                    if (!IsLetter(c)) return picError;
                    Consume(c);
                    break;
                case '&':
                    if (!IsLetter(c)) return picError;
                    Consume(AnsiUpperChar(c));
                    break;
                case '~':
                    if (!IsLetter(c)) return picError;
                    Consume(AnsiLowerChar(c));
                    break;
                case '!':
                    Consume(AnsiUpperChar(c));
                    break;
                case '@':
                    Consume(c);
                    break;
                case '*':
                    r = MatchRepetition(Term);
                    if (!IsComplete(r)) return r;
                    break;
                case '{':
                    r = MatchGroup(Term);
                    if (!IsComplete(r)) return r;
                    break;
                case '[':
                    r = MatchGroup(Term);
                    if (IsIncomplete(r)) return r;
                    if (r == picError) r = picAmbiguous;
                    break;
                default:
                    if (!MatchLiteral(c, TrailingSpace)) return picError;
                    break;
            }
            r = r == picAmbiguous ? picIncompleteNoFill : picIncomplete;
        }
        return r == picIncompleteNoFill ? picAmbiguous : picComplete;
    }

    // A space typed as the text's last character stands for whatever literal is due, once per
    // list of alternatives; the text then holds the literal.
    bool MatchLiteral(char C, bool& TrailingSpace) {
        if (FMask[I] == ';') ++I;
        const char literal = At(I);
        const bool last = J + 1 == FText.size();
        if (AsciiUpper(C) == AsciiUpper(literal)) {
            if (C == ' ' && last) TrailingSpace = true;
        } else if (C != ' ' || !last || TrailingSpace) {
            return false;
        }
        Consume(literal);
        return true;
    }

    TwwPictureResult MatchRepetition(size_t Term) {
        ++I;
        // Past the text's length every further pass would take nothing, so the count saturates.
        size_t count = 0;
        while (I < Term && IsDigit(FMask[I])) {
            const size_t digit = static_cast<size_t>(FMask[I] - '0');
            count = count > (std::numeric_limits<size_t>::max() - digit) / 10
                        ? std::numeric_limits<size_t>::max()
                        : count * 10 + digit;
            ++I;
        }
        const size_t k = I;
        const size_t newTerm = SkipElement(k, Term);
        // Each pass starts the same repetition afresh, so all passes end where the first one
        // does. A count larger than the text left cannot be used up by passes that take text,
        // so such a repetition ends as an open one does; while deciding, its end is remembered
        // for the start of every pass.
        const bool remember =
            FRemembering && !FConverting && (count == 0 || count > FText.size() - J);
        std::vector<size_t> starts;
        TwwPictureResult r = picComplete;
        size_t end = newTerm;
        for (size_t pass = 0; count == 0 || pass < count; ++pass) {
            I = k;
            const size_t before = J;
            if (remember) {
                const auto known = FRepeated.find({k, J, newTerm});
                if (known != FRepeated.end()) {
                    r = known->second.R;
                    end = known->second.I;
                    J = known->second.J;
                    break;
                }
                starts.push_back(J);
            }
            r = MatchAlternatives(newTerm);
            if (count == 0) {
                if (J != before && IsComplete(r)) continue;
                if (r == picEmpty || r == picError) r = picAmbiguous;
                break;
            }
            if (!IsComplete(r)) {
                if (r == picEmpty) r = At(I) == '[' ? picComplete : picIncomplete;
                end = I;
                break;
            }
            // A pass that took no text leaves everything as the next one would find it.
            if (J == before) break;
        }
        for (size_t from : starts) {
            if (FRepeated.size() >= MaxKnownOutcomes) break;
            FRepeated.emplace(TPlace{k, from, newTerm}, TRepeated{r, end, J});
        }
        I = end;
        return r;
    }

    TwwPictureResult MatchGroup(size_t Term) {
        const size_t end = SkipElement(I, Term);
        ++I;
        const TwwPictureResult r = MatchAlternatives(end - 1);
        if (!IsIncomplete(r)) I = end;
        return r;
    }

    // The text ran out at K: the rest may be absent when it holds only optional parts, open
    // repetitions and groups with an alternative that may itself be absent.
    TwwPictureResult SkipOptionalRest(TwwPictureResult R, size_t K, size_t Term) const {
        if (!IsIncomplete(R)) return R;
        while (K < Term) {
            switch (FMask[K]) {
                case '*': {
                    // Any number of times, or any count of an optional group, may be none.
                    size_t element = K + 1;
                    bool counted = false;
                    for (; element < Term && IsDigit(FMask[element]); ++element)
                        counted = counted || FMask[element] != '0';
                    if (counted && (element >= Term || FMask[element] != '[')) return R;
                    K = SkipElement(element, Term);
                    break;
                }
                case '[':
                    K = SkipElement(K, Term);
                    break;
                case ',':
                    // The alternative is done; the ones after it do not count.
                    K = Term;
                    break;
                case '{': {
                    const size_t end = SkipElement(K, Term);
                    if (!AnyAlternativeSkippable(K, end - 1)) return R;
                    K = end;
                    break;
                }
                default:
                    return R;
            }
        }
        return picAmbiguous;
    }

    // Start is at "{" and Stop at its "}".
    bool AnyAlternativeSkippable(size_t Start, size_t Stop) const {
        size_t p = Start + 1;
        for (;;) {
            size_t q = p;
            while (q < Stop && FMask[q] != ',')
                q = SkipElement(q, Stop);
            if (SkipOptionalRest(picIncomplete, p, q) == picAmbiguous) return true;
            p = q + 1;
            if (p > Stop) return false;
        }
    }

    struct TNextAlternative {
        size_t Term = SIZE_MAX;  // none known yet
        size_t Next = 0;
    };

    const std::string& FMask;
    const std::vector<size_t>& FClose;
    std::string& FText;
    std::string FOriginal;  // the text as this run found it
    size_t FConverted = 0;  // from here on the text is as this run found it
    // A repetition in a repetition may run again from one place.
    const bool FRemembering;
    bool FConverting = false;
    std::unordered_map<TPlace, TOutcome, TPlaceHash> FKnown;
    std::unordered_map<TPlace, TRepeated, TPlaceHash> FRepeated;
    // Where the alternative after the one that starts at a position begins, so a repetition
    // that tries the same alternatives pass after pass walks them once.
    std::vector<TNextAlternative> FNextAlternative;
};

// Matches all of Text; I is where the mask stopped.
TwwPictureResult MatchWhole(const std::string& Mask, const std::vector<size_t>& Close,
                            std::string& Text, size_t& I) {
    TwwPictureMatch match(Mask, Close, Text);
    TwwPictureResult r = match.Run();
    if (r != picError && match.J < Text.size()) r = picError;
    I = match.I;
    return r;
}

}  // namespace

TwwPictureValidator::TwwPictureValidator(const std::string& AMask, bool AutoFill) : Mask(AMask) {
    if (AutoFill) Options |= voFill;
    std::string empty;
    if (MatchPicture(empty, false) != picEmpty) Status = vsSyntax;
}

bool TwwPictureValidator::CheckInput(std::string& Text, bool SuppressFill) {
    return MatchPicture(Text, (Options & voFill) != 0 && !SuppressFill) != picError;
}

bool TwwPictureValidator::CheckText(const std::string& Text) {
    std::string copy = Text;
    const TwwPictureResult r = MatchPicture(copy, false);
    return r == picComplete || r == picEmpty;
}

TwwPictureResult TwwPictureValidator::MatchPicture(std::string& Text, bool AutoFill) {
    std::vector<size_t> close;
    if (!IsWellFormed(Mask, close)) return picSyntax;
    if (Text.empty()) return picEmpty;
    std::string text = Text;
    size_t i = 0;
    TwwPictureResult r = MatchWhole(Mask, close, text, i);
    if (r == picIncomplete && AutoFill) {
        // The literals that must come next are typed for the user, then the text is matched
        // again so that they are checked like typed ones. A fill the text then fails, as after
        // an open repetition that stopped short, is not made: the text typed so far still fits.
        std::string filled = text;
        while (i < Mask.size() && !IsSpecial(Mask[i])) {
            if (Mask[i] == ';') ++i;
            filled += Mask[i++];
        }
        if (filled.size() > text.size()) {
            const TwwPictureResult again = MatchWhole(Mask, close, filled, i);
            if (again != picError) {
                r = again;
                text = std::move(filled);
            }
        }
    }
    if (r == picAmbiguous) r = picComplete;
    if (r == picIncompleteNoFill) r = picIncomplete;
    Text = std::move(text);
    return r;
}

bool wwPassesPicture(const std::string& Mask, const std::string& Text) {
    if (Text.empty()) return true;
    TwwPictureValidator validator(Mask, false);
    std::string copy = Text;
    return validator.MatchPicture(copy, false) == picComplete;
}

}  // namespace vex
