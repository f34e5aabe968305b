#include "platform/rich/richinsertobjectdialog.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "platform/core/files.h"
#include "platform/rich/richobject_testsupport.h"
#include "platform/ui/button.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/listbox.h"
#include "platform/ui/printdialog_testsupport.h"
#include "platform/win/modaldriver.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

using test::DialogPart;
using test::RunningDialog;

struct TOtherBox : test::TBoxObject {
    std::string ClassName() const override { return "Sample.Other"; }
    std::string UserType() const override { return "Other Object"; }
};

TRichObjectKinds TwoKinds() {
    TRichObjectKinds kinds = test::BoxObjectKinds();
    kinds.Register(
        {"Sample.Other", "Other Object", {}, [] { return std::make_shared<TOtherBox>(); }});
    return kinds;
}

// A press and release over the middle of the part, as a person clicks it.
void Click(const std::string& Name) {
    auto& part = DialogPart<TWinControl>(Name);
    const LPARAM middle =
        MAKELONG(static_cast<uint16_t>(part.Width() / 2), static_cast<uint16_t>(part.Height() / 2));
    PostMessage(part.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMessage(part.Handle(), WM_LBUTTONUP, 0, middle);
}

void Type(const std::string& Name, const std::string& Text) {
    auto& edit = DialogPart<TWinControl>(Name);
    RunningDialog().SetActiveControl(&edit);
    for (const char c : Text)
        PostMessage(edit.Handle(), WM_CHAR, static_cast<unsigned char>(c), 0);
}

void Key(const std::string& Name, WPARAM Key) {
    auto& part = DialogPart<TWinControl>(Name);
    RunningDialog().SetActiveControl(&part);
    PostMessage(part.Handle(), WM_KEYDOWN, Key, 0);
}

TEST(RichInsertObjectDialog, GivesTheChoiceMadeInEachWayAndNothingOnCancel) {
    const TRichObjectKinds kinds = TwoKinds();
    using TSteps = std::vector<std::function<void()>>;
    struct TCase {
        const char* Name;
        TSteps Steps;
        bool Accepted;
        TRichInsertObjectChoice Expected;
    };
    const TRichInsertObjectChoice before{false, "Sample.Before", "before.box", false};
    const std::vector<TCase> cases{
        {"the first kind", {[] { Click("OK"); }}, true, {false, "Sample.Box", "before.box", false}},
        {"the next kind",
         {[] { Key("ObjectType", VK_DOWN); }, [] { Click("OK"); }},
         true,
         {false, "Sample.Other", "before.box", false}},
        {"as an icon",
         {[] { Click("DisplayAsIcon"); }, [] { Click("OK"); }},
         true,
         {false, "Sample.Box", "before.box", true}},
        {"from a file",
         {[] { Click("CreateFromFile"); }, [] { Type("FileName", "/x"); }, [] { Click("OK"); }},
         true,
         {true, "Sample.Before", "/x", false}},
        // OK waits for a file name
        {"from no file",
         {[] { Click("CreateFromFile"); }, [] { DialogPart<TCustomEdit>("FileName").SetText(""); },
          [] { Click("OK"); },
          [] {
              EXPECT_FALSE(DialogPart<TButton>("OK").Enabled());
              Click("Cancel");
          }},
         false,
         before},
        {"cancelled after choosing",
         {[] { Click("CreateFromFile"); }, [] { Click("DisplayAsIcon"); }, [] { Click("Cancel"); }},
         false,
         before},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TModalScript script;
        script.Then([] {
            EXPECT_EQ(RunningDialog().Caption(), "Insert Object");
            auto& types = DialogPart<TListBox>("ObjectType");
            EXPECT_EQ(types.Items().Count(), 2);
            EXPECT_EQ(types.Items()[1], "Other Object");
            EXPECT_TRUE(types.Visible());
            EXPECT_FALSE(DialogPart<TWinControl>("FileName").Visible());
            EXPECT_TRUE(DialogPart<TButton>("OK").Enabled());
        });
        for (const auto& step : c.Steps)
            script.Then(step);
        TRichInsertObjectChoice choice = before;
        EXPECT_EQ(RichInsertObjectDialog(kinds, choice), c.Accepted);
        EXPECT_EQ(choice.FromFile, c.Expected.FromFile);
        EXPECT_EQ(choice.ClassName, c.Expected.ClassName);
        EXPECT_EQ(choice.FileName, c.Expected.FileName);
        EXPECT_EQ(choice.AsIcon, c.Expected.AsIcon);
        EXPECT_EQ(script.Pending(), 0u);
    }
}

TEST(RichInsertObjectDialog, WithNoKindsOffersOnlyAFile) {
    const TRichObjectKinds none;
    TModalScript script;
    script.Then([] {
        test::PumpUntilIdle();
        EXPECT_FALSE(DialogPart<TButton>("OK").Enabled());
        if (const char* dir = std::getenv("VEX_PICTURE_DIR"))
            SaveWindowPicture(RunningDialog().Handle(),
                              std::string(dir) + "/insertobject-none.png");
        Click("Cancel");
    });
    TRichInsertObjectChoice choice;
    EXPECT_FALSE(RichInsertObjectDialog(none, choice));
}

TEST(RichInsertObjectDialog, ShowsAsAPersonWouldSeeIt) {
    const TRichObjectKinds kinds = TwoKinds();
    for (const bool fromFile : {false, true}) {
        TModalScript script;
        script.Then([fromFile] {
            test::PumpUntilIdle();
            TBitmap picture;
            PictureOfWindow(RunningDialog().Handle(), picture);
            EXPECT_GT(picture.Width(), 0);
            if (const char* dir = std::getenv("VEX_PICTURE_DIR"))
                SaveWindowPicture(RunningDialog().Handle(),
                                  std::string(dir) + (fromFile ? "/insertobject-file.png"
                                                               : "/insertobject-new.png"));
            Click("Cancel");
        });
        TRichInsertObjectChoice choice{fromFile, "Sample.Other", "/home/user/notes.box", true};
        RichInsertObjectDialog(kinds, choice);
    }
}

TEST(CreateInsertedObject, MakesTheObjectChosenOrRefusesClearly) {
    const TRichObjectKinds kinds = TwoKinds();
    test::TempDir dir;
    const std::string box = dir.Path() + "/label.BOX";
    WriteFileAtomic(box, "from a file");
    const std::string other = dir.Path() + "/label.txt";
    WriteFileAtomic(other, "text");
    const std::string bad = dir.Path() + "/bad.box";
    WriteFileAtomic(bad, "two\nlines");
    const std::string huge = dir.Path() + "/huge.box";
    WriteFileAtomic(huge, "");
    std::filesystem::resize_file(huge, 64 << 20);  // sparse: nothing is written

    const auto made = CreateInsertedObject(kinds, {false, "Sample.Other", "", true});
    EXPECT_EQ(made->ClassName(), "Sample.Other");
    EXPECT_EQ(made->DrawAspect(), DVASPECT_ICON);
    const auto fromFile = CreateInsertedObject(kinds, {true, "Sample.Other", box, false});
    EXPECT_EQ(dynamic_cast<const test::TBoxObject&>(*fromFile).Label(), "from a file");
    EXPECT_EQ(fromFile->ClassName(), test::TBoxObject::Class);

    EXPECT_THROW(CreateInsertedObject(kinds, {false, "Sample.Unknown", "", false}),
                 ERichObjectError);
    EXPECT_THROW(CreateInsertedObject(kinds, {true, "", other, false}), ERichObjectError);
    EXPECT_THROW(CreateInsertedObject(kinds, {true, "", bad, false}), ERichObjectError);
    EXPECT_THROW(CreateInsertedObject(kinds, {true, "", huge, false}), ERichObjectError);
    EXPECT_THROW(CreateInsertedObject(kinds, {true, "", dir.Path() + "/missing.box", false}),
                 EFOpenError);
}

// A name that ends like a kind's files may be a pipe nobody writes to or a device that never
// ends: reading one whole would wait or fill memory for ever.
TEST(CreateInsertedObject, RefusesWhatIsNoPlainFileWithoutReadingIt) {
    const TRichObjectKinds kinds = TwoKinds();
    test::TempDir dir;
    const std::string pipe = dir.Path() + "/pipe.box";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    // Held open for writing, so that a reader would block on the data and not on the opening.
    const int writer = open(pipe.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    const std::string zero = dir.Path() + "/zero.box";
    std::filesystem::create_symlink("/dev/zero", zero);

    for (const std::string& name : {pipe, zero}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(CreateInsertedObject(kinds, {true, "", name, false}), EFOpenError);
    }
    close(writer);
}

}  // namespace
}  // namespace vex
