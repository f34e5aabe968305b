#pragma once

#include <string>

namespace vex {

// What a file dialog does with the text of its name field when the user accepts it.
enum class TFileNameStep {
    Stay,         // nothing to do, or Error says why not
    EnterFolder,  // the text named a folder: show it
    Filter,       // the text was a pattern: list what it matches in Folder
    Accept,       // FileName is the answer
};

struct TFileNameOutcome {
    TFileNameStep Step = TFileNameStep::Stay;
    std::string Folder;    // EnterFolder and Filter
    std::string Pattern;   // Filter
    std::string FileName;  // Accept: absolute
    std::string Error;     // Stay: for the user
};

struct TFileNameRules {
    // An open dialog answers only a file that is there; a save dialog any name in a folder that
    // is there.
    bool MustExist = false;
    // Added, after a ".", to a name without an extension (by an open dialog only when the name
    // as typed is not there); empty for none.
    std::string Extension;
    // The text is a name picked from the list: a "*" or "?" in it is its own character.
    bool Literal = false;
};

// Typed is taken from Folder unless it starts with "/"; "." and ".." work by name.
TFileNameOutcome InterpretFileName(const std::string& Folder, const std::string& Typed,
                                   const TFileNameRules& Rules);

}  // namespace vex
