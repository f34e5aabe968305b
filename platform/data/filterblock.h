#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/data/dbitypes.h"

namespace vex {

// The filter expression block that filters are compiled to: a 10-byte header (version 1, total
// size, node count, node start 10, literal start), node slots of 14 bytes, then a literal area
// of field names and constant values. Every slot starts with its class and operator (32 bits
// each); binary nodes then hold the node offsets of their operands, field nodes a field number
// and a name offset, constant nodes a type, a size and a value offset.
inline constexpr size_t FilterHeaderSize = 10;
inline constexpr size_t FilterNodeSize = 14;

// The deepest operand a block may hold below its root: far deeper than any filter text a person
// writes, and shallow enough for the stack of the recursive walks over the tree.
inline constexpr int FilterMaxDepth = 1000;

enum : uint32_t { nodeBINARY = 2, nodeFIELD = 4, nodeCONST = 5 };

enum : uint32_t {
    canEQ = 3,
    canNE = 4,
    canGT = 5,
    canLT = 6,
    canGE = 7,
    canLE = 8,
    canAND = 10,
    canOR = 11,
    canFIELD = 13,
    canCONST = 14,
    canADD = 16,
    canSUB = 17,
    canMUL = 18,
    canDIV = 19,
};

// A block checked once against a cursor's fields and decoded into a tree whose operands point
// at record-buffer slots, so that judging a record reads the buffer and allocates nothing.
// A block that is malformed, names a field the cursor lacks or compares what cannot be
// compared raises EDBEngineError with DBIERR_INVALIDFILTER and says why.
class TFilterProgram {
public:
    TFilterProgram(const uint8_t* Block, size_t Length, const std::vector<FLDDesc>& Fields);

    // Whether the record passes. A blank operand makes a relation false; numbers compare as
    // doubles, two packed decimals exactly; division by zero gives a blank.
    bool Matches(const uint8_t* Record) const;
    // Comparisons of a whole-number or floating-point field with a number that the whole filter
    // needs to hold (joined to the root by AND only), with the field on the left: a database can
    // narrow the rows with them before the block judges the rest.
    struct TNecessaryComparison {
        uint16_t FieldNum;
        uint32_t Op;
        double Value;
    };
    std::vector<TNecessaryComparison> NecessaryComparisons() const;

    // The engine numbers of the fields the block reads, each once.
    const std::vector<uint16_t>& FieldNumbers() const { return FFieldNumbers; }

private:
    enum TCategory : uint8_t { catBool, catNumber, catBcd, catString, catDate, catTime };

    struct TNode {
        uint32_t Class = 0;
        uint32_t Op = 0;
        uint16_t Left = 0, Right = 0;  // node indices, for binary nodes
        TCategory Category = catBool;
        uint16_t Type = 0;                                // field or constant type
        const uint8_t* Value = nullptr;                   // constant value inside FBlock
        uint32_t Offset = 0, NullOffset = 0, Length = 0;  // field slots in the record
        uint16_t FieldNum = 0;
    };
    struct TValue;

    static bool CategoryOf(uint16_t Type, TCategory& Category);
    static TValue Read(const TNode& N, const uint8_t* P, size_t Size);
    uint16_t Decode(size_t Offset, int Depth);
    TValue Evaluate(uint16_t Node, const uint8_t* Record) const;
    bool Truth(uint16_t Node, const uint8_t* Record) const;
    void CollectNecessary(uint16_t Node, std::vector<TNecessaryComparison>& Into) const;

    std::vector<uint8_t> FBlock;
    std::vector<TNode> FNodes;
    std::vector<uint16_t> FFieldNumbers;
    uint16_t FRoot = 0;
    size_t FLiteralStart = 0, FTotalSize = 0, FNodeCount = 0;
    // Only while decoding: the cursor's fields and the node decoded from each slot.
    const std::vector<FLDDesc>* FFields = nullptr;
    std::vector<int32_t>* FSlots = nullptr;
};

}  // namespace vex
