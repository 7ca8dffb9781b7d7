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
    // Every reference to this component reads null from here on.
    if (alive_) *alive_ = false;
    FreeOwnedComponents();
    if (owner_) owner_->Remove(this);
}

std::shared_ptr<const bool> TComponent::Liveness() const {
    if (!alive_) alive_ = std::make_shared<bool>(true);
    return alive_;
}

void TComponent::FreeOwnedComponents() noexcept {
    destroying_ = true;
    while (!owned_.empty())
        delete owned_.back(); // each removes itself from owned_
}

void TComponent::Insert(TComponent* component) {
    owned_.push_back(component);
    component->owner_ = this;
    HandleRemoval(component, TOperation::opInsert);
}

void TComponent::Remove(TComponent* component) {
    std::erase(owned_, component);
    component->owner_ = nullptr;
    if (!destroying_) HandleRemoval(component, TOperation::opRemove);
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
