#include "platform/ui/filenameinput.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "tests/support/tempdir.h"

namespace vex {
namespace {

// The dialog shows ~/home: notes.rtf, readme, the folder Mail with inbox.rtf, and a pipe.
class FileNameInput : public testing::Test {
protected:
    FileNameInput() {
        mkdir(FDir.File("home").c_str(), 0700);
        mkdir(FDir.File("home/Mail").c_str(), 0700);
        for (const char* file : {"home/notes.rtf", "home/readme", "home/Mail/inbox.rtf"})
            test::WriteWholeFile(FDir.File(file), "");
        mkfifo(FDir.File("home/pipe").c_str(), 0600);
    }

    // The outcome in short, the temporary folder written "~".
    std::string Outcome(const std::string& Typed, bool MustExist, const std::string& Extension) {
        std::string typed = Typed;
        if (typed.rfind("~/", 0) == 0) typed = FDir.Path() + typed.substr(1);
        const TFileNameOutcome outcome =
            InterpretFileName(FDir.File("home"), typed, TFileNameRules{MustExist, Extension});
        switch (outcome.Step) {
            case TFileNameStep::Stay:
                return "stay " + Short(outcome.Error);
            case TFileNameStep::EnterFolder:
                return "enter " + Short(outcome.Folder);
            case TFileNameStep::Filter:
                return "filter " + Short(outcome.Folder) + " " + outcome.Pattern;
            case TFileNameStep::Accept:
                return "accept " + Short(outcome.FileName);
        }
        return "?";
    }
    std::string Short(std::string Text) const {
        for (size_t at; (at = Text.find(FDir.Path())) != std::string::npos;)
            Text.replace(at, FDir.Path().size(), "~");
        return Text;
    }

    test::TempDir FDir;
};

TEST_F(FileNameInput, AnOpenDialogEntersFoldersFiltersAndAnswersOnlyFilesThatAreThere) {
    const struct {
        const char* Typed;
        const char* Outcome;
    } cases[] = {
        {"", "stay "},
        {"notes.rtf", "accept ~/home/notes.rtf"},
        {"NOTES.RTF", "stay The file NOTES.RTF was not found."},
        {"notes", "accept ~/home/notes.rtf"},
        {"readme", "accept ~/home/readme"},
        {"Mail", "enter ~/home/Mail"},
        {"Mail/", "enter ~/home/Mail"},
        {"..", "enter ~"},
        {"Mail/../..", "enter ~"},
        {"*.c", "filter ~/home *.c"},
        {"Mail/*.rtf", "filter ~/home/Mail *.rtf"},
        {"~/home/Mail/inb?x.*", "filter ~/home/Mail inb?x.*"},
        {"~/home/Mail/inbox.rtf", "accept ~/home/Mail/inbox.rtf"},
        {"None/*.rtf", "stay The folder ~/home/None does not exist."},
        {"None/x.rtf", "stay The folder ~/home/None does not exist."},
        {"Gone/", "stay The folder ~/home/Gone does not exist."},
        {"missing.rtf", "stay The file missing.rtf was not found."},
        {"pipe", "stay pipe is not a file."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Outcome(c.Typed, true, "rtf"), c.Outcome) << c.Typed;
}

TEST_F(FileNameInput, ASaveDialogAnswersAnyNameInAFolderThatIsThereWithTheExtensionAdded) {
    const struct {
        std::string Typed;
        const char* Extension;
        const char* Outcome;
    } cases[] = {
        {"new", "rtf", "accept ~/home/new.rtf"},
        {"new.txt", "rtf", "accept ~/home/new.txt"},
        {"readme", "rtf", "accept ~/home/readme.rtf"},
        {"notes.rtf", "rtf", "accept ~/home/notes.rtf"},
        {"new", "", "accept ~/home/new"},
        {"Mail", "rtf", "enter ~/home/Mail"},
        {"None/new", "rtf", "stay The folder ~/home/None does not exist."},
        {"pipe", "", "stay pipe is not a file."},
        {std::string(252, 'x'), "rtf", "stay The name is longer than 255 bytes."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Outcome(c.Typed, false, c.Extension), c.Outcome) << c.Typed;
    mkdir(FDir.File("home/Mail.rtf").c_str(), 0700);
    EXPECT_EQ(Outcome("Mail.rtf", false, "rtf"), "enter ~/home/Mail.rtf");
    EXPECT_EQ(Outcome("~/home/Mail", false, "rtf"), "enter ~/home/Mail");
}

}  // namespace
}  // namespace vex
