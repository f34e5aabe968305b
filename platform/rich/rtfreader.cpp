#include "platform/rich/rtfreader.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <unordered_map>

#include "platform/core/codepage.h"
#include "platform/core/stringutils.h"
#include "platform/rich/richdocument.h"
#include "platform/rich/richobjectkinds.h"
#include "platform/rich/rtfkeywords.h"

namespace vex {

namespace {

using K = TRtfKeyword;

enum class TDestination : uint8_t {
    Text,
    Skip,
    Object,
    ObjectClass,
    ObjectData,
    FontTable,
    ColorTable,
    Numbering
};

// What a group carries: RTF keeps character and paragraph properties per group, so a closing
// brace brings back the ones in force at its opening brace.
struct TGroupState {
    TDestination Destination = TDestination::Text;
    int32_t Font = -1;  // -1: the default font
    int32_t HalfPoints = 24;
    int32_t ColorIndex = 0;
    bool Bold = false, Italic = false, Underline = false, StrikeOut = false, Protected = false;
    bool Hidden = false;
    int32_t UnicodeSkip = 1;
    int32_t NumberingOwner = -1;  // in a numbering group, the state whose paragraph it numbers
    TRichParaFormat Para;
    int32_t LeftIndent = 0, FirstIndent = 0, LineSpacing = 0;
    bool LineMultiple = false;
    bool InTable = false;
};

// An \object group being read while objects may be made: what it says of itself until its
// \result (or its end) decides whether an object stands in its place.
struct TPendingObject {
    size_t Depth = 0;  // the object group's place on the stack of groups
    std::string Class;
    std::string Data;
    int HighNibble = -1;  // of a byte whose low half is still to come
    bool HasData = false;
    bool Unreadable = false;
    int32_t Width = 0, Height = 0;
};

struct TFontEntry {
    std::string Face;
    int32_t Charset = ANSI_CHARSET;
    uint8_t Pitch = 0;
};

int32_t Saturate(int64_t Value) {
    return static_cast<int32_t>(std::clamp<int64_t>(Value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

bool IsLetter(char C) {
    return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}
bool IsDigit(char C) {
    return C >= '0' && C <= '9';
}

class TRtfParser {
public:
    TRtfParser(TRichDocument& Target, const TRtfLimits& Limits, const TRichObjectKinds* ObjectKinds,
               std::vector<std::string>& Warnings)
        : FTarget(Target), FLimits(Limits), FObjectKinds(ObjectKinds), FWarnings(Warnings) {}

    TRichFragment Parse(std::string_view Input);

private:
    void Warn(const std::string& Text);
    TGroupState& Top() { return FStates.back(); }
    void OpenGroup();
    void CloseGroup();
    void ReadControl();
    void ReadControlSymbol(char C);
    void Apply(std::string_view Name, bool HasParameter, int32_t Parameter);
    void ApplyToText(const TRtfWord& Word, bool HasParameter, int32_t Parameter);
    void ApplyToObject(std::string_view Name, TRtfKeyword Keyword, int32_t Parameter);
    bool IsObjectPart(std::string_view Name);
    void ObjectCharacter(char C);
    bool MakeObject();
    void ReadTextRun();
    void Character(char C, bool Escaped);
    void AppendText(std::string_view Chars);
    void FlushBlank();
    void EndParagraph();
    void EndRow();
    void CloseParagraph(bool Row);
    void ApplyToRow(const TRtfWord& Word, int32_t Parameter);
    int32_t CharFormat();
    int32_t ParaFormat(bool Row = false);
    void CommitFont();
    void CommitColor();
    void CharFormatChanged() { FCharFormat = -1; }

    TRichDocument& FTarget;
    const TRtfLimits& FLimits;
    const TRichObjectKinds* FObjectKinds;
    std::vector<std::string>& FWarnings;
    std::optional<TPendingObject> FObject;
    std::string_view FIn;
    size_t FAt = 0;
    std::vector<TGroupState> FStates;
    int64_t FOverflowDepth = 0;  // groups past the depth cap, skipped whole
    bool FDone = false;
    bool FStarPending = false;
    int32_t FPendingSkip = 0;
    int64_t FTextCount = 0;
    int32_t FCharFormat = -1;  // interned format of the top state, -1 when to be worked out
    int32_t FFinalParaFormat = -1;
    TRichFragment FFragment;

    std::unordered_map<int32_t, TFontEntry> FFonts;
    int32_t FDefaultFont = 0;
    bool FFontPending = false;
    int32_t FFontNumber = 0;
    TFontEntry FFontEntry;

    // The row being defined: its cells and their spacing, and the borders of the cell whose
    // edge comes next. A row's paragraphs are read as one, each of its cells ended by a cell
    // mark and each paragraph end inside a cell a cell break. A table inside a cell is read
    // flat: its cells' texts apart by a blank, owed until more text follows.
    TRichParaFormat FRow;
    uint8_t FCellBorders = 0;
    uint8_t FLastBorder = 0;
    bool FBlankPending = false;

    std::vector<int64_t> FColors;  // -1 for automatic
    int32_t FRed = 0, FGreen = 0, FBlue = 0;
    bool FColorSet = false;
};

void TRtfParser::Warn(const std::string& Text) {
    if (std::find(FWarnings.begin(), FWarnings.end(), Text) == FWarnings.end())
        FWarnings.push_back(Text);
}

TRichFragment TRtfParser::Parse(std::string_view Input) {
    if (!LooksLikeRtf(Input)) throw ERtfError("The text is not in RTF format");
    FIn = Input;
    FStates.reserve(64);
    while (FAt < FIn.size() && !FDone) {
        const char c = FIn[FAt];
        if (FOverflowDepth > 0) {
            ++FAt;
            if (c == '{') ++FOverflowDepth;
            if (c == '}') --FOverflowDepth;
            if (c == '\\') ++FAt;
            continue;
        }
        switch (c) {
            case '{':
                ++FAt;
                OpenGroup();
                break;
            case '}':
                ++FAt;
                CloseGroup();
                break;
            case '\\':
                ++FAt;
                ReadControl();
                break;
            case '\r':
            case '\n':
                ++FAt;
                break;
            default:
                ReadTextRun();
        }
    }
    if (!FDone) {
        Warn("The document ends before its last group closes");
        if (!FStates.empty()) FFinalParaFormat = ParaFormat();
    }
    FFragment.Paragraphs.back().Format =
        FFinalParaFormat >= 0 ? FFinalParaFormat : FTarget.DefaultParaFormat();
    return std::move(FFragment);
}

void TRtfParser::OpenGroup() {
    FPendingSkip = 0;
    FStarPending = false;
    if (static_cast<int64_t>(FStates.size()) >= FLimits.MaxDepth) {
        Warn("Groups nested too deeply were left out");
        FOverflowDepth = 1;
        return;
    }
    if (FStates.empty())
        FStates.emplace_back();
    else
        FStates.push_back(FStates.back());
}

void TRtfParser::CloseGroup() {
    FPendingSkip = 0;
    FStarPending = false;
    if (Top().Destination == TDestination::FontTable && FFontPending) CommitFont();
    if (FObject && FStates.size() == FObject->Depth) {
        MakeObject();  // an object without a \result
        FObject.reset();
    }
    if (FStates.size() == 1) {
        FFinalParaFormat = ParaFormat();
        FDone = true;
    }
    FStates.pop_back();
    CharFormatChanged();
}

void TRtfParser::ReadControl() {
    if (FAt >= FIn.size()) return;
    if (!IsLetter(FIn[FAt])) {
        ReadControlSymbol(FIn[FAt++]);
        return;
    }
    const size_t start = FAt;
    while (FAt < FIn.size() && IsLetter(FIn[FAt]))
        ++FAt;
    const std::string_view name = FIn.substr(start, FAt - start);

    bool negative = false, hasParameter = false, tooLarge = false;
    int64_t value = 0;
    if (FAt + 1 < FIn.size() && FIn[FAt] == '-' && IsDigit(FIn[FAt + 1])) {
        negative = true;
        ++FAt;
    }
    while (FAt < FIn.size() && IsDigit(FIn[FAt])) {
        hasParameter = true;
        if (value <= std::numeric_limits<int32_t>::max())
            value = value * 10 + (FIn[FAt] - '0');
        else
            tooLarge = true;
        ++FAt;
    }
    if (FAt < FIn.size() && FIn[FAt] == ' ') ++FAt;
    if (tooLarge || value > std::numeric_limits<int32_t>::max())
        Warn("A number beyond 32 bits was cut to the nearest one within them");

    if (name.size() > static_cast<size_t>(FLimits.MaxWordLength)) {
        Warn("An overlong control word was ignored");
        return;
    }
    Apply(name, hasParameter, Saturate(negative ? -value : value));
}

void TRtfParser::ReadControlSymbol(char C) {
    switch (C) {
        case '\\':
        case '{':
        case '}':
            Character(C, true);
            break;
        case '\'': {
            const int high = FAt < FIn.size() ? HexDigit(FIn[FAt]) : -1;
            const int low = FAt + 1 < FIn.size() ? HexDigit(FIn[FAt + 1]) : -1;
            if (high < 0 || low < 0) {
                Warn("A character escape without two hexadecimal digits was ignored");
                return;
            }
            FAt += 2;
            Character(static_cast<char>(high << 4 | low), true);
            break;
        }
        case '~':
            Character('\xA0', true);
            break;
        case '-':
            Character('\xAD', true);
            break;
        case '_':
            Character('-', true);
            break;
        case '*':
            FStarPending = true;
            break;
        case '\r':
        case '\n':
            if (FPendingSkip > 0)
                --FPendingSkip;
            else
                EndParagraph();
            break;
        default:
            break;
    }
}

void TRtfParser::Apply(std::string_view Name, bool HasParameter, int32_t Parameter) {
    const TRtfWord word = LookUpRtfWord(Name);
    // Binary bytes are no RTF whatever group they stand in, and stand for one character of a
    // unicode word's fallback.
    if (word.Keyword == K::Bin) {
        const size_t length = HasParameter ? static_cast<size_t>(std::max(Parameter, 0)) : 0;
        if (length > FIn.size() - FAt) Warn("Binary data runs past the end of the document");
        if (FObject && Top().Destination == TDestination::ObjectData) FObject->Unreadable = true;
        FAt += std::min(length, FIn.size() - FAt);
        if (FPendingSkip > 0) --FPendingSkip;
        return;
    }
    TGroupState& state = Top();
    if (FStarPending) {
        FStarPending = false;
        if (word.Keyword != K::Numbering && !IsObjectPart(Name)) {
            state.Destination = TDestination::Skip;
            return;
        }
    }
    if (state.Destination == TDestination::Skip) return;
    // Inside a pending object's group, its class and data too, words speak of the object: a
    // \result there is its result, shown only when no object is made.
    if (state.Destination == TDestination::Object || FObject) {
        ApplyToObject(Name, word.Keyword, Parameter);
        return;
    }
    if (FPendingSkip > 0 && state.Destination == TDestination::Text) {
        --FPendingSkip;
        return;
    }
    switch (word.Keyword) {
        case K::FontTable:
            state.Destination = TDestination::FontTable;
            return;
        case K::ColorTable:
            state.Destination = TDestination::ColorTable;
            return;
        case K::SkippedDestination:
            state.Destination = TDestination::Skip;
            return;
        case K::Object:
            state.Destination = TDestination::Object;
            if (FObjectKinds != nullptr) {
                FObject.emplace();
                FObject->Depth = FStates.size();
            }
            return;
        case K::Result:
        case K::FieldResult:
            state.Destination = TDestination::Text;
            return;
        case K::Numbering:
            state.Destination = TDestination::Numbering;
            state.NumberingOwner = static_cast<int32_t>(FStates.size()) - 2;
            return;
        case K::BulletLevel:
            if (state.Destination != TDestination::Numbering)
                state.Para.Numbering = PFN_BULLET;
            else if (state.NumberingOwner >= 0)
                FStates[state.NumberingOwner].Para.Numbering = PFN_BULLET;
            return;
        default:
            break;
    }
    switch (state.Destination) {
        case TDestination::FontTable:
            if (word.Keyword == K::Font) {
                if (FFontPending) CommitFont();
                FFontPending = true;
                FFontNumber = Parameter;
                FFontEntry = {};
            } else if (word.Keyword == K::FontCharset) {
                FFontEntry.Charset = Parameter;
            } else if (word.Keyword == K::FontPitch) {
                FFontEntry.Pitch = static_cast<uint8_t>(std::clamp(Parameter, 0, 2));
            }
            return;
        case TDestination::ColorTable:
            if (word.Keyword == K::Red || word.Keyword == K::Green || word.Keyword == K::Blue) {
                int32_t& part = word.Keyword == K::Red     ? FRed
                                : word.Keyword == K::Green ? FGreen
                                                           : FBlue;
                part = std::clamp(Parameter, 0, 255);
                FColorSet = true;
            }
            return;
        case TDestination::Text:
            ApplyToText(word, HasParameter, Parameter);
            return;
        default:
            return;
    }
}

void TRtfParser::ApplyToText(const TRtfWord& Word, bool HasParameter, int32_t Parameter) {
    TGroupState& state = Top();
    const bool on = !HasParameter || Parameter != 0;
    switch (Word.Keyword) {
        case K::Mac:
        case K::Pc:
        case K::Pca:
            Warn("Text of a code page other than Windows-1252 was read as Windows-1252");
            return;
        case K::AnsiCodePage:
            if (Parameter != 1252)
                Warn("Text of a code page other than Windows-1252 was read as Windows-1252");
            return;
        case K::DefaultFont:
            FDefaultFont = Parameter;
            CharFormatChanged();
            return;
        case K::UnicodeSkip:
            state.UnicodeSkip = std::clamp(Parameter, 0, 64);
            return;
        case K::Unicode: {
            if (!HasParameter) return;
            const int32_t code = Parameter < 0 ? Parameter + 65536 : Parameter;
            const char c = code >= 0 ? UnicodeToWin1252(static_cast<char32_t>(code)) : '?';
            if (c == '?' && code != '?') return;  // the fallback text that follows stands in
            Character(c, true);
            FPendingSkip = state.UnicodeSkip;
            return;
        }
        case K::Font:
            state.Font = Parameter;
            break;
        case K::Plain:
            state.Font = -1;
            state.HalfPoints = 24;
            state.ColorIndex = 0;
            state.Bold = state.Italic = state.Underline = state.StrikeOut = false;
            state.Protected = state.Hidden = false;
            break;
        case K::Bold:
            state.Bold = on;
            break;
        case K::Italic:
            state.Italic = on;
            break;
        case K::Underline:
            state.Underline = on;
            break;
        case K::UnderlineNone:
            state.Underline = false;
            break;
        case K::Strike:
            state.StrikeOut = on;
            break;
        case K::FontSize:
            state.HalfPoints = Parameter > 0 ? std::min(Parameter, MaxFontSize / 10) : 24;
            break;
        case K::Color:
            state.ColorIndex = Parameter;
            break;
        case K::Protect:
            state.Protected = on;
            break;
        case K::Hidden:
            state.Hidden = on;
            return;
        case K::ParagraphDefault:
            state.Para = {};
            state.InTable = false;
            state.LeftIndent = state.FirstIndent = state.LineSpacing = 0;
            state.LineMultiple = false;
            return;
        case K::AlignLeft:
            state.Para.Alignment = PFA_LEFT;
            return;
        case K::AlignRight:
            state.Para.Alignment = PFA_RIGHT;
            return;
        case K::AlignCenter:
            state.Para.Alignment = PFA_CENTER;
            return;
        case K::AlignJustify:
            state.Para.Alignment = PFA_JUSTIFY;
            return;
        case K::LeftIndent:
            state.LeftIndent = Parameter;
            return;
        case K::RightIndent:
            state.Para.RightIndent = Parameter;
            return;
        case K::FirstIndent:
            state.FirstIndent = Parameter;
            return;
        case K::SpaceBefore:
            state.Para.SpaceBefore = Parameter;
            return;
        case K::SpaceAfter:
            state.Para.SpaceAfter = Parameter;
            return;
        case K::LineSpacing:
            state.LineSpacing = Parameter;
            return;
        case K::LineMultiple:
            state.LineMultiple = on;
            return;
        case K::Tab:
            if (!state.Para.AddTab(Parameter))
                Warn("Tab stops past the 32nd of a paragraph were left out");
            return;
        case K::ListItem:
            if (Parameter > 0) state.Para.Numbering = PFN_BULLET;
            return;
        case K::TabChar:
            // In a row the tab ends a cell; one inside a cell's text stays a gap.
            Character(state.InTable ? ' ' : '\t', true);
            return;
        case K::Cell:
            FBlankPending = false;
            Character(RichCellMark, true);
            return;
        case K::NestedCell:
            if (state.Destination == TDestination::Text) FBlankPending = true;
            return;
        case K::ParagraphEnd:
            EndParagraph();
            return;
        case K::RowEnd:
            EndRow();
            return;
        case K::InTable:
            state.InTable = true;
            return;
        case K::RowDefaults:
        case K::RowGap:
        case K::RowLeft:
        case K::CellEdge:
        case K::CellBorder:
        case K::BorderNone:
            ApplyToRow(Word, Parameter);
            return;
        case K::Symbol:
            if (Word.Char != 0) Character(Word.Char, true);
            return;
        default:
            return;
    }
    CharFormatChanged();
}

void TRtfParser::ReadTextRun() {
    const TGroupState& state = Top();
    if (state.Destination != TDestination::Text || state.Hidden || FPendingSkip > 0) {
        Character(FIn[FAt++], false);
        return;
    }
    const size_t end = FIn.find_first_of("{}\\\r\n", FAt);
    const size_t stop = end == std::string_view::npos ? FIn.size() : end;
    AppendText(FIn.substr(FAt, stop - FAt));
    FAt = stop;
}

void TRtfParser::Character(char C, bool Escaped) {
    if (FPendingSkip > 0) {
        --FPendingSkip;
        return;
    }
    const TGroupState& state = Top();
    switch (state.Destination) {
        case TDestination::Text:
            if (state.Hidden) return;
            // A paragraph end inside a paragraph's text would break the count of positions.
            if (C == '\r' || C == '\n')
                EndParagraph();
            else
                AppendText(std::string_view(&C, 1));
            return;
        case TDestination::FontTable:
            if (C == ';' && !Escaped)
                CommitFont();
            else if (FFontPending && FFontEntry.Face.size() < 256)
                FFontEntry.Face.push_back(C);
            return;
        case TDestination::ColorTable:
            if (C == ';' && !Escaped) CommitColor();
            return;
        case TDestination::ObjectClass:
        case TDestination::ObjectData:
            ObjectCharacter(C);
            return;
        default:
            return;
    }
}

void TRtfParser::ApplyToRow(const TRtfWord& Word, int32_t Parameter) {
    switch (Word.Keyword) {
        case K::RowDefaults:
            FRow = {};
            FCellBorders = FLastBorder = 0;
            return;
        case K::RowGap:
            FRow.CellGap = Parameter;
            return;
        case K::RowLeft:
            FRow.RowLeft = Parameter;
            return;
        case K::CellBorder:
            FCellBorders |= Word.Side;
            FLastBorder = Word.Side;
            return;
        case K::BorderNone:
            FCellBorders &= static_cast<uint8_t>(~FLastBorder);
            return;
        case K::CellEdge:
            if (!FRow.AddCell({Parameter, FCellBorders}))
                Warn("Cells past the 63rd of a table row were left out");
            FCellBorders = FLastBorder = 0;
            return;
        default:
            return;
    }
}

void TRtfParser::FlushBlank() {
    if (!FBlankPending) return;
    FBlankPending = false;
    AppendText(" ");
}

void TRtfParser::AppendText(std::string_view Chars) {
    if (!Chars.empty()) FlushBlank();
    if (FTextCount + static_cast<int64_t>(Chars.size()) > FLimits.MaxText) {
        Warn("Text past the size limit was left out");
        Chars = Chars.substr(
            0, static_cast<size_t>(std::max<int64_t>(0, FLimits.MaxText - FTextCount)));
    }
    FTextCount += static_cast<int64_t>(Chars.size());
    FFragment.Paragraphs.back().Append(Chars, CharFormat());
}

void TRtfParser::EndParagraph() {
    if (Top().InTable) {
        FBlankPending = false;
        if (Top().Destination == TDestination::Text) Character(RichCellBreak, true);
        return;
    }
    CloseParagraph(false);
}

void TRtfParser::EndRow() {
    FBlankPending = false;
    CloseParagraph(true);
}

void TRtfParser::CloseParagraph(bool Row) {
    const TDestination destination = Top().Destination;
    if (destination != TDestination::Text) return;
    if (FTextCount >= FLimits.MaxText) {
        Warn("Text past the size limit was left out");
        return;
    }
    if (static_cast<int64_t>(FFragment.Paragraphs.size()) >= FLimits.MaxParagraphs) {
        Warn("Paragraph ends past the limit of paragraphs were left out");
        return;
    }
    ++FTextCount;
    FFragment.EndParagraph(ParaFormat(Row));
}

// The parts of an object group read while objects may be made; in a group of their own behind
// "\*", as writers put them.
bool TRtfParser::IsObjectPart(std::string_view Name) {
    return FObject && Top().Destination == TDestination::Object &&
           (Name == "objdata" || Name == "objclass");
}

void TRtfParser::ApplyToObject(std::string_view Name, TRtfKeyword Keyword, int32_t Parameter) {
    TGroupState& state = Top();
    if (Keyword == K::Result) {
        // The result stands in for an object that could not be made, and only then.
        const bool made = FObject && MakeObject();
        FObject.reset();
        state.Destination = made ? TDestination::Skip : TDestination::Text;
        return;
    }
    if (!FObject) return;
    if (Name == "objdata") {
        state.Destination = TDestination::ObjectData;
        FObject->HasData = true;
    } else if (Name == "objclass") {
        state.Destination = TDestination::ObjectClass;
    } else if (Name == "objw") {
        FObject->Width = Parameter;
    } else if (Name == "objh") {
        FObject->Height = Parameter;
    }
}

void TRtfParser::ObjectCharacter(char C) {
    if (!FObject) return;
    TPendingObject& object = *FObject;
    if (Top().Destination == TDestination::ObjectClass) {
        if (object.Class.size() < 256)
            object.Class.push_back(C);
        else
            object.Unreadable = true;
        return;
    }
    if (C == ' ' || C == '\t') return;
    const int nibble = HexDigit(C);
    if (nibble < 0) {
        object.Unreadable = true;
        return;
    }
    if (object.HighNibble < 0) {
        object.HighNibble = nibble;
        return;
    }
    if (static_cast<int64_t>(object.Data.size()) >= FLimits.MaxObjectData) {
        if (!object.Unreadable) Warn("An object whose data passed the size limit was left out");
        object.Unreadable = true;
    } else {
        object.Data.push_back(static_cast<char>(object.HighNibble << 4 | nibble));
    }
    object.HighNibble = -1;
}

// Puts the object the pending group describes into the text; false, with a warning when data
// was there, when it cannot be made.
bool TRtfParser::MakeObject() {
    const TPendingObject& pending = *FObject;
    if (!pending.HasData) return false;
    if (pending.Unreadable || pending.HighNibble >= 0) {
        Warn("An object with unreadable data was shown as its result");
        return false;
    }
    const std::string className = Trim(pending.Class);
    if (FObjectKinds->Find(className) == nullptr) {
        Warn("An object of a class no kind is registered for was shown as its result");
        return false;
    }
    if (FTextCount >= FLimits.MaxText) {
        Warn("Text past the size limit was left out");
        return false;
    }
    std::shared_ptr<IRichObject> object;
    try {
        object = FObjectKinds->Create(className);
        object->Load(pending.Data);
        if (pending.Width > 0 && pending.Height > 0)
            object->SetExtent({std::min(pending.Width, MaxObjectExtent),
                               std::min(pending.Height, MaxObjectExtent)});
    } catch (const std::exception&) {
        // Whatever the kind's code makes of hostile data, reading goes on with the result.
        Warn("An object whose data its kind could not load was shown as its result");
        return false;
    }
    FlushBlank();
    ++FTextCount;
    FFragment.Paragraphs.back().AppendObject(CharFormat(), FTarget.AddObject(std::move(object)));
    return true;
}

int32_t TRtfParser::CharFormat() {
    if (FCharFormat >= 0) return FCharFormat;
    const TGroupState& state = Top();
    TRichCharFormat format = FTarget.CharFormats()[FTarget.DefaultCharFormat()];
    auto font = FFonts.find(state.Font >= 0 ? state.Font : FDefaultFont);
    if (font == FFonts.end()) font = FFonts.find(FDefaultFont);
    if (font != FFonts.end()) {
        format.SetFace(font->second.Face);
        format.Pitch = font->second.Pitch;
        if (IsKnownCharset(font->second.Charset))
            format.Charset = static_cast<uint8_t>(font->second.Charset);
    }
    format.Size = state.HalfPoints * 10;
    const size_t color = static_cast<size_t>(std::max(state.ColorIndex, 0));
    format.AutoColor = color >= FColors.size() || FColors[color] < 0;
    format.Color = format.AutoColor ? 0 : static_cast<uint32_t>(FColors[color]);
    format.Bold = state.Bold;
    format.Italic = state.Italic;
    format.Underline = state.Underline;
    format.StrikeOut = state.StrikeOut;
    format.Protected = state.Protected;
    FCharFormat = FTarget.CharFormats().Intern(format);
    return FCharFormat;
}

int32_t TRtfParser::ParaFormat(bool Row) {
    const TGroupState& state = Top();
    TRichParaFormat format = state.Para;
    // A row defined without cells is a paragraph like any other.
    if (Row && FRow.IsRow()) {
        format.Cells = FRow.Cells;
        format.CellGap = FRow.CellGap;
        format.RowLeft = FRow.RowLeft;
    }
    format.StartIndent = Saturate(int64_t{state.LeftIndent} + state.FirstIndent);
    format.Offset = Saturate(-int64_t{state.FirstIndent});
    const int64_t spacing = state.LineSpacing;
    if (state.LineMultiple)
        format.SetLineSpacing(5, Saturate((spacing < 0 ? -spacing : spacing) / 12));
    else if (spacing < 0)
        format.SetLineSpacing(4, Saturate(-spacing));
    else
        format.SetLineSpacing(3, Saturate(spacing));
    return FTarget.ParaFormats().Intern(format);
}

void TRtfParser::CommitFont() {
    FFontPending = false;
    if (static_cast<int64_t>(FFonts.size()) >= FLimits.MaxFonts && !FFonts.contains(FFontNumber)) {
        Warn("Fonts past the size limit of the font table were left out");
        return;
    }
    FFontEntry.Face = Trim(FFontEntry.Face.substr(0, MaxFaceLength));
    FFonts[FFontNumber] = std::move(FFontEntry);
    CharFormatChanged();
}

void TRtfParser::CommitColor() {
    if (static_cast<int64_t>(FColors.size()) < FLimits.MaxColors)
        FColors.push_back(FColorSet ? int64_t{FBlue} << 16 | FGreen << 8 | FRed : -1);
    else
        Warn("Colours past the size limit of the colour table were left out");
    FRed = FGreen = FBlue = 0;
    FColorSet = false;
    CharFormatChanged();
}

}  // namespace

TRtfReader::TRtfReader(TRichDocument& Target, TRtfLimits Limits)
    : FTarget(Target), FLimits(Limits) {
    FLimits.MaxDepth = std::max(FLimits.MaxDepth, 1);  // the document's own group
}

TRichFragment TRtfReader::Read(std::string_view Rtf) {
    FWarnings.clear();
    TRtfParser parser(FTarget, FLimits, FObjectKinds, FWarnings);
    return parser.Parse(Rtf);
}

TRichFragment TRtfReader::ReadDocument(std::string_view Rtf) {
    TRichFragment piece = Read(Rtf);
    if (piece.Paragraphs.size() > 1 && piece.Paragraphs.back().Text.empty())
        piece.Paragraphs.pop_back();
    return piece;
}

}  // namespace vex
