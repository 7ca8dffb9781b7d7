#pragma once
// The application object: the message loop, the forms it owns, the error display, the hint
// display and the program's title and icon.
#include "Component.h"
#include "UniqueHandle.h"
#include <exception>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <type_traits>

namespace plaxor {

class TControl;
class TForm;
class THintDisplay;

// Shows a message box and returns the button chosen; ::MessageBoxW unless a test replaces it.
using TMessageBoxFunction = std::function<int(HWND owner, const std::wstring& text,
                                              const std::wstring& caption, UINT flags)>;

// The title a program takes from its executable: the file name without its directory, cut
// before the first dot, every character after the first in lower case ("PLAXOR.EXE" gives
// "Plaxor", "my.tool.exe" gives "my").
std::wstring TitleFromFileName(const std::wstring& path);

// What the error display shows for an error: its message, or the innermost wrapped error's
// message when that is not empty, with a "." appended when the last character's code is
// above U+002E.
std::wstring ErrorDisplayText(const std::exception& error);

// The last resort for an error that escapes the main sequence: a task-modal "Application
// Error" box, "Exception <class> in module <module> at <address>.\n<message>". Returns the
// process exit code, 1.
int ShowLastResortError(const std::exception& error);

class TApplication : public TComponent {
public:
    // Raises EInvalidOperation when another application object exists.
    TApplication();
    ~TApplication() override;
    std::wstring ClassName() const override { return L"TApplication"; }

    // One application per process. Window procedures and timers reach it here: an error
    // caught at the boundary to Windows has no other way to the error display.
    static TApplication* Current() noexcept { return current_; }

    const std::wstring& Title() const noexcept { return title_; }
    void SetTitle(const std::wstring& value) { title_ = value; }
    // The hidden application window: a tool window with empty text, never activated.
    HWND Handle() const noexcept { return window_.get(); }
    // MAINICON of the executable (large and small), or null when it has none.
    HICON Icon() const noexcept { return icon_.get(); }
    HICON SmallIcon() const noexcept { return smallIcon_.get(); }

    // The first form created with CreateForm.
    TForm* MainForm() const noexcept { return mainForm_; }

    // Initialises COM for this thread as a single-threaded apartment (undone at the end).
    void Initialize();

    // Creates a form owned by the application. variable points at the form's storage before
    // T's constructor runs (so code run by the constructor sees it) and is null again if the
    // constructor fails. The first form becomes the main form and gets its window at once.
    template <typename T> void CreateForm(T*& variable) {
        static_assert(std::is_base_of_v<TForm, T>, "CreateForm makes forms");
        static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
        void* memory = ::operator new(sizeof(T));
        variable = static_cast<T*>(memory);
        T* form = nullptr;
        try {
            form = ::new (memory) T(this);
        } catch (...) {
            variable = nullptr;
            ::operator delete(memory);
            throw;
        }
        variable = form;
        FormCreated(form);
    }

    // Shows the main form with the start-up show command and runs the message loop until
    // Terminate.
    void Run(int showCommand = SW_SHOWNORMAL);
    // Handles every message waiting now.
    void ProcessMessages();
    // Ends the message loop (a quit message is posted).
    void Terminate();
    bool Terminated() const noexcept { return terminated_; }

    // The error display: cancels any mouse capture, ignores EAbort, else shows the error's
    // text (ErrorDisplayText) in an error box owned by the active window, with the other
    // windows disabled while it is open.
    void HandleException(const std::exception& error);
    // For a catch (...) block: hands the error being handled to the error display; never
    // throws.
    static void HandleCurrentException() noexcept;

    // Replaces the message box (tests); an empty function restores ::MessageBoxW. Returns the
    // previous one.
    static TMessageBoxFunction SetMessageBoxFunction(TMessageBoxFunction function);
    static int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                              UINT flags);

    // Tooltips for controls with ShowHint and a hint.
    bool ShowHint() const noexcept { return showHint_; }
    void SetShowHint(bool value);
    // How long the pointer rests on a control before its hint shows.
    void SetHintPause(int milliseconds);
    // The one tooltip window of the application.
    HWND HintWindow() const noexcept;
    // Adds, updates or removes the control's tooltip after its hint, visibility, position or
    // window changed.
    void UpdateHint(TControl& control);
    void RemoveHint(TControl& control) noexcept;

private:
    friend class TForm;
    void FormCreated(TForm* form);
    void FormDestroyed(TForm* form) noexcept;
    void ProcessMessage(MSG& msg);
    void ShowErrorMessage(const std::wstring& text);

    static inline TApplication* current_ = nullptr;

    std::wstring title_;
    UniqueHWND window_;
    UniqueHICON icon_, smallIcon_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool oleInitialized_ = false;
    bool comInitialized_ = false;
    bool showHint_ = true;
    int hintPause_ = 500;
    std::unique_ptr<THintDisplay> hints_;
};

} // namespace plaxor
