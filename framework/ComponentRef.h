#pragma once
// A reference to a component that reads null once the component is freed. The framework's one
// guard against a component that goes while someone still holds it: a field naming a component
// of any owner (an image list, a menu), and code that calls out (an event, a menu's own loop, a
// message to each child) and must not touch an object that the handler freed.
#include "Component.h"
#include <memory>

namespace plaxor {

template <typename T> class TComponentRef {
public:
    TComponentRef() noexcept = default;
    // Implicit, as a plain pointer converts to another.
    TComponentRef(T* component)
        : component_(component), alive_(component ? component->Liveness() : nullptr) {}

    T* get() const noexcept { return alive_ && *alive_ ? component_ : nullptr; }
    T* operator->() const noexcept { return get(); }
    explicit operator bool() const noexcept { return get() != nullptr; }

private:
    T* component_ = nullptr;
    std::shared_ptr<const bool> alive_;
};

template <typename T> TComponentRef(T*) -> TComponentRef<T>;

} // namespace plaxor
