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

// Opens the fixed address with ShellExecuteW "open", SW_SHOWNORMAL; the result is ignored.
class ShellWebSiteOpener final : public IWebSiteOpener {
public:
    explicit ShellWebSiteOpener(ShellExecuteFunction shellExecute = {});
    void Open(HWND owner) override;

private:
    ShellExecuteFunction shellExecute_;
};

} // namespace plaxor
