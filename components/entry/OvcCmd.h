#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/object.h"
#include "platform/core/set.h"
#include "platform/ui/inputevents.h"
#include "platform/win/messages.h"

namespace vex {

// Editing commands, numbered in the alphabetical order of their names in the component table.
inline constexpr uint16_t ccNone = 0;
inline constexpr uint16_t ccBack = 1;
inline constexpr uint16_t ccBotOfPage = 2;
inline constexpr uint16_t ccBotRightCell = 3;
inline constexpr uint16_t ccCompleteDate = 4;
inline constexpr uint16_t ccCompleteTime = 5;
inline constexpr uint16_t ccCopy = 6;
inline constexpr uint16_t ccCtrlChar = 7;
inline constexpr uint16_t ccCut = 8;
inline constexpr uint16_t ccDec = 9;
inline constexpr uint16_t ccDel = 10;
inline constexpr uint16_t ccDelBol = 11;
inline constexpr uint16_t ccDelEol = 12;
inline constexpr uint16_t ccDelLine = 13;
inline constexpr uint16_t ccDelWord = 14;
inline constexpr uint16_t ccDown = 15;
inline constexpr uint16_t ccEnd = 16;
inline constexpr uint16_t ccExtendDown = 17;
inline constexpr uint16_t ccExtendEnd = 18;
inline constexpr uint16_t ccExtendHome = 19;
inline constexpr uint16_t ccExtendLeft = 20;
inline constexpr uint16_t ccExtendPgDn = 21;
inline constexpr uint16_t ccExtendPgUp = 22;
inline constexpr uint16_t ccExtendRight = 23;
inline constexpr uint16_t ccExtendUp = 24;
inline constexpr uint16_t ccExtBotOfPage = 25;
inline constexpr uint16_t ccExtFirstPage = 26;
inline constexpr uint16_t ccExtLastPage = 27;
inline constexpr uint16_t ccExtTopOfPage = 28;
inline constexpr uint16_t ccExtWordLeft = 29;
inline constexpr uint16_t ccExtWordRight = 30;
inline constexpr uint16_t ccFirstPage = 31;
inline constexpr uint16_t ccGotoMarker0 = 32;
inline constexpr uint16_t ccGotoMarker1 = 33;
inline constexpr uint16_t ccGotoMarker2 = 34;
inline constexpr uint16_t ccGotoMarker3 = 35;
inline constexpr uint16_t ccGotoMarker4 = 36;
inline constexpr uint16_t ccGotoMarker5 = 37;
inline constexpr uint16_t ccGotoMarker6 = 38;
inline constexpr uint16_t ccGotoMarker7 = 39;
inline constexpr uint16_t ccGotoMarker8 = 40;
inline constexpr uint16_t ccGotoMarker9 = 41;
inline constexpr uint16_t ccHome = 42;
inline constexpr uint16_t ccInc = 43;
inline constexpr uint16_t ccIns = 44;
inline constexpr uint16_t ccLastPage = 45;
inline constexpr uint16_t ccLeft = 46;
inline constexpr uint16_t ccNewLine = 47;
inline constexpr uint16_t ccNextPage = 48;
inline constexpr uint16_t ccPageLeft = 49;
inline constexpr uint16_t ccPageRight = 50;
inline constexpr uint16_t ccPaste = 51;
inline constexpr uint16_t ccPrevPage = 52;
inline constexpr uint16_t ccRedo = 53;
inline constexpr uint16_t ccRestore = 54;
inline constexpr uint16_t ccRight = 55;
inline constexpr uint16_t ccScrollDown = 56;
inline constexpr uint16_t ccScrollUp = 57;
inline constexpr uint16_t ccSetMarker0 = 58;
inline constexpr uint16_t ccSetMarker1 = 59;
inline constexpr uint16_t ccSetMarker2 = 60;
inline constexpr uint16_t ccSetMarker3 = 61;
inline constexpr uint16_t ccSetMarker4 = 62;
inline constexpr uint16_t ccSetMarker5 = 63;
inline constexpr uint16_t ccSetMarker6 = 64;
inline constexpr uint16_t ccSetMarker7 = 65;
inline constexpr uint16_t ccSetMarker8 = 66;
inline constexpr uint16_t ccSetMarker9 = 67;
inline constexpr uint16_t ccTab = 68;
inline constexpr uint16_t ccTableEdit = 69;
inline constexpr uint16_t ccTopLeftCell = 70;
inline constexpr uint16_t ccTopOfPage = 71;
inline constexpr uint16_t ccUndo = 72;
inline constexpr uint16_t ccUp = 73;
inline constexpr uint16_t ccWordLeft = 74;
inline constexpr uint16_t ccWordRight = 75;

// What a translation gives besides a table's command: the key is an ordinary key, the second
// key of a sequence matched nothing, the first key of a sequence waits for its second.
inline constexpr uint16_t ccNoKeyMatch = 252;
inline constexpr uint16_t ccBrokenSequence = 254;
inline constexpr uint16_t ccSequencePending = 255;
// Codes from here on are the application's own commands.
inline constexpr uint16_t ccUserFirst = 256;

// One key, or a sequence of two keys, with the command it gives. Key2 is 0 for a single key.
struct TOvcCmdRec {
    uint8_t Key1 = 0;
    uint8_t Shift1 = 0;
    uint8_t Key2 = 0;
    uint8_t Shift2 = 0;
    uint16_t Cmd = 0;

    // The first four bytes as one little-endian number, Key1 in the low byte: what identifies
    // a key sequence, and how the stream stores it.
    uint32_t Keys() const {
        return Key1 | (uint32_t{Shift1} << 8) | (uint32_t{Key2} << 16) | (uint32_t{Shift2} << 24);
    }
    void SetKeys(uint32_t Value) {
        Key1 = static_cast<uint8_t>(Value);
        Shift1 = static_cast<uint8_t>(Value >> 8);
        Key2 = static_cast<uint8_t>(Value >> 16);
        Shift2 = static_cast<uint8_t>(Value >> 24);
    }
    bool operator==(const TOvcCmdRec&) const = default;
};
static_assert(sizeof(TOvcCmdRec) == 6);

// A named, ordered list of key records. A table named like a built-in table streams only its
// differences from the built-in rows.
class TOvcCommandTable : public TPersistent {
    VEX_CLASS(TOvcCommandTable, TPersistent)

public:
    TOvcCommandTable();

    bool IsActive() const { return FIsActive; }
    void SetIsActive(bool Value) { FIsActive = Value; }
    const std::string& TableName() const { return FTableName; }
    void SetTableName(const std::string& Value) { FTableName = Value; }
    const std::vector<TOvcCmdRec>& CommandList() const { return FCommandList; }

    int32_t Count() const { return static_cast<int32_t>(FCommandList.size()); }
    // Indexes count from 0; one out of range raises EListError.
    TOvcCmdRec GetCommandRec(int32_t Index) const;
    // The first record with the same key sequence as Rec, whatever its command; -1 if none.
    int32_t IndexOf(const TOvcCmdRec& Rec) const;
    int32_t AddRec(const TOvcCmdRec& Rec);
    void InsertRec(int32_t Index, const TOvcCmdRec& Rec);
    void PutRec(int32_t Index, const TOvcCmdRec& Rec);
    void Delete(int32_t Index);
    void Clear() { FCommandList.clear(); }

    // The text form: the name on the first line, then a line of five numbers per record. A file
    // that does not hold that raises ECmdProcessorError naming the file and the line, and the
    // table stays as it was.
    void LoadFromFile(const std::string& FileName);
    // Replaces the file at once, never leaving a part of it.
    void SaveToFile(const std::string& FileName) const;

protected:
    void DefineProperties(TFiler& Filer) override;

private:
    friend class TOvcCommandProcessor;

    // The "CommandList" value: name, active state and the key pairs.
    void ReadCommands(TReader& Reader);
    void WriteCommands(TWriter& Writer) const;
    void CheckIndex(int32_t Index, int32_t Limit) const;

    bool FIsActive = true;
    std::vector<TOvcCmdRec> FCommandList;
    std::string FTableName;
};

// Translates key presses into commands through an ordered list of tables; the first active
// table that knows a key gives its command. Two-key sequences keep their first key here
// between presses.
class TOvcCommandProcessor : public TPersistent {
    VEX_CLASS(TOvcCommandProcessor, TPersistent)

public:
    // With the built-in tables "Default" (active), "WordStar" and "Grid" (inactive).
    TOvcCommandProcessor();

    const std::vector<std::unique_ptr<TOvcCommandTable>>& TableList() const { return FTableList; }
    int32_t Count() const { return static_cast<int32_t>(FTableList.size()); }
    // 0 idle, 1 the first key of a sequence was seen, 2 the next key is taken literally.
    uint8_t State() const { return FState; }
    uint8_t LastKey() const { return FLastKey; }
    uint8_t LastShift() const { return FLastShift; }

    int32_t CreateCommandTable(const std::string& TableName, bool Active);
    // Appends Table under a name no other table has: a name already taken, or one whose
    // trailing digits stripped is taken, gets the stripped name followed by the first free
    // number. Returns its index.
    int32_t Add(std::unique_ptr<TOvcCommandTable> Table);
    // The first table of this name, compared without regard to case; nullptr if none.
    TOvcCommandTable* GetCommandTable(const std::string& TableName) const;
    // Raises ETableNotFound or EDuplicateCommand.
    void AddCommandRec(const std::string& TableName, const TOvcCmdRec& Rec);
    void Clear();
    int32_t LoadCommandTable(const std::string& FileName);
    void SaveCommandTable(const std::string& TableName, const std::string& FileName) const;

    // The command of a key-down message, the modifiers read from the keyboard state.
    uint16_t Translate(const TMessage& Msg);
    uint16_t TranslateKey(uint16_t Key, TShiftState Shift);
    void ResetCommandProcessor();

protected:
    void DefineProperties(TFiler& Filer) override;

private:
    uint16_t TranslateUsing(uint16_t Key, uint8_t Shift);
    uint16_t AskTable(const TOvcCommandTable& Table, uint16_t Key, uint8_t Shift);
    void ReadTables(TReader& Reader);
    void WriteTables(TWriter& Writer) const;

    std::vector<std::unique_ptr<TOvcCommandTable>> FTableList;
    uint8_t FState = 0;
    uint8_t FLastKey = 0;
    uint8_t FLastShift = 0;
};

}  // namespace vex
