#include "platform/ui/cupsprinter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/files.h"
#include "platform/registry/memoryregistrystore.h"
#include "platform/registry/registry.h"
#include "platform/registry/registrystore.h"
#include "platform/ui/pagereplay_testsupport.h"
#include "platform/ui/poppler_testsupport.h"
#include "platform/ui/printer.h"
#include "platform/ui/systemprinters.h"
#include "tests/support/scopedenvironment.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

// Stand-ins for lp and lpstat, first on the PATH: lp writes down its arguments one a line and
// keeps a copy of the file it was given, then exits with what the test says.
class CupsTools : public ::testing::Test {
protected:
    void WriteTool(const std::string& Name, const std::string& Body) {
        const std::string file = Folder.File(Name);
        test::WriteWholeFile(file, "#!/bin/sh\n" + Body);
        ::chmod(file.c_str(), 0755);
    }
    void WriteLp(int ExitCode) {
        WriteTool("lp", "printf '%s\\n' \"$@\" > '" + Folder.File("lp-args") +
                            "'\nfor last in \"$@\"; do :; done\ncp \"$last\" '" +
                            Folder.File("received.pdf") + "'\nexit " + std::to_string(ExitCode) +
                            "\n");
    }
    std::vector<std::string> LpArgs() {
        std::vector<std::string> args;
        std::string all = test::ReadWholeFile(Folder.File("lp-args")), line;
        for (char ch : all) {
            if (ch != '\n') {
                line += ch;
                continue;
            }
            args.push_back(line);
            line.clear();
        }
        return args;
    }
    // Prints a two-page table on Queue alone.
    void Print(const std::string& Queue, int32_t Copies, bool Collate, const std::string& Title) {
        TPrinter printer;
        test::UseDevice(printer, std::make_unique<TCupsPrinter>(Queue));
        printer.SetCopies(Copies);
        printer.SetCollate(Collate);
        printer.SetTitle(Title);
        test::PrintTable(printer, 80, 2);
    }

    test::TempDir Folder;
    test::TempDir Spool;
    test::ScopedEnvironment Path{"PATH", Folder.Path() + ":" + std::getenv("PATH")};
    test::ScopedEnvironment TmpDir{"TMPDIR", Spool.Path()};
};

TEST_F(CupsTools, LpReceivesTheQueueCopiesTitleAndAPdfAsArgumentsAlone) {
    WriteLp(0);
    // Nothing in the name or the title is read by a shell.
    Print("office; touch pwned", 3, true, "Report $(touch pwned) \x93quoted\x94");
    const std::vector<std::string> expected = {"-d", "office; touch pwned",
                                               "-n", "3",
                                               "-t", "Report $(touch pwned) \u201Cquoted\u201D",
                                               "-o", "collate=true",
                                               "--", LpArgs().back()};
    EXPECT_EQ(LpArgs(), expected);
    EXPECT_FALSE(FileExists(Folder.File("pwned")));
    EXPECT_FALSE(FileExists(LpArgs().back()));  // handed over, then removed
    EXPECT_EQ(test::ReadWholeFile(Folder.File("received.pdf")).substr(0, 5), "%PDF-");
    if (test::PopplerInstalled()) {
        EXPECT_EQ(test::PdfInfo(Folder.File("received.pdf")).Pages, 2);
    }
}

TEST_F(CupsTools, AnLpThatFailsIsAPrinterErrorAndLeavesNoFile) {
    WriteLp(1);
    // EndDoc is where the job is handed over.
    EXPECT_THROW(Print("office", 1, false, "Refused"), EPrinter);
    EXPECT_FALSE(FileExists(LpArgs().back()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Spool.Path()),
                            std::filesystem::directory_iterator()),
              0);
}

TEST_F(CupsTools, TheSystemListHasThePdfPrinterUnlessTurnedOffThenEveryQueue) {
    TRegistryStoreOverride store{std::make_shared<TMemoryRegistryStore>()};
    const auto names = [] {
        std::vector<std::string> list;
        for (const auto& device : SystemPrinters())
            list.push_back(device->Name());
        return list;
    };
    // No lpstat at all: the PATH holds our folder alone.
    {
        test::ScopedEnvironment bare{"PATH", Folder.Path()};
        EXPECT_EQ(names(), std::vector<std::string>{"PDF"});
    }
    WriteTool("lpstat", "[ \"$1\" = -e ] && printf 'office\\nlab-2\\n'\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"PDF", "office", "lab-2"}));
    // Older CUPS knows only -a.
    WriteTool("lpstat", "[ \"$1\" = -e ] && exit 1\necho 'hall accepting requests since Mon'\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"PDF", "hall"}));

    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Software\\Vexbane\\Printing", true));
    registry.WriteInteger("PDF printer", 0);
    EXPECT_EQ(names(), std::vector<std::string>{"hall"});
    registry.WriteInteger("PDF printer", 1);
    EXPECT_EQ(names(), (std::vector<std::string>{"PDF", "hall"}));
}

TEST(LpstatQueues, AreTheFirstWordOfEachLineThatCouldNameAQueue) {
    struct TCase {
        const char* Answer;
        std::vector<std::string> Queues;
    };
    const TCase cases[] = {
        {"", {}},
        {"office\nlab\n", {"office", "lab"}},
        {"office accepting requests since Tue\r\nlab not accepting requests\n", {"office", "lab"}},
        {"\n\n  indented\nlast-without-newline", {"last-without-newline"}},
        {"bell\x07"
         "char\n\x7F\nok\n",
         {"ok"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Answer);
        EXPECT_EQ(ParseLpstatQueues(c.Answer), c.Queues);
    }
    std::string many;
    for (int i = 0; i < 1000; ++i)
        many += "q" + std::to_string(i) + "\n";
    EXPECT_EQ(ParseLpstatQueues(many).size(), 256u);
    EXPECT_TRUE(ParseLpstatQueues(std::string(200, 'x')).empty());
}

}  // namespace
}  // namespace vex
