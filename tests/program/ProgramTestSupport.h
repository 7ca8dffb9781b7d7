#pragma once
// Shared pieces of the program tests: the AutoRun key in the test prefix's real registry, a
// recording message box and web-site opener, the real main window, and real input through
// the X server (SendInput).
#include "app/Kelt.h"
#include "app/WebSite.h"
#include "framework/Application.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/SpeedButton.h"
#include "gdiplus/GdiplusSession.h"
#include "glowbutton/AdvGlowButton.h"
#include "policy/AutoRunPolicy.h"
#include "tests/support/AutoRunKey.h"
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plaxor::testing {

// The key's default value as text ("" when missing or not a string); exists tells whether
// the key is there.
inline std::wstring AutoRunDefault(bool* exists = nullptr) {
    UniqueHKEY key;
    const bool open =
        ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAutoRunKey, 0, KEY_READ, key.put()) == ERROR_SUCCESS;
    if (exists) *exists = open;
    if (!open) return {};
    wchar_t text[64] = {};
    DWORD size = sizeof text - sizeof(wchar_t), type = 0;
    const LSTATUS read = ::RegQueryValueExW(key.get(), nullptr, nullptr, &type,
                                            reinterpret_cast<BYTE*>(text), &size);
    return read == ERROR_SUCCESS && type == REG_SZ ? std::wstring(text) : std::wstring();
}

struct ShownBox {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT flags;
};

// Remembers each request to open the site instead of opening it.
class RecordingOpener : public IWebSiteOpener {
public:
    void Open(HWND owner) override {
        owners.push_back(owner);
        if (fail) fail();
    }
    std::vector<HWND> owners;
    std::function<void()> fail;
};

// Real input, as a person gives it: the pointer moved and clicked, keys pressed and released.
inline void MovePointerTo(POINT screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((screen.x * 65535) / (::GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>((screen.y * 65535) / (::GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
}
inline void PressLeftButton(bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input, sizeof input);
}
inline void Key(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    ::SendInput(1, &input, sizeof input);
}
// Alt held while the letter is typed: WM_SYSCHAR for the letter.
inline void AltKey(wchar_t letter) {
    Key(VK_MENU, true);
    Key(static_cast<WORD>(letter), true);
    Key(static_cast<WORD>(letter), false);
    Key(VK_MENU, false);
}

// GDI+ for each test, an application, a recording message box and the real main window made
// from the embedded layout. The registry is the test prefix's real one unless a test gives
// another before MakeForm.
class KeltTest : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveAutoRunKey();
        gdiplus_ = std::make_unique<GdiplusSession>();
        app_ = std::make_unique<TApplication>();
        app = app_.get();
        previousBox_ = TApplication::SetMessageBoxFunction(
            [this](HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
                boxes.push_back({owner, text, caption, flags});
                return IDOK;
            });
        opener = std::make_shared<RecordingOpener>();
    }
    void TearDown() override {
        app_.reset();
        form = nullptr;
        gdiplus_.reset();
        TApplication::SetMessageBoxFunction(previousBox_);
        RemoveAutoRunKey();
    }

    // The main window as the program makes it: owned by the application, the first form.
    Tkelt* MakeForm() {
        TKeltServices services;
        services.registry = registry;
        services.webSite = opener;
        form = new Tkelt(app, services);
        return form;
    }
    // Made, shown (FormShow runs first) and in the foreground, with its first paint done.
    Tkelt* ShowForm() {
        if (!form) MakeForm();
        form->Show();
        ::SetForegroundWindow(form->Handle());
        Settle();
        return form;
    }

    // Pumps until done() holds or about three seconds passed (input from the X server arrives
    // asynchronously). Returns done().
    bool PumpUntil(const std::function<bool()>& done) {
        const DWORD start = ::GetTickCount();
        while (!done()) {
            if (::GetTickCount() - start > 3000) return done();
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            app->ProcessMessages();
        }
        return true;
    }
    void Settle() {
        for (int i = 0; i < 5; ++i) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            app->ProcessMessages();
        }
    }

    // A real click in the middle of a control: press, then release once the press arrived.
    void ClickOn(TControl& control) {
        const POINT centre = control.ClientToScreen({control.Width() / 2, control.Height() / 2});
        MovePointerTo(centre);
        Settle();
        PressLeftButton(true);
        Settle();
        PressLeftButton(false);
        Settle();
    }

    TApplication* app = nullptr;
    Tkelt* form = nullptr;
    IRegistryBackend* registry = nullptr; // null: the Windows registry
    std::shared_ptr<RecordingOpener> opener;
    std::vector<ShownBox> boxes;

private:
    std::unique_ptr<GdiplusSession> gdiplus_;
    std::unique_ptr<TApplication> app_;
    TMessageBoxFunction previousBox_;
};

} // namespace plaxor::testing
