#pragma once
// Components: named objects with an owner. The owner frees what it owns; this is the
// framework's one ownership rule that is not a unique_ptr, and it lives here only.
#include "Persistent.h"
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plaxor {

enum class TOperation : std::uint8_t { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    std::wstring ClassName() const override { return L"TComponent"; }
    static const PropertyTable& ClassProperties();
    const PropertyTable& Published() const override { return ClassProperties(); }

    TComponent* Owner() const noexcept { return owner_; }
    const std::wstring& Name() const noexcept { return name_; }
    void SetName(const std::wstring& name) { name_ = name; }
    const std::vector<TComponent*>& Components() const noexcept { return owned_; }
    // Case-insensitive, among the components this one owns.
    TComponent* FindComponent(std::wstring_view name) const;

    // While a layout is being read into the component; EndLoad calls AfterLoad.
    bool IsLoading() const noexcept { return loading_; }
    void BeginLoad() noexcept { loading_ = true; }
    void EndLoad();

    // Reads true while this component exists and false once it is freed; what a
    // TComponentRef (ComponentRef.h) holds on to.
    std::shared_ptr<const bool> Liveness() const;

    // Called by the layout loader for a component nested inside this one's "object ... end"
    // block; controls take it as their parent.
    virtual void SetParentComponent(TComponent* parent) { (void)parent; }

protected:
    virtual void AfterLoad() {}
    // Told when a component with the same owner (or one this component owns) comes or goes.
    virtual void HandleRemoval(TComponent* component, TOperation operation);
    // Frees owned components before a derived destructor tears down what they rely on.
    void FreeOwnedComponents() noexcept;

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> owned_;
    // Made when first asked for; set false by the destructor.
    mutable std::shared_ptr<bool> alive_;
    std::wstring name_;
    bool loading_ = false;
    bool destroying_ = false;
};

// Creates a component that owner will free.
template <typename T, typename... Args> T* NewOwned(TComponent& owner, Args&&... args) {
    return new T(&owner, std::forward<Args>(args)...);
}

} // namespace plaxor
