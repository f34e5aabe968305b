#include "platform/core/component.h"

#include <algorithm>

#include "platform/core/exceptions.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

bool IsValidIdent(const std::string& Ident) {
    auto isAlpha = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    };
    if (Ident.empty() || !isAlpha(Ident[0])) return false;
    return std::all_of(Ident.begin() + 1, Ident.end(),
                       [&](char c) { return isAlpha(c) || (c >= '0' && c <= '9'); });
}

void Erase(std::vector<TComponent*>& List, TComponent* Item) {
    List.erase(std::remove(List.begin(), List.end(), Item), List.end());
}

}  // namespace

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner != nullptr) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    FComponentState.Include(csDestroying);
    // Each side of a free-notification link is told once; the list is emptied first so that
    // the watcher's Notification may freely unregister itself.
    std::vector<TComponent*> watchers;
    watchers.swap(FFreeNotifies);
    for (TComponent* watcher : watchers) {
        Erase(watcher->FFreeNotifies, this);
        watcher->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner != nullptr) FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int32_t Index) const {
    if (Index < 0 || Index >= ComponentCount())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FComponents[static_cast<size_t>(Index)];
}

int32_t TComponent::ComponentIndex() const {
    if (FOwner == nullptr) return -1;
    auto& list = FOwner->FComponents;
    return static_cast<int32_t>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
    if (AName.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, AName)) return c;
    return nullptr;
}

void TComponent::SetName(const std::string& NewName) {
    if (FName == NewName) return;
    if (!NewName.empty() && !IsValidIdent(NewName))
        throw EComponentError("Component name \"" + NewName + "\" is not a valid identifier");
    if (FOwner != nullptr) FOwner->ValidateRename(this, NewName);
    FName = NewName;
}

void TComponent::ValidateRename(TComponent* AComponent, const std::string& NewName) const {
    TComponent* existing = FindComponent(NewName);
    if (existing != nullptr && existing != AComponent)
        throw EComponentError("A component named " + NewName + " already exists");
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (AComponent->FOwner != nullptr) AComponent->FOwner->RemoveComponent(AComponent);
    ValidateRename(AComponent, AComponent->FName);
    Insert(AComponent);
    AddToLoadingRoot(AComponent);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (AComponent->FOwner != this) return;
    Notification(AComponent, opRemove);
    RemoveFromLoadingRoot(AComponent);
    Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
    Erase(FComponents, AComponent);
    AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
    // Each component leaves through RemoveComponent in its destructor, so the owner and the
    // remaining siblings hear of it while it still exists.
    while (!FComponents.empty())
        delete FComponents.back();
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (AComponent == nullptr || AComponent == this) return;
    auto link = [](TComponent* From, TComponent* To) {
        if (std::find(From->FFreeNotifies.begin(), From->FFreeNotifies.end(), To) ==
            From->FFreeNotifies.end())
            From->FFreeNotifies.push_back(To);
    };
    link(AComponent, this);
    link(this, AComponent);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    Erase(FFreeNotifies, AComponent);
    Erase(AComponent->FFreeNotifies, this);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent != nullptr) RemoveFreeNotification(AComponent);
    // A handler may free components of this list; walk a copy and skip those gone meanwhile.
    const std::vector<TComponent*> snapshot = FComponents;
    for (TComponent* c : snapshot)
        if (std::find(FComponents.begin(), FComponents.end(), c) != FComponents.end())
            c->Notification(AComponent, Operation);
}

void TComponent::BeginLoading() {
    FComponentState.Include(csLoading);
    FLoading = std::make_unique<std::vector<TComponent*>>();
}

void TComponent::EndLoading() {
    if (!FLoading) return;
    // A Loaded that raises ends the bracket all the same; the components after it stay loading.
    struct TEndBracket {
        std::unique_ptr<std::vector<TComponent*>>& Loading;
        ~TEndBracket() { Loading.reset(); }
    } end{FLoading};
    Loaded();
    // A Loaded handler may free or create components: a freed one leaves the list through
    // RemoveComponent, a created one joins its end, so take them one at a time from the front.
    while (!FLoading->empty()) {
        TComponent* next = FLoading->front();
        FLoading->erase(FLoading->begin());
        next->Loaded();
    }
}

void TComponent::Loaded() {
    FComponentState.Exclude(csLoading);
}

void TComponent::AddToLoadingRoot(TComponent* AComponent) {
    for (TComponent* c = this; c != nullptr; c = c->FOwner) {
        if (c->FLoading) {
            c->FLoading->push_back(AComponent);
            AComponent->FComponentState.Include(csLoading);
            return;
        }
    }
}

void TComponent::RemoveFromLoadingRoot(TComponent* AComponent) {
    for (TComponent* c = this; c != nullptr; c = c->FOwner)
        if (c->FLoading) Erase(*c->FLoading, AComponent);
}

}  // namespace vex
