#include "dataaware/data/wwfilter.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "platform/core/datetime.h"
#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/core/formatsettings.h"
#include "platform/core/stringutils.h"
#include "platform/data/bytes.h"
#include "platform/data/dbtables.h"
#include "platform/data/enginevalues.h"
#include "platform/data/filterblock.h"
#include "platform/win/messagebox.h"

namespace vex {

void TStackStr::Pop(std::string& Text) {
    Text.clear();
    if (FList.Count() == 0) return;
    Text = FList[FList.Count() - 1];
    FList.Delete(FList.Count() - 1);
}

TNode* TStackPtr::Pop() {
    if (FList.empty()) return nullptr;
    TNode* item = FList.back();
    FList.pop_back();
    return item;
}

int32_t TNode::NodeCount() const {
    return 1 + (Left ? Left->NodeCount() : 0) + (Right ? Right->NodeCount() : 0);
}

namespace {

// Operands are cut to this many characters; the rest stays in the input.
constexpr size_t MaxOperand = 64;

bool InNameStart(unsigned char C) {
    return std::strchr("!#$*+-/@_`", C) != nullptr || (C >= 'A' && C <= 'Z') ||
           (C >= 'a' && C <= 'z') || C >= 146;
}
bool InName(unsigned char C) {
    return C != 0 && (InNameStart(C) || C == ' ' || (C >= '0' && C <= '9'));
}
bool IsDigit(char C) {
    return C >= '0' && C <= '9';
}

// The length of the number at the start of S: an optional minus sign, digits, and a fraction
// after the locale's decimal separator; 0 when S does not start with one.
size_t NumberLength(std::string_view S) {
    size_t n = !S.empty() && S[0] == '-' ? 1 : 0;
    if (n == S.size() || !IsDigit(S[n])) return 0;
    while (n < S.size() && IsDigit(S[n]))
        ++n;
    if (n < S.size() && S[n] == FormatSettings().DecimalSeparator) ++n;
    while (n < S.size() && IsDigit(S[n]))
        ++n;
    return n;
}

[[noreturn]] void TooDeep() {
    throw ERangeError("The filter is nested too deeply for the engine's filter block");
}

// One compilation: the remaining input, both stacks and the dataset the operands name.
class TFilterParser {
public:
    TFilterParser(const std::string& Text, TDataSet& DataSet) : FInput(Text), FDataSet(DataSet) {}
    ~TFilterParser() {
        // Nodes still on the stack after a failure are freed here.
        while (TNode* n = FNodes.Pop())
            delete n;
    }

    bool ParseAll() {
        if (!L()) return false;
        // A complete expression followed by more text would silently mean something else.
        return Trim(Rest()).empty();
    }
    std::unique_ptr<TNode> Root() { return std::unique_ptr<TNode>(FNodes.Pop()); }

private:
    // The input not consumed yet. The parser moves past what it consumes instead of erasing
    // it, so that a long text is read once rather than once per token.
    std::string_view Rest() const { return std::string_view(FInput).substr(FPos); }

    std::string NextToken() {
        FPos = std::min(FInput.find_first_not_of(" \t", FPos), FInput.size());
        if (FPos == FInput.size()) return "";
        std::string_view token = Recognise();
        while (!token.empty() && token.back() == ' ')
            token.remove_suffix(1);
        return std::string(token);
    }

    std::string_view Recognise() const {
        const std::string_view s = Rest();
        const auto relational = [](char c) { return c == '<' || c == '=' || c == '>'; };
        if (s[0] == '(' || s[0] == ')') return s.substr(0, 1);
        if (relational(s[0])) return s.substr(0, s.size() > 1 && relational(s[1]) ? 2 : 1);
        if (FConnective) {
            const std::string upper = UpperCase(s.substr(0, 3));
            if (upper == "AND") return s.substr(0, 3);
            if (upper.compare(0, 2, "OR") == 0) return s.substr(0, 2);
        }
        const size_t number = NumberLength(s);
        if (InNameStart(static_cast<unsigned char>(s[0]))) {
            size_t n = 1;
            while (n < s.size() && InName(static_cast<unsigned char>(s[n])))
                ++n;
            // A minus sign and digits start a name, which ends at a decimal separator: the
            // number that goes on past it is the token, or -2.5 would read as -2 and ".5".
            return s.substr(0, std::max(n, number));
        }
        if (number != 0) return s.substr(0, number);
        if (s[0] == '"') {
            const size_t close = s.find('"', 1);
            if (close != std::string::npos) return s.substr(0, close + 1);
        }
        return "";
    }

    bool Match(const std::string& Token) {
        if (Token.empty() || Rest().substr(0, Token.size()) != Token) return false;
        FPos += Token.size();
        FSymbols.Push(Token);
        return true;
    }

    bool Reduce(int Count, const std::string& Symbol) {
        std::string dropped;
        for (int i = 0; i < Count; ++i) {
            if (FSymbols.Count() == 0) return false;
            FSymbols.Pop(dropped);
        }
        FSymbols.Push(Symbol);
        return true;
    }

    bool MakeNode(uint8_t Kind, const std::string& Text) {
        if (Kind == TNode::nkOperand) {
            FNodes.Push(new TNode(Kind, Text, nullptr, nullptr));
            FHeights.push_back(0);
            return true;
        }
        if (FNodes.Count() < 2) return false;
        std::unique_ptr<TNode> right(FNodes.Pop()), left(FNodes.Pop());
        const int height = 1 + std::max(FHeights.end()[-1], FHeights.end()[-2]);
        FHeights.resize(FHeights.size() - 2);
        if (left->Kind == TNode::nkOperand) {
            TField* field = FDataSet.FindField(left->Text);
            if (field == nullptr) {
                MessageBox(0, "Field not found in Table. \r" + left->Text, "Warning",
                           MB_ICONWARNING | MB_OK);
                return false;
            }
            right->ValueType = ValueTypeOf(field->DataType());
            if (field->DataType() == ftBCD) right->Decimals = field->Size();
        } else if (left->Kind == TNode::nkArithmetic && right->Kind == TNode::nkOperand) {
            // A number compared with a computed value: a constant, typed as the computation is.
            right->ValueType = 2;
        }
        // The engine refuses a deeper tree, and the walks over it would run out of stack.
        if (height > FilterMaxDepth) TooDeep();
        FNodes.Push(new TNode(Kind, Text, left.release(), right.release()));
        FHeights.push_back(height);
        return true;
    }

    static uint8_t ValueTypeOf(TFieldType Type) {
        switch (Type) {
            case ftString:
                return 1;
            case ftFloat:
            case ftCurrency:
                return 2;
            case ftDateTime:
                return 3;
            case ftDate:
                return 4;
            case ftTime:
                return 5;
            case ftBoolean:
                return 6;
            case ftInteger:
            case ftAutoInc:
                return 7;
            case ftBCD:
                return 8;
            case ftSmallint:
            case ftWord:
                return 9;
            default:
                return 0;
        }
    }

    bool L() {
        if (!R() || !Reduce(1, "L")) return false;
        for (;;) {
            FConnective = true;
            const std::string token = NextToken();
            FConnective = false;
            const std::string upper = UpperCase(token);
            if (upper != "AND" && upper != "OR") return true;
            if (!Match(token) || !R() || !Reduce(3, "L") || !MakeNode(TNode::nkLogical, token))
                return false;
        }
    }

    bool R() {
        if (!E() || !Reduce(1, "R")) return false;
        const std::string token = NextToken();
        static const char* const relations[] = {"<", "<>", "<=", ">=", "=", ">"};
        for (const char* r : relations)
            if (token == r)
                return Match(token) && E() && Reduce(3, "R") && MakeNode(TNode::nkRelation, token);
        return true;
    }

    bool E() {
        if (!T() || !Reduce(1, "E")) return false;
        for (std::string token = NextToken(); token == "+" || token == "-"; token = NextToken())
            if (!Match(token) || !T() || !Reduce(3, "E") || !MakeNode(TNode::nkArithmetic, token))
                return false;
        return true;
    }

    // Every level of parentheses and every "*" or "/" nests one call of T in another.
    bool T() {
        struct TNesting {
            int& Depth;
            explicit TNesting(int& D) : Depth(D) {
                if (++Depth > FilterMaxDepth) TooDeep();
            }
            ~TNesting() { --Depth; }
        } nesting(FNesting);
        if (!P() || !Reduce(1, "T")) return false;
        for (std::string token = NextToken(); token == "*" || token == "/"; token = NextToken())
            if (!Match(token) || !T() || !Reduce(3, "T") || !MakeNode(TNode::nkArithmetic, token))
                return false;
        return true;
    }

    bool P() {
        std::string token = NextToken();
        if (token == "(") return Match("(") && L() && Match(")") && Reduce(3, "P");
        if (token.size() > MaxOperand) token.resize(MaxOperand);
        return Match(token) && Reduce(1, "P") && MakeNode(TNode::nkOperand, token);
    }

    std::string FInput;
    size_t FPos = 0;
    TDataSet& FDataSet;
    TStackStr FSymbols;
    TStackPtr FNodes;
    std::vector<int> FHeights;  // of the trees on the node stack, leaves 0
    int FNesting = 0;
    bool FConnective = false;
};

// Writes the tree into the block in post-order, each node into the next slot from the end.
class TBlockWriter {
public:
    explicit TBlockWriter(int32_t NodeCount)
        : FNodeCount(NodeCount), FNextSlot(NodeCount - 1), FNodes(FilterNodeSize * NodeCount) {}

    void Compile(TNode& N) {
        if (N.Left) Compile(*N.Left);
        if (N.Right) Compile(*N.Right);
        N.Offset = FNextSlot * static_cast<int32_t>(FilterNodeSize);
        uint8_t* slot = FNodes.data() + N.Offset;
        --FNextSlot;
        if (N.Kind != TNode::nkOperand) {
            PutBytes<uint32_t>(slot, nodeBINARY);
            PutBytes<uint32_t>(slot + 4, OperatorCode(N));
            PutBytes<uint16_t>(slot + 8, static_cast<uint16_t>(N.Left ? N.Left->Offset : 0));
            PutBytes<uint16_t>(slot + 10, static_cast<uint16_t>(N.Right ? N.Right->Offset : 0));
        } else if (N.ValueType == 0) {
            PutBytes<uint32_t>(slot, nodeFIELD);
            PutBytes<uint32_t>(slot + 4, canFIELD);
            PutBytes<uint16_t>(slot + 8, ++FFieldNodes);
            PutBytes<uint16_t>(slot + 10, LiteralOffset());
            FLiterals += N.Text;
            FLiterals += '\0';
        } else {
            const auto [type, value] = Constant(N);
            PutBytes<uint32_t>(slot, nodeCONST);
            PutBytes<uint32_t>(slot + 4, canCONST);
            PutBytes<uint16_t>(slot + 8, type);
            PutBytes<uint16_t>(slot + 10, static_cast<uint16_t>(value.size()));
            PutBytes<uint16_t>(slot + 12, LiteralOffset());
            FLiterals += value;
        }
    }

    std::vector<uint8_t> Block() const {
        const size_t literalStart = FilterHeaderSize + FNodes.size();
        const size_t total = literalStart + FLiterals.size();
        if (total > 65535 || FNodeCount > 65535)
            throw ERangeError("The filter is too long for the engine's filter block");
        std::vector<uint8_t> block(FilterHeaderSize);
        PutBytes<uint16_t>(block.data(), 1);
        PutBytes<uint16_t>(block.data() + 2, static_cast<uint16_t>(total));
        PutBytes<uint16_t>(block.data() + 4, static_cast<uint16_t>(FNodeCount));
        PutBytes<uint16_t>(block.data() + 6, FilterHeaderSize);
        PutBytes<uint16_t>(block.data() + 8, static_cast<uint16_t>(literalStart));
        block.insert(block.end(), FNodes.begin(), FNodes.end());
        block.insert(block.end(), FLiterals.begin(), FLiterals.end());
        return block;
    }

private:
    uint16_t LiteralOffset() const {
        if (FLiterals.size() > 65535)
            throw ERangeError("The filter is too long for the engine's filter block");
        return static_cast<uint16_t>(FLiterals.size());
    }

    static uint32_t OperatorCode(const TNode& N) {
        static const std::pair<const char*, uint32_t> codes[] = {
            {"=", canEQ},  {"<>", canNE}, {">", canGT},    {"<", canLT},
            {">=", canGE}, {"<=", canLE}, {"AND", canAND}, {"OR", canOR},
            {"+", canADD}, {"-", canSUB}, {"*", canMUL},   {"/", canDIV}};
        const std::string text = UpperCase(N.Text);
        for (const auto& [token, code] : codes)
            if (text == token) return code;
        return 0;
    }

    template <typename T>
    static std::string Bytes(T Value) {
        std::string s(sizeof Value, '\0');
        PutBytes(reinterpret_cast<uint8_t*>(s.data()), Value);
        return s;
    }

    // The engine type and the value bytes of a constant.
    static std::pair<uint16_t, std::string> Constant(const TNode& N) {
        std::string text = N.Text;
        const uint8_t vt = N.ValueType;
        if (vt == 1 || vt == 3 || vt == 4 || vt == 5 || vt == 6) {
            if (!text.empty() && text[0] == '"')
                text = text.size() >= 2 ? text.substr(1, text.size() - 2) : "";
            else
                text = TrimRight(text);
        }
        switch (vt) {
            case 1:
                return {fldZSTRING, text + '\0'};
            case 2:
                return {fldFLOAT, Bytes(StrToFloat(text))};
            case 3: {
                const TDateTime value =
                    text.find(' ') == std::string::npos ? StrToDate(text) : StrToDateTime(text);
                return {fldTIMESTAMP, Bytes(TimeStampToMSecs(DateTimeToTimeStamp(value)))};
            }
            case 4:
                return {fldDATE, Bytes(DateTimeToTimeStamp(std::trunc(StrToDate(text))).Date)};
            case 5:
                return {fldTIME, Bytes(DateTimeToTimeStamp(StrToTime(text)).Time)};
            case 6: {
                const bool yes = !text.empty() && (text[0] == 'T' || text[0] == 't');
                return {fldBOOL, Bytes<int16_t>(yes ? -1 : 0)};
            }
            case 7:
                return {fldINT32, Bytes(StrToInt(text))};
            case 8: {
                const TBcd bcd = FloatToBcd(StrToFloat(text), 32, N.Decimals);
                return {fldBCD, std::string(reinterpret_cast<const char*>(bcd.Bytes), BcdSize)};
            }
            default:
                return {fldINT16, Bytes(static_cast<uint16_t>(StrToInt(text) & 0xFFFF))};
        }
    }

    int32_t FNodeCount, FNextSlot;
    std::vector<uint8_t> FNodes;
    std::string FLiterals;
    uint16_t FFieldNodes = 0;
};

// The dataset shows its records again after its filters changed.
void Reread(TDataSet& DataSet) {
    if (!DataSet.Active()) return;
    auto* table = dynamic_cast<TTable*>(&DataSet);
    if (table && table->IndexFieldCount() >= 1) {
        table->Refresh();
        return;
    }
    DataSet.UpdateCursorPos();
    DataSet.CursorPosChanged();
    DataSet.Resync({});
}

}  // namespace

std::optional<std::vector<uint8_t>> CompileFilterText(const std::string& Text, TDataSet& DataSet) {
    std::unique_ptr<TNode> root;
    {
        TFilterParser parser(Text, DataSet);
        if (!parser.ParseAll()) return std::nullopt;
        root = parser.Root();
    }
    if (!root) return std::nullopt;
    TBlockWriter writer(root->NodeCount());
    writer.Compile(*root);
    return writer.Block();
}

void DropEngineFilter(TDataSet& DataSet, hDBIFilter& FilterHandle) {
    if (FilterHandle == 0) return;
    if (TDbiCursor* cursor = DataSet.Handle()) {
        cursor->DeactivateFilter(FilterHandle);
        cursor->DropFilter(FilterHandle);
    }
    FilterHandle = 0;
}

bool ApplyFilterText(const std::string& Text, TTable& Table, hDBIFilter& FilterHandle, bool Force) {
    if (!Table.Active() && !Force) {
        FilterHandle = 0;
        return true;
    }
    // The filter installed before goes first, so that a text that fails leaves no stale one.
    DropEngineFilter(Table, FilterHandle);
    if (Text.empty()) {
        if (Table.Active()) Table.Refresh();
        return true;
    }
    const std::optional<std::vector<uint8_t>> block = CompileFilterText(Text, Table);
    TDbiCursor* cursor = Table.Handle();
    if (!block || cursor == nullptr) return false;
    if (cursor->AddFilter(nullptr, block->data(), block->size(), nullptr, FilterHandle) !=
        DBIERR_NONE) {
        FilterHandle = 0;
        return false;
    }
    cursor->ActivateFilter(FilterHandle);
    if (Table.Active()) Table.Refresh();
    return true;
}

bool SetRecordFilterCallback(pfDBIFilter Callback, TDataSet& DataSet, hDBIFilter& FilterHandle) {
    DropEngineFilter(DataSet, FilterHandle);
    if (Callback == nullptr) {
        Reread(DataSet);
        return true;
    }
    TDbiCursor* cursor = DataSet.Handle();
    if (cursor == nullptr) return false;
    if (cursor->AddFilter(&DataSet, nullptr, 0, Callback, FilterHandle) != DBIERR_NONE) {
        FilterHandle = 0;
        return false;
    }
    cursor->ActivateFilter(FilterHandle);
    Reread(DataSet);
    return true;
}

}  // namespace vex
