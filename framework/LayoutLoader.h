#pragma once
// Applies a layout tree to a root component (creating, naming and parenting its components,
// setting their published properties, binding events and references).
#include "LayoutTree.h"
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plaxor {

// The classes a layout may create, by class name (compared case-insensitively).
class ComponentFactory {
public:
    // Makes a component owned by owner.
    using Creator = std::function<TComponent*(TComponent* owner)>;

    // A later registration of the same name replaces the earlier one.
    void Register(const std::wstring& className, Creator create);
    template <typename T> void Register(const std::wstring& className) {
        Register(className, [](TComponent* owner) -> TComponent* { return new T(owner); });
    }
    // EReadError "Class 'X' not found" when the name is not registered.
    TComponent* Create(const std::wstring& className, TComponent& owner) const;

private:
    std::vector<std::pair<std::wstring, Creator>> creators_;
};

// Implemented by a root (the main window) whose layout names its event handlers and whose
// fields point at the layout's components.
class ILayoutRoot {
public:
    virtual ~ILayoutRoot() = default;
    // The handler published under this name; an empty function when there is none.
    virtual TNotifyEvent FindEventHandler(const std::wstring& name) = 0;
    // Told each named component as soon as it is created, before its properties are read.
    virtual void BindField(const std::wstring& name, TComponent* component) = 0;
};

// Reads tree into root: the tree's class must be the root's class; root and every created
// component are loading until all is read and all references are resolved, then each created
// component (in creation order) and last the root get EndLoad. Any fault (unknown class,
// property or handler, a value of the wrong kind, a duplicate name, a missing reference) raises
// EReadError naming the place; what was created so far stays owned by the root, which is then
// half-loaded and should be discarded.
void LoadLayout(TComponent& root, const LayoutNode& tree, const ComponentFactory& factory);

} // namespace plaxor
