#include "net/encodedwords.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "net/base64.h"
#include "net/componentexceptions.h"
#include "net/quotedprintable.h"
#include "net/statefultext.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

constexpr size_t kMaxResult = 255;
constexpr int32_t kUnlimited = std::numeric_limits<int32_t>::max();
constexpr size_t kMaxWord = 75;
// Registered character set names are at most 40 characters long.
constexpr size_t kMaxCharSetName = 40;
constexpr char kEscape = 27;
constexpr char kShiftOut = 14;
constexpr char kShiftIn = 15;

bool IsWhiteSpace(char C) {
    return C == ' ' || C == '\t' || C == '\r' || C == '\n';
}

bool IsCharsetChar(char C) {
    return static_cast<uint8_t>(C) > ' ' && C != '?' && C != 0x7F;
}

struct TEncodedWord {
    std::string_view CharSet;
    std::string Text;  // decoded
    size_t End;        // just past the closing "?="
};

// Finds the first "?=" at or after a position. Positions only grow, and the answer stays the
// same until a position passes it, so however many malformed words share one far "?=", the
// text is searched once.
class TCloseFinder {
public:
    explicit TCloseFinder(std::string_view S) : FText(S) {}

    size_t From(size_t Pos) {
        if (!FSearched || (FClose != std::string_view::npos && Pos > FClose)) {
            FClose = FText.find("?=", Pos);
            FSearched = true;
        }
        return FClose;
    }

private:
    std::string_view FText;
    size_t FClose = std::string_view::npos;
    bool FSearched = false;
};

// The encoded word at Pos (which holds "=?"), or nothing when the text there is not one.
std::optional<TEncodedWord> ParseWord(std::string_view S, size_t Pos, TCloseFinder& Closes) {
    size_t i = Pos + 2;
    const size_t charsetStart = i;
    while (i < S.size() && IsCharsetChar(S[i]))
        ++i;
    if (i == charsetStart || i + 2 >= S.size() || S[i] != '?' || S[i + 2] != '?')
        return std::nullopt;
    const char encoding = S[i + 1];
    const size_t textStart = i + 3;
    const size_t close = Closes.From(textStart);
    if (close == std::string_view::npos) return std::nullopt;
    const std::string_view text = S.substr(textStart, close - textStart);
    TEncodedWord word{S.substr(charsetStart, i - charsetStart), {}, close + 2};
    if (encoding == 'B' || encoding == 'b') {
        try {
            Base64DecodePiece(text, word.Text, kUnlimited);
        } catch (const EMessageParserError&) {
            return std::nullopt;  // not base64 after all: shown as it stands
        }
    } else if (encoding == 'Q' || encoding == 'q') {
        std::string underscored(text);
        std::replace(underscored.begin(), underscored.end(), '_', ' ');
        DecodeQuotedPrintablePiece(underscored, word.Text, kUnlimited);
    } else {
        return std::nullopt;
    }
    return word;
}

// A set's name without the language RFC 2231 lets follow a "*" ("iso-2022-jp*ja").
std::string_view WithoutLanguage(std::string_view CharSet) {
    return CharSet.substr(0, CharSet.find('*'));
}

// Text a reader would take, in part, for an encoded word: written as it stands, it would not
// read back as itself (RFC 2047 section 5 asks that such text be encoded).
bool HoldsEncodedWord(std::string_view S) {
    TCloseFinder closes(S);
    for (size_t start = S.find("=?"); start != std::string_view::npos;
         start = S.find("=?", start + 2))
        if (ParseWord(S, start, closes)) return true;
    return false;
}

bool IsPrintableAscii(char C) {
    const auto c = static_cast<uint8_t>(C);
    return (c >= ' ' && c < 127) || C == '\t';
}

bool IsTokenChar(char C) {
    return (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9') ||
           std::string_view("!#$%&'+-^_`{}~").find(C) != std::string_view::npos;
}

// Sets that spell other characters with printable ASCII.
bool SpellsWithAscii(std::string_view CharSet) {
    const TStatefulKind kind = StatefulKindOf(CharSet);
    return kind == TStatefulKind::Hz || kind == TStatefulKind::Utf7;
}

std::string BWord(std::string_view Source, std::string_view CharSet) {
    std::string encoded;
    Base64Encode(Source, encoded, kUnlimited);
    return "=?" + std::string(CharSet) + "?B?" + encoded + "?=";
}

// How the bytes of a set make its characters, so that a word is cut only between two.
enum class TCharacters { SingleByte, Utf8, DoubleByte, ShiftJis, EucJp, Unknown };

TCharacters CharactersOf(std::string_view CharSet) {
    const std::string name = LowerCase(CharSet);
    auto named = [&](std::initializer_list<std::string_view> Names) {
        return std::find(Names.begin(), Names.end(), name) != Names.end();
    };
    if (named({"utf-8", "utf8"})) return TCharacters::Utf8;
    for (const char* singleByte : {"us-ascii", "iso-8859-", "windows-125", "cp125", "koi8-",
                                   "tis-620", "windows-874", "ibm", "cp437", "cp850", "cp866"})
        if (name.starts_with(singleByte)) return TCharacters::SingleByte;
    if (named({"shift_jis", "shift-jis", "sjis", "x-sjis", "windows-31j", "cp932", "ms_kanji",
               "csshiftjis"}))
        return TCharacters::ShiftJis;
    if (named({"euc-jp", "eucjp", "x-euc-jp", "cseucpkdfmtjapanese"})) return TCharacters::EucJp;
    if (named({"gb2312", "euc-cn", "gbk", "cp936", "gb18030", "big5", "big5-hkscs", "cp950",
               "euc-kr", "ks_c_5601-1987", "cp949", "uhc"}))
        return TCharacters::DoubleByte;
    return TCharacters::Unknown;
}

// The length of the character at I, which a word must not be cut inside. In a set we do not
// know, a run of bytes from 0x30 up stands whole where it can: every set built on ASCII that
// spells characters with several bytes (GB 18030's digits included) uses none below it in them.
size_t CharacterLength(std::string_view S, size_t I, TCharacters Characters) {
    auto byte = [&](size_t K) { return static_cast<uint8_t>(S[K]); };
    const uint8_t lead = byte(I);
    size_t length = 1;
    switch (Characters) {
        case TCharacters::SingleByte:
            break;
        case TCharacters::Utf8:
            while (I + length < S.size() && length < 4 && (byte(I + length) & 0xC0) == 0x80)
                ++length;
            break;
        case TCharacters::DoubleByte: {
            const bool fourBytes =
                I + 1 < S.size() && byte(I + 1) >= '0' && byte(I + 1) <= '9';  // GB 18030
            if (lead >= 0x81 && lead <= 0xFE) length = fourBytes ? 4 : 2;
            break;
        }
        case TCharacters::ShiftJis:
            if ((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) length = 2;
            break;
        case TCharacters::EucJp:
            if (lead == 0x8F)
                length = 3;
            else if (lead == 0x8E || (lead >= 0xA1 && lead <= 0xFE))
                length = 2;
            break;
        case TCharacters::Unknown:
            while (lead >= '0' && I + length < S.size() && byte(I + length) >= '0')
                ++length;
            break;
    }
    return std::min(length, S.size() - I);
}

void AppendQEscaped(char C, std::string& Word) {
    constexpr char kHex[] = "0123456789ABCDEF";
    if (C == ' ')
        Word += '_';
    else if ((C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9') ||
             std::string_view("!*+-/").find(C) != std::string_view::npos)
        Word += C;
    else
        Word += {'=', kHex[static_cast<uint8_t>(C) >> 4], kHex[C & 15]};
}

std::string QWords(std::string_view Source, std::string_view CharSet) {
    const std::string open = "=?" + std::string(CharSet) + "?Q?";
    const size_t room = kMaxWord - std::min(open.size() + 2, kMaxWord);
    const TCharacters characters = CharactersOf(CharSet);
    std::string out;
    std::string word;
    auto close = [&] {
        if (!out.empty()) out += ' ';
        out += open + word + "?=";
        word.clear();
    };
    auto add = [&](std::string_view Escaped) {
        if (!word.empty() && word.size() + Escaped.size() > room) close();
        word += Escaped;
    };
    std::string character;
    for (size_t i = 0; i < Source.size();) {
        const std::string_view bytes = Source.substr(i, CharacterLength(Source, i, characters));
        i += bytes.size();
        character.clear();
        for (const char c : bytes)
            AppendQEscaped(c, character);
        if (character.size() <= room) {
            add(character);
            continue;
        }
        // Bytes of a set we do not know with no bound to be seen among them for a whole word:
        // the word limit holds, and readers that join the words of one set read them whole.
        for (const char c : bytes) {
            character.clear();
            AppendQEscaped(c, character);
            add(character);
        }
    }
    close();
    return out;
}

// One unit of stateful text as it goes into words: a character, an escape or a shift, or a
// piece of a UTF-7 run.
struct TWordUnit {
    std::string Text;
    // A word that ends before the unit reads back byte for byte (see CutStateBytes).
    bool Exact = true;
    std::string Opening, Closing;  // of the state before it
};

// The units of text in a set of Kind, a UTF-7 run too long for a word of Room bytes already
// cut into the pieces that stand in words of their own. A reader takes the first place after
// a word's last character where the word ends with the closing of the state there, and the
// next word opens with its opening, for the cut. That is the writer's cut unless an escape or
// shift of the text's own that is part of such a closing (SI, a return to ASCII, "~}") stands
// just before it: a cut there would lose it, but where the state is the initial one and a
// character follows, which no opening can be mistaken for.
std::vector<TWordUnit> WordUnits(std::string_view Source, TStatefulKind Kind, size_t Room) {
    std::vector<TWordUnit> units;
    const std::unique_ptr<TStatefulText> text = ReadStateful(Kind, Source);
    bool afterClosingBytes = false;
    for (;;) {
        TWordUnit unit{{}, true, text->Opening(), text->Closing()};
        std::string_view bytes;
        bool character = false;
        if (!text->Next(bytes, character)) break;
        const bool initial = unit.Opening.empty() && unit.Closing.empty();
        unit.Exact = !afterClosingBytes || (initial && character);
        afterClosingBytes = !character && unit.Closing.find(bytes) != std::string::npos;
        if (Kind != TStatefulKind::Utf7) {
            unit.Text = bytes;
            units.push_back(std::move(unit));
            continue;
        }
        // Reading joins a run closed after whole code units to a run that opens the next word.
        const std::vector<std::string> pieces = bytes.size() > Room && bytes.starts_with('+')
                                                    ? CutUtf7Run(bytes, Room)
                                                    : std::vector{std::string(bytes)};
        for (size_t i = 0; i < pieces.size(); ++i) {
            const bool joins = !units.empty() && Utf7RunsJoin(units.back().Text, pieces[i]);
            units.push_back({pieces[i], i > 0 || !joins, {}, {}});
        }
    }
    return units;
}

// Text of a stateful set as B words of at most 75 characters, each of which reads on its own:
// it opens the state its first unit needs (the designations and the shift in effect, "~{") and
// closes the one its last leaves (SI, a return to ASCII, "~}"). Each word is as long as it can be
// and ends where it reads back byte for byte if any such place fits; where none does (a run of
// escapes with no character between), it ends before the last unit that fits and reads back as
// the same characters. A UTF-7 run is cut between whole characters (CutUtf7Run). A word too long
// however it is cut (a name that leaves no room) holds one unit.
std::string StatefulWords(std::string_view Source, std::string_view CharSet, TStatefulKind Kind) {
    // The bytes a word holds; a name too long for any to fit still leaves room for progress.
    const size_t room =
        std::max<size_t>(3, (kMaxWord - std::min(CharSet.size() + 7, kMaxWord)) / 4 * 3);
    const std::vector<TWordUnit> units = WordUnits(Source, Kind, room);
    std::string out;
    for (size_t first = 0; first < units.size();) {
        size_t exactEnd = 0;  // the unit the word ends before, where it reads back exactly
        size_t anyEnd = 0;    // where it at least reads as the same characters
        size_t size = units[first].Opening.size();
        for (size_t next = first + 1; next <= units.size() && size <= room; ++next) {
            size += units[next - 1].Text.size();
            const bool last = next == units.size();
            if (size + (last ? 0 : units[next].Closing.size()) > room) continue;
            anyEnd = next;
            if (last || units[next].Exact) exactEnd = next;
        }
        const size_t end = exactEnd != 0 ? exactEnd : anyEnd != 0 ? anyEnd : first + 1;
        std::string word = units[first].Opening;
        for (size_t i = first; i < end; ++i)
            word += units[i].Text;
        if (end < units.size()) word += units[end].Closing;
        if (!out.empty()) out += ' ';
        out += BWord(word, CharSet);
        first = end;
    }
    return out;
}

// How many bytes at the end of Previous and at the start of Next, adjacent words of one set of
// Kind, are the closing and opening of one state that a writer put there to cut the text: they
// stand for no character and together change nothing. Zero for both when they are not. The cut
// is the first place after the last character of Previous where the rest of it is the closing
// of the state there and Next begins with the opening of that state; in UTF-7 it is the "-" and
// "+" between two runs that Utf7RunsJoin joins.
std::pair<size_t, size_t> CutStateBytes(TStatefulKind Kind, std::string_view Previous,
                                        std::string_view Next) {
    if (Kind == TStatefulKind::Utf7)
        return Utf7RunsJoin(Previous, Next) ? std::pair<size_t, size_t>{1, 1}
                                            : std::pair<size_t, size_t>{0, 0};
    struct TPlace {
        size_t At;
        std::string Opening, Closing;  // of the state there
    };
    const std::unique_ptr<TStatefulText> previous = ReadStateful(Kind, Previous);
    std::vector<TPlace> places{{0, {}, {}}};  // from the last character on
    std::string_view unit;
    bool character = false;
    while (previous->Next(unit, character)) {
        const size_t at = places.back().At + unit.size();
        if (character) places.clear();
        places.push_back({at, previous->Opening(), previous->Closing()});
    }
    for (const TPlace& place : places)
        if (Previous.substr(place.At) == place.Closing && Next.starts_with(place.Opening))
            return {place.Closing.size(), place.Opening.size()};
    return {0, 0};
}

// Text of no named set that holds escapes, as words of the ISO-2022 set they designate.
std::string Iso2022Words(std::string_view Text) {
    return StatefulWords(Text, Iso2022SetOf(Text), TStatefulKind::Iso2022);
}

// Control characters taken out, a tab as a blank; an escape and the shifts stay in the text of
// a stateful set, whose meaning they carry.
std::string WithoutControls(std::string_view S, bool Stateful) {
    std::string out;
    for (char c : S) {
        const auto u = static_cast<uint8_t>(c);
        const bool shift = c == kEscape || c == kShiftOut || c == kShiftIn;
        if (c == '\t')
            out += ' ';
        else if ((u >= 32 && u != 127) || (Stateful && shift))
            out += c;
    }
    return out;
}

}  // namespace

std::string KeptCharSetName(std::string_view CharSet) {
    std::string name = LowerCase(WithoutLanguage(CharSet));
    if (name.empty() || name.size() > kMaxCharSetName ||
        !std::all_of(name.begin(), name.end(), IsTokenChar))
        return "";
    return name;
}

bool IsUtf8(std::string_view S) {
    for (size_t i = 0; i < S.size();) {
        const auto c = static_cast<uint8_t>(S[i]);
        size_t length = 1;
        uint8_t low = 0x80;
        uint8_t high = 0xBF;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            low = c == 0xE0 ? 0xA0 : 0x80;
            high = c == 0xED ? 0x9F : 0xBF;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            low = c == 0xF0 ? 0x90 : 0x80;
            high = c == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (S.size() - i < length) return false;
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<uint8_t>(S[i + k]);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return false;
        }
        i += length;
    }
    return true;
}

bool HoldsEightBit(std::string_view S) {
    return std::any_of(S.begin(), S.end(), [](char C) { return C & 0x80; });
}

std::string_view UnnamedCharSet(std::string_view EightBitText, std::string_view LatinCharSet) {
    return IsUtf8(EightBitText) ? "utf-8" : LatinCharSet;
}

std::string_view Iso2022SetOf(std::string_view Text) {
    if (Text.find("\x1b$)C") != std::string_view::npos) return "iso-2022-kr";
    for (const char* chinese : {"\x1b$)A", "\x1b$)G", "\x1b$)E", "\x1b$*H", "\x1b$+"})
        if (Text.find(chinese) != std::string_view::npos) return "iso-2022-cn";
    return "iso-2022-jp";
}

bool ContradictsCharSet(std::string_view CharSet, std::string_view Bytes) {
    const std::string name = LowerCase(CharSet);
    if (name == "us-ascii") return HoldsEightBit(Bytes);
    if (name == "utf-8" || name == "utf8") return !IsUtf8(Bytes);
    return false;
}

std::string_view CutText(std::string_view S, size_t Max) {
    if (S.size() <= Max) return S;
    auto continues = [&](size_t I) { return (static_cast<uint8_t>(S[I]) & 0xC0) == 0x80; };
    size_t lead = Max;  // of the character the cut falls in
    while (lead > 0 && Max - lead < 3 && continues(lead))
        --lead;
    size_t next = Max;  // the character after it
    while (next < S.size() && next - lead < 4 && continues(next))
        ++next;
    const bool splitsCharacter = lead < Max && IsUtf8(S.substr(lead, next - lead));
    return S.substr(0, splitsCharacter && IsUtf8(S.substr(0, lead)) ? lead : Max);
}

void TWordCharSets::Add(std::string_view CharSet, std::string_view Bytes) {
    const std::string name = KeptCharSetName(CharSet);
    if (!NeedsEncodedWords(Bytes, name)) return;
    // A label its bytes contradict names no set of the text's.
    if (name.empty() || ContradictsCharSet(name, Bytes) || (!FCharSet.empty() && name != FCharSet))
        FSeveral = true;
    else
        FCharSet = name;
}

void TTextCharSet::Assign(std::string_view Text, std::string_view CharSet) {
    FText.assign(Text);
    FCharSet = KeptCharSetName(CharSet);
}

std::string_view TTextCharSet::Of(std::string_view Text) const {
    return Text == FText ? std::string_view(FCharSet) : std::string_view();
}

void DecodeEncodedWords(std::string_view Source, std::string& Dest) {
    TWordCharSets unused;
    DecodeEncodedWords(Source, Dest, unused);
}

void DecodeEncodedWords(std::string_view Source, std::string& Dest, TWordCharSets& CharSets) {
    std::string out;
    size_t pos = 0;
    bool afterWord = false;                // the last thing written was a decoded word
    std::optional<TEncodedWord> previous;  // that word
    TCloseFinder closes(Source);
    while (pos < Source.size() && out.size() < kMaxResult) {
        const size_t start = Source.find("=?", pos);
        const size_t plainEnd = start == std::string_view::npos ? Source.size() : start;
        std::string_view plain = Source.substr(pos, plainEnd - pos);
        std::optional<TEncodedWord> word;
        if (start != std::string_view::npos) word = ParseWord(Source, start, closes);
        const bool onlyWhiteSpace = std::all_of(plain.begin(), plain.end(), IsWhiteSpace);
        const bool joined = word && afterWord && onlyWhiteSpace;
        if (!joined) out.append(plain);
        if (word) {
            CharSets.Add(word->CharSet, word->Text);
            std::string_view text = word->Text;
            // Words of a stateful set cut from one text read back as that text.
            if (const TStatefulKind kind = StatefulKindOf(word->CharSet);
                joined && kind != TStatefulKind::None &&
                SameText(WithoutLanguage(previous->CharSet), WithoutLanguage(word->CharSet))) {
                const auto [closing, opening] = CutStateBytes(kind, previous->Text, text);
                out.resize(out.size() - closing);
                text.remove_prefix(opening);
            }
            out.append(text);
            pos = word->End;
            afterWord = true;
            previous = std::move(word);
        } else if (start != std::string_view::npos) {
            out.append("=?");
            pos = start + 2;
            afterWord = false;
        } else {
            pos = Source.size();
        }
    }
    Dest = CutText(out, kMaxResult);
}

bool NeedsEncodedWords(std::string_view Text, std::string_view CharSet) {
    if (Text.empty()) return false;
    return SpellsWithAscii(CharSet) || !std::all_of(Text.begin(), Text.end(), IsPrintableAscii) ||
           HoldsEncodedWord(Text);
}

void EncodeISO2022JPText(std::string_view Source, std::string& Dest) {
    if (Source.empty() || Source.front() != kEscape)
        Dest.assign(Source);
    else
        Dest = BWord(Source, "ISO-2022-JP");
}

bool EncodeHeaderText(std::string_view Source, std::string_view CharSet, std::string& Dest) {
    const TStatefulKind kind = StatefulKindOf(CharSet);
    std::string text = WithoutControls(Source, kind != TStatefulKind::None);
    if (!NeedsEncodedWords(text, CharSet)) {
        Dest = std::move(text);
        return false;
    }
    Dest = HeaderWords(text, CharSet);
    return true;
}

std::string HeaderWords(std::string_view Text, std::string_view CharSet) {
    const TStatefulKind kind = StatefulKindOf(CharSet);
    return kind != TStatefulKind::None ? StatefulWords(Text, CharSet, kind) : QWords(Text, CharSet);
}

bool EncodeUnnamedHeaderText(std::string_view Source, std::string_view LatinCharSet,
                             std::string& Dest) {
    if (!HoldsEightBit(Source)) {
        const bool iso2022 = Source.find(kEscape) != std::string_view::npos;
        std::string text = WithoutControls(Source, iso2022);
        if (iso2022) {
            Dest = Iso2022Words(text);
            return true;
        }
        if (HoldsEncodedWord(text)) {
            Dest = QWords(text, "us-ascii");
            return true;
        }
        Dest = std::move(text);
        return false;
    }
    struct TPiece {
        std::string_view Text;
        bool Iso2022;
    };
    std::vector<TPiece> pieces;
    std::string rest;  // the text outside ISO-2022 stretches, which one set must fit
    for (size_t i = 0; i < Source.size();) {
        const size_t escape = std::min(Source.find(kEscape, i), Source.size());
        if (escape > i) {
            pieces.push_back({Source.substr(i, escape - i), false});
            rest.append(pieces.back().Text);
        }
        size_t end = escape;
        while (end < Source.size() && !(Source[end] & 0x80))
            ++end;
        if (end > escape) pieces.push_back({Source.substr(escape, end - escape), true});
        i = end;
    }
    const std::string_view restCharSet = UnnamedCharSet(rest, LatinCharSet);
    // Every piece is words of its own, so the blanks between them vanish for readers as they
    // should.
    std::string out;
    for (const TPiece& piece : pieces) {
        const std::string text = WithoutControls(piece.Text, piece.Iso2022);
        if (text.empty()) continue;
        if (!out.empty()) out += ' ';
        out += piece.Iso2022 ? Iso2022Words(text) : QWords(text, restCharSet);
    }
    Dest = std::move(out);
    return true;
}

}  // namespace vex
