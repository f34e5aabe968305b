#include "components/entry/OvcCmd.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <vector>

#include "components/entry/OvcErrors.h"
#include "platform/core/filer.h"
#include "platform/core/files.h"
#include "platform/core/stream.h"
#include "platform/core/stringutils.h"
#include "platform/win/keyboard.h"
#include "tests/support/casefile.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

const std::string Data = VEX_TEST_DIR "/testdata/";

TEST(Translate, KeysGiveTheCommandsOfTheFirstActiveTableThatKnowsThem) {
    for (const test::TestCase& c : test::ReadCases(Data + "cmdkeys.txt")) {
        SCOPED_TRACE(c.Where);
        TOvcCommandProcessor p;
        for (const auto& t : p.TableList())
            t->SetIsActive(c[0].find(t->TableName()) != std::string::npos);
        for (size_t i = 1; i + 2 < c.size(); i += 3) {
            const uint16_t key = std::isalpha(c[i][0]) ? c[i][0] : c.Int(i);
            TShiftState shift;
            for (int f : {ssShift, ssAlt, ssCtrl})
                if (c[i + 1].find("sac"[f]) != std::string::npos) shift.Include(TShiftStateFlag(f));
            EXPECT_EQ(p.TranslateKey(key, shift), c.Int(i + 2)) << "press " << i / 3;
        }
        EXPECT_EQ(p.State(), 0);
    }
    // Translating a message reads the modifiers from the keyboard state.
    TOvcCommandProcessor p;
    SetKeyState(VK_CONTROL, true);
    const uint16_t undo = p.Translate(TMessage{0x0100, 'Z', 0, 0});
    SetKeyState(VK_CONTROL, false);
    EXPECT_EQ(undo, ccUndo);
}

TEST(CommandProcessor, AddMakesTableNamesUniqueAndAddCommandRecRefusesDuplicates) {
    TOvcCommandProcessor p;
    for (const test::TestCase& c : test::ReadCases(Data + "cmdfiles.txt", "unique"))
        EXPECT_EQ(p.TableList()[p.CreateCommandTable(c[0], true)]->TableName(), c[1]) << c.Where;
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
    EXPECT_EQ(t.GetCommandRec(0), (TOvcCmdRec{'C', 0, 0, 0, 9}));
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
    EXPECT_EQ(p.TableList()[3]->TableName(), "WordStar1");
    EXPECT_EQ(p.TableList()[3]->CommandList(), p.TableList()[1]->CommandList());

    for (const test::TestCase& c : test::ReadCases(Data + "cmdfiles.txt", "loose")) {
        test::WriteWholeFile(dir.File("loose.txt"), c[0]);
        TOvcCommandTable t;
        t.LoadFromFile(dir.File("loose.txt"));
        EXPECT_EQ(t.TableName(), "Loose") << c.Where;
        EXPECT_EQ(t.CommandList(), std::vector<TOvcCmdRec>({TOvcCmdRec{65, 0, 0, 0, 300}}));
    }
}

TEST(CommandTableFile, BadFilesRaiseNamingTheLineAndKeepTheTable) {
    test::TempDir dir;
    for (const test::TestCase& c : test::ReadCases(Data + "cmdfiles.txt", "bad")) {
        SCOPED_TRACE(c.Where);
        test::WriteWholeFile(dir.File("bad.txt"), c[0]);
        TOvcCommandTable t;
        t.AddRec(TOvcCmdRec{'A', 0, 0, 0, 1});
        try {
            t.LoadFromFile(dir.File("bad.txt"));
            ADD_FAILURE() << "no exception";
        } catch (const ECmdProcessorError& e) {
            EXPECT_NE(e.Message().find(dir.File("bad.txt")), std::string::npos) << e.Message();
            EXPECT_NE(e.Message().find(c[1]), std::string::npos) << e.Message();
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

TEST(Streaming, BuiltInTablesWriteOnlyTheirDifferencesAndRoundTrip) {
    TOvcCommandProcessor source;
    std::string counts;
    for (const auto& t : source.TableList())
        counts += t->TableName() + " " + std::to_string(t->Count()) + " ";
    EXPECT_EQ(counts, "Default 64 WordStar 40 Grid 38 ");
    const auto stored = test::ReadCases(Data + "cmdstreams.txt", "stored");
    EXPECT_EQ(Stream(source), stored[0][0]);
    TOvcCommandTable t;
    t.SetTableName("Default");
    EXPECT_EQ(Stream(t), Bytes({vaNull}));  // no records, no property
    for (const TOvcCmdRec& r : source.TableList()[0]->CommandList())
        if (r.Key1 != VK_TAB || r.Shift1 != 0) t.AddRec(r);
    EXPECT_EQ(Stream(t), stored[1][0]);

    TOvcCommandTable& def = *source.GetCommandTable("Default");
    def.PutRec(0, TOvcCmdRec{VK_LEFT, 0, 0, 0, ccHome});        // changed
    def.Delete(5);                                              // deleted
    def.AddRec(TOvcCmdRec{'Q', 4, 'X', 128, ccUserFirst + 7});  // added sequence
    def.AddRec(TOvcCmdRec{'J', 4, 0, 0, ccNone});               // added, command 0
    def.Delete(1);
    def.AddRec(TOvcCmdRec{VK_RIGHT, 0, 0, 0, ccNone});  // a built-in sequence given command 0
    source.GetCommandTable("Grid")->SetIsActive(true);
    source.CreateCommandTable("Mine", false);
    source.AddCommandRec("Mine", TOvcCmdRec{'M', 8, 0, 0, ccCopy});
    TOvcCommandProcessor copy;
    copy.CreateCommandTable("Stale", true);
    Unstream(copy, Stream(source));
    EXPECT_EQ(Stream(copy), Stream(source));
}

TEST(Streaming, LongStreamsReadInTimeLinearInTheirLength) {
    // 3,000 tables of one name, then a Default table of 60,000 added rows: each took tens of
    // seconds when every name and every row was looked for from the start.
    std::string data = Bytes({9}) + "TableList" + Bytes({vaList});
    for (int i = 0; i < 3000; ++i)
        data += Bytes({vaString, 1, 'T', vaTrue, vaList, vaNull});
    data += Bytes({vaString, 7}) + "Default" + Bytes({vaTrue, vaList});
    for (int i = 0; i < 60000; ++i)
        data += Bytes({vaInt32, 'A', i >> 16, i & 0xFF, (i >> 8) & 0xFF, vaInt8, 1});
    data += Bytes({vaNull, vaNull, vaNull});
    TOvcCommandProcessor p;
    const auto start = std::chrono::steady_clock::now();
    Unstream(p, data);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    ASSERT_EQ(p.Count(), 3001);
    EXPECT_EQ(p.TableList()[2999]->TableName(), "T2999");
    EXPECT_EQ(p.TableList()[3000]->Count(), 64 + 60000);
}

TEST(Streaming, TruncatedAndHostileStreamsRaiseAndKeepTheTables) {
    TOvcCommandProcessor source;
    source.GetCommandTable("WordStar")->Delete(0);
    const std::string good = Stream(source);
    std::vector<std::string> streams = {good.substr(0, good.size() - 2),
                                        good.substr(0, good.size() / 2)};
    for (const test::TestCase& c : test::ReadCases(Data + "cmdstreams.txt", "hostile"))
        streams.push_back(c[0]);
    for (size_t i = 0; i < streams.size(); ++i) {
        SCOPED_TRACE(i);
        TOvcCommandProcessor p;
        p.CreateCommandTable("Mine", true);
        EXPECT_THROW(Unstream(p, streams[i]), EReadError);
        EXPECT_EQ(p.Count(), 4);
        EXPECT_EQ(p.GetCommandTable("WordStar")->Count(), 40);
    }
}

}  // namespace
}  // namespace vex
