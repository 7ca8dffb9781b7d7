#include "app/DesktopShell.h"
#include "framework/SystemLibrary.h"
#include <exdisp.h>
#include <servprov.h>
#include <shlobj.h>

namespace plaxor {
namespace {

// Identifiers come from the declarations (__uuidof) where the headers give them: taking them
// from the uuid library links its thousands of identifiers into the exe. The service that
// hands out the top-level browser has none, so it is written out.
constexpr GUID kTopLevelBrowserService = {
    0x4C96BE40, 0x915C, 0x11CF, {0x99, 0xD3, 0x00, 0xAA, 0x00, 0x4A, 0xE8, 0x37}};

// BSTRs for the shell's automation interface come from oleaut32, which the exe does not
// import; it is loaded from the system directory the first time the shell is asked.
struct OleAutomation {
    UniqueHMODULE module;
    BSTR(WINAPI* SysAllocString)(const OLECHAR*) = nullptr;
    void(WINAPI* SysFreeString)(BSTR) = nullptr;

    bool Usable() const { return SysAllocString && SysFreeString; }
};

const OleAutomation& Automation() {
    static const OleAutomation automation = [] {
        OleAutomation ole;
        ole.module = LoadSystemLibrary(L"oleaut32.dll");
        if (ole.module) {
            ole.SysAllocString =
                SystemFunction<decltype(ole.SysAllocString)>(ole.module.get(), "SysAllocString");
            ole.SysFreeString =
                SystemFunction<decltype(ole.SysFreeString)>(ole.module.get(), "SysFreeString");
        }
        return ole;
    }();
    return automation;
}

struct FreeBstr {
    void operator()(BSTR text) const noexcept { Automation().SysFreeString(text); }
};
using UniqueBSTR = UniqueHandle<BSTR, FreeBstr>;

VARIANT TextVariant(BSTR text) {
    VARIANT value{};
    value.vt = VT_BSTR;
    value.bstrVal = text;
    return value;
}

VARIANT IntegerVariant(LONG number) {
    VARIANT value{};
    value.vt = VT_I4;
    value.lVal = number;
    return value;
}

} // namespace

UniqueCom<IShellDispatch2> DesktopShellDispatch() {
    UniqueCom<IShellWindows> windows;
    if (FAILED(::CoCreateInstance(__uuidof(ShellWindows), nullptr, CLSCTX_LOCAL_SERVER,
                                  __uuidof(IShellWindows), windows.put().as_void())))
        return {};

    VARIANT desktop = IntegerVariant(CSIDL_DESKTOP);
    VARIANT none{};
    long window = 0;
    UniqueCom<IDispatch> desktopWindow;
    if (windows.get()->FindWindowSW(&desktop, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                                    desktopWindow.put()) != S_OK ||
        !desktopWindow)
        return {};

    UniqueCom<IServiceProvider> services;
    UniqueCom<IShellBrowser> browser;
    UniqueCom<IShellView> view;
    UniqueCom<IDispatch> background;
    UniqueCom<IShellFolderViewDual> folderView;
    UniqueCom<IDispatch> application;
    UniqueCom<IShellDispatch2> shell;
    if (FAILED(desktopWindow.get()->QueryInterface(__uuidof(IServiceProvider),
                                                   services.put().as_void())) ||
        FAILED(services.get()->QueryService(kTopLevelBrowserService, __uuidof(IShellBrowser),
                                            browser.put().as_void())) ||
        FAILED(browser.get()->QueryActiveShellView(view.put())) || !view ||
        FAILED(view.get()->GetItemObject(SVGIO_BACKGROUND, __uuidof(IDispatch),
                                         background.put().as_void())) ||
        FAILED(background.get()->QueryInterface(__uuidof(IShellFolderViewDual),
                                                folderView.put().as_void())) ||
        FAILED(folderView.get()->get_Application(application.put())) || !application ||
        FAILED(application.get()->QueryInterface(__uuidof(IShellDispatch2), shell.put().as_void())))
        return {};
    return shell;
}

bool ShellExecuteFromDesktop(const wchar_t* file, const wchar_t* verb, int show) {
    if (!Automation().Usable()) return false;
    UniqueCom<IShellDispatch2> shell = DesktopShellDispatch();
    if (!shell) return false;
    UniqueBSTR fileText(Automation().SysAllocString(file));
    UniqueBSTR verbText(Automation().SysAllocString(verb));
    if (!fileText || !verbText) return false;
    VARIANT none{};
    // The shell's answer decides nothing: it was reached, so this process starts nothing.
    (void)shell.get()->ShellExecute(fileText.get(), none, none, TextVariant(verbText.get()),
                                    IntegerVariant(show));
    return true;
}

} // namespace plaxor
