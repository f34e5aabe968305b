#include "dataaware/richedit/wwriched.h"

#include <gtest/gtest.h>

#include <string>

#include "dataaware/richedit/wwrichdata.h"
#include "dataaware/richedit/wwriched_testsupport.h"
#include "dataaware/richedit/wwrichstrings.h"
#include "platform/core/filer.h"
#include "platform/core/stream.h"
#include "platform/win/windowclass.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

const std::string VersionCheckBlock = VEX_TEST_DIR "/testdata/versioncheck-data.bin";

// A form's stored properties of a control: the given ones, then the end of the list.
std::string StoredProperties(const std::function<void(TWriter&)>& Write) {
    TStringStream stream;
    TWriter writer(stream);
    Write(writer);
    writer.WriteListEnd();
    return stream.DataString();
}

std::string StoredData(const std::string& Block) {
    return StoredProperties([&](TWriter& Writer) {
        Writer.DefineProperty(
            "Data", nullptr, [&](TWriter& W) { W.WriteBinary(Block); }, true);
    });
}

void ReadStored(TwwCustomRichEdit& Edit, const std::string& Stored) {
    TStringStream stream(Stored);
    TReader reader(stream);
    Edit.ReadState(reader);
}

// Changing the object options makes the window again.
void RecreateWindow(TwwCustomRichEdit& Edit) {
    const TwwRichEditOleOptions options = Edit.OleOptions();
    TwwRichEditOleOptions other = options;
    other.Include(reoDisableOLE);
    if (other == options) other.Exclude(reoDisableOLE);
    const HWND before = Edit.Handle();
    Edit.SetOleOptions(other);
    Edit.SetOleOptions(options);
    EXPECT_NE(Edit.Handle(), before);
}

TEST(TwwDBRichEdit, StoresItsDocumentAndVersionTwoAndReadsThemBack) {
    test::TwwRichOnForm from("first line\r\nsecond line");
    from.Edit->SetSelection({0, 5});
    from.Edit->SelAttributes().SetStyle({fsBold});
    TStringStream stream;
    TWriter writer(stream);
    writer.WriteProperties(*from.Edit);

    test::TwwRichOnForm to;
    ReadStored(*to.Edit, stream.DataString());
    EXPECT_EQ(to.Edit->Text(), "first line\r\nsecond line");
    EXPECT_EQ(to.Edit->RichEditVersion(), 2);
    to.Edit->SetSelection({0, 5});
    EXPECT_TRUE(to.Edit->SelAttributes().Style().Contains(fsBold));
    EXPECT_FALSE(to.Edit->PlainText());
}

TEST(TwwDBRichEdit, AStreamWithoutTheVersionGivesVersionOneAndTheOldClass) {
    test::TwwRichOnForm on;
    EXPECT_EQ(GetClassName(on.Edit->Handle()), "RICHEDIT20A");
    ReadStored(*on.Edit, StoredData(wwEncodeRichData("{\\rtf1 old}")));
    EXPECT_EQ(on.Edit->RichEditVersion(), 1);
    RecreateWindow(*on.Edit);
    EXPECT_EQ(GetClassName(on.Edit->Handle()), "RICHEDIT");
    EXPECT_EQ(on.Edit->Text(), "old");

    // Written again, it is stored as version 2 while the running control stays at 1.
    TStringStream stream;
    TWriter writer(stream);
    writer.WriteProperties(*on.Edit);
    EXPECT_EQ(on.Edit->RichEditVersion(), 1);
    test::TwwRichOnForm again;
    ReadStored(*again.Edit, stream.DataString());
    EXPECT_EQ(again.Edit->RichEditVersion(), 2);
}

TEST(TwwDBRichEdit, SwitchOneAsksForTheOldClassWithVersionTwo) {
    test::TwwRichOnForm on;
    on.Edit->CompatibilitySwitches[1] = true;
    RecreateWindow(*on.Edit);
    EXPECT_EQ(GetClassName(on.Edit->Handle()), "RICHEDIT");
}

TEST(TwwDBRichEdit, ReadingAnotherVersionMakesTheWindowAgainAndKeepsTheText) {
    test::TwwRichOnForm on("kept through the new window");
    ReadStored(*on.Edit, StoredProperties([](TWriter& Writer) {
        Writer.DefineProperty(
            "RichEditVersion", nullptr, [](TWriter& W) { W.WriteInteger(1); }, true);
    }));
    EXPECT_EQ(GetClassName(on.Edit->Handle()), "RICHEDIT");
    EXPECT_EQ(on.Edit->Text(), "kept through the new window");
}

TEST(TwwDBRichEdit, ACorruptDataBlockIsAReadErrorThatChangesNothing) {
    test::TwwRichOnForm on("what was there");
    on.Edit->SetSelection({0, 4});
    on.Edit->SelAttributes().SetStyle({fsBold});
    for (const std::string& block : {std::string("\x10\0\0\0short", 9), std::string("\x01\0", 2)}) {
        EXPECT_THROW(ReadStored(*on.Edit, StoredData(block)), EReadError);
        EXPECT_EQ(on.Edit->Text(), "what was there");
        EXPECT_FALSE(on.Edit->PlainText());
        on.Edit->SetSelection({0, 4});
        EXPECT_TRUE(on.Edit->SelAttributes().Style().Contains(fsBold)) << "the formats stay";
    }
    on.Edit->SetPlainText(true);
    EXPECT_THROW(ReadStored(*on.Edit, StoredData("\x01\0")), EReadError);
    EXPECT_TRUE(on.Edit->PlainText()) << "a plain-text control stays one";
    EXPECT_EQ(on.Edit->Text(), "what was there");
}

TEST(TwwDBRichEdit, AFailedReadKeepsTheVersionAndTheWindowClass) {
    test::TwwRichOnForm on("kept");
    const std::string stored = StoredProperties([](TWriter& Writer) {
        Writer.DefineProperty(
            "RichEditVersion", nullptr, [](TWriter& W) { W.WriteInteger(1); }, true);
        Writer.DefineProperty(
            "Data", nullptr, [](TWriter& W) { W.WriteBinary(std::string("\x10\0", 2)); }, true);
    });
    for (const bool bound : {false, true}) {
        on.Edit->SetDataField(bound ? "Description" : "");
        EXPECT_THROW(ReadStored(*on.Edit, stored), EReadError);
        EXPECT_EQ(on.Edit->RichEditVersion(), 2);
        EXPECT_EQ(GetClassName(on.Edit->Handle()), "RICHEDIT20A");
        EXPECT_EQ(on.Edit->Text(), "kept");
    }
}

TEST(TwwDBRichEdit, AResizeHandlerMayFreeTheControl) {
    test::TwwRichOnForm on;
    TwwDBRichEdit* edit = on.Edit;
    bool freed = false;
    edit->OnResize = [edit, &freed](TObject*) {
        freed = true;
        delete edit;  // and the handler with it: nothing of it is used after
    };
    edit->SetBounds(0, 0, 300, 100);
    EXPECT_TRUE(freed);
}

TEST(TwwDBRichEdit, LoadsTheVersionCheckBlockAsAnEmptyDocument) {
    test::TwwRichOnForm on("left over");
    ReadStored(*on.Edit, StoredData(test::ReadWholeFile(VersionCheckBlock)));
    EXPECT_EQ(on.Edit->Text(), "");
    EXPECT_EQ(on.Edit->Lines().Count(), 0);
}

TEST(TwwDBRichEdit, StoredLinesWithoutDataBecomeTheRichDocument) {
    test::TwwRichOnForm on("left over");
    ReadStored(*on.Edit, StoredProperties([](TWriter&) {}));
    EXPECT_EQ(on.Edit->Text(), "left over");
    EXPECT_FALSE(on.Edit->PlainText());
}

TEST(TwwDBRichEdit, ReadsAStreamIntoTheSelectionOrInPlaceOfTheDocument) {
    test::TwwRichOnForm on("one two three");
    on.Edit->SetSelection({4, 7});
    TStringStream rtf("{\\rtf1 {\\b TWO}}");
    on.Edit->ReadFromStream(rtf, true);
    EXPECT_EQ(on.Edit->Text(), "one TWO three");
    TStringStream text("plain\r\nlines");
    on.Edit->ReadFromStream(text, false);
    EXPECT_EQ(on.Edit->Text(), "plain\r\nlines");
}

}  // namespace
}  // namespace vex
