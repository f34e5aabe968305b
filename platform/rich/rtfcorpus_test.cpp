// Documents made by real writers read to the words that unrtf, an independent reader, finds in
// them, and to the formats their sources set.

#include <gtest/gtest.h>

#include "platform/rich/richengine.h"
#include "platform/rich/richstreams.h"
#include "platform/rich/rtfcorpus_testsupport.h"
#include "platform/rich/rtfwriter.h"
#include "platform/rich/testformats.h"
#include "tests/support/casefile.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

using test::RtfCorpus;
using test::UnrtfText;
using test::Words;

void LoadFile(TRichEditEngine& Engine, const std::string& Name) {
    LoadRtf(Engine, test::ReadWholeFile(RtfCorpus + Name), false);
}

TEST(RtfCorpus, EveryFileReadsToTheWordsUnrtfFinds) {
    const auto files = test::RtfCorpusFiles();
    ASSERT_GE(files.size(), 4u);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        TRichEditEngine engine;
        LoadFile(engine, file);
        std::vector<std::string> ours = Words(engine.Text());
        std::vector<std::string> theirs = Words(UnrtfText(RtfCorpus + file));
        ASSERT_FALSE(theirs.empty()) << "unrtf gave nothing; is it installed?";
        test::RemoveKnownDifferences(file, ours, theirs);
        EXPECT_EQ(ours, theirs);
    }
}

// unrtf, reading what the writer makes of each file, finds the words this engine read there.
TEST(RtfCorpus, WhatTheWriterMakesOfEveryFileReadsInUnrtfToTheSameWords) {
    test::TempDir folder;
    for (const std::string& file : test::RtfCorpusFiles()) {
        SCOPED_TRACE(file);
        TRichEditEngine engine;
        LoadFile(engine, file);
        test::WriteWholeFile(folder.File(file), WriteRtf(engine.Document()));
        EXPECT_EQ(Words(UnrtfText(folder.File(file))), Words(engine.Text()));
    }
}

int32_t PositionOf(const TRichEditEngine& Engine, const std::string& Phrase) {
    const std::string text = Engine.Document().Text();
    const size_t at = text.find(Phrase);
    EXPECT_NE(at, std::string::npos) << Phrase;
    return at == std::string::npos ? 0 : static_cast<int32_t>(at);
}

TEST(RtfCorpus, EveryFileKeepsTheFormatsItsSourceSet) {
    for (const char* kind : {"format", "para"}) {
        for (const test::TestCase& c : test::ReadCases(test::RtfCorpusTable, kind)) {
            SCOPED_TRACE(c.Where);
            TRichEditEngine engine;
            LoadFile(engine, c[0]);
            engine.SetSel(PositionOf(engine, c[1]), 1);
            uint32_t mask = 0;
            if (std::string(kind) == "format")
                EXPECT_EQ(test::CharField(engine.SelCharFormat(mask), c[2]), c[3]);
            else
                EXPECT_EQ(test::ParaField(engine.SelParaFormat(mask), c[2]), c[3]);
        }
    }
}

}  // namespace
}  // namespace vex
