#include "components/entry/OvcTextFileEditor.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "components/entry/OvcErrors.h"
#include "components/entry/editor_testsupport.h"
#include "tests/support/forkedchild.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

using test::ReadWholeFile;
using test::TextOf;
using test::WriteWholeFile;
using Form = test::TEditorForm<TOvcTextFileEditor>;

std::vector<std::string> FilesIn(const std::string& Folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(OvcTextFileEditor, LoadsOneParagraphPerLineAsTheTableSays) {
    using namespace std::string_literals;
    const struct {
        const char* Name;
        std::string Bytes;
        std::string Text;  // paragraphs joined by "\n"
    } cases[] = {
        {"empty file", "", ""},
        {"CR LF and LF end lines", "a\r\nb\nc", "a\nb\nc\n"},
        {"a lone CR is kept", "a\rb\r\n", "a\rb\n"},
        {"a CR at the very end is kept", "a\r", "a\r\n"},
        {"a NUL ends the line's text", "ab\0cd\nef\n"s, "ab\nef\n"},
        {"trailing blanks are trimmed", "x \t \n  y\n", "x\n  y\n"},
        {"other bytes are kept", "\x01\xe9\x7f\n", "\x01\xe9\x7f\n"},
        {"empty lines", "\n\n", "\n\n"},
    };
    test::TempDir dir;
    Form f;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteWholeFile(dir.File("in.txt"), c.Bytes);
        f.Editor->LoadFromFile(dir.File("in.txt"));
        EXPECT_TRUE(f.Editor->IsOpen());
        EXPECT_EQ(TextOf(*f.Editor), c.Text);
    }
}

TEST(OvcTextFileEditor, ALineOf40000CharactersLoadsAsItsFirst32767) {
    test::TempDir dir;
    std::string line;
    for (int i = 0; i < 40000; ++i)
        line += static_cast<char>('a' + i % 26);
    WriteWholeFile(dir.File("long.txt"), line + "\r\nnext\r\n");
    Form f;
    f.Editor->LoadFromFile(dir.File("long.txt"));
    ASSERT_EQ(f.Editor->GetParaCount(), 3);
    EXPECT_EQ(f.Editor->GetPara(1), line.substr(0, 32767));
    EXPECT_EQ(f.Editor->GetPara(2), "next");
}

TEST(OvcTextFileEditor, FileNamesLoseOneTrailingPoint) {
    const struct {
        const char* Name;
        const char* Fixed;
    } cases[] = {{"list.txt.", "list.txt"}, {"list..", "list."}, {".", "."}, {"a", "a"}, {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(TOvcCustomTextFileEditor::FixFileName(c.Name), c.Fixed) << c.Name;
}

TEST(OvcTextFileEditor, OpeningFollowsFileNameAndIsOpen) {
    test::TempDir dir;
    WriteWholeFile(dir.File("list.txt"), "one\r\ntwo\r\n");
    Form f;
    f.Editor->SetIsOpen(true);
    EXPECT_FALSE(f.Editor->IsOpen()) << "no file name: nothing happens";
    f.Editor->SetFileName(dir.File("list.txt."));
    EXPECT_EQ(f.Editor->FileName(), dir.File("list.txt"));
    f.Editor->SetIsOpen(true);
    EXPECT_EQ(TextOf(*f.Editor), "one\ntwo\n");
    f.Editor->SetFileName(dir.File("other.txt"));
    EXPECT_FALSE(f.Editor->IsOpen());
    EXPECT_EQ(TextOf(*f.Editor), "one\ntwo\n") << "the text stays until IsOpen is set again";
    EXPECT_THROW(f.Editor->SetIsOpen(true), EInOutError);
    EXPECT_FALSE(f.Editor->IsOpen());
    EXPECT_EQ(TextOf(*f.Editor), "") << "a failed load leaves it empty";
}

TEST(OvcTextFileEditor, OnlyRegularFilesLoadAndNoneBlocks) {
    test::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.File("folder"));
    const struct {
        const char* Name;
        const char* Error;
    } cases[] = {{"pipe", "Not a regular file"}, {"folder", "Is a directory"}};
    for (const auto& c : cases) {
        // A pipe nobody writes to would hold a blocking open forever; the suite's watchdog names
        // this test if it ever does. (A forked child of this threaded process could itself wait on
        // a lock another thread held at the fork.)
        Form f;
        test::SetTextOf(*f.Editor, "kept until the load starts");
        std::string outcome = "loaded";
        try {
            f.Editor->LoadFromFile(dir.File(c.Name));
        } catch (const EInOutError& e) {
            outcome = e.what();
        }
        EXPECT_NE(outcome.find(c.Error), std::string::npos) << c.Name << ": " << outcome;
    }
}

TEST(OvcTextFileEditor, LimitsStopALoadWithTheirTexts) {
    test::TempDir dir;
    WriteWholeFile(dir.File("many.txt"), "a\nb\nc\nd\n");
    Form f;
    f.Editor->SetParaLimit(2);
    try {
        f.Editor->LoadFromFile(dir.File("many.txt"));
        FAIL() << "no error";
    } catch (const EEditorError& e) {
        EXPECT_STREQ(e.what(),
                     "Current operation will exceed the maximum number of allowed paragraphs");
    }
    EXPECT_FALSE(f.Editor->IsOpen());
    EXPECT_EQ(f.Editor->GetParaCount(), 1);
}

TEST(OvcTextFileEditor, SavesParagraphsAsCrLfLinesWithoutAnEmptyLastOne) {
    const struct {
        const char* Text;
        const char* File;
    } cases[] = {{"a", "a\r\n"}, {"a\nb\n", "a\r\nb\r\n"}, {"", ""}, {"\n", "\r\n"}};
    test::TempDir dir;
    Form f;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        test::SetTextOf(*f.Editor, c.Text);
        EXPECT_EQ(f.Editor->Modified(), *c.Text != '\0');
        f.Editor->SaveToFile(dir.File("out.txt"));
        EXPECT_EQ(ReadWholeFile(dir.File("out.txt")), c.File);
        EXPECT_FALSE(f.Editor->Modified());
    }
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"out.txt"});
}

TEST(OvcTextFileEditor, ABackupReplacesAnOlderOne) {
    test::TempDir dir;
    WriteWholeFile(dir.File("list.txt"), "old\r\n");
    WriteWholeFile(dir.File("list.BAK"), "older\r\n");
    Form f;
    f.Editor->SetMakeBackup(true);
    test::SetTextOf(*f.Editor, "new");
    f.Editor->SaveToFile(dir.File("list.txt"));
    EXPECT_EQ(ReadWholeFile(dir.File("list.txt")), "new\r\n");
    EXPECT_EQ(ReadWholeFile(dir.File("list.BAK")), "old\r\n");
    EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"list.BAK", "list.txt"}));
}

TEST(OvcTextFileEditor, AnOldBackupThatIsALinkIsReplacedAndWhatItLedToStays) {
    for (const char* target : {"gone.txt", "folder"}) {
        SCOPED_TRACE(target);
        test::TempDir dir;
        WriteWholeFile(dir.File("list.txt"), "old\r\n");
        std::filesystem::create_directory(dir.File("folder"));
        std::filesystem::create_symlink(target, dir.File("list.BAK"));
        Form f;
        f.Editor->SetMakeBackup(true);
        test::SetTextOf(*f.Editor, "new");
        f.Editor->SaveToFile(dir.File("list.txt"));
        EXPECT_EQ(ReadWholeFile(dir.File("list.txt")), "new\r\n");
        EXPECT_FALSE(std::filesystem::is_symlink(dir.File("list.BAK")));
        EXPECT_EQ(ReadWholeFile(dir.File("list.BAK")), "old\r\n");
        EXPECT_EQ(FilesIn(dir.Path()),
                  (std::vector<std::string>{"folder", "list.BAK", "list.txt"}));
    }
}

TEST(OvcTextFileEditor, ABackupThatCannotBeMadeLeavesTheFileAsItWas) {
    test::TempDir dir;
    WriteWholeFile(dir.File("list.txt"), "old\r\n");
    std::filesystem::create_directory(dir.File("list.BAK"));
    Form f;
    f.Editor->SetMakeBackup(true);
    test::SetTextOf(*f.Editor, "new");
    EXPECT_THROW(f.Editor->SaveToFile(dir.File("list.txt")), EInOutError);
    EXPECT_EQ(ReadWholeFile(dir.File("list.txt")), "old\r\n");
    EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"list.BAK", "list.txt"}));
    EXPECT_TRUE(f.Editor->Modified());
}

TEST(OvcTextFileEditor, NamesThatDifferOnlyInCaseAreDifferentFiles) {
    test::TempDir dir;
    WriteWholeFile(dir.File("list.txt"), "lower\r\n");
    WriteWholeFile(dir.File("LIST.txt"), "upper\r\n");
    Form f;
    f.Editor->SetFileName(dir.File("list.txt"));
    f.Editor->SetIsOpen(true);
    f.Editor->SetFileName(dir.File("LIST.txt"));
    EXPECT_EQ(f.Editor->FileName(), dir.File("LIST.txt"));
    EXPECT_FALSE(f.Editor->IsOpen());
    f.Editor->SetIsOpen(true);
    EXPECT_EQ(TextOf(*f.Editor), "upper\n");
}

TEST(OvcTextFileEditor, SavingThroughASymbolicLinkWritesTheLinkedFile) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.File("real"));
    WriteWholeFile(dir.File("real/list.txt"), "old\r\n");
    std::filesystem::create_symlink("real/list.txt", dir.File("list.txt"));
    Form f;
    f.Editor->SetMakeBackup(true);
    test::SetTextOf(*f.Editor, "new");
    f.Editor->SaveToFile(dir.File("list.txt"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("list.txt")));
    EXPECT_EQ(ReadWholeFile(dir.File("real/list.txt")), "new\r\n");
    EXPECT_EQ(ReadWholeFile(dir.File("real/list.BAK")), "old\r\n");
    EXPECT_FALSE(std::filesystem::is_symlink(dir.File("real/list.BAK")));
    EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"list.txt", "real"}));
}

TEST(OvcTextFileEditor, ASaveThatFailsHalfWayLeavesTheOldFileAndNoTemporary) {
    test::TempDir dir;
    const std::string old = std::string(3000, 'o') + "\r\n";
    WriteWholeFile(dir.File("list.txt"), old);
    Form f;
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += std::string(50, 'n') + "\n";
    test::SetTextOf(*f.Editor, text);
    // The limit a shell's prlimit --fsize sets, in a copy of this process only.
    const std::string outcome = test::InForkedChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return std::string("no limit");
        try {
            f.Editor->SaveToFile(dir.File("list.txt"));
        } catch (const Exception& e) {
            return std::string("raised ") + e.ClassName();
        }
        return std::string("saved");
    });
    EXPECT_EQ(outcome.substr(0, 7), "raised ");
    EXPECT_EQ(ReadWholeFile(dir.File("list.txt")), old);
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"list.txt"});
}

TEST(OvcTextFileEditor, AttachRefusesAnEditorOfAnotherClass) {
    test::TempDir dir;
    WriteWholeFile(dir.File("list.txt"), "shared\r\n");
    Form f;
    f.Editor->SetFileName(dir.File("list.txt"));
    f.Editor->SetIsOpen(true);
    auto* plain = f.Form.Add<TOvcCustomEditor>(f.Form.Form, Rect(8, 170, 100, 200));
    test::SetTextOf(*plain, "plain");
    auto* second = f.Form.Add<TOvcTextFileEditor>(f.Form.Form, Rect(110, 170, 200, 200));
    second->HandleNeeded();
    test::SetTextOf(*second, "mine");
    EXPECT_THROW(second->Attach(plain), EInvalidCast);
    EXPECT_EQ(TextOf(*second), "mine");
    EXPECT_EQ(second->FileName(), "");
    second->Attach(f.Editor);
    EXPECT_EQ(TextOf(*second), "shared\n");
    EXPECT_EQ(second->FileName(), dir.File("list.txt"));
}

// Words, blanks and punctuation, in lines ending with CR LF; no line ends in a blank, which a
// load would trim.
std::string GeneratedText(size_t Size) {
    static const char* const words[] = {"word",   "words", "Word", "sword", "wordy", "other",
                                        "filter", "mail",  "a",    "junk",  "wOrd"};
    static const char punctuation[] = ".,;:!?()-";
    std::mt19937 random(26);
    std::string text;
    text.reserve(Size + 100);
    size_t lineStart = 0;
    while (text.size() < Size) {
        text += words[random() % std::size(words)];
        const unsigned roll = random() % 10;
        if (roll < 2) text += punctuation[random() % (sizeof(punctuation) - 1)];
        if (text.size() - lineStart > 40 + random() % 30) {
            text += "\r\n";
            lineStart = text.size();
        } else {
            text += roll == 9 ? "  " : " ";
        }
    }
    if (text.back() == ' ') text.pop_back();
    return text + "\r\n";
}

TEST(OvcTextFileEditor, ReplaceAllOfAWholeWordMatchesSed) {
    test::TempDir dir;
    WriteWholeFile(dir.File("in.txt"), GeneratedText(10 * 1000 * 1000));
    const std::string command = "LC_ALL=C sed -E 's/\\bword\\b/other/g' '" + dir.File("in.txt") +
                                "' > '" + dir.File("sed.txt") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    Form f;
    f.Editor->LoadFromFile(dir.File("in.txt"));
    EXPECT_EQ(f.Editor->SearchReplace("word", "other",
                                      srGlobal | srReplaceAll | srWholeWord | srMatchCase),
              0);
    f.Editor->SaveToFile(dir.File("out.txt"));
    const std::string ours = ReadWholeFile(dir.File("out.txt"));
    const std::string sed = ReadWholeFile(dir.File("sed.txt"));
    ASSERT_EQ(ours.size(), sed.size());
    EXPECT_TRUE(ours == sed);
}

}  // namespace
}  // namespace vex
