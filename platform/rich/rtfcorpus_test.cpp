// Documents made by real writers read to the words that unrtf, an independent reader, finds in
// them, and to the formats their sources set.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/rich/richengine.h"
#include "platform/rich/richstreams.h"
#include "platform/rich/rtfwriter.h"
#include "platform/rich/testformats.h"
#include "tests/support/casefile.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

const std::string Corpus = VEX_TEST_DIR "/../../tests/corpus/rtf/";
const std::string Table = VEX_TEST_DIR "/testdata/rtfcorpus.txt";

// The words of a text: runs of ASCII letters and digits. unrtf writes what lies outside ASCII in
// a code page of its own and lays out bullets and cells with blanks, so only these compare.
std::vector<std::string> Words(const std::string& Text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : Text + " ") {
        if (std::isalnum(static_cast<unsigned char>(c)) && static_cast<unsigned char>(c) < 0x80) {
            word.push_back(c);
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    return words;
}

void Remove(std::vector<std::string>& Words, const std::vector<std::string>& Phrase) {
    const auto found = std::search(Words.begin(), Words.end(), Phrase.begin(), Phrase.end());
    ASSERT_NE(found, Words.end()) << "the phrase is not there to take out";
    Words.erase(found, found + static_cast<std::ptrdiff_t>(Phrase.size()));
}

// unrtf's text, less its own lines (they begin "###") and the rule under its header. It runs in
// a folder of its own, where it leaves the pictures it finds.
std::string UnrtfText(const std::string& File) {
    const test::TempDir pictures;
    const std::string command =
        "cd '" + pictures.Path() + "' && unrtf --text '" + File + "' 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) return "";
    std::string output, line;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe.get()))
        output += buffer;
    std::string text;
    size_t at = 0;
    while (at < output.size()) {
        size_t end = output.find('\n', at);
        if (end == std::string::npos) end = output.size();
        line = output.substr(at, end - at);
        if (line.rfind("###", 0) != 0 && line.find_first_not_of('-') != std::string::npos)
            text += line + "\n";
        at = end + 1;
    }
    return text;
}

std::vector<std::string> CorpusFiles() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(Corpus))
        if (entry.path().extension() == ".rtf") files.push_back(entry.path().filename());
    std::sort(files.begin(), files.end());
    return files;
}

void LoadFile(TRichEditEngine& Engine, const std::string& Name) {
    LoadRtf(Engine, test::ReadWholeFile(Corpus + Name), false);
}

TEST(RtfCorpus, EveryFileReadsToTheWordsUnrtfFinds) {
    const auto differences = test::ReadCases(Table, "differs");
    const auto files = CorpusFiles();
    ASSERT_GE(files.size(), 4u);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        TRichEditEngine engine;
        LoadFile(engine, file);
        std::vector<std::string> ours = Words(engine.Text());
        std::vector<std::string> theirs = Words(UnrtfText(Corpus + file));
        ASSERT_FALSE(theirs.empty()) << "unrtf gave nothing; is it installed?";
        for (const test::TestCase& c : differences) {
            if (c[0] != file) continue;
            SCOPED_TRACE(c.Where);
            Remove(c[1] == "unrtf" ? theirs : ours, Words(c[2]));
        }
        EXPECT_EQ(ours, theirs);
    }
}

// unrtf, reading what the writer makes of each file, finds the words this engine read there.
TEST(RtfCorpus, WhatTheWriterMakesOfEveryFileReadsInUnrtfToTheSameWords) {
    test::TempDir folder;
    for (const std::string& file : CorpusFiles()) {
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
        for (const test::TestCase& c : test::ReadCases(Table, kind)) {
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
