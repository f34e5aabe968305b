#include "components/entry/OvcCmd.h"

#include <gtest/gtest.h>

#include <chrono>
#include <tuple>
#include <vector>

#include "components/entry/OvcErrors.h"
#include "platform/core/filer.h"
#include "platform/core/files.h"
#include "platform/core/stream.h"
#include "platform/core/stringutils.h"
#include "platform/win/keyboard.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

const TShiftState None{};
const TShiftState Ctrl{ssCtrl};
const TShiftState CtrlShift{ssCtrl, ssShift};

TEST(CommandProcessor, StartsWithTheThreeBuiltInTables) {
    TOvcCommandProcessor p;
    std::string tables;
    for (const auto& t : p.TableList())
        tables += t->TableName() + (t->IsActive() ? "+" : "-") + std::to_string(t->Count()) + " ";
    EXPECT_EQ(tables, "Default+64 WordStar-40 Grid-38 ");
    // The last row of each, and a sequence row with its any-or-Ctrl second shift.
    EXPECT_EQ(p.TableList()[0]->GetCommandRec(63), (TOvcCmdRec{'9', 6, 0, 0, ccSetMarker9}));
    EXPECT_EQ(p.TableList()[1]->GetCommandRec(39), (TOvcCmdRec{'K', 4, '9', 128, ccSetMarker9}));
    EXPECT_EQ(p.TableList()[2]->GetCommandRec(37), (TOvcCmdRec{VK_F2, 0, 0, 0, ccTableEdit}));
}

// Each case presses its keys in order on a processor with only the named tables active.
TEST(Translate, KeysGiveTheCommandsOfTheFirstActiveTableThatKnowsThem) {
    const TShiftState Alt{ssAlt};
    struct Case {
        const char* Active;
        std::vector<std::tuple<uint16_t, TShiftState, uint16_t>> Keys;
    };
    const std::vector<Case> cases = {
        {"Default", {{'Z', CtrlShift, ccRedo}, {'Z', Ctrl, ccUndo}, {'A', None, ccNoKeyMatch}}},
        {"Default", {{VK_BACK, Alt, ccRestore}, {VK_LEFT + 256, None, ccNoKeyMatch}}},
        {"WordStar",
         {{'Q', Ctrl, ccSequencePending},
          {VK_SHIFT, None, ccSequencePending},
          {VK_CAPITAL, None, ccSequencePending},
          {'S', Ctrl, ccHome},
          {'Q', Ctrl, 255},
          {'S', None, ccHome},
          {'Q', Ctrl, 255},
          {'S', Alt, ccBrokenSequence}}},
        {"WordStar", {{VK_MENU, None, ccNoKeyMatch}, {'K', Ctrl, 255}, {'B', None, 254}}},
        // After Ctrl+P the next key, not a modifier, is taken literally.
        {"WordStar",
         {{'P', Ctrl, ccCtrlChar},
          {VK_CONTROL, Ctrl, ccNoKeyMatch},
          {'S', Ctrl, ccNoKeyMatch},
          {'S', Ctrl, ccLeft}}},
        {"DefaultWordStar", {{'Z', Ctrl, ccUndo}, {'S', Ctrl, ccLeft}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Active);
        TOvcCommandProcessor p;
        for (const auto& t : p.TableList())
            t->SetIsActive(std::string(c.Active).find(t->TableName()) != std::string::npos);
        for (const auto& [key, shift, expected] : c.Keys)
            EXPECT_EQ(p.TranslateKey(key, shift), expected) << key;
        EXPECT_EQ(p.State(), 0);
    }
}

TEST(Translate, ReadsModifiersFromTheKeyboardState) {
    TOvcCommandProcessor p;
    SetKeyState(VK_CONTROL, true);
    const uint16_t undo = p.Translate(TMessage{0x0100, 'Z', 0, 0});
    SetKeyState(VK_CONTROL, false);
    EXPECT_EQ(undo, ccUndo);
}

TEST(CommandProcessor, AddMakesTableNamesUniqueAndAddCommandRecRefusesDuplicates) {
    TOvcCommandProcessor p;
    const std::vector<std::pair<std::string, std::string>> added = {{"Default2", "Default1"},
                                                                    {"default", "default2"},
                                                                    {"Mine7", "Mine7"},
                                                                    {"Mine", "Mine"},
                                                                    {"Mine", "Mine1"},
                                                                    {"X1", "X1"},
                                                                    {"X1", "X2"},
                                                                    {"7", "7"},
                                                                    {"7", "71"}};
    for (const auto& [name, expected] : added)
        EXPECT_EQ(p.TableList()[p.CreateCommandTable(name, true)]->TableName(), expected) << name;
    EXPECT_THROW(p.AddCommandRec("Nowhere", TOvcCmdRec{'A', 0, 0, 0, ccLeft}), ETableNotFound);
    EXPECT_THROW(p.AddCommandRec("default", TOvcCmdRec{VK_LEFT, 0, 0, 0, ccRight}),
                 EDuplicateCommand);
    p.AddCommandRec("grid", TOvcCmdRec{'A', 0, 0, 0, ccLeft});
    EXPECT_EQ(p.GetCommandTable("Grid")->Count(), 39);
}

TEST(CommandTable, EditsRecordsAndRefusesIndexesOutOfRange) {
    TOvcCommandTable t;
    t.InsertRec(0, TOvcCmdRec{'B', 0, 0, 0, 2});
    t.InsertRec(0, TOvcCmdRec{'A', 0, 0, 0, 1});
    t.PutRec(1, TOvcCmdRec{'C', 0, 0, 0, 9});
    EXPECT_EQ(t.IndexOf(TOvcCmdRec{'C', 0, 0, 0, 0}), 1);
    EXPECT_EQ(t.IndexOf(TOvcCmdRec{'C', 2, 0, 0, 9}), -1);
    t.Delete(0);
    EXPECT_EQ(t.CommandList(), std::vector<TOvcCmdRec>({TOvcCmdRec{'C', 0, 0, 0, 9}}));
    EXPECT_THROW(t.GetCommandRec(-1), EListError);
    EXPECT_THROW(t.InsertRec(2, TOvcCmdRec{}), EListError);
    EXPECT_THROW(t.PutRec(1, TOvcCmdRec{}), EListError);
    EXPECT_THROW(t.Delete(1), EListError);
}

TEST(CommandTableFile, RoundTripsThroughTheTextForm) {
    test::TempDir dir;
    TOvcCommandProcessor p;
    p.SaveCommandTable("WordStar", dir.File("ws.txt"));
    p.SaveCommandTable("Missing", dir.File("none.txt"));
    EXPECT_FALSE(FileExists(dir.File("none.txt")));
    const std::string text = test::ReadWholeFile(dir.File("ws.txt"));
    EXPECT_EQ(text.substr(0, 34), "WordStar\r\n  83   4   0   0    46\r\n");

    EXPECT_EQ(p.LoadCommandTable(dir.File("ws.txt")), 3);
    const TOvcCommandTable& loaded = *p.TableList()[3];
    EXPECT_EQ(loaded.TableName(), "WordStar1");
    EXPECT_EQ(loaded.CommandList(), p.TableList()[1]->CommandList());

    // Blank lines, tabs, and Unix or old Macintosh line ends are accepted.
    for (const char* text : {"Loose\n\n 65\t0 0 0   300\n  \n", "Loose\r\r65 0 0 0 300\r"}) {
        test::WriteWholeFile(dir.File("loose.txt"), text);
        TOvcCommandTable t;
        t.LoadFromFile(dir.File("loose.txt"));
        EXPECT_EQ(t.TableName(), "Loose");
        EXPECT_EQ(t.CommandList(), std::vector<TOvcCmdRec>({TOvcCmdRec{65, 0, 0, 0, 300}}));
    }
}

TEST(CommandTableFile, BadFilesRaiseNamingTheLineAndKeepTheTable) {
    test::TempDir dir;
    // Four or six numbers, a word, a key past a byte, a negative shift, a command past 16 bits.
    const std::vector<std::pair<std::string, const char*>> cases = {
        {"T\r\n1 2 3 4 5\r\n1 2 3 4\r\n", "line 3"},
        {"T\r\n1 2 3 4 5 6\r\n", "line 2"},
        {"T\r\n1 2 x 4 5\r\n", "line 2"},
        {"T\r\n256 0 0 0 5\r\n", "line 2"},
        {"T\r\n65 -1 0 0 5\r\n", "line 2"},
        {"T\r\n\r\n65 0 0 0 65536\r\n", "line 3"},
        {"T\r1 2 3 4 5\r1 2\r", "line 3"},
        {"", "no command table name"}};
    for (const auto& [text, line] : cases) {
        SCOPED_TRACE(text);
        test::WriteWholeFile(dir.File("bad.txt"), text);
        TOvcCommandTable t;
        t.AddRec(TOvcCmdRec{'A', 0, 0, 0, 1});
        try {
            t.LoadFromFile(dir.File("bad.txt"));
            ADD_FAILURE() << "no exception";
        } catch (const ECmdProcessorError& e) {
            EXPECT_NE(e.Message().find(dir.File("bad.txt")), std::string::npos) << e.Message();
            EXPECT_NE(e.Message().find(line), std::string::npos) << e.Message();
        }
        EXPECT_EQ(t.TableName() + std::to_string(t.Count()), "(Unknown)1");
    }
    TOvcCommandTable t;
    EXPECT_THROW(t.LoadFromFile(dir.File("missing.txt")), EFOpenError);
    test::WriteWholeFile(dir.File("huge.txt"), "T\n" + std::string(1 << 20, ' '));
    EXPECT_THROW(t.LoadFromFile(dir.File("huge.txt")), ECmdProcessorError);
}

TEST(CommandTableFile, AFailedSaveLeavesNothingAndAnUnreadableNameIsRefused) {
    test::TempDir dir;
    TOvcCommandTable t;
    EXPECT_THROW(t.SaveToFile(dir.File("no/such/folder/t.txt")), Exception);
    test::WriteWholeFile(dir.File("t.txt"), "old");
    t.SaveToFile(dir.File("t.txt"));
    EXPECT_EQ(test::ReadWholeFile(dir.File("t.txt")), "(Unknown)\r\n");
    t.SetTableName("Two\nLines");
    EXPECT_THROW(t.SaveToFile(dir.File("t.txt")), ECmdProcessorError);
    EXPECT_EQ(test::ReadWholeFile(dir.File("t.txt")), "(Unknown)\r\n");
}

// Streaming

std::string Stream(TPersistent& Object) {
    TStringStream stream;
    TWriter(stream).WriteProperties(Object);
    return stream.DataString();
}

void Unstream(TPersistent& Object, const std::string& Data) {
    TStringStream stream(Data);
    TReader(stream).ReadProperties(Object);
}

std::string Bytes(std::initializer_list<int> Values) {
    std::string result;
    for (int v : Values)
        result += static_cast<char>(v);
    return result;
}

std::string Str(const std::string& S) {
    return Bytes({vaString, static_cast<int>(S.size())}) + S;
}

TEST(Streaming, BuiltInTablesWriteOnlyTheirDifferencesAndRoundTrip) {
    TOvcCommandProcessor source;
    EXPECT_EQ(Stream(source), Bytes({9}) + "TableList" + Bytes({vaList}) + Str("Default") +
                                  Bytes({vaTrue, vaList, vaNull}) + Str("WordStar") +
                                  Bytes({vaFalse, vaList, vaNull}) + Str("Grid") +
                                  Bytes({vaFalse, vaList, vaNull, vaNull, vaNull}));
    TOvcCommandTable t;
    t.SetTableName("Default");
    EXPECT_EQ(Stream(t), Bytes({vaNull}));  // no records, no property
    for (const TOvcCmdRec& r : source.TableList()[0]->CommandList())
        if (r.Key1 != VK_TAB || r.Shift1 != 0) t.AddRec(r);
    EXPECT_EQ(Stream(t), Bytes({11}) + "CommandList" + Str("Default") +
                             Bytes({vaTrue, vaList, vaInt8, VK_TAB, vaInt8, 0, vaNull, vaNull}));

    TOvcCommandTable& def = *source.GetCommandTable("Default");
    def.PutRec(0, TOvcCmdRec{VK_LEFT, 0, 0, 0, ccHome});        // changed
    def.Delete(5);                                              // deleted
    def.AddRec(TOvcCmdRec{'Q', 4, 'X', 128, ccUserFirst + 7});  // added sequence
    def.AddRec(TOvcCmdRec{'J', 4, 0, 0, ccNone});               // added, command 0
    source.GetCommandTable("Grid")->SetIsActive(true);
    source.CreateCommandTable("Mine", false);
    source.AddCommandRec("Mine", TOvcCmdRec{'M', 8, 0, 0, ccCopy});
    TOvcCommandProcessor copy;
    copy.CreateCommandTable("Stale", true);
    Unstream(copy, Stream(source));
    ASSERT_EQ(copy.Count(), source.Count());
    for (size_t i = 0; i < copy.TableList().size(); ++i) {
        const TOvcCommandTable &a = *source.TableList()[i], &b = *copy.TableList()[i];
        EXPECT_EQ(b.TableName() + (b.IsActive() ? "+" : "-"),
                  a.TableName() + (a.IsActive() ? "+" : "-"));
        EXPECT_EQ(b.CommandList(), a.CommandList()) << a.TableName();
    }
}

TEST(Streaming, LongStreamsReadInTimeLinearInTheirLength) {
    // 1,500 tables of one name, then a Default table of 30,000 added rows: each took seconds
    // when every name and every row was looked for from the start.
    std::string data = Bytes({9}) + "TableList" + Bytes({vaList});
    for (int i = 0; i < 1500; ++i)
        data += Str("T") + Bytes({vaTrue, vaList, vaNull});
    data += Str("Default") + Bytes({vaTrue, vaList});
    for (int i = 0; i < 30000; ++i)
        data += Bytes({vaInt32, 'A', i >> 16, i & 0xFF, (i >> 8) & 0xFF, vaInt8, 1});
    data += Bytes({vaNull, vaNull, vaNull});
    TOvcCommandProcessor p;
    const auto start = std::chrono::steady_clock::now();
    Unstream(p, data);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    ASSERT_EQ(p.Count(), 1501);
    EXPECT_EQ(p.TableList()[1499]->TableName(), "T1499");
    EXPECT_EQ(p.TableList()[1500]->Count(), 64 + 30000);
}

TEST(Streaming, TruncatedAndHostileStreamsRaiseAndKeepTheTables) {
    TOvcCommandProcessor source;
    source.GetCommandTable("WordStar")->Delete(0);
    const std::string good = Stream(source);
    const std::string head =
        Bytes({9}) + "TableList" + Bytes({vaList}) + Str("X") + Bytes({vaTrue, vaList, vaInt8, 65});
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"cut before the end of the list", good.substr(0, good.size() - 2)},
        {"cut in a table", good.substr(0, good.size() / 2)},
        {"command past 16 bits", head + Bytes({vaInt32, 0, 0, 1, 0, vaNull, vaNull, vaNull})},
        {"negative command", head + Bytes({vaInt8, 0xFF, vaNull, vaNull, vaNull})},
        {"pair without a command", head + Bytes({vaNull, vaNull, vaNull})},
        {"string for a key",
         head.substr(0, head.size() - 2) + Str("A") + Bytes({vaInt8, 1, vaNull, vaNull, vaNull})},
        {"tables not in a list", Bytes({9}) + "TableList" + Str("Default")},
    };
    for (const auto& [what, data] : cases) {
        SCOPED_TRACE(what);
        TOvcCommandProcessor p;
        p.CreateCommandTable("Mine", true);
        EXPECT_THROW(Unstream(p, data), EReadError);
        EXPECT_EQ(p.Count(), 4);
        EXPECT_EQ(p.GetCommandTable("WordStar")->Count(), 40);
    }
}

}  // namespace
}  // namespace vex
