#pragma once
// The maker's web site and how the main window opens it. The form holds an IWebSiteOpener so
// that the way the site is opened can change (and be watched by tests) without the form
// knowing.
#include <windows.h>
#include <functional>
#include <string>
#include <string_view>

namespace plaxor {

// Until the real home is known.
inline constexpr std::wstring_view kWebSiteAddress = L"https://plaxor.example/";
// Shown as the web-site button's tooltip.
inline constexpr std::wstring_view kWebHostName = L"plaxor.example";

class IWebSiteOpener {
public:
    virtual ~IWebSiteOpener() = default;
    // Asks for the site to be shown; failures are not reported.
    virtual void Open(HWND owner) = 0;
};

// The shell's ShellExecuteW signature, replaceable so that tests see the call without a
// browser opening.
using ShellExecuteFunction =
    std::function<HINSTANCE(HWND owner, const wchar_t* verb, const wchar_t* file,
                            const wchar_t* parameters, const wchar_t* directory, int show)>;
// ShellExecute run by the desktop shell (ShellExecuteFromDesktop); false when no desktop shell
// answered. Replaceable like the one above.
using DesktopShellExecuteFunction =
    std::function<bool(const wchar_t* file, const wchar_t* verb, int show)>;

// Opens the fixed address, "open", SW_SHOWNORMAL. The program runs elevated, so the desktop
// shell is asked first: the browser it starts runs with the user's normal rights. Only where no
// desktop shell answers does this process call ShellExecuteW itself. Results are ignored.
class ShellWebSiteOpener final : public IWebSiteOpener {
public:
    explicit ShellWebSiteOpener(DesktopShellExecuteFunction desktopShellExecute = {},
                                ShellExecuteFunction shellExecute = {});
    void Open(HWND owner) override;

private:
    DesktopShellExecuteFunction desktopShellExecute_;
    ShellExecuteFunction shellExecute_;
};

} // namespace plaxor
