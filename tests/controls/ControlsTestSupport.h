#pragma once
// Shared pieces of the window tests: an application per test with a recording message box,
// probe controls that log what reaches them, and a bounded message pump.
#include "framework/Application.h"
#include "framework/CustomControl.h"
#include "framework/Exception.h"
#include "framework/Form.h"
#include "framework/GraphicControl.h"
#include "tests/framework/DibSurface.h"
#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace plaxor::testing {

struct ShownBox {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT flags;
};

// Logs mouse, click, key and focus events of a control as short words.
template <typename C> void LogEvents(C& control, std::vector<std::wstring>& log) {
    control.OnMouseDown = [&log](TObject*, TMouseButton b, TShiftState s, int x, int y) {
        log.push_back(L"down" + std::to_wstring(b) + L"@" + std::to_wstring(x) + L"," +
                      std::to_wstring(y) + (s.Contains(ssDouble) ? L"+double" : L""));
    };
    control.OnMouseUp = [&log](TObject*, TMouseButton b, TShiftState, int x, int y) {
        log.push_back(L"up" + std::to_wstring(b) + L"@" + std::to_wstring(x) + L"," +
                      std::to_wstring(y));
    };
    control.OnClick = [&log](TObject*) { log.push_back(L"click"); };
    control.OnDblClick = [&log](TObject*) { log.push_back(L"dblclick"); };
}

// A windowed control whose messages can be answered by the test; everything else takes the
// framework's way.
class ProbeControl : public TCustomControl {
public:
    explicit ProbeControl(TComponent* owner) : TCustomControl(owner) {}
    std::wstring ClassName() const override { return L"TProbeControl"; }

    void WindowProc(TMessage& message) override {
        if (message.Msg >= CM_BASE && message.Msg < CN_BASE + 0x400) received.push_back(message);
        if (auto it = handlers.find(message.Msg); it != handlers.end()) {
            it->second(message);
            return;
        }
        TCustomControl::WindowProc(message);
    }
    // The framework's release handling, for handlers that run it themselves.
    void RunRelease(TMessage& message) { ReleaseLeftButton(message); }
    void PassOn(TMessage& message) { TCustomControl::WindowProc(message); }
    int Count(UINT msg) const {
        int n = 0;
        for (const TMessage& m : received)
            if (m.Msg == msg) ++n;
        return n;
    }

    std::map<UINT, std::function<void(TMessage&)>> handlers;
    std::vector<TMessage> received;
    std::function<void(TCanvas&)> paint;
    int paints = 0;

protected:
    void PaintControl() override {
        ++paints;
        if (paint) paint(Canvas());
    }
};

// A non-windowed control that fills itself with one colour.
class ProbeGraphic : public TGraphicControl {
public:
    explicit ProbeGraphic(TComponent* owner) : TGraphicControl(owner) {}
    std::wstring ClassName() const override { return L"TProbeGraphic"; }
    void WindowProc(TMessage& message) override {
        if (message.Msg >= CM_BASE && message.Msg < CN_BASE + 0x400) received.push_back(message);
        TGraphicControl::WindowProc(message);
    }
    int Count(UINT msg) const {
        int n = 0;
        for (const TMessage& m : received)
            if (m.Msg == msg) ++n;
        return n;
    }
    TColor fill = clRed;
    std::vector<TMessage> received;

protected:
    void Paint() override {
        Canvas().Brush().SetColor(fill);
        const RECT r{0, 0, Width(), Height()};
        Canvas().FillRect(r);
    }
};

// What every window test has: a recording message box, helpers to make controls and a
// bounded message pump.
class WindowTestBase : public ::testing::Test {
protected:
    void InstallMessageBox() {
        previousBox_ = TApplication::SetMessageBoxFunction(
            [this](HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
                boxes.push_back({owner, text, caption, flags});
                if (onBox) onBox();
                return IDOK;
            });
    }
    void RestoreMessageBox() { TApplication::SetMessageBoxFunction(previousBox_); }
    // A quit message left by a test that ended an application would end the next one.
    static void DropQuitMessage() {
        MSG quit{};
        while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    // A form owned by the application, placed near the top left of the screen.
    TForm* NewForm(int clientWidth = 300, int clientHeight = 200) {
        auto* form = new TForm(app);
        form->SetBorderStyle(bsSingle);
        form->SetClientWidth(clientWidth);
        form->SetClientHeight(clientHeight);
        form->SetLeft(20);
        form->SetTop(20);
        return form;
    }
    template <typename T = ProbeControl>
    T* NewControl(TWinControl* parent, int left, int top, int width, int height) {
        TComponent* owner = parent->GetParentForm();
        auto* control = new T(owner ? owner : parent);
        control->SetBounds(left, top, width, height);
        control->SetParent(parent);
        return control;
    }

    void Pump() { app->ProcessMessages(); }
    // Pumps until done() holds or about two seconds passed (input from the X server arrives
    // asynchronously). Returns done().
    bool PumpUntil(const std::function<bool()>& done) {
        const DWORD start = ::GetTickCount();
        while (!done()) {
            if (::GetTickCount() - start > 2000) return done();
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            app->ProcessMessages();
        }
        return true;
    }
    // Lets queued input and paint messages through (bounded).
    void Settle() {
        for (int i = 0; i < 5; ++i) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            app->ProcessMessages();
        }
    }

    TApplication* app = nullptr;
    std::vector<ShownBox> boxes;
    std::function<void()> onBox;

private:
    TMessageBoxFunction previousBox_;
};

// A fresh application for each test.
class WindowTest : public WindowTestBase {
protected:
    void SetUp() override {
        DropQuitMessage();
        owned_ = std::make_unique<TApplication>();
        app = owned_.get();
        InstallMessageBox();
    }
    void TearDown() override {
        owned_.reset();
        DropQuitMessage();
        app = nullptr;
        RestoreMessageBox();
    }
    TForm* ShownForm(int clientWidth = 300, int clientHeight = 200) {
        TForm* form = NewForm(clientWidth, clientHeight);
        form->Show();
        ::SetForegroundWindow(form->Handle());
        Pump();
        return form;
    }

private:
    std::unique_ptr<TApplication> owned_;
};

// One application and one shown form for a whole suite, emptied after each test: under Wine
// without a window manager, destroying a visible top-level window waits about two seconds.
class SharedFormTest : public WindowTestBase {
protected:
    static void SetUpTestSuite() {
        sharedApp_ = new TApplication();
        sharedForm_ = new TForm(sharedApp_);
        sharedForm_->SetBorderStyle(bsSingle);
        sharedForm_->SetClientWidth(300);
        sharedForm_->SetClientHeight(200);
        sharedForm_->SetLeft(20);
        sharedForm_->SetTop(20);
        sharedForm_->Show();
    }
    static void TearDownTestSuite() {
        delete sharedApp_;
        sharedApp_ = nullptr;
        sharedForm_ = nullptr;
    }
    void SetUp() override {
        DropQuitMessage();
        app = sharedApp_;
        form = sharedForm_;
        InstallMessageBox();
        ::SetForegroundWindow(form->Handle());
        ::SetFocus(form->Handle());
        Pump();
    }
    void TearDown() override {
        for (TComponent* c : std::vector<TComponent*>(form->Components()))
            delete c;
        form->OnShow = nullptr;
        ::SetFocus(form->Handle());
        Pump();
        RestoreMessageBox();
    }

    TForm* form = nullptr;

private:
    static inline TApplication* sharedApp_ = nullptr;
    static inline TForm* sharedForm_ = nullptr;
};

// A 32-bit DIB surface with its own memory DC, read back as COLORREF, filled with a colour
// no control paints (RGB 12 34 56).
class Dib : public test::DibSurface {
public:
    Dib(int width, int height) : DibSurface(width, height, RGB(0x12, 0x34, 0x56)) {}
};

inline LPARAM Point(int x, int y) {
    return MAKELPARAM(x, y);
}

} // namespace plaxor::testing
