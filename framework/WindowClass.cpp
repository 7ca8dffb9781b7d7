#include "WindowClass.h"

namespace plaxor {

bool EnsureWindowClass(const wchar_t* name, WNDPROC procedure, UINT style, HCURSOR cursor) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExW(instance, name, &existing)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.lpszClassName = name;
    return ::RegisterClassExW(&wc) != 0;
}

} // namespace plaxor
