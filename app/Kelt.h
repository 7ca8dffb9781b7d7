#pragma once
// The main window: shows whether AutoRun is on, switches it with "&Disable" and "&Enable" and
// opens the maker's web site. It keeps no state of its own: the state lives in the registry,
// its presentation in the controls' properties.
#include "WebSite.h"
#include "framework/Form.h"
#include "framework/LayoutLoader.h"
#include "policy/RegistryBackend.h"
#include <functional>
#include <memory>

namespace plaxor {

class TAdvGlowButton;
class TImage;
class TLabel;
class TSpeedButton;

// What the window works with; tests replace them.
struct TKeltServices {
    // Null: the Windows registry.
    IRegistryBackend* registry = nullptr;
    // Null: the shell opens the site (ShellWebSiteOpener).
    std::shared_ptr<IWebSiteOpener> webSite;
    // Empty: the layout embedded in the program (ReadKeltLayout).
    std::function<LayoutNode()> layout;
};

class Tkelt : public TForm, public ILayoutRoot {
public:
    // Reads the window and its controls from the layout; EReadError (naming the place) when
    // the layout cannot be read or lacks one of the fields below.
    explicit Tkelt(TComponent* owner);
    Tkelt(TComponent* owner, TKeltServices services);
    ~Tkelt() override;
    std::wstring ClassName() const override { return L"Tkelt"; }

    // The layout's controls, bound by name; the window owns them.
    TAdvGlowButton* plaxorizebtn = nullptr;
    TAdvGlowButton* undoplaxorizebtn = nullptr;
    TSpeedButton* SpeedButton1 = nullptr;
    TImage* logo = nullptr;
    TImage* enabled = nullptr;
    TImage* disabled = nullptr;
    TLabel* status = nullptr;

    // The handlers the layout binds by name.
    void FormShow(TObject* Sender);
    void undoplaxorizebtnClick(TObject* Sender);
    void plaxorizebtnClick(TObject* Sender);
    void SpeedButton1Click(TObject* Sender);

    TNotifyEvent FindEventHandler(const std::wstring& name) override;
    void BindField(const std::wstring& name, TComponent* component) override;

private:
    void RefreshStatus();

    TKeltServices services_;
};

// The program's one main window, set while it is being made (see TApplication::CreateForm).
extern Tkelt* kelt;

} // namespace plaxor
