#include "LayoutLoader.h"
#include "Exception.h"
#include <memory>

namespace plaxor {

void ComponentFactory::Register(const std::wstring& className, Creator create) {
    for (auto& [name, creator] : creators_)
        if (SameText(name, className)) {
            creator = std::move(create);
            return;
        }
    creators_.emplace_back(className, std::move(create));
}

TComponent* ComponentFactory::Create(const std::wstring& className, TComponent& owner) const {
    for (const auto& [name, creator] : creators_) {
        if (!SameText(name, className)) continue;
        TComponent* component = creator ? creator(&owner) : nullptr;
        if (!component) throw EReadError(L"Class '" + className + L"' could not be created");
        if (component->Owner() != &owner) {
            // Only an owned component is freed if the layout fails later on.
            if (!component->Owner()) delete component;
            throw EReadError(L"Class '" + className +
                             L"' was created without the layout's root as its owner");
        }
        return component;
    }
    throw EReadError(L"Class '" + className + L"' not found");
}

namespace {

// Runs a step of reading one property and puts the place in front of whatever it raises.
template <typename F> void AtPlace(const std::wstring& place, F&& step) {
    try {
        step();
    } catch (const Exception& e) {
        throw EReadError(L"Error reading " + place + L": " + e.Message(),
                         std::make_shared<Exception>(e));
    }
}

class Loader : public LayoutContext {
public:
    Loader(TComponent& root, const ComponentFactory& factory)
        : root_(root), factory_(factory), layoutRoot_(dynamic_cast<ILayoutRoot*>(&root)) {}

    void Load(const LayoutNode& tree) {
        if (!SameText(tree.className, root_.ClassName()))
            throw EReadError(L"The layout is for class '" + tree.className + L"', not for '" +
                             root_.ClassName() + L"'");
        root_.BeginLoad();
        if (!tree.name.empty()) root_.SetName(tree.name);
        ReadData(root_, tree);
        // References may point forward, so they are resolved once everything exists.
        for (Pending& p : pending_) {
            TComponent* target =
                SameText(root_.Name(), p.target) ? &root_ : root_.FindComponent(p.target);
            if (!target)
                throw EReadError(L"Error reading " + p.place + L": Component '" + p.target +
                                 L"' not found");
            AtPlace(p.place, [&] { p.apply(target); });
        }
        for (TComponent* c : created_)
            c->EndLoad();
        root_.EndLoad();
    }

    TNotifyEvent ResolveEvent(const std::wstring& handlerName) override {
        TNotifyEvent handler = layoutRoot_ ? layoutRoot_->FindEventHandler(handlerName) : nullptr;
        if (!handler) throw EReadError(L"Event handler '" + handlerName + L"' not found");
        return handler;
    }

    void ResolveReference(const std::wstring& componentName,
                          std::function<void(TComponent*)> apply) override {
        pending_.push_back({componentName, place_, std::move(apply)});
    }

private:
    struct Pending {
        std::wstring target;
        std::wstring place;
        std::function<void(TComponent*)> apply;
    };

    static std::wstring Label(const TComponent& c) {
        return c.Name().empty() ? c.ClassName() : c.Name();
    }

    void ReadData(TComponent& component, const LayoutNode& node) {
        for (const auto& [path, value] : node.properties)
            SetProperty(component, path, value, Label(component) + L"." + path);
        for (const LayoutNode& child : node.children)
            ReadChild(child, component);
    }

    void ReadChild(const LayoutNode& node, TComponent& container) {
        TComponent* component = factory_.Create(node.className, root_);
        component->BeginLoad();
        created_.push_back(component);
        const std::wstring place = node.name.empty() ? node.className : node.name;
        if (!node.name.empty()) {
            if (root_.FindComponent(node.name))
                throw EReadError(L"Error reading " + place + L": A component named '" + node.name +
                                 L"' already exists");
            component->SetName(node.name);
        }
        AtPlace(place, [&] {
            component->SetParentComponent(&container);
            if (layoutRoot_ && !node.name.empty()) layoutRoot_->BindField(node.name, component);
        });
        ReadData(*component, node);
    }

    void SetProperty(TPersistent& owner, const std::wstring& path, const LayoutValue& value,
                     const std::wstring& place) {
        const auto fail = [&](const std::wstring& what) {
            throw EReadError(L"Error reading " + place + L": " + what);
        };
        TPersistent* target = &owner;
        for (std::size_t start = 0;;) {
            const std::size_t dot = path.find(L'.', start);
            const std::wstring walked = path.substr(0, dot);
            const PropertyInfo* info =
                target->Published().Find(std::wstring_view(path).substr(start, dot - start));
            if (!info) fail(L"Property '" + walked + L"' does not exist");
            if (dot == std::wstring::npos) {
                if (!info->load)
                    fail(info->object ? L"Property '" + walked + L"' is an object; only its " +
                                            L"properties can be given"
                                      : L"Property '" + walked + L"' cannot be read");
                place_ = place;
                AtPlace(place, [&] { info->load(*target, value, *this); });
                return;
            }
            if (!info->object) fail(L"Property '" + walked + L"' has no properties of its own");
            target = info->object(*target);
            if (!target) fail(L"Property '" + walked + L"' holds no object");
            start = dot + 1;
        }
    }

    TComponent& root_;
    const ComponentFactory& factory_;
    ILayoutRoot* layoutRoot_;
    std::vector<TComponent*> created_;
    std::vector<Pending> pending_;
    std::wstring place_; // the property being read, for the references it asks for
};

} // namespace

void LoadLayout(TComponent& root, const LayoutNode& tree, const ComponentFactory& factory) {
    Loader(root, factory).Load(tree);
}

} // namespace plaxor
