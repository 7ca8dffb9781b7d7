// The baseline of the start-up benchmark: the least a Win32 program does to show a window like
// Plaxor's (same frame style, same 409 x 232 client area, centred, button-face background,
// a line of Tahoma text and a framed box) and nothing else; a click in the box switches the
// text between "Enabled" and "Disabled". The watchers see its first paint and its repaint
// after a click from outside, exactly as they see Plaxor's.
#include <windows.h>

namespace {

constexpr wchar_t kTitle[] = L"Plaxor bench: minimal window";
HFONT font = nullptr;
bool disabled = false;
const RECT box{234, 183, 334, 224};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(window, &ps);
        HGDIOBJ old = ::SelectObject(dc, font);
        ::SetBkMode(dc, TRANSPARENT);
        RECT text{0, 79, 409, 92};
        ::DrawTextW(dc, disabled ? L"Disabled" : L"Enabled", -1, &text, DT_CENTER | DT_SINGLELINE);
        ::FrameRect(dc, &box, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::SelectObject(dc, old);
        ::EndPaint(window, &ps);
        return 0;
    }
    case WM_LBUTTONUP: {
        // A click in the box switches the word, as Plaxor's buttons switch its status.
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (::PtInRect(&box, at)) {
            disabled = !disabled;
            ::InvalidateRect(window, nullptr, TRUE);
        }
        return 0;
    }
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    default: return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    font = ::CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"PlaxorBenchMinimalWindow";
    if (!::RegisterClassExW(&wc)) return 1;

    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, 409, 232};
    ::AdjustWindowRectEx(&frame, style, FALSE, 0);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    HWND window = ::CreateWindowExW(0, wc.lpszClassName, kTitle, style, x, y, width, height,
                                    nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ::ShowWindow(window, show);
    ::UpdateWindow(window);

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::DeleteObject(font);
    return 0;
}
