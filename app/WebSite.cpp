#include "WebSite.h"
#include <shellapi.h>

namespace plaxor {

ShellWebSiteOpener::ShellWebSiteOpener(ShellExecuteFunction shellExecute)
    : shellExecute_(std::move(shellExecute)) {
    if (!shellExecute_) shellExecute_ = &::ShellExecuteW;
}

void ShellWebSiteOpener::Open(HWND owner) {
    // Only this fixed address ever reaches the shell: the program runs elevated.
    const std::wstring address(kWebSiteAddress);
    shellExecute_(owner, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace plaxor
