#include "platform/rich/richdocument.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <utility>

#include "platform/rich/richplaintext.h"

namespace vex {
namespace {

// A listener that copies only the paragraphs it is told of must keep a true copy of the text:
// a change it is not told of, or told of with the wrong range, leaves its copy behind.
TEST(RichDocument, ListenersHearOfEveryChangedParagraph) {
    struct TMirror : TRichDocumentListener {
        const TRichDocument* Document = nullptr;
        std::vector<std::string> Texts{""};
        void ParagraphsChanged(int32_t First, int32_t Removed, int32_t Inserted) override {
            ASSERT_LE(First + Removed, static_cast<int32_t>(Texts.size()));
            Texts.erase(Texts.begin() + First, Texts.begin() + First + Removed);
            for (int32_t i = 0; i < Inserted; ++i)
                Texts.insert(Texts.begin() + First + i, Document->Paragraph(First + i).Text);
        }
    };
    std::mt19937 random(11);
    auto pick = [&](int Low, int High) {
        return std::uniform_int_distribution<int>(Low, High)(random);
    };
    TRichDocument document;
    TMirror mirror;
    mirror.Document = &document;
    document.AddListener(&mirror);
    for (int step = 0; step < 2000; ++step) {
        SCOPED_TRACE(step);
        if (pick(0, 99) == 0) {
            document.Clear();
        } else {
            const int32_t start = pick(0, document.Length());
            const int32_t count = pick(0, std::min(document.Length() - start, 6));
            std::string text;
            for (int n = pick(0, 5); n > 0; --n)
                text.push_back("ab\r"[pick(0, 2)]);
            document.Replace(start, count,
                             PlainTextFragment(text, document.DefaultCharFormat(),
                                               document.DefaultParaFormat()));
        }
        ASSERT_EQ(static_cast<int32_t>(mirror.Texts.size()), document.ParagraphCount());
        for (int32_t i = 0; i < document.ParagraphCount(); ++i)
            ASSERT_EQ(mirror.Texts[i], document.Paragraph(i).Text) << i;
    }
    document.Replace(0, 0, PlainTextFragment("x\ry\rz", 0, 0));
    const auto heard = mirror.Texts.size();
    document.RemoveListener(&mirror);
    document.Clear();
    EXPECT_EQ(mirror.Texts.size(), heard);
}

// Random replaces checked against the same edits on a plain string: lengths, positions of
// paragraphs, text and pieces must agree after every step, whichever path the edit took.
TEST(RichDocument, AgreesWithAPlainStringThroughRandomEdits) {
    std::mt19937 random(7);
    auto pick = [&](int Low, int High) {
        return std::uniform_int_distribution<int>(Low, High)(random);
    };
    TRichDocument document;
    const int32_t bold = [&] {
        TRichCharFormat f;
        f.Bold = true;
        return document.CharFormats().Intern(f);
    }();
    std::string model;
    for (int step = 0; step < 3000; ++step) {
        SCOPED_TRACE(step);
        const int32_t length = static_cast<int32_t>(model.size());
        const int32_t start = pick(0, length), count = pick(0, std::min(length - start, 8));
        std::string text;
        for (int n = pick(0, 6); n > 0; --n)
            text.push_back("ab\r"[pick(0, 2)]);
        document.Replace(start, count,
                         PlainTextFragment(text, pick(0, 1) ? bold : document.DefaultCharFormat(),
                                           document.DefaultParaFormat()));
        model.replace(static_cast<size_t>(start), static_cast<size_t>(count), text);

        ASSERT_EQ(document.Length(), static_cast<int32_t>(model.size()));
        ASSERT_EQ(document.Text(), model);
        const int32_t at = pick(0, document.Length());
        int32_t offset = 0;
        const int32_t paragraph = document.Locate(at, offset);
        ASSERT_EQ(document.ParagraphStart(paragraph) + offset, at);
        ASSERT_EQ(std::count(model.begin(), model.begin() + at, '\r'), paragraph);
        const int32_t from = pick(0, length), many = pick(0, 10);
        ASSERT_EQ(document.Extract(from, many).Length(),
                  static_cast<int64_t>(document.Text(from, many).size()));
        for (int32_t i = 0; i < document.ParagraphCount(); ++i) {
            const TRichParagraph& p = document.Paragraph(i);
            int32_t covered = 0;
            for (size_t r = 0; r < p.Runs.size(); ++r) {
                ASSERT_GT(p.Runs[r].Length, 0);
                if (r > 0) {
                    ASSERT_NE(p.Runs[r].Format, p.Runs[r - 1].Format);
                }
                covered += p.Runs[r].Length;
            }
            ASSERT_EQ(covered, p.Length());
        }
    }
}

// A listener may go, or bring another, while it hears of a change (a control freed by its own
// change notice); one added twice must not hear twice, or a layout would move its lines twice.
TEST(RichDocument, TellsEachListenerOnceWhateverListenersDoMeanwhile) {
    struct TCounter : TRichDocumentListener {
        std::function<void()> OnChange;
        int Heard = 0;
        void ParagraphsChanged(int32_t, int32_t, int32_t) override {
            ++Heard;
            if (OnChange) OnChange();
        }
    };
    struct TCase {
        const char* Name;
        // What the first listener does to the others when it hears; the heard counts expected.
        std::function<void(TRichDocument&, std::vector<TCounter>&)> Act;
        std::vector<int> Heard;
    };
    const std::vector<TCase> cases = {
        {"removes itself",
         [](TRichDocument& D, std::vector<TCounter>& L) { D.RemoveListener(&L[0]); },
         {1, 1, 1, 0}},
        {"removes the next one",
         [](TRichDocument& D, std::vector<TCounter>& L) { D.RemoveListener(&L[1]); },
         {1, 0, 1, 0}},
        {"adds a fourth one",
         [](TRichDocument& D, std::vector<TCounter>& L) { D.AddListener(&L[3]); },
         {1, 1, 1, 0}},
        {"adds the second again",
         [](TRichDocument& D, std::vector<TCounter>& L) { D.AddListener(&L[1]); },
         {1, 1, 1, 0}},
        // As a control freed by the notice and a new one made where it was: the new one was
        // laid out after the change and must not move its lines by it again.
        {"removes the next one and adds it back",
         [](TRichDocument& D, std::vector<TCounter>& L) {
             D.RemoveListener(&L[1]);
             std::as_const(D).AddListener(&L[1]);
         },
         {1, 0, 1, 0}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRichDocument document;
        std::vector<TCounter> listeners(4);
        for (int i = 0; i < 3; ++i)
            document.AddListener(&listeners[i]);
        bool acted = false;
        listeners[0].OnChange = [&] {
            if (!std::exchange(acted, true)) c.Act(document, listeners);
        };
        document.Replace(0, 0, PlainTextFragment("a", 0, 0));
        for (size_t i = 0; i < listeners.size(); ++i)
            EXPECT_EQ(listeners[i].Heard, c.Heard[i]) << i;
    }

    TRichDocument document;
    TCounter twice;
    document.AddListener(&twice);
    document.AddListener(&twice);
    document.Replace(0, 0, PlainTextFragment("a", 0, 0));
    EXPECT_EQ(twice.Heard, 1);
    document.RemoveListener(&twice);
    document.Clear();
    EXPECT_EQ(twice.Heard, 1);
}

TEST(RichDocument, ClampsPositionsOutsideTheText) {
    TRichDocument document;
    document.Replace(-5, 99, PlainTextFragment("ab\ncd", 0, 0));
    EXPECT_EQ(document.Text(), "ab\rcd");
    EXPECT_EQ(document.Text(-3, 2), "ab");
    EXPECT_EQ(document.Text(4, 100), "d");
    int32_t offset = 0;
    EXPECT_EQ(document.Locate(1000, offset), 1);
    EXPECT_EQ(offset, 2);
    document.Replace(1000, 5, PlainTextFragment("!", 0, 0));
    EXPECT_EQ(document.Text(), "ab\rcd!");
}

TEST(RichDocument, KeepsTheFormatOfTheParagraphEndThatSurvivesAJoin) {
    TRichDocument document;
    TRichParaFormat centred;
    centred.Alignment = PFA_CENTER;
    const int32_t centre = document.ParaFormats().Intern(centred);
    document.Replace(0, 0, PlainTextFragment("one\rtwo", 0, centre));
    EXPECT_EQ(document.Paragraph(0).Format, centre);
    EXPECT_EQ(document.Paragraph(1).Format, document.DefaultParaFormat());
    document.Replace(3, 1, TRichFragment{});
    ASSERT_EQ(document.ParagraphCount(), 1);
    EXPECT_EQ(document.Paragraph(0).Format, document.DefaultParaFormat());
}

TEST(PlainText, EndsParagraphsAtCrLfAndAtLoneCrOrLf) {
    const struct {
        const char* In;
        const char* Out;
    } cases[] = {{"a\r\nb", "a\r\nb"},     {"a\rb", "a\r\nb"},       {"a\nb", "a\r\nb"},
                 {"a\n\rb", "a\r\n\r\nb"}, {"\r\n\r\n", "\r\n\r\n"}, {"", ""},
                 {"a\r", "a\r\n"}};
    for (const auto& c : cases) {
        TRichDocument document;
        document.Replace(0, 0, PlainTextFragment(c.In, 0, 0));
        EXPECT_EQ(PlainTextOf(document), c.Out) << c.In;
        // What a search looks for must be the characters the same text makes when put in.
        EXPECT_EQ(DocumentTextOf(c.In), document.Text()) << c.In;
    }
}

}  // namespace
}  // namespace vex
