#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/object.h"
#include "platform/core/set.h"

namespace vex {

enum TOperation { opInsert, opRemove };

enum TComponentStateItem { csLoading, csDestroying, csDesigning };
using TComponentState = TSet<TComponentStateItem>;

// A component is owned by another and freed with it. Owners tell their whole tree when a
// component joins or leaves (Notification), so references to a leaving component are cleared
// before it is gone; FreeNotification extends that to components with other owners.
class TComponent : public TPersistent {
    VEX_CLASS(TComponent, TPersistent)

public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }

    const std::string& Name() const { return FName; }
    // A name is empty or an identifier, unique (without regard to case) among the owner's
    // components; anything else raises EComponentError.
    virtual void SetName(const std::string& NewName);

    int32_t Tag() const { return FTag; }
    void SetTag(int32_t Value) { FTag = Value; }

    int32_t ComponentCount() const { return static_cast<int32_t>(FComponents.size()); }
    // Index counts from 0; out of range raises EListError.
    TComponent* Components(int32_t Index) const;
    int32_t ComponentIndex() const;
    TComponent* FindComponent(const std::string& AName) const;

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    // Frees every owned component, the most recently inserted first.
    void DestroyComponents();

    // Asks that this component's Notification hear of AComponent's removal, whoever owns it.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    TComponentState ComponentState() const { return FComponentState; }

    // The bracket for a form built in code: between the two calls the root and every component
    // inserted below it are loading; EndLoading calls Loaded on the root, then on the others in
    // the order they joined.
    void BeginLoading();
    void EndLoading();

protected:
    // Hears that AComponent joined or is leaving this component's owner tree (or a component
    // it asked to watch is being freed). Overrides clear their references and call the base.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // Runs once the component's properties are all set; the base clears csLoading.
    virtual void Loaded();

private:
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void ValidateRename(TComponent* AComponent, const std::string& NewName) const;
    void AddToLoadingRoot(TComponent* AComponent);
    void RemoveFromLoadingRoot(TComponent* AComponent);

    TComponent* FOwner = nullptr;
    std::string FName;
    int32_t FTag = 0;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    TComponentState FComponentState;
    // Present on a root between BeginLoading and EndLoading.
    std::unique_ptr<std::vector<TComponent*>> FLoading;
};

}  // namespace vex
