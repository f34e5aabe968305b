#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/printerdevice.h"

namespace vex {

// One CUPS queue. A job is made into a PDF in a private temporary folder and handed to lp with
// an argument vector (no shell ever reads the queue name or the title); lp refusing it or not
// answering within LpTimeOut is an EPrinter. The PDF is removed however the job ends.
class TCupsPrinter : public TPrinterDevice {
public:
    explicit TCupsPrinter(std::string Queue) : FQueue(std::move(Queue)) {}

    std::string Name() const override { return FQueue; }
    std::unique_ptr<TPrintDocument> Start(const TPrintJob& Job) override;

    static constexpr std::chrono::seconds LpTimeOut{60};

private:
    std::string FQueue;
};

// What lp is run with to print File on Queue.
std::vector<std::string> LpArguments(const std::string& Queue, const TPrintJob& Job,
                                     const std::string& File);

}  // namespace vex
