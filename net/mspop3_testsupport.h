#pragma once

// What the POP3 client's tests share: a client set up for a server, and a record of its events.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "net/mspop3.h"

namespace vex::test {

inline std::unique_ptr<TmsRemotePOP> ClientFor(const std::string& Address,
                                               const std::string& User = "alice",
                                               const std::string& Password = "s3cret") {
    auto pop = std::make_unique<TmsRemotePOP>(nullptr);
    pop->SetWinsockLoaded(true);
    pop->SetServer(Address);
    pop->SetUserName(User);
    pop->SetPassword(Password);
    pop->SetTimeOut(10);
    return pop;
}

// Every event of a session in order, with the message's number where there is one; the
// messages handed to OnUserMessageSave.
struct Recorder {
    explicit Recorder(TmsRemotePOP& Pop) {
        auto add = [this](const char* Name) { return [this, Name](TObject*) { Add(Name); }; };
        auto num = [this](const char* Name) {
            return [this, Name](TObject*, int32_t Num) { Add(Name + (" " + std::to_string(Num))); };
        };
        Pop.OnOpen = add("open");
        Pop.OnClosing = add("closing");
        Pop.OnClosed = add("closed");
        Pop.OnCancel = add("cancel");
        Pop.OnUpdatingInfo = add("updating");
        Pop.OnInfoUpdated = add("updated");
        Pop.OnTransferringData = add("transferring");
        Pop.OnDataTransfered = add("transfered");
        Pop.OnNextInfoUpdated = num("next");
        Pop.OnRetrieving = num("retrieving");
        Pop.OnRetrieved = num("retrieved");
        Pop.OnDeleting = num("deleting");
        Pop.OnError = [this](TObject*, std::string& Msg) { Add("error " + Msg); };
        Pop.OnUserMessageSave = [this](TObject*, int32_t Num, TMemoryStream& Contents) {
            Add("save " + std::to_string(Num));
            Saved.emplace_back(Contents.Memory(), static_cast<size_t>(Contents.Size()));
        };
    }
    void Add(const std::string& Event) { Events.push_back(Event); }

    std::vector<std::string> Events;
    std::vector<std::string> Saved;
};

}  // namespace vex::test
