#pragma once

// What the POP3 client's tests share: scripts of a POP3 server's side of the dialogue and a
// client set up for it.

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "net/mspop3.h"
#include "tests/support/scriptedserver.h"

namespace vex::test {

inline Script Steps(std::initializer_list<Script> Parts) {
    Script all;
    for (const Script& part : Parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The server reads one command and answers it with Line.
inline Script Answer(const std::string& Line) {
    return {ReadLine(), SendLine(Line)};
}

// A greeting without a stamp, USER, PASS and a STAT reporting Messages messages.
inline Script Login(int Messages) {
    return Steps({{SendLine("+OK ready")},
                  Answer("+OK"),
                  Answer("+OK"),
                  Answer("+OK " + std::to_string(Messages) + " 999")});
}

inline std::unique_ptr<TmsRemotePOP> ClientFor(const std::string& Address) {
    auto pop = std::make_unique<TmsRemotePOP>(nullptr);
    pop->SetWinsockLoaded(true);
    pop->SetServer(Address);
    pop->SetUserName("alice");
    pop->SetPassword("s3cret");
    pop->SetTimeOut(10);
    return pop;
}

// Every event of a session, in order, with the number of the message where there is one; the
// messages handed to OnUserMessageSave.
struct Recorder {
    explicit Recorder(TmsRemotePOP& Pop) {
        auto add = [this](const std::string& Name) {
            return [this, Name](TObject*) { Events.push_back(Name); };
        };
        auto addNum = [this](const std::string& Name) {
            return [this, Name](TObject*, int32_t Num) {
                Events.push_back(Name + " " + std::to_string(Num));
            };
        };
        Pop.OnOpen = add("open");
        Pop.OnClosing = add("closing");
        Pop.OnClosed = add("closed");
        Pop.OnCancel = add("cancel");
        Pop.OnUpdatingInfo = add("updating");
        Pop.OnInfoUpdated = add("updated");
        Pop.OnTransferringData = add("transferring");
        Pop.OnDataTransfered = add("transfered");
        Pop.OnNextInfoUpdated = addNum("next");
        Pop.OnRetrieving = addNum("retrieving");
        Pop.OnRetrieved = addNum("retrieved");
        Pop.OnDeleting = addNum("deleting");
        Pop.OnError = [this](TObject*, std::string& Msg) { Events.push_back("error " + Msg); };
        Pop.OnUserMessageSave = [this](TObject*, int32_t Num, TMemoryStream& Contents) {
            Events.push_back("save " + std::to_string(Num));
            EXPECT_EQ(Contents.Position(), 0);
            Saved.emplace_back(Contents.Memory(), static_cast<size_t>(Contents.Size()));
        };
    }
    std::vector<std::string> Events;
    std::vector<std::string> Saved;
};

}  // namespace vex::test
