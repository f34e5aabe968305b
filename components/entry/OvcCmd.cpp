#include "components/entry/OvcCmd.h"

#include <algorithm>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

#include "components/entry/OvcErrors.h"
#include "components/entry/OvcMisc.h"
#include "components/entry/OvcTexts.h"
#include "platform/core/exceptions.h"
#include "platform/core/filer.h"
#include "platform/core/files.h"
#include "platform/core/stream.h"
#include "platform/core/stringutils.h"
#include "platform/win/keyboard.h"

namespace vex {

namespace {

// Modifier flags as the records hold them, added: Ctrl+Shift is 6. As Shift2, AnyOrCtrl accepts
// a second key pressed alone or with Ctrl.
constexpr uint8_t NoMod = 0;
constexpr uint8_t Shft = 2;
constexpr uint8_t Ctrl = 4;
constexpr uint8_t Alt = 8;
constexpr uint8_t CtrlShft = Ctrl + Shft;
constexpr uint8_t AnyOrCtrl = 128;

constexpr uint8_t Key(int32_t VirtualKey) {
    return static_cast<uint8_t>(VirtualKey);
}

TOvcCmdRec Row(int32_t Key1, uint8_t Shift1, uint16_t Cmd) {
    return TOvcCmdRec{Key(Key1), Shift1, 0, NoMod, Cmd};
}

TOvcCmdRec Row(int32_t Key1, uint8_t Shift1, int32_t Key2, uint16_t Cmd) {
    return TOvcCmdRec{Key(Key1), Shift1, Key(Key2), AnyOrCtrl, Cmd};
}

// Ten rows, one per digit key, for the commands FirstCmd to FirstCmd + 9.
void AddDigitRows(std::vector<TOvcCmdRec>& Rows, uint8_t Shift, uint16_t FirstCmd) {
    for (int32_t i = 0; i < 10; ++i)
        Rows.push_back(Row('0' + i, Shift, static_cast<uint16_t>(FirstCmd + i)));
}

// Ten sequences, Ctrl+Key1 then a digit key.
void AddDigitSequences(std::vector<TOvcCmdRec>& Rows, int32_t Key1, uint16_t FirstCmd) {
    for (int32_t i = 0; i < 10; ++i)
        Rows.push_back(Row(Key1, Ctrl, '0' + i, static_cast<uint16_t>(FirstCmd + i)));
}

const std::vector<TOvcCmdRec>& DefaultRows() {
    static const std::vector<TOvcCmdRec> rows = [] {
        std::vector<TOvcCmdRec> r = {
            Row(VK_LEFT, NoMod, ccLeft),
            Row(VK_RIGHT, NoMod, ccRight),
            Row(VK_LEFT, Ctrl, ccWordLeft),
            Row(VK_RIGHT, Ctrl, ccWordRight),
            Row(VK_HOME, NoMod, ccHome),
            Row(VK_END, NoMod, ccEnd),
            Row(VK_DELETE, NoMod, ccDel),
            Row(VK_BACK, NoMod, ccBack),
            Row(VK_BACK, Shft, ccBack),
            Row(VK_PRIOR, Ctrl, ccTopOfPage),
            Row(VK_NEXT, Ctrl, ccBotOfPage),
            Row(VK_INSERT, NoMod, ccIns),
            Row('Z', Ctrl, ccUndo),
            Row(VK_BACK, Alt, ccRestore),
            Row(VK_UP, NoMod, ccUp),
            Row(VK_DOWN, NoMod, ccDown),
            Row(VK_RETURN, Ctrl, ccNewLine),
            Row(VK_LEFT, Shft, ccExtendLeft),
            Row(VK_RIGHT, Shft, ccExtendRight),
            Row(VK_HOME, Shft, ccExtendHome),
            Row(VK_END, Shft, ccExtendEnd),
            Row(VK_LEFT, CtrlShft, ccExtWordLeft),
            Row(VK_RIGHT, CtrlShft, ccExtWordRight),
            Row(VK_PRIOR, Shft, ccExtendPgUp),
            Row(VK_NEXT, Shft, ccExtendPgDn),
            Row(VK_UP, Shft, ccExtendUp),
            Row(VK_DOWN, Shft, ccExtendDown),
            Row(VK_HOME, CtrlShft, ccExtFirstPage),
            Row(VK_END, CtrlShft, ccExtLastPage),
            Row(VK_PRIOR, CtrlShft, ccExtTopOfPage),
            Row(VK_NEXT, CtrlShft, ccExtBotOfPage),
            Row(VK_DELETE, Shft, ccCut),
            Row('X', Ctrl, ccCut),
            Row(VK_INSERT, Ctrl, ccCopy),
            Row('C', Ctrl, ccCopy),
            Row(VK_INSERT, Shft, ccPaste),
            Row('V', Ctrl, ccPaste),
            Row(VK_PRIOR, NoMod, ccPrevPage),
            Row(VK_NEXT, NoMod, ccNextPage),
            Row(VK_HOME, Ctrl, ccFirstPage),
            Row(VK_END, Ctrl, ccLastPage),
            Row(VK_TAB, NoMod, ccTab),
            Row(VK_TAB, Ctrl, ccTab),
            Row('Z', CtrlShft, ccRedo),
        };
        AddDigitRows(r, Ctrl, ccGotoMarker0);
        AddDigitRows(r, CtrlShft, ccSetMarker0);
        return r;
    }();
    return rows;
}

const std::vector<TOvcCmdRec>& WordStarRows() {
    static const std::vector<TOvcCmdRec> rows = [] {
        std::vector<TOvcCmdRec> r = {
            Row('S', Ctrl, ccLeft),      Row('D', Ctrl, ccRight),
            Row('E', Ctrl, ccUp),        Row('X', Ctrl, ccDown),
            Row('R', Ctrl, ccPrevPage),  Row('C', Ctrl, ccNextPage),
            Row('W', Ctrl, ccScrollUp),  Row('Z', Ctrl, ccScrollDown),
            Row('A', Ctrl, ccWordLeft),  Row('F', Ctrl, ccWordRight),
            Row('Q', Ctrl, 'S', ccHome), Row('Q', Ctrl, 'D', ccEnd),
            Row('G', Ctrl, ccDel),       Row('H', Ctrl, ccBack),
            Row('Y', Ctrl, ccDelLine),   Row('Q', Ctrl, 'Y', ccDelEol),
            Row('V', Ctrl, ccIns),       Row('T', Ctrl, ccDelWord),
            Row('P', Ctrl, ccCtrlChar),  Row('Q', Ctrl, 'L', ccRestore),
        };
        AddDigitSequences(r, 'Q', ccGotoMarker0);
        AddDigitSequences(r, 'K', ccSetMarker0);
        return r;
    }();
    return rows;
}

const std::vector<TOvcCmdRec>& GridRows() {
    static const std::vector<TOvcCmdRec> rows = {
        Row(VK_LEFT, NoMod, ccLeft),
        Row(VK_RIGHT, NoMod, ccRight),
        Row(VK_LEFT, Ctrl, ccPageLeft),
        Row(VK_RIGHT, Ctrl, ccPageRight),
        Row(VK_HOME, NoMod, ccHome),
        Row(VK_END, NoMod, ccEnd),
        Row(VK_DELETE, NoMod, ccDel),
        Row(VK_BACK, NoMod, ccBack),
        Row(VK_NEXT, Ctrl, ccBotOfPage),
        Row(VK_PRIOR, Ctrl, ccTopOfPage),
        Row(VK_INSERT, NoMod, ccIns),
        Row('Z', Ctrl, ccRestore),
        Row(VK_UP, NoMod, ccUp),
        Row(VK_DOWN, NoMod, ccDown),
        Row(VK_LEFT, Shft, ccExtendLeft),
        Row(VK_RIGHT, Shft, ccExtendRight),
        Row(VK_HOME, Shft, ccExtendHome),
        Row(VK_END, Shft, ccExtendEnd),
        Row(VK_LEFT, CtrlShft, ccExtWordLeft),
        Row(VK_RIGHT, CtrlShft, ccExtWordRight),
        Row(VK_PRIOR, Shft, ccExtendPgUp),
        Row(VK_NEXT, Shft, ccExtendPgDn),
        Row(VK_UP, Shft, ccExtendUp),
        Row(VK_DOWN, Shft, ccExtendDown),
        Row(VK_HOME, CtrlShft, ccExtFirstPage),
        Row(VK_END, CtrlShft, ccExtLastPage),
        Row(VK_PRIOR, CtrlShft, ccExtTopOfPage),
        Row(VK_NEXT, CtrlShft, ccExtBotOfPage),
        Row('X', Ctrl, ccCut),
        Row('C', Ctrl, ccCopy),
        Row('V', Ctrl, ccPaste),
        Row(VK_PRIOR, NoMod, ccPrevPage),
        Row(VK_HOME, Ctrl, ccFirstPage),
        Row(VK_NEXT, NoMod, ccNextPage),
        Row(VK_END, Ctrl, ccLastPage),
        Row(VK_UP, Ctrl, ccTopLeftCell),
        Row(VK_DOWN, Ctrl, ccBotRightCell),
        Row(VK_F2, NoMod, ccTableEdit),
    };
    return rows;
}

// The built-in rows of a table named like a built-in table, else nullptr.
const std::vector<TOvcCmdRec>* BuiltInRows(const std::string& TableName) {
    if (SameText(TableName, GetOvcString(scDefaultTableName))) return &DefaultRows();
    if (SameText(TableName, GetOvcString(scWordStarTableName))) return &WordStarRows();
    if (SameText(TableName, GetOvcString(scGridColorScheme))) return &GridRows();
    return nullptr;
}

bool HasSequence(const std::vector<TOvcCmdRec>& Rows, uint32_t Keys) {
    for (const TOvcCmdRec& r : Rows)
        if (r.Keys() == Keys) return true;
    return false;
}

bool HasRow(const std::vector<TOvcCmdRec>& Rows, const TOvcCmdRec& Rec) {
    for (const TOvcCmdRec& r : Rows)
        if (r == Rec) return true;
    return false;
}

// A text table larger than this is not a key table; refusing it keeps a stray file from
// taking the memory.
constexpr int64_t MaxTableFileSize = 1 << 20;

std::string ReadTableFile(const std::string& FileName) {
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    const int64_t size = file.Size();
    if (size > MaxTableFileSize)
        throw ECmdProcessorError("'" + FileName + "' is too large for a command table");
    std::string contents(static_cast<size_t>(size), '\0');
    file.ReadBuffer(contents.data(), static_cast<int32_t>(size));
    return contents;
}

[[noreturn]] void BadLine(const std::string& FileName, int32_t Line, const std::string& Why) {
    throw ECmdProcessorError("Invalid command table file '" + FileName + "', line " +
                             IntToStr(Line) + ": " + Why);
}

// Five numbers: keys and shifts 0 to 255, the command 0 to 65535.
TOvcCmdRec ParseRecordLine(const std::string& Text, const std::string& FileName, int32_t Line) {
    std::istringstream words(Text);
    std::string word;
    int32_t values[5] = {};
    int32_t n = 0;
    while (words >> word) {
        if (n == 5) BadLine(FileName, Line, "more than five numbers");
        if (!TryStrToInt(word, values[n]))
            BadLine(FileName, Line, "'" + word + "' is not a number");
        const int32_t limit = n == 4 ? UINT16_MAX : UINT8_MAX;
        if (values[n] < 0 || values[n] > limit)
            BadLine(FileName, Line, IntToStr(values[n]) + " is out of range");
        ++n;
    }
    if (n < 5) BadLine(FileName, Line, "fewer than five numbers");
    return TOvcCmdRec{static_cast<uint8_t>(values[0]), static_cast<uint8_t>(values[1]),
                      static_cast<uint8_t>(values[2]), static_cast<uint8_t>(values[3]),
                      static_cast<uint16_t>(values[4])};
}

std::string RightAligned(int32_t Value, size_t Width) {
    std::string s = IntToStr(Value);
    return s.size() < Width ? std::string(Width - s.size(), ' ') + s : s;
}

// Gives tables names no other table has. The names taken only grow while one namer lives, so
// the first free number of a stripped name only grows too: a stream of n tables of one name is
// named in time linear in n rather than cubic.
class TTableNamer {
public:
    explicit TTableNamer(const std::vector<std::unique_ptr<TOvcCommandTable>>& Tables) {
        for (const auto& t : Tables)
            FTaken.insert(UpperCase(t->TableName()));
    }

    void Name(TOvcCommandTable& Table) {
        const std::string& name = Table.TableName();
        std::string base = name;
        while (base.size() >= 2 && base.back() >= '0' && base.back() <= '9')
            base.pop_back();
        if (Taken(base) || Taken(name)) {
            int32_t& next = FNextNumber.try_emplace(UpperCase(base), 1).first->second;
            while (Taken(base + IntToStr(next)))
                ++next;
            Table.SetTableName(base + IntToStr(next));
        }
        FTaken.insert(UpperCase(Table.TableName()));
    }

private:
    bool Taken(const std::string& Name) const { return FTaken.contains(UpperCase(Name)); }

    std::unordered_set<std::string> FTaken;
    std::unordered_map<std::string, int32_t> FNextNumber;
};

bool IsModifierOrLock(uint16_t Key) {
    return Key == VK_SHIFT || Key == VK_CONTROL || Key == VK_MENU || Key == VK_CAPITAL ||
           Key == VK_NUMLOCK || Key == VK_SCROLL;
}

}  // namespace

// TOvcCommandTable

TOvcCommandTable::TOvcCommandTable() : FTableName(GetOvcString(scUnknown)) {}

void TOvcCommandTable::CheckIndex(int32_t Index, int32_t Limit) const {
    if (Index < 0 || Index > Limit)
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
}

TOvcCmdRec TOvcCommandTable::GetCommandRec(int32_t Index) const {
    CheckIndex(Index, Count() - 1);
    return FCommandList[static_cast<size_t>(Index)];
}

int32_t TOvcCommandTable::IndexOf(const TOvcCmdRec& Rec) const {
    for (size_t i = 0; i < FCommandList.size(); ++i)
        if (FCommandList[i].Keys() == Rec.Keys()) return static_cast<int32_t>(i);
    return -1;
}

int32_t TOvcCommandTable::AddRec(const TOvcCmdRec& Rec) {
    FCommandList.push_back(Rec);
    return Count() - 1;
}

void TOvcCommandTable::InsertRec(int32_t Index, const TOvcCmdRec& Rec) {
    CheckIndex(Index, Count());
    FCommandList.insert(FCommandList.begin() + Index, Rec);
}

void TOvcCommandTable::PutRec(int32_t Index, const TOvcCmdRec& Rec) {
    CheckIndex(Index, Count() - 1);
    FCommandList[static_cast<size_t>(Index)] = Rec;
}

void TOvcCommandTable::Delete(int32_t Index) {
    CheckIndex(Index, Count() - 1);
    FCommandList.erase(FCommandList.begin() + Index);
}

void TOvcCommandTable::LoadFromFile(const std::string& FileName) {
    const std::string contents = ReadTableFile(FileName);
    std::string name;
    std::vector<TOvcCmdRec> records;
    bool haveName = false;
    int32_t lineNo = 0;
    size_t start = 0;
    while (start < contents.size()) {
        // CR LF, LF and a lone CR all end a line.
        size_t end = std::min(contents.find_first_of("\r\n", start), contents.size());
        const std::string line = contents.substr(start, end - start);
        start = contents.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
        ++lineNo;
        if (!haveName) {
            name = line;
            haveName = true;
        } else if (!Trim(line).empty()) {
            records.push_back(ParseRecordLine(line, FileName, lineNo));
        }
    }
    if (!haveName) throw ECmdProcessorError("'" + FileName + "' holds no command table name");
    FTableName = std::move(name);
    FCommandList = std::move(records);
}

void TOvcCommandTable::SaveToFile(const std::string& FileName) const {
    // The name is the file's first line: one with a line break would save a file that cannot
    // be read back.
    if (FTableName.find_first_of("\r\n") != std::string::npos)
        throw ECmdProcessorError("Cannot save command table '" + FTableName + "' to '" + FileName +
                                 "': its name holds a line break");
    std::string text = FTableName + "\r\n";
    for (const TOvcCmdRec& r : FCommandList)
        text += RightAligned(r.Key1, 4) + RightAligned(r.Shift1, 4) + RightAligned(r.Key2, 4) +
                RightAligned(r.Shift2, 4) + RightAligned(r.Cmd, 6) + "\r\n";
    WriteFileAtomic(FileName, text);
}

void TOvcCommandTable::DefineProperties(TFiler& Filer) {
    Filer.DefineProperty(
        "CommandList", [this](TReader& r) { ReadCommands(r); },
        [this](TWriter& w) { WriteCommands(w); }, Count() > 0);
}

// The whole value is read before the table changes, so a bad stream leaves it as it was.
void TOvcCommandTable::ReadCommands(TReader& Reader) {
    std::string name = Reader.ReadString();
    const bool active = Reader.ReadBoolean();
    const std::vector<TOvcCmdRec>* builtIn = BuiltInRows(name);
    std::vector<TOvcCmdRec> records;
    // Where each key sequence of a built-in table is; deleted rows are dropped at the end, so
    // a long stream costs no more than its length.
    std::unordered_map<uint32_t, size_t> indexOf;
    std::vector<bool> deleted;
    if (builtIn != nullptr) {
        records = *builtIn;
        deleted.resize(records.size());
        for (size_t i = 0; i < records.size(); ++i)
            indexOf.emplace(records[i].Keys(), i);
    }
    Reader.ReadListBegin();
    while (!Reader.EndOfList()) {
        TOvcCmdRec rec;
        rec.SetKeys(static_cast<uint32_t>(Reader.ReadInteger()));
        const int32_t cmd = Reader.ReadInteger();
        if (cmd < 0 || cmd > UINT16_MAX) throw EReadError("Invalid property value");
        rec.Cmd = static_cast<uint16_t>(cmd);
        const auto found = indexOf.find(rec.Keys());
        if (found == indexOf.end()) {
            if (builtIn != nullptr) indexOf.emplace(rec.Keys(), records.size());
            records.push_back(rec);
            deleted.push_back(false);
        } else if (rec.Cmd == ccNone) {
            deleted[found->second] = true;
            indexOf.erase(found);
        } else {
            records[found->second].Cmd = rec.Cmd;
        }
    }
    size_t kept = 0;
    for (size_t i = 0; i < records.size(); ++i)
        if (!deleted[i]) records[kept++] = records[i];
    records.resize(kept);
    Reader.ReadListEnd();
    FTableName = std::move(name);
    FIsActive = active;
    FCommandList = std::move(records);
}

void TOvcCommandTable::WriteCommands(TWriter& Writer) const {
    Writer.WriteString(FTableName);
    Writer.WriteBoolean(FIsActive);
    Writer.WriteListBegin();
    const auto writePair = [&Writer](uint32_t Keys, uint16_t Cmd) {
        Writer.WriteInteger(static_cast<int32_t>(Keys));
        Writer.WriteInteger(Cmd);
    };
    const std::vector<TOvcCmdRec>* builtIn = BuiltInRows(FTableName);
    if (builtIn != nullptr)
        for (const TOvcCmdRec& r : *builtIn)
            if (!HasSequence(FCommandList, r.Keys())) writePair(r.Keys(), ccNone);
    for (const TOvcCmdRec& r : FCommandList) {
        if (builtIn != nullptr && HasRow(*builtIn, r)) continue;
        // A command of 0 for a built-in sequence reads back as deleting that row; a deletion
        // before it makes the record read back as added.
        if (builtIn != nullptr && r.Cmd == ccNone && HasSequence(*builtIn, r.Keys()))
            writePair(r.Keys(), ccNone);
        writePair(r.Keys(), r.Cmd);
    }
    Writer.WriteListEnd();
}

// TOvcCommandProcessor

TOvcCommandProcessor::TOvcCommandProcessor() {
    const auto addBuiltIn = [this](uint16_t NameId, bool Active,
                                   const std::vector<TOvcCmdRec>& Rows) {
        const std::string name = GetOvcString(NameId);
        CreateCommandTable(name, Active);
        for (const TOvcCmdRec& r : Rows)
            AddCommandRec(name, r);
    };
    addBuiltIn(scDefaultTableName, true, DefaultRows());
    addBuiltIn(scWordStarTableName, false, WordStarRows());
    addBuiltIn(scGridColorScheme, false, GridRows());
    ResetCommandProcessor();
}

int32_t TOvcCommandProcessor::CreateCommandTable(const std::string& TableName, bool Active) {
    auto table = std::make_unique<TOvcCommandTable>();
    table->SetTableName(TableName);
    table->SetIsActive(Active);
    return Add(std::move(table));
}

int32_t TOvcCommandProcessor::Add(std::unique_ptr<TOvcCommandTable> Table) {
    TTableNamer(FTableList).Name(*Table);
    FTableList.push_back(std::move(Table));
    return Count() - 1;
}

TOvcCommandTable* TOvcCommandProcessor::GetCommandTable(const std::string& TableName) const {
    for (const auto& t : FTableList)
        if (SameText(t->TableName(), TableName)) return t.get();
    return nullptr;
}

void TOvcCommandProcessor::AddCommandRec(const std::string& TableName, const TOvcCmdRec& Rec) {
    TOvcCommandTable* table = GetCommandTable(TableName);
    if (table == nullptr) throw ETableNotFound();
    if (table->IndexOf(Rec) >= 0) throw EDuplicateCommand();
    table->AddRec(Rec);
}

void TOvcCommandProcessor::Clear() {
    FTableList.clear();
}

int32_t TOvcCommandProcessor::LoadCommandTable(const std::string& FileName) {
    auto table = std::make_unique<TOvcCommandTable>();
    table->LoadFromFile(FileName);
    return Add(std::move(table));
}

void TOvcCommandProcessor::SaveCommandTable(const std::string& TableName,
                                            const std::string& FileName) const {
    if (const TOvcCommandTable* table = GetCommandTable(TableName)) table->SaveToFile(FileName);
}

uint16_t TOvcCommandProcessor::Translate(const TMessage& Msg) {
    return TranslateUsing(LOWORD(Msg.WParam), GetShiftFlags());
}

uint16_t TOvcCommandProcessor::TranslateKey(uint16_t Key, TShiftState Shift) {
    uint8_t flags = 0;
    if (Shift.Contains(ssShift)) flags |= Shft;
    if (Shift.Contains(ssCtrl)) flags |= Ctrl;
    if (Shift.Contains(ssAlt)) flags |= Alt;
    return TranslateUsing(Key, flags);
}

void TOvcCommandProcessor::ResetCommandProcessor() {
    FState = 0;
    FLastKey = 0;
    FLastShift = 0;
}

uint16_t TOvcCommandProcessor::TranslateUsing(uint16_t Key, uint8_t Shift) {
    if (IsModifierOrLock(Key)) return FState == 1 ? ccSequencePending : ccNoKeyMatch;
    if (FState == 2) {
        FState = 0;
        return ccNoKeyMatch;
    }
    const bool pending = FState == 1;
    for (const auto& table : FTableList) {
        if (!table->IsActive()) continue;
        if (const uint16_t cmd = AskTable(*table, Key, Shift); cmd != ccNone) return cmd;
    }
    FState = 0;
    return pending ? ccBrokenSequence : ccNoKeyMatch;
}

uint16_t TOvcCommandProcessor::AskTable(const TOvcCommandTable& Table, uint16_t Key,
                                        uint8_t Shift) {
    const bool second = FState == 1;
    for (const TOvcCmdRec& r : Table.CommandList()) {
        if (second) {
            const bool shiftMatches =
                r.Shift2 == Shift || (r.Shift2 == AnyOrCtrl && (Shift == NoMod || Shift == Ctrl));
            if (r.Key1 != FLastKey || r.Shift1 != FLastShift || r.Key2 != Key || !shiftMatches)
                continue;
        } else if (r.Key1 != Key || r.Shift1 != Shift) {
            continue;
        }
        if (!second && r.Key2 != 0) {
            FState = 1;
            FLastKey = static_cast<uint8_t>(Key);
            FLastShift = Shift;
            return ccSequencePending;
        }
        if (second) FState = 0;
        if (r.Cmd == ccCtrlChar) FState = 2;
        return r.Cmd;
    }
    return ccNone;
}

void TOvcCommandProcessor::DefineProperties(TFiler& Filer) {
    Filer.DefineProperty(
        "TableList", [this](TReader& r) { ReadTables(r); }, [this](TWriter& w) { WriteTables(w); },
        Count() > 0);
}

// Every table is read before the old ones go, so a bad stream leaves the processor as it was.
void TOvcCommandProcessor::ReadTables(TReader& Reader) {
    std::vector<std::unique_ptr<TOvcCommandTable>> tables;
    Reader.ReadListBegin();
    while (!Reader.EndOfList()) {
        auto table = std::make_unique<TOvcCommandTable>();
        table->ReadCommands(Reader);
        tables.push_back(std::move(table));
    }
    Reader.ReadListEnd();
    Clear();
    TTableNamer namer(FTableList);
    for (auto& t : tables) {
        namer.Name(*t);
        FTableList.push_back(std::move(t));
    }
}

void TOvcCommandProcessor::WriteTables(TWriter& Writer) const {
    Writer.WriteListBegin();
    for (const auto& t : FTableList)
        t->WriteCommands(Writer);
    Writer.WriteListEnd();
}

}  // namespace vex
