#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/stringlist.h"
#include "platform/data/dbicursor.h"

namespace vex {

class TDataSet;
class TTable;

// A stack of strings: the parser's symbols.
class TStackStr : public TObject {
public:
    int32_t Count() const { return FList.Count(); }
    void Push(const std::string& Text) { FList.Add(Text); }
    // The last line, removed; an empty text when the stack is empty.
    void Pop(std::string& Text);

private:
    TStringList FList;
};

class TNode;

// A stack of node references, which it does not own.
class TStackPtr : public TObject {
public:
    int32_t Count() const { return static_cast<int32_t>(FList.size()); }
    void Push(TNode* Item) { FList.push_back(Item); }
    TNode* Pop();  // nullptr when empty

private:
    std::vector<TNode*> FList;
};

// One node of a filter's parse tree; it owns its operands.
class TNode : public TObject {
public:
    enum : uint8_t { nkRelation = 0, nkLogical = 1, nkArithmetic = 2, nkOperand = 3 };

    TNode(uint8_t Kind, const std::string& Text, TNode* Left, TNode* Right)
        : Kind(Kind), Text(Text), Left(Left), Right(Right) {}
    int32_t NodeCount() const;

    uint8_t Kind;
    uint8_t ValueType = 0;  // 1 to 9 for a constant, from the field it is compared with
    int32_t Decimals = 0;
    std::string Text;
    int32_t Offset = 0;
    std::unique_ptr<TNode> Left, Right;
};

// The filter text compiled to the engine's filter block against the fields of DataSet; no
// value when the text does not parse (a field the dataset lacks is also shown in a message
// box). A constant that does not convert raises the conversion error. Text left over after a
// whole expression is a syntax error.
std::optional<std::vector<uint8_t>> CompileFilterText(const std::string& Text, TDataSet& DataSet);

// Installs Text as the table's expression filter (an empty text removes it); false when the
// text does not compile or the engine refuses it. A filter installed before is dropped either way.
bool ApplyFilterText(const std::string& Text, TTable& Table, hDBIFilter& FilterHandle, bool Force);

// Installs an engine filter that calls Callback for every record, with the dataset as client
// data; nullptr removes it. False when the dataset has no cursor or the engine refuses.
bool SetRecordFilterCallback(pfDBIFilter Callback, TDataSet& DataSet, hDBIFilter& FilterHandle);

void DropEngineFilter(TDataSet& DataSet, hDBIFilter& FilterHandle);

}  // namespace vex
