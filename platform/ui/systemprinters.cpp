#include "platform/ui/systemprinters.h"

#include <chrono>

#include "platform/registry/registry.h"
#include "platform/shell/programoutput.h"
#include "platform/ui/cupsprinter.h"
#include "platform/ui/pdfprinter.h"
#include "platform/ui/printer.h"

namespace vex {

namespace {

constexpr std::chrono::seconds LpstatTimeOut{5};
constexpr size_t LpstatAnswerLimit = 1 << 20;
constexpr size_t MaxQueues = 256;
// CUPS's own limit on a queue name.
constexpr size_t MaxQueueName = 127;

bool IsQueueName(std::string_view Name) {
    if (Name.empty() || Name.size() > MaxQueueName) return false;
    for (char ch : Name)
        if (static_cast<unsigned char>(ch) <= ' ' || ch == 0x7F) return false;
    return true;
}

}  // namespace

std::vector<std::string> ParseLpstatQueues(std::string_view Answer) {
    std::vector<std::string> queues;
    while (!Answer.empty() && queues.size() < MaxQueues) {
        const size_t end = Answer.find('\n');
        std::string_view line = Answer.substr(0, end);
        Answer.remove_prefix(end == std::string_view::npos ? Answer.size() : end + 1);
        line = line.substr(0, line.find_first_of(" \t\r"));
        if (IsQueueName(line)) queues.emplace_back(line);
    }
    return queues;
}

std::vector<std::string> CupsQueues() {
    // -e names the queues alone; CUPS before 2.1 lacks it and answers -a.
    for (const char* option : {"-e", "-a"})
        if (const auto answer = ProgramOutput({"lpstat", option}, LpstatTimeOut, LpstatAnswerLimit))
            return ParseLpstatQueues(*answer);
    return {};
}

bool PdfPrinterEnabled() {
    // Settings that cannot be read leave the default: the list is made on the printer's first
    // use, which may be in the middle of anything.
    try {
        TRegistry registry;
        if (!registry.OpenKeyReadOnly("Software\\Vexbane\\Printing")) return true;
        if (!registry.ValueExists("PDF printer") ||
            registry.GetDataType("PDF printer") != rdInteger)
            return true;
        return registry.ReadInteger("PDF printer") != 0;
    } catch (const Exception&) {
        return true;
    }
}

std::vector<std::unique_ptr<TPrinterDevice>> SystemPrinters() {
    std::vector<std::unique_ptr<TPrinterDevice>> devices;
    if (PdfPrinterEnabled()) devices.push_back(std::make_unique<TPdfPrinter>());
    for (std::string& queue : CupsQueues())
        devices.push_back(std::make_unique<TCupsPrinter>(std::move(queue)));
    return devices;
}

}  // namespace vex
