#include "WebSite.h"
#include "DesktopShell.h"
#include <shellapi.h>

namespace plaxor {

ShellWebSiteOpener::ShellWebSiteOpener(DesktopShellExecuteFunction desktopShellExecute,
                                       ShellExecuteFunction shellExecute)
    : desktopShellExecute_(std::move(desktopShellExecute)), shellExecute_(std::move(shellExecute)) {
    if (!desktopShellExecute_) desktopShellExecute_ = &ShellExecuteFromDesktop;
    if (!shellExecute_) shellExecute_ = &::ShellExecuteW;
}

void ShellWebSiteOpener::Open(HWND owner) {
    // Only this fixed address ever reaches the shell: the program runs elevated.
    const std::wstring address(kWebSiteAddress);
    if (desktopShellExecute_(address.c_str(), L"open", SW_SHOWNORMAL)) return;
    shellExecute_(owner, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace plaxor
