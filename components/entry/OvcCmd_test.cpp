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
    ASSERT_EQ(p.Count(), 3);
    const struct {
        const char* Name;
        bool Active;
        int32_t Rows;
    } expected[] = {{"Default", true, 64}, {"WordStar", false, 40}, {"Grid", false, 38}};
    for (int32_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(expected[i].Name);
        const TOvcCommandTable& t = *p.TableList()[static_cast<size_t>(i)];
        EXPECT_EQ(t.TableName(), expected[i].Name);
        EXPECT_EQ(t.IsActive(), expected[i].Active);
        EXPECT_EQ(t.Count(), expected[i].Rows);
    }
    // The last row of each, and a sequence row with its any-or-Ctrl second shift.
    EXPECT_EQ(p.TableList()[0]->GetCommandRec(63), (TOvcCmdRec{'9', 6, 0, 0, ccSetMarker9}));
    EXPECT_EQ(p.TableList()[1]->GetCommandRec(39), (TOvcCmdRec{'K', 4, '9', 128, ccSetMarker9}));
    EXPECT_EQ(p.TableList()[2]->GetCommandRec(37), (TOvcCmdRec{VK_F2, 0, 0, 0, ccTableEdit}));
    EXPECT_EQ(TOvcCommandTable().TableName(), "(Unknown)");
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
    SetKeyState(VK_SHIFT, true);
    const uint16_t redo = p.Translate(TMessage{0x0100, 'Z', 0, 0});
    SetKeyState(VK_SHIFT, false);
    const uint16_t undo = p.Translate(TMessage{0x0100, 'Z', 0, 0});
    SetKeyState(VK_CONTROL, false);
    EXPECT_EQ(redo, ccRedo);
    EXPECT_EQ(undo, ccUndo);
}

TEST(CommandProcessor, AddMakesTableNamesUnique) {
    struct Case {
        std::string Name;
        std::string Expected;
    };
    const std::vector<Case> cases = {
        {"Default", "Default1"}, {"Default2", "Default1"}, {"default", "default1"},
        {"Mine", "Mine"},        {"Mine7", "Mine7"},       {"7", "7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TOvcCommandProcessor p;
        EXPECT_EQ(p.CreateCommandTable(c.Name, true), 3);
        EXPECT_EQ(p.TableList()[3]->TableName(), c.Expected);
    }
    TOvcCommandProcessor p;
    p.CreateCommandTable("Default", true);
    p.CreateCommandTable("Default", true);
    EXPECT_EQ(p.TableList()[4]->TableName(), "Default2");
    // A taken name whose stripped form is free is still renamed.
    p.CreateCommandTable("X1", true);
    p.CreateCommandTable("X1", true);
    EXPECT_EQ(p.TableList()[6]->TableName(), "X2");
    p.CreateCommandTable("5", true);
    p.CreateCommandTable("5", true);
    EXPECT_EQ(p.TableList()[8]->TableName(), "51");
}

TEST(CommandProcessor, AddCommandRecRefusesMissingTablesAndDuplicateSequences) {
    TOvcCommandProcessor p;
    EXPECT_THROW(p.AddCommandRec("Nowhere", TOvcCmdRec{'A', 0, 0, 0, ccLeft}), ETableNotFound);
    EXPECT_THROW(p.AddCommandRec("default", TOvcCmdRec{VK_LEFT, 0, 0, 0, ccRight}),
                 EDuplicateCommand);
    p.AddCommandRec("grid", TOvcCmdRec{'A', 0, 0, 0, ccLeft});
    EXPECT_EQ(p.GetCommandTable("Grid")->Count(), 39);
}

TEST(CommandTable, EditsRecordsAndRefusesIndexesOutOfRange) {
    TOvcCommandTable t;
    EXPECT_EQ(t.AddRec(TOvcCmdRec{'A', 0, 0, 0, 1}), 0);
    t.InsertRec(0, TOvcCmdRec{'B', 0, 0, 0, 2});
    t.InsertRec(2, TOvcCmdRec{'C', 0, 0, 0, 3});
    t.PutRec(1, TOvcCmdRec{'A', 0, 0, 0, 9});
    EXPECT_EQ(t.IndexOf(TOvcCmdRec{'A', 0, 0, 0, 0}), 1);
    EXPECT_EQ(t.IndexOf(TOvcCmdRec{'A', 2, 0, 0, 9}), -1);
    EXPECT_EQ(t.GetCommandRec(1).Cmd, 9);
    t.Delete(0);
    EXPECT_EQ(t.GetCommandRec(0).Key1, 'A');
    EXPECT_THROW(t.GetCommandRec(2), EListError);
    EXPECT_THROW(t.GetCommandRec(-1), EListError);
    EXPECT_THROW(t.InsertRec(3, TOvcCmdRec{}), EListError);
    EXPECT_THROW(t.PutRec(2, TOvcCmdRec{}), EListError);
    EXPECT_THROW(t.Delete(2), EListError);
    EXPECT_EQ(t.Count(), 2);
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
    struct Case {
        const char* What;
        std::string Text;
        const char* Line;
    };
    const std::vector<Case> cases = {
        {"four numbers", "T\r\n1 2 3 4 5\r\n1 2 3 4\r\n", "line 3"},
        {"six numbers", "T\r\n1 2 3 4 5 6\r\n", "line 2"},
        {"a word", "T\r\n1 2 x 4 5\r\n", "line 2"},
        {"a key past a byte", "T\r\n256 0 0 0 5\r\n", "line 2"},
        {"a negative shift", "T\r\n65 -1 0 0 5\r\n", "line 2"},
        {"a command past 16 bits", "T\r\n\r\n65 0 0 0 65536\r\n", "line 3"},
        {"CR line ends", "T\r1 2 3 4 5\r1 2\r", "line 3"},
        {"no name", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const std::string file = dir.File("bad.txt");
        test::WriteWholeFile(file, c.Text);
        TOvcCommandTable t;
        t.SetTableName("Kept");
        t.AddRec(TOvcCmdRec{'A', 0, 0, 0, 1});
        try {
            t.LoadFromFile(file);
            ADD_FAILURE() << "no exception";
        } catch (const ECmdProcessorError& e) {
            EXPECT_NE(e.Message().find(file), std::string::npos) << e.Message();
            EXPECT_NE(e.Message().find(c.Line), std::string::npos) << e.Message();
        }
        EXPECT_EQ(t.TableName(), "Kept");
        EXPECT_EQ(t.Count(), 1);
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

TEST(Streaming, BuiltInTablesWriteNoPairs) {
    TOvcCommandProcessor p;
    const std::string expected = Bytes({9}) + "TableList" + Bytes({vaList}) + Str("Default") +
                                 Bytes({vaTrue, vaList, vaNull}) + Str("WordStar") +
                                 Bytes({vaFalse, vaList, vaNull}) + Str("Grid") +
                                 Bytes({vaFalse, vaList, vaNull, vaNull, vaNull});
    EXPECT_EQ(Stream(p), expected);
}

TEST(Streaming, AMissingBuiltInRowIsWrittenWithCommandZero) {
    TOvcCommandTable t;
    t.SetTableName("Default");
    TOvcCommandProcessor p;
    for (const TOvcCmdRec& r : p.TableList()[0]->CommandList())
        if (r.Key1 != VK_TAB || r.Shift1 != 0) t.AddRec(r);
    const std::string expected = Bytes({11}) + "CommandList" + Str("Default") +
                                 Bytes({vaTrue, vaList, vaInt8, VK_TAB, vaInt8, 0, vaNull, vaNull});
    EXPECT_EQ(Stream(t), expected);
    TOvcCommandTable empty;
    empty.SetTableName("Default");
    EXPECT_EQ(Stream(empty), Bytes({vaNull}));  // no records, no property
}

TEST(Streaming, ProcessorRoundTripsChangedAddedAndDeletedRows) {
    TOvcCommandProcessor source;
    TOvcCommandTable& def = *source.GetCommandTable("Default");
    def.PutRec(0, TOvcCmdRec{VK_LEFT, 0, 0, 0, ccHome});        // changed
    def.Delete(5);                                              // deleted
    def.AddRec(TOvcCmdRec{'Q', 4, 'X', 128, ccUserFirst + 7});  // added sequence
    def.AddRec(TOvcCmdRec{'J', 4, 0, 0, ccNone});               // added, command 0
    source.GetCommandTable("Grid")->SetIsActive(true);
    source.CreateCommandTable("Mine", false);
    source.AddCommandRec("Mine", TOvcCmdRec{'M', 8, 0, 0, ccCopy});
    const std::string data = Stream(source);

    TOvcCommandProcessor copy;
    copy.Clear();
    copy.CreateCommandTable("Stale", true);
    Unstream(copy, data);
    ASSERT_EQ(copy.Count(), source.Count());
    for (int32_t i = 0; i < source.Count(); ++i) {
        const auto& a = *source.TableList()[static_cast<size_t>(i)];
        const auto& b = *copy.TableList()[static_cast<size_t>(i)];
        SCOPED_TRACE(a.TableName());
        EXPECT_EQ(b.TableName(), a.TableName());
        EXPECT_EQ(b.IsActive(), a.IsActive());
        EXPECT_EQ(b.CommandList(), a.CommandList());
    }
    EXPECT_EQ(copy.TranslateKey(VK_LEFT, None), ccHome);
}

TEST(Streaming, LongStreamsReadInTimeLinearInTheirLength) {
    // 3,000 tables of one name, then a Default table of 50,000 added rows: each took many
    // seconds when every name and every row was looked for from the start.
    std::string data = Bytes({9}) + "TableList" + Bytes({vaList});
    for (int i = 0; i < 3000; ++i)
        data += Str("T") + Bytes({vaTrue, vaList, vaNull});
    data += Str("Default") + Bytes({vaTrue, vaList});
    for (int i = 0; i < 50000; ++i)
        data += Bytes({vaInt32, 'A', i >> 16, i & 0xFF, (i >> 8) & 0xFF, vaInt8, 1});
    data += Bytes({vaNull, vaNull, vaNull});
    TOvcCommandProcessor p;
    const auto start = std::chrono::steady_clock::now();
    Unstream(p, data);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    ASSERT_EQ(p.Count(), 3001);
    EXPECT_EQ(p.TableList()[2999]->TableName(), "T2999");
    EXPECT_EQ(p.TableList()[3000]->Count(), 64 + 50000);
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
