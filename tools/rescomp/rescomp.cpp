// Compiles resource inputs into one C++ source file for a module:
//   vex_rescomp --name <module> --output <file.cpp> [--strings <table.txt>]...
//               [--file <TYPE> <NAME> <path>]...
// A fault in any input prints "file:line: error: ..." and leaves the previous output untouched.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "tools/rescomp/emitter.h"
#include "tools/rescomp/module.h"
#include "tools/rescomp/resourceerror.h"
#include "tools/rescomp/stringtable.h"

namespace vex::rescomp {
namespace {

struct FileInput {
    std::string Type, Name, Path;
};

struct Options {
    std::string ModuleName;
    std::string Output;
    std::vector<std::string> StringTables;
    std::vector<FileInput> Files;
};

std::optional<Options> ParseArguments(int Argc, char** Argv) {
    Options options;
    const std::vector<std::string> args(Argv + 1, Argv + Argc);
    for (size_t i = 0; i < args.size(); ++i) {
        const size_t left = args.size() - i - 1;
        if (args[i] == "--name" && left >= 1) {
            options.ModuleName = args[++i];
        } else if (args[i] == "--output" && left >= 1) {
            options.Output = args[++i];
        } else if (args[i] == "--strings" && left >= 1) {
            options.StringTables.push_back(args[++i]);
        } else if (args[i] == "--file" && left >= 3) {
            options.Files.push_back({args[i + 1], args[i + 2], args[i + 3]});
            i += 3;
        } else {
            std::cerr << "vex_rescomp: unexpected or incomplete argument '" << args[i] << "'\n";
            return std::nullopt;
        }
    }
    if (options.ModuleName.empty() || options.Output.empty()) {
        std::cerr << "vex_rescomp: --name and --output are required\n";
        return std::nullopt;
    }
    return options;
}

std::string ReadFile(const std::string& Path) {
    std::ifstream in(Path, std::ios::binary);
    if (!in) throw ResourceError(Path, 0, std::string("cannot open: ") + std::strerror(errno));
    std::string data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) throw ResourceError(Path, 0, "read failed");
    return data;
}

// Through a temporary file and a rename, so an interrupted build never leaves a truncated
// source that a later build would take as up to date.
void WriteFileAtomically(const std::string& Path, const std::string& Contents) {
    const std::string temporary = Path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(Contents.data(), static_cast<std::streamsize>(Contents.size()));
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            throw ResourceError(Path, 0, "cannot write the generated source");
        }
    }
    if (std::rename(temporary.c_str(), Path.c_str()) != 0) {
        const int error = errno;
        std::remove(temporary.c_str());
        throw ResourceError(Path, 0, std::string("cannot replace: ") + std::strerror(error));
    }
}

int Run(const Options& Opts) {
    Module module(Opts.ModuleName);
    for (const std::string& path : Opts.StringTables) {
        for (StringEntry& entry : ParseStringTable(ReadFile(path), path)) {
            module.AddString(entry.Id, std::move(entry.Text), path, entry.Line);
        }
    }
    for (const FileInput& file : Opts.Files) {
        module.AddFile(file.Type, file.Name, ReadFile(file.Path), file.Path);
    }
    WriteFileAtomically(Opts.Output, EmitModule(module));
    return 0;
}

}  // namespace
}  // namespace vex::rescomp

int main(int argc, char** argv) {
    const auto options = vex::rescomp::ParseArguments(argc, argv);
    if (!options) return 2;
    try {
        return vex::rescomp::Run(*options);
    } catch (const vex::rescomp::ResourceError& e) {
        std::cerr << e.File();
        if (e.Line() > 0) std::cerr << ':' << e.Line();
        std::cerr << ": error: " << e.Message() << '\n';
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "vex_rescomp: error: " << e.what() << '\n';
        return 1;
    }
}
