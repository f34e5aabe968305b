#include "platform/rich/richengine.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/rich/richstreams.h"
#include "platform/rich/rtfreader.h"
#include "platform/rich/rtfwriter.h"

namespace vex {
namespace {

TRichCharFormat Bold() {
    TRichCharFormat format;
    format.Bold = true;
    return format;
}

TEST(RichEditEngine, ClampsTheSelectionToTheText) {
    TRichEditEngine engine;
    engine.SetText("one\r\ntwo");
    const struct {
        int32_t Start, Length, WantStart, WantLength;
    } cases[] = {{-4, 2, 0, 2},
                 {2, 100, 2, 5},
                 {100, 1, 7, 0},
                 {3, -1, 3, 0},
                 {0, 7, 0, 7},
                 {INT32_MAX, INT32_MAX, 7, 0},
                 {INT32_MIN, INT32_MAX, 0, 7},
                 {5, INT32_MIN, 5, 0}};
    for (const auto& c : cases) {
        engine.SetSel(c.Start, c.Length);
        EXPECT_EQ(engine.SelStart(), c.WantStart);
        EXPECT_EQ(engine.SelLength(), c.WantLength);
    }
    engine.SetSel(2, 3);
    EXPECT_EQ(engine.SelText(), "e\r\nt");
    engine.SelectAll();
    EXPECT_EQ(engine.SelText(), "one\r\ntwo");
    EXPECT_EQ(engine.GetTextRange(4, 2), "tw");
}

TEST(RichEditEngine, TypingIsOneStepThatUndoAndRedoTakeWhole) {
    TRichEditEngine engine;
    engine.SetText("ac");
    engine.SetSel(1, 0);
    for (char c : std::string("bbb\r"))
        engine.Type(std::string(1, c));
    EXPECT_EQ(engine.Text(), "abbb\r\nc");
    EXPECT_TRUE(engine.Modified());
    engine.Undo();
    EXPECT_EQ(engine.Text(), "ac");
    EXPECT_FALSE(engine.CanUndo());
    engine.Redo();
    EXPECT_EQ(engine.Text(), "abbb\r\nc");
    EXPECT_EQ(engine.SelStart(), 1);
    EXPECT_EQ(engine.SelLength(), 4);  // the paragraph end is one character
}

TEST(RichEditEngine, MovingTheCaretStartsANewTypingStep) {
    TRichEditEngine engine;
    engine.Type("a");
    engine.Type("b");
    engine.SetSel(0, 0);
    engine.Type("c");
    engine.Undo();
    EXPECT_EQ(engine.Text(), "ab");
    engine.Undo();
    EXPECT_EQ(engine.Text(), "");
}

TEST(RichEditEngine, TypingOverASelectionIsUndoneWithItsKeystrokes) {
    TRichEditEngine engine;
    engine.SetText("hello world");
    engine.SetSel(6, 5);
    engine.Type("t");
    engine.Type("here");
    EXPECT_EQ(engine.Text(), "hello there");
    engine.Undo();
    EXPECT_EQ(engine.Text(), "hello world");
    EXPECT_EQ(engine.SelStart(), 6);
    EXPECT_EQ(engine.SelLength(), 5);
}

TEST(RichEditEngine, KeepsTheLastHundredSteps) {
    TRichEditEngine engine;
    for (int i = 0; i < 150; ++i)
        engine.ReplaceSelection("x");
    int undone = 0;
    while (engine.CanUndo()) {
        engine.Undo();
        ++undone;
    }
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(engine.TextLength(), 50);
}

TEST(RichEditEngine, AReplaceThatCannotBeUndoneForgetsEveryStep) {
    TRichEditEngine engine;
    engine.ReplaceSelection("a");
    engine.ReplaceSelection("b");
    engine.Undo();
    engine.ReplaceSelection("c", false);
    EXPECT_FALSE(engine.CanUndo());
    EXPECT_FALSE(engine.CanRedo());
    EXPECT_EQ(engine.Text(), "ac");
}

TEST(RichEditEngine, ANewStepForgetsWhatCouldBeRedone) {
    TRichEditEngine engine;
    engine.ReplaceSelection("a");
    engine.Undo();
    EXPECT_TRUE(engine.CanRedo());
    engine.ReplaceSelection("b");
    EXPECT_FALSE(engine.CanRedo());
}

TEST(RichEditEngine, SettingTheTextClearsUndoAndModified) {
    TRichEditEngine engine;
    engine.ReplaceSelection("a");
    engine.SetText("fresh");
    EXPECT_FALSE(engine.Modified());
    EXPECT_FALSE(engine.CanUndo());
    engine.SetSel(5, 0);
    engine.Type("!");
    EXPECT_TRUE(engine.Modified());
    engine.SetModified(false);
    EXPECT_FALSE(engine.Modified());
}

TEST(RichEditEngine, ReportsMixedFieldsOfASelection) {
    TRichEditEngine engine;
    engine.SetText("plain bold");
    engine.SetSel(6, 4);
    engine.SetSelCharFormat(Bold(), CFM_BOLD);
    uint32_t mask = 0;
    engine.SetSel(6, 4);
    EXPECT_TRUE(engine.SelCharFormat(mask).Bold);
    EXPECT_EQ(mask, CFM_ALL);
    engine.SetSel(4, 4);
    engine.SelCharFormat(mask);
    EXPECT_EQ(mask, CFM_ALL & ~CFM_BOLD);

    engine.SetText("one\r\ntwo");
    engine.SetSel(0, 0);
    TRichParaFormat para;
    para.Alignment = PFA_RIGHT;
    para.SetTabs({100, 200});
    engine.SetSelParaFormat(para, PFM_ALIGNMENT | PFM_TABSTOPS);
    engine.SetSel(0, 6);
    const TRichParaFormat read = engine.SelParaFormat(mask);
    EXPECT_EQ(read.Alignment, PFA_RIGHT);
    EXPECT_EQ(mask, PFM_ALL & ~(PFM_ALIGNMENT | PFM_TABSTOPS));
}

TEST(RichEditEngine, FormatChangesAreStepsOfTheirOwn) {
    TRichEditEngine engine;
    engine.SetText("abc\r\ndef");
    engine.SetSel(1, 5);
    engine.SetSelCharFormat(Bold(), CFM_BOLD);
    TRichParaFormat para;
    para.Numbering = PFN_BULLET;
    engine.SetSelParaFormat(para, PFM_NUMBERING);
    const std::string formatted = WriteRtf(engine.Document());
    engine.Undo();
    engine.Undo();
    EXPECT_EQ(engine.Text(), "abc\r\ndef");
    uint32_t mask = 0;
    engine.SelectAll();
    EXPECT_FALSE(engine.SelCharFormat(mask).Bold);
    EXPECT_EQ(engine.SelParaFormat(mask).Numbering, 0);
    engine.Redo();
    engine.Redo();
    EXPECT_EQ(WriteRtf(engine.Document()), formatted);
}

TEST(RichEditEngine, FormatSetOnTheCaretGoesToWhatIsTypedNext) {
    TRichEditEngine engine;
    engine.SetText("ab");
    engine.SetSel(1, 0);
    engine.SetSelCharFormat(Bold(), CFM_BOLD);
    engine.Type("X");
    engine.SetSel(1, 1);
    uint32_t mask = 0;
    EXPECT_TRUE(engine.SelCharFormat(mask).Bold);
    engine.SetSel(0, 1);
    EXPECT_FALSE(engine.SelCharFormat(mask).Bold);
}

TEST(RichEditEngine, CutsFacesBoundsSizesAndFallsBackFromUnknownCharacterSets) {
    TRichEditEngine engine;
    engine.SetText("x");
    engine.SelectAll();
    TRichCharFormat format;
    format.Face = std::string(40, 'F');
    format.Charset = 3;
    format.Size = 0;
    engine.SetSelCharFormat(format, CFM_FACE | CFM_CHARSET | CFM_SIZE);
    uint32_t mask = 0;
    const TRichCharFormat read = engine.SelCharFormat(mask);
    EXPECT_EQ(read.Face, std::string(31, 'F'));
    EXPECT_EQ(read.Charset, engine.DefaultCharFormat().Charset);
    EXPECT_EQ(read.Size, MinFontSize);
}

TEST(RichEditEngine, PlainTextModeHoldsOneFormatForTheWholeText) {
    TRichEditEngine engine;
    LoadRtf(engine, "{\\rtf1 {\\b bold}\\par\\qc next}", false);
    engine.SetPlainText(true);
    engine.SetSel(0, 2);
    engine.SetSelCharFormat(Bold(), CFM_BOLD);
    engine.SelectAll();
    uint32_t mask = 0;
    EXPECT_TRUE(engine.SelCharFormat(mask).Bold);
    EXPECT_EQ(mask, CFM_ALL);
    EXPECT_EQ(engine.SelParaFormat(mask).Alignment, PFA_LEFT);
    EXPECT_EQ(mask, PFM_ALL);
}

TEST(RichEditEngine, AnObjectIsOneCharacterThatUndoRemovesAndRedoBringsBack) {
    struct TBox : IRichObject {
        TSize Extent() const override { return {1440, 720}; }
        void Draw(TCanvas&, const TRect&) const override {}
    };
    TRichEditEngine engine;
    engine.SetText("ab");
    engine.SetSel(1, 0);
    auto box = std::make_shared<TBox>();
    engine.InsertObject(box);
    EXPECT_EQ(engine.TextLength(), 3);
    const uint32_t number = engine.Document().Paragraph(0).Runs[1].Object;
    EXPECT_EQ(engine.Document().Object(number), box.get());
    engine.Undo();
    EXPECT_EQ(engine.Text(), "ab");
    engine.Redo();
    EXPECT_EQ(engine.Document().Object(engine.Document().Paragraph(0).Runs[1].Object), box.get());
}

// Writers end a document's last paragraph with \par; read whole, that closes the last paragraph
// instead of opening an empty one, while a piece pasted into the text keeps every paragraph end.
TEST(RichStreams, AFinalParagraphEndClosesAWholeDocument) {
    const struct {
        const char* Rtf;
        const char* Whole;
        const char* Pasted;  // into "xy" between the two letters
    } cases[] = {
        {"{\\rtf1 a\\par}", "a", "xa\r\ny"},
        {"{\\rtf1 a\\par\\par}", "a\r\n", "xa\r\n\r\ny"},
        {"{\\rtf1 a}", "a", "xay"},
        {"{\\rtf1 a\\par b}", "a\r\nb", "xa\r\nby"},
        {"{\\rtf1\\pard\\f0\\fs16\\par\r\n}", "", "x\r\ny"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Rtf);
        TRichEditEngine engine;
        LoadRtf(engine, c.Rtf, false);
        EXPECT_EQ(engine.Text(), c.Whole);
        EXPECT_EQ(RtfToPlainText(c.Rtf), c.Whole);
        LoadRtf(engine, WriteRtf(engine.Document()), false);
        EXPECT_EQ(engine.Text(), c.Whole) << "written and read again";
        engine.SetText("xy");
        engine.SetSel(1, 0);
        LoadRtf(engine, c.Rtf, true);
        EXPECT_EQ(engine.Text(), c.Pasted);
    }
}

TEST(RichStreams, LoadsWholeDocumentsAndSelections) {
    TRichEditEngine engine;
    LoadRtfOrPlainText(engine, "not rtf\nat all");
    EXPECT_EQ(engine.Text(), "not rtf\r\nat all");
    engine.SetSel(4, 3);
    LoadRtf(engine, "{\\rtf1 {\\b RTF}}", true);
    EXPECT_EQ(engine.Text(), "not RTF\r\nat all");
    EXPECT_TRUE(engine.CanUndo());
    engine.Undo();
    EXPECT_EQ(engine.Text(), "not rtf\r\nat all");
    LoadRtfOrPlainText(engine, "{\\rtf1\\pard\\qc centred}");
    EXPECT_FALSE(engine.Modified());
    uint32_t mask = 0;
    EXPECT_EQ(engine.SelParaFormat(mask).Alignment, PFA_CENTER);
    EXPECT_THROW(LoadRtf(engine, "plain", false), ERtfError);
    EXPECT_EQ(engine.Text(), "centred");
}

TEST(RichStreams, TurnsRtfIntoPlainTextAndLeavesOtherTextAlone) {
    EXPECT_EQ(RtfToPlainText("{\\rtf1 a\\par b\\tab c}"), "a\r\nb\tc");
    EXPECT_EQ(RtfToPlainText("just text"), "just text");
    for (const char* shortText : {"", "{", "{\\rt", "{\\RTF1 x}"})
        EXPECT_EQ(RtfToPlainText(shortText), shortText);
}

}  // namespace
}  // namespace vex
