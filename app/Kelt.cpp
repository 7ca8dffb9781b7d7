#include "Kelt.h"
#include "KeltLayout.h"
#include "framework/Exception.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/SpeedButton.h"
#include "glowbutton/AdvGlowButton.h"
#include "policy/AutoRunPolicy.h"

namespace plaxor {

Tkelt* kelt = nullptr;

namespace {

// The published fields in declaration order, each bound to the component of its name.
struct FieldBinding {
    const wchar_t* name;
    const wchar_t* className;
    std::function<bool(Tkelt&, TComponent*)> bind;
};

template <typename T>
FieldBinding Field(const wchar_t* name, const wchar_t* className, T* Tkelt::*field) {
    return {name, className, [field](Tkelt& form, TComponent* component) {
                auto* typed = dynamic_cast<T*>(component);
                if (!typed) return false;
                form.*field = typed;
                return true;
            }};
}

const std::vector<FieldBinding>& Fields() {
    static const std::vector<FieldBinding> fields = {
        Field(L"plaxorizebtn", L"TAdvGlowButton", &Tkelt::plaxorizebtn),
        Field(L"undoplaxorizebtn", L"TAdvGlowButton", &Tkelt::undoplaxorizebtn),
        Field(L"SpeedButton1", L"TSpeedButton", &Tkelt::SpeedButton1),
        Field(L"logo", L"TImage", &Tkelt::logo),
        Field(L"enabled", L"TImage", &Tkelt::enabled),
        Field(L"disabled", L"TImage", &Tkelt::disabled),
        Field(L"status", L"TLabel", &Tkelt::status),
    };
    return fields;
}

} // namespace

Tkelt::Tkelt(TComponent* owner) : Tkelt(owner, TKeltServices{}) {}

Tkelt::Tkelt(TComponent* owner, TKeltServices services)
    : TForm(owner), services_(std::move(services)) {
    if (!services_.registry) services_.registry = &Win32Registry();
    if (!services_.webSite) services_.webSite = std::make_shared<ShellWebSiteOpener>();
    const LayoutNode tree = services_.layout ? services_.layout() : ReadKeltLayout();
    LoadLayout(*this, tree, KeltComponentFactory());
    // A field left unbound would only fail at the first click.
    for (const FieldBinding& f : Fields()) {
        TComponent* component = FindComponent(f.name);
        if (!component || !f.bind(*this, component))
            throw EReadError(L"The main window's layout has no " + std::wstring(f.className) +
                             L" named '" + f.name + L"'");
    }
}

Tkelt::~Tkelt() {
    if (kelt == this) kelt = nullptr;
}

TNotifyEvent Tkelt::FindEventHandler(const std::wstring& name) {
    using Handler = void (Tkelt::*)(TObject*);
    static const std::pair<const wchar_t*, Handler> handlers[] = {
        {L"FormShow", &Tkelt::FormShow},
        {L"undoplaxorizebtnClick", &Tkelt::undoplaxorizebtnClick},
        {L"plaxorizebtnClick", &Tkelt::plaxorizebtnClick},
        {L"SpeedButton1Click", &Tkelt::SpeedButton1Click},
    };
    for (const auto& [handlerName, handler] : handlers)
        if (SameText(handlerName, name))
            return [this, handler](TObject* sender) { (this->*handler)(sender); };
    return {};
}

void Tkelt::BindField(const std::wstring& name, TComponent* component) {
    for (const FieldBinding& f : Fields()) {
        if (!SameText(f.name, name)) continue;
        if (!f.bind(*this, component))
            throw EReadError(L"The field '" + std::wstring(f.name) + L"' is a " + f.className +
                             L", not a " + component->ClassName());
        return;
    }
}

void Tkelt::FormShow(TObject*) {
    RefreshStatus();
}

void Tkelt::plaxorizebtnClick(TObject*) {
    DisableAutoRun(*services_.registry);
    RefreshStatus();
}

void Tkelt::undoplaxorizebtnClick(TObject*) {
    EnableAutoRun(*services_.registry);
    RefreshStatus();
}

void Tkelt::SpeedButton1Click(TObject*) {
    services_.webSite->Open(Handle());
}

void Tkelt::RefreshStatus() {
    // Every assignment on every refresh. The button that becomes unavailable is disabled
    // before the other is enabled, so the two commands are never available together.
    if (QueryAutoRunState(*services_.registry) == AutoRunState::Disabled) {
        status->SetCaption(L"Disabled");
        enabled->SetVisible(false);
        disabled->SetVisible(true);
        plaxorizebtn->SetEnabled(false);
        undoplaxorizebtn->SetEnabled(true);
    } else {
        status->SetCaption(L"Enabled");
        enabled->SetVisible(true);
        disabled->SetVisible(false);
        undoplaxorizebtn->SetEnabled(false);
        plaxorizebtn->SetEnabled(true);
    }
}

} // namespace plaxor
