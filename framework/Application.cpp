#include "Application.h"
#include "ComInit.h"
#include "Exception.h"
#include "Form.h"
#include "HintDisplay.h"
#include "Text.h"
#include "WindowClass.h"
#include <commctrl.h>
#include <cstdio>
#include <typeinfo>
#include <vector>
#if defined(__GNUG__)
#include <cxxabi.h>
#include <cstdlib>
#elif defined(_MSC_VER)
#include <intrin.h>
#endif

namespace plaxor {

namespace {

// How long a hint stays up.
constexpr int kHintHidePause = 2500;

TMessageBoxFunction& MessageBoxHook() {
    static TMessageBoxFunction hook;
    return hook;
}

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring FileName(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring ExceptionClassName(const std::exception& error) {
    if (auto* ours = dynamic_cast<const Exception*>(&error)) return ours->ClassName();
    const char* mangled = typeid(error).name();
#if defined(__GNUG__)
    int status = 0;
    char* plain = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    if (status == 0 && plain) {
        std::wstring name = FromAnsi(plain);
        std::free(plain);
        return name;
    }
    std::free(plain);
#endif
    return FromAnsi(mangled);
}

// Disables the thread's visible windows but the box's owner while a modal box is open, and puts
// back the enabled state, the active window and the focus afterwards. The owner is left to the
// box: it disables and re-enables its owner itself, before it goes, so that Windows hands the
// activation back to the owner. An owner still disabled when the box goes makes Windows
// activate another program's window, and a later SetActiveWindow cannot bring a background
// program forward again.
class TaskWindowsDisabled {
public:
    explicit TaskWindowsDisabled(HWND owner)
        : owner_(owner), active_(::GetActiveWindow()), focus_(::GetFocus()) {
        ::EnumThreadWindows(::GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(this));
        for (HWND wnd : disabled_)
            ::EnableWindow(wnd, FALSE);
    }
    ~TaskWindowsDisabled() {
        for (auto it = disabled_.rbegin(); it != disabled_.rend(); ++it)
            if (::IsWindow(*it)) ::EnableWindow(*it, TRUE);
        if (active_ && ::IsWindow(active_)) ::SetActiveWindow(active_);
        if (focus_ && ::IsWindow(focus_)) ::SetFocus(focus_);
    }
    TaskWindowsDisabled(const TaskWindowsDisabled&) = delete;
    TaskWindowsDisabled& operator=(const TaskWindowsDisabled&) = delete;

private:
    static BOOL CALLBACK Collect(HWND wnd, LPARAM param) {
        auto* self = reinterpret_cast<TaskWindowsDisabled*>(param);
        if (wnd != self->owner_ && ::IsWindowVisible(wnd) && ::IsWindowEnabled(wnd))
            self->disabled_.push_back(wnd);
        return TRUE;
    }
    HWND owner_;
    HWND active_;
    HWND focus_;
    std::vector<HWND> disabled_;
};

LRESULT CALLBACK HiddenWindowProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    return ::DefWindowProcW(wnd, msg, wparam, lparam);
}

HWND CreateHiddenWindow() {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    static const wchar_t className[] = L"TApplication";
    if (!EnsureWindowClass(className, &HiddenWindowProc)) return nullptr;
    return ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, className, L"", WS_POPUP, 0, 0, 0,
                             0, nullptr, nullptr, instance, nullptr);
}

HICON LoadMainIcon(int sizeMetricX, int sizeMetricY) {
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                                           ::GetSystemMetrics(sizeMetricX),
                                           ::GetSystemMetrics(sizeMetricY), 0));
}

} // namespace

std::wstring TitleFromFileName(const std::wstring& path) {
    std::wstring name = FileName(path);
    const std::size_t dot = name.find(L'.');
    if (dot != std::wstring::npos) name.resize(dot);
    if (name.size() > 1) ::CharLowerBuffW(&name[1], static_cast<DWORD>(name.size() - 1));
    return name;
}

std::wstring ErrorDisplayText(const std::exception& error) {
    std::wstring text;
    if (auto* ours = dynamic_cast<const Exception*>(&error)) {
        text = ours->InnermostMessage();
    } else {
        text = FromAnsi(error.what());
    }
    if (!text.empty() && text.back() > L'.') text += L'.';
    return text;
}

int ShowLastResortError(const std::exception& error) {
#if defined(_MSC_VER)
    const void* address = _ReturnAddress();
#else
    const void* address = __builtin_return_address(0);
#endif
    wchar_t at[32];
    std::swprintf(at, std::size(at), L"%016llX",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(address)));
    std::wstring message;
    if (auto* ours = dynamic_cast<const Exception*>(&error))
        message = ours->Message();
    else
        message = FromAnsi(error.what());
    const std::wstring text = L"Exception " + ExceptionClassName(error) + L" in module " +
                              FileName(ModulePath()) + L" at " + at + L".\n" + message;
    TApplication::ShowMessageBox(nullptr, text, L"Application Error",
                                 MB_OK | MB_ICONERROR | MB_TASKMODAL);
    return 1;
}

// ---- the application object ----

TApplication::TApplication() : TComponent(nullptr) {
    if (current_) throw EInvalidOperation(L"The application object exists already");
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    oleInitialized_ = InitializeOle();
    title_ = TitleFromFileName(ModulePath());
    window_.reset(CreateHiddenWindow());
    icon_.reset(LoadMainIcon(SM_CXICON, SM_CYICON));
    smallIcon_.reset(LoadMainIcon(SM_CXSMICON, SM_CYSMICON));
    hints_ = std::make_unique<THintDisplay>(window_.get());
    hints_->SetDelays(hintPause_, kHintHidePause);
    current_ = this;
}

TApplication::~TApplication() {
    // The forms go first, while the application still answers their questions.
    FreeOwnedComponents();
    mainForm_ = nullptr;
    hints_.reset();
    window_.reset();
    if (comInitialized_) UninitializeComApartment();
    if (oleInitialized_) UninitializeOle();
    current_ = nullptr;
}

void TApplication::Initialize() {
    if (!comInitialized_) comInitialized_ = InitializeComApartment();
}

void TApplication::FormCreated(TForm* form) {
    if (mainForm_) return;
    mainForm_ = form;
    form->Handle();
}

void TApplication::FormDestroyed(TForm* form) noexcept {
    if (mainForm_ == form) mainForm_ = nullptr;
}

// ---- the message loop ----

void TApplication::Run(int showCommand) {
    if (mainForm_) mainForm_->Show(showCommand);
    while (!terminated_) {
        MSG msg{};
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            terminated_ = true;
            break;
        }
        ProcessMessage(msg);
    }
}

void TApplication::ProcessMessages() {
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            break;
        }
        ProcessMessage(msg);
    }
}

void TApplication::ProcessMessage(MSG& msg) {
    if (msg.message == WM_KEYDOWN) {
        // Dialog keys go to the form before the key is translated, so that a key a control
        // took makes no character as well.
        if (TWinControl* control = TWinControl::FromHandle(msg.hwnd)) {
            bool taken = false;
            try {
                taken = control->OfferDialogKey(msg.wParam, msg.lParam);
            } catch (...) {
                HandleCurrentException();
                taken = true;
            }
            if (taken) return;
        }
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

void TApplication::Terminate() {
    terminated_ = true;
    ::PostQuitMessage(0);
}

// ---- the error display ----

TMessageBoxFunction TApplication::SetMessageBoxFunction(TMessageBoxFunction function) {
    return std::exchange(MessageBoxHook(), std::move(function));
}

int TApplication::ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                                 UINT flags) {
    if (const TMessageBoxFunction& hook = MessageBoxHook())
        return hook(owner, text, caption, flags);
    return ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

void TApplication::HandleException(const std::exception& error) {
    if (HWND captured = ::GetCapture()) ::SendMessageW(captured, WM_CANCELMODE, 0, 0);
    if (dynamic_cast<const EAbort*>(&error)) return;
    ShowErrorMessage(ErrorDisplayText(error));
}

void TApplication::ShowErrorMessage(const std::wstring& text) {
    HWND owner = ::GetActiveWindow();
    if (!owner) owner = window_.get();
    TaskWindowsDisabled disabled(owner);
    ShowMessageBox(owner, text, title_, MB_OK | MB_ICONERROR);
}

void TApplication::HandleCurrentException() noexcept {
    auto show = [](const std::exception& error) {
        if (current_) {
            current_->HandleException(error);
        } else if (!dynamic_cast<const EAbort*>(&error)) {
            ShowMessageBox(::GetActiveWindow(), ErrorDisplayText(error),
                           TitleFromFileName(ModulePath()), MB_OK | MB_ICONERROR);
        }
    };
    try {
        throw;
    } catch (const std::exception& error) {
        try {
            show(error);
        } catch (...) {
        }
    } catch (...) {
        try {
            show(Exception(L"Unknown error"));
        } catch (...) {
        }
    }
}

// ---- hints ----

void TApplication::SetShowHint(bool value) {
    showHint_ = value;
    hints_->SetActive(value);
}

void TApplication::SetHintPause(int milliseconds) {
    hintPause_ = std::max(milliseconds, 0);
    hints_->SetDelays(hintPause_, kHintHidePause);
}

HWND TApplication::HintWindow() const noexcept {
    return hints_ ? hints_->Handle() : nullptr;
}

void TApplication::UpdateHint(TControl& control) {
    if (hints_) hints_->Update(control);
}

void TApplication::RemoveHint(TControl& control) noexcept {
    if (hints_) hints_->Remove(control);
}

} // namespace plaxor
