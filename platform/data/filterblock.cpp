#include "platform/data/filterblock.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "platform/core/datetime.h"
#include "platform/core/stringutils.h"
#include "platform/data/bytes.h"
#include "platform/data/dbierrors.h"
#include "platform/data/enginevalues.h"

namespace vex {

namespace {

[[noreturn]] void Invalid(const std::string& Why) {
    throw EDBEngineError(DBIERR_INVALIDFILTER, Why);
}

bool IsRelation(uint32_t Op) {
    return Op >= canEQ && Op <= canLE;
}
bool IsLogical(uint32_t Op) {
    return Op == canAND || Op == canOR;
}
bool IsArithmetic(uint32_t Op) {
    return Op >= canADD && Op <= canDIV;
}

}  // namespace

struct TFilterProgram::TValue {
    bool Blank = true;
    TCategory Category = catBool;
    double Number = 0;
    const uint8_t* Bytes = nullptr;  // packed decimal or string
    size_t Length = 0;               // string
};

TFilterProgram::TFilterProgram(const uint8_t* Block, size_t Length,
                               const std::vector<FLDDesc>& Fields) {
    if (Length < FilterHeaderSize) Invalid("The filter block is shorter than its header");
    const uint16_t version = GetBytes<uint16_t>(Block);
    FTotalSize = GetBytes<uint16_t>(Block + 2);
    FNodeCount = GetBytes<uint16_t>(Block + 4);
    const uint16_t nodeStart = GetBytes<uint16_t>(Block + 6);
    FLiteralStart = GetBytes<uint16_t>(Block + 8);
    if (version != 1) Invalid("Unknown filter block version " + std::to_string(version));
    if (FTotalSize > Length) Invalid("The filter block is shorter than its stated size");
    if (FNodeCount == 0) Invalid("The filter block has no nodes");
    if (nodeStart != FilterHeaderSize) Invalid("The filter nodes do not follow the header");
    if (FLiteralStart != FilterHeaderSize + FilterNodeSize * FNodeCount)
        Invalid("The filter literals do not follow the nodes");
    if (FLiteralStart > FTotalSize) Invalid("The filter nodes run past the block");
    FBlock.assign(Block, Block + FTotalSize);
    FFields = &Fields;
    std::vector<int32_t> slots(FNodeCount, -1);
    FSlots = &slots;
    Decode(0, 0);
    FFields = nullptr;
    FSlots = nullptr;
    if (FNodes[FRoot].Category != catBool) Invalid("The filter is not a condition");
}

uint16_t TFilterProgram::Decode(size_t Offset, int Depth) {
    if (Depth > FilterMaxDepth) Invalid("The filter is nested too deeply");
    if (Offset % FilterNodeSize != 0 || Offset / FilterNodeSize >= FNodeCount)
        Invalid("A filter operand lies outside the node area");
    int32_t& slot = (*FSlots)[Offset / FilterNodeSize];
    // A tree, not a graph: a node shared by two parents would be judged once per path, and a
    // few dozen shared slots would take longer to judge than any record is worth.
    if (slot >= 0) Invalid("A filter node is an operand twice");

    const uint8_t* p = FBlock.data() + FilterHeaderSize + Offset;
    TNode n;
    n.Class = GetBytes<uint32_t>(p);
    n.Op = GetBytes<uint32_t>(p + 4);
    switch (n.Class) {
        case nodeBINARY: {
            const uint16_t left = GetBytes<uint16_t>(p + 8), right = GetBytes<uint16_t>(p + 10);
            // Operands after their parent: no node can be its own ancestor.
            if (left <= Offset || right <= Offset)
                Invalid("A filter operand does not follow its parent");
            n.Left = Decode(left, Depth + 1);
            n.Right = Decode(right, Depth + 1);
            const TCategory l = FNodes[n.Left].Category, r = FNodes[n.Right].Category;
            const bool numeric = (l == catNumber || l == catBcd) && (r == catNumber || r == catBcd);
            if (IsRelation(n.Op)) {
                if (l != r && !numeric) Invalid("A filter compares values that cannot be compared");
                n.Category = catBool;
            } else if (IsLogical(n.Op)) {
                if (l != catBool || r != catBool) Invalid("AND and OR join conditions only");
                n.Category = catBool;
            } else if (IsArithmetic(n.Op)) {
                if (!numeric) Invalid("Filter arithmetic takes numbers only");
                n.Category = catNumber;
            } else {
                Invalid("Unknown filter operator " + std::to_string(n.Op));
            }
            break;
        }
        case nodeFIELD: {
            if (n.Op != canFIELD) Invalid("A filter field node has a wrong operator");
            const size_t start = FLiteralStart + GetBytes<uint16_t>(p + 10);
            const void* end = start < FTotalSize
                                  ? std::memchr(FBlock.data() + start, 0, FTotalSize - start)
                                  : nullptr;
            if (end == nullptr) Invalid("A filter field name is not terminated in the block");
            const std::string name(reinterpret_cast<const char*>(FBlock.data() + start));
            const FLDDesc* field = nullptr;
            for (const FLDDesc& f : *FFields)
                if (SameText(f.szName, name)) field = &f;
            if (field == nullptr) Invalid("No field named " + name);
            if (!CategoryOf(field->iFldType, n.Category))
                Invalid("Field " + name + " cannot be filtered");
            if (std::find(FFieldNumbers.begin(), FFieldNumbers.end(), field->iFldNum) ==
                FFieldNumbers.end())
                FFieldNumbers.push_back(field->iFldNum);
            n.Type = field->iFldType;
            n.FieldNum = field->iFldNum;
            n.Offset = field->iOffset;
            n.NullOffset = field->iNullOffset;
            n.Length = field->iLen;
            break;
        }
        case nodeCONST: {
            if (n.Op != canCONST) Invalid("A filter constant node has a wrong operator");
            n.Type = GetBytes<uint16_t>(p + 8);
            const size_t size = GetBytes<uint16_t>(p + 10);
            const size_t start = FLiteralStart + GetBytes<uint16_t>(p + 12);
            if (start + size > FTotalSize) Invalid("A filter constant lies outside the block");
            if (!CategoryOf(n.Type, n.Category)) Invalid("A filter constant has an unknown type");
            n.Value = FBlock.data() + start;
            const bool fits = n.Type == fldZSTRING ? size >= 1 && n.Value[size - 1] == 0
                                                   : size == FieldValueLength(n.Type, 0);
            if (!fits) Invalid("A filter constant's size does not match its type");
            if (n.Type == fldBCD && !IsValidBcd(n.Value))
                Invalid("A filter constant is not a packed decimal");
            n.Length = static_cast<uint32_t>(size);
            break;
        }
        default:
            Invalid("Unknown filter node class " + std::to_string(n.Class));
    }
    FNodes.push_back(n);
    slot = static_cast<int32_t>(FNodes.size() - 1);
    FRoot = static_cast<uint16_t>(slot);
    return FRoot;
}

bool TFilterProgram::CategoryOf(uint16_t Type, TCategory& Category) {
    switch (Type) {
        case fldINT16:
        case fldUINT16:
        case fldINT32:
        case fldFLOAT:
            Category = catNumber;
            return true;
        case fldBCD:
            Category = catBcd;
            return true;
        case fldZSTRING:
            Category = catString;
            return true;
        case fldBOOL:
            Category = catBool;
            return true;
        case fldDATE:
        case fldTIMESTAMP:
            Category = catDate;
            return true;
        case fldTIME:
            Category = catTime;
            return true;
        default:
            return false;
    }
}

TFilterProgram::TValue TFilterProgram::Read(const TNode& N, const uint8_t* P, size_t Size) {
    TValue v;
    v.Blank = false;
    switch (N.Type) {
        case fldINT16:
            v.Number = GetBytes<int16_t>(P);
            break;
        case fldUINT16:
            v.Number = GetBytes<uint16_t>(P);
            break;
        case fldINT32:
            v.Number = GetBytes<int32_t>(P);
            break;
        case fldFLOAT:
        case fldTIMESTAMP:
            v.Number = GetBytes<double>(P);
            break;
        case fldBOOL:
            v.Number = GetBytes<int16_t>(P) != 0;
            break;
        // A date meets a time stamp on the same scale.
        case fldDATE:
            v.Number = static_cast<double>(GetBytes<int32_t>(P)) * MSecsPerDay;
            break;
        case fldTIME:
            v.Number = GetBytes<int32_t>(P);
            break;
        case fldBCD:
            v.Bytes = P;
            v.Blank = !IsValidBcd(P);
            break;
        case fldZSTRING:
            v.Bytes = P;
            v.Length = strnlen(reinterpret_cast<const char*>(P), Size);
            break;
    }
    if (N.Category != catBcd && N.Category != catString && std::isnan(v.Number)) v.Blank = true;
    return v;
}

TFilterProgram::TValue TFilterProgram::Evaluate(uint16_t Index, const uint8_t* Record) const {
    const TNode& n = FNodes[Index];
    TValue v;
    v.Category = n.Category;
    switch (n.Class) {
        case nodeFIELD:
            if (Record[n.NullOffset] != 0) return v;
            v = Read(n, Record + n.Offset, n.Length);
            break;
        case nodeCONST:
            v = Read(n, n.Value, n.Length);
            break;
        default:
            if (n.Category == catBool) {
                v.Blank = false;
                v.Number = Truth(Index, Record);
                break;
            }
            {
                const TValue l = Evaluate(n.Left, Record), r = Evaluate(n.Right, Record);
                if (l.Blank || r.Blank) return v;
                const double a = l.Category == catBcd ? BcdToFloat(l.Bytes) : l.Number;
                const double b = r.Category == catBcd ? BcdToFloat(r.Bytes) : r.Number;
                if (n.Op == canDIV && b == 0) return v;
                v.Number = n.Op == canADD   ? a + b
                           : n.Op == canSUB ? a - b
                           : n.Op == canMUL ? a * b
                                            : a / b;
                v.Blank = std::isnan(v.Number);
            }
    }
    v.Category = n.Category;
    return v;
}

bool TFilterProgram::Truth(uint16_t Index, const uint8_t* Record) const {
    const TNode& n = FNodes[Index];
    if (n.Class != nodeBINARY) {
        const TValue v = Evaluate(Index, Record);
        return !v.Blank && v.Number != 0;
    }
    if (n.Op == canAND) return Truth(n.Left, Record) && Truth(n.Right, Record);
    if (n.Op == canOR) return Truth(n.Left, Record) || Truth(n.Right, Record);

    const TValue l = Evaluate(n.Left, Record), r = Evaluate(n.Right, Record);
    if (l.Blank || r.Blank) return false;
    int order;
    if (l.Category == catString) {
        const int c = std::memcmp(l.Bytes, r.Bytes, std::min(l.Length, r.Length));
        order = c != 0 ? c : (l.Length > r.Length) - (l.Length < r.Length);
    } else if (l.Category == catBcd && r.Category == catBcd) {
        order = BcdCompare(l.Bytes, r.Bytes);
    } else {
        const double a = l.Category == catBcd ? BcdToFloat(l.Bytes) : l.Number;
        const double b = r.Category == catBcd ? BcdToFloat(r.Bytes) : r.Number;
        order = (a > b) - (a < b);
    }
    switch (n.Op) {
        case canEQ:
            return order == 0;
        case canNE:
            return order != 0;
        case canGT:
            return order > 0;
        case canLT:
            return order < 0;
        case canGE:
            return order >= 0;
        default:
            return order <= 0;
    }
}

bool TFilterProgram::Matches(const uint8_t* Record) const {
    return Truth(FRoot, Record);
}

}  // namespace vex

namespace vex {

std::vector<TFilterProgram::TNecessaryComparison> TFilterProgram::NecessaryComparisons() const {
    std::vector<TNecessaryComparison> Result;
    CollectNecessary(FRoot, Result);
    return Result;
}

void TFilterProgram::CollectNecessary(uint16_t Index,
                                      std::vector<TNecessaryComparison>& Into) const {
    const TNode& n = FNodes[Index];
    if (n.Class != nodeBINARY) return;
    if (n.Op == canAND) {
        CollectNecessary(n.Left, Into);
        CollectNecessary(n.Right, Into);
        return;
    }
    if (!IsRelation(n.Op)) return;
    const auto plainNumber = [](const TNode& x) {
        return x.Type == fldINT16 || x.Type == fldUINT16 || x.Type == fldINT32 ||
               x.Type == fldFLOAT;
    };
    const TNode *field = &FNodes[n.Left], *constant = &FNodes[n.Right];
    uint32_t op = n.Op;
    if (field->Class == nodeCONST) {
        std::swap(field, constant);
        // The same comparison with its sides exchanged.
        static const uint32_t mirrored[] = {0, 0, 0, canEQ, canNE, canLT, canGT, canLE, canGE};
        op = mirrored[op];
    }
    if (field->Class != nodeFIELD || constant->Class != nodeCONST || !plainNumber(*field) ||
        !plainNumber(*constant))
        return;
    const TValue v = Read(*constant, constant->Value, constant->Length);
    if (!v.Blank) Into.push_back({field->FieldNum, op, v.Number});
}

}  // namespace vex
