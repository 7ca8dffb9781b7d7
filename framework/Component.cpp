#include "Component.h"
#include "Properties.h"
#include "Text.h"
#include <algorithm>

namespace plaxor {

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->Insert(this);
}

TComponent::~TComponent() {
    destroying_ = true;
    // Everyone linked hears of the removal first (only pointers are compared by then).
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        std::erase(other->freeNotifies_, this);
        other->HandleRemoval(this, TOperation::opRemove);
    }
    FreeOwnedComponents();
    if (owner_) owner_->Remove(this);
}

void TComponent::FreeNotification(TComponent* watcher) {
    if (!watcher || watcher == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), watcher) == freeNotifies_.end()) {
        freeNotifies_.push_back(watcher);
        watcher->freeNotifies_.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* watcher) noexcept {
    if (!watcher) return;
    std::erase(freeNotifies_, watcher);
    std::erase(watcher->freeNotifies_, this);
}

void TComponent::FreeOwnedComponents() noexcept {
    destroying_ = true;
    while (!owned_.empty())
        delete owned_.back(); // each removes itself from owned_
}

void TComponent::Insert(TComponent* component) {
    owned_.push_back(component);
    component->owner_ = this;
    Notify(component, TOperation::opInsert);
}

void TComponent::Remove(TComponent* component) {
    std::erase(owned_, component);
    component->owner_ = nullptr;
    if (!destroying_) Notify(component, TOperation::opRemove);
}

void TComponent::Notify(TComponent* component, TOperation operation) {
    HandleRemoval(component, operation);
}

void TComponent::HandleRemoval(TComponent* component, TOperation operation) {
    // Pass the notice on to everything this component owns (siblings of the component).
    for (TComponent* owned : std::vector<TComponent*>(owned_))
        if (owned != component) owned->HandleRemoval(component, operation);
}

TComponent* TComponent::FindComponent(std::wstring_view name) const {
    for (TComponent* c : owned_)
        if (!name.empty() && SameText(c->Name(), name)) return c;
    return nullptr;
}

void TComponent::EndLoad() {
    loading_ = false;
    AfterLoad();
}

const PropertyTable& TComponent::ClassProperties() {
    static const PropertyTable table(&TPersistent::ClassProperties(), [] {
        PropertyInfo name =
            props::String(L"Name", &TComponent::Name, &TComponent::SetName, std::wstring());
        // A layout carries the name in the component's header, not among its properties.
        name.stored = [](const TPersistent&) { return false; };
        return std::vector<PropertyInfo>{std::move(name)};
    }());
    return table;
}

} // namespace plaxor
