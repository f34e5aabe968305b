// Compiles the text form of a string table into its binary "STR0" form:
//   vex_strtable <table.txt> <table.str0>
// A fault in the input prints "file:line: error: ..." and leaves the previous output untouched.

#include <exception>
#include <iostream>
#include <string>

#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "tools/rescomp/resourceerror.h"
#include "tools/strtable/str0.h"
#include "tools/strtable/texttable.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: vex_strtable <table.txt> <table.str0>\n";
        return 2;
    }
    const std::string input = argv[1];
    const std::string output = argv[2];
    try {
        const std::string text = vex::ReadFileToString(input);
        vex::WriteFileAtomic(
            output, vex::strtable::BuildStr0(vex::strtable::ParseTextTable(text, input), input));
        return 0;
    } catch (const vex::rescomp::ResourceError& e) {
        std::cerr << e.File();
        if (e.Line() > 0) std::cerr << ':' << e.Line();
        std::cerr << ": error: " << e.Message() << '\n';
    } catch (const vex::Exception& e) {
        std::cerr << "vex_strtable: error: " << e.Message() << '\n';
    } catch (const std::exception& e) {
        std::cerr << "vex_strtable: error: " << e.what() << '\n';
    }
    return 1;
}
