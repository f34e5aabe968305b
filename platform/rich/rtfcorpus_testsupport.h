#pragma once

// The RTF corpus of real writers, and the words unrtf, an independent reader, finds in each
// file: what the engine reads, writes and prints is held against them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/casefile.h"
#include "tests/support/tempdir.h"

namespace vex::test {

// Named from the folder of the test, two levels below the sources' root.
inline const std::string RtfCorpus = VEX_TEST_DIR "/../../tests/corpus/rtf/";
inline const std::string RtfCorpusTable =
    VEX_TEST_DIR "/../../platform/rich/testdata/rtfcorpus.txt";

// The words of a text: runs of ASCII letters and digits. unrtf writes what lies outside ASCII in
// a code page of its own and lays out bullets and cells with blanks, so only these compare.
inline std::vector<std::string> Words(const std::string& Text) {
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

// unrtf's text, less its own lines (they begin "###") and the rule under its header. It runs in
// a folder of its own, where it leaves the pictures it finds.
inline std::string UnrtfText(const std::string& File) {
    const TempDir pictures;
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

inline std::vector<std::string> RtfCorpusFiles() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(RtfCorpus))
        if (entry.path().extension() == ".rtf") files.push_back(entry.path().filename());
    std::sort(files.begin(), files.end());
    return files;
}

inline void RemovePhrase(std::vector<std::string>& Words, const std::vector<std::string>& Phrase) {
    const auto found = std::search(Words.begin(), Words.end(), Phrase.begin(), Phrase.end());
    ASSERT_NE(found, Words.end()) << "the phrase is not there to take out";
    Words.erase(found, found + static_cast<std::ptrdiff_t>(Phrase.size()));
}

// Takes out of Ours and Theirs (unrtf's) the words the corpus table says only one of them finds
// in File.
inline void RemoveKnownDifferences(const std::string& File, std::vector<std::string>& Ours,
                                   std::vector<std::string>& Theirs) {
    for (const TestCase& c : ReadCases(RtfCorpusTable, "differs")) {
        if (c[0] != File) continue;
        SCOPED_TRACE(c.Where);
        RemovePhrase(c[1] == "unrtf" ? Theirs : Ours, Words(c[2]));
    }
}

}  // namespace vex::test
