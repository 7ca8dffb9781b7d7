#include "ButtonTestSupport.h"
#include "tests/support/GdiplusEnvironment.h"

namespace plaxor::testing {

namespace {
std::wstring Position(int x, int y) {
    return std::to_wstring(x) + L"," + std::to_wstring(y);
}
} // namespace

void LogButtonEvents(TAdvCustomGlowButton& button, std::vector<std::wstring>& log) {
    button.OnMouseDown = [&log](TObject*, TMouseButton b, TShiftState, int x, int y) {
        log.push_back(L"down" + std::to_wstring(b) + L"@" + Position(x, y));
    };
    button.OnMouseUp = [&log](TObject*, TMouseButton b, TShiftState, int x, int y) {
        log.push_back(L"up" + std::to_wstring(b) + L"@" + Position(x, y));
    };
    button.OnClick = [&log](TObject*) { log.push_back(L"click"); };
    button.OnKeyDown = [&log](TObject*, WORD& key, TShiftState) {
        log.push_back(L"keydown " + std::to_wstring(key));
    };
    button.OnKeyUp = [&log](TObject*, WORD& key, TShiftState) {
        log.push_back(L"keyup " + std::to_wstring(key));
    };
    button.OnKeyPress = [&log](TObject*, wchar_t& key) {
        log.push_back(L"keypress " + std::to_wstring(key));
    };
}

void FinishFade(const TAdvCustomGlowButton& button) {
    // A fade takes six ticks; a few more show a fade that never ends.
    for (int i = 0; i < 10 && button.Snapshot().fadeTimer; ++i)
        Tick(button.Snapshot().fadeTimer);
    EXPECT_EQ(button.Snapshot().fadeTimer, nullptr) << "the fade did not end";
}

void Hover(TAdvCustomGlowButton& button, int x, int y) {
    button.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    FinishFade(button);
}

void HoldDown(TAdvCustomGlowButton& button, int x, int y) {
    button.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    FinishFade(button);
}

void ButtonFormTest::SetUpTestSuite() {
    sharedApp_ = new TApplication();
    sharedForm_ = new TForm(sharedApp_);
    sharedForm_->SetBorderStyle(bsSingle);
    sharedForm_->SetClientWidth(300);
    sharedForm_->SetClientHeight(200);
    sharedForm_->SetLeft(20);
    sharedForm_->SetTop(20);
    sharedForm_->Show();
}

void ButtonFormTest::TearDownTestSuite() {
    delete sharedApp_;
    sharedApp_ = nullptr;
    sharedForm_ = nullptr;
}

void ButtonFormTest::SetUp() {
    app = sharedApp_;
    form = sharedForm_;
    form->SetModalResult(0);
    // The release looks where the real pointer is: keep it off the buttons the tests make.
    const POINT corner = form->ClientToScreen({295, 195});
    ::SetCursorPos(corner.x, corner.y);
    ::SetForegroundWindow(form->Handle());
    ::SetFocus(form->Handle());
    Pump();
}

void ButtonFormTest::TearDown() {
    BYTE state[256] = {};
    ::SetKeyboardState(state);
    for (TComponent* c : std::vector<TComponent*>(form->Components()))
        delete c;
    ::SetFocus(form->Handle());
    Pump();
}

bool ButtonFormTest::TakeInvalidation(TWinControl& c) {
    const bool invalid = ::GetUpdateRect(c.Handle(), nullptr, FALSE) != FALSE;
    ::ValidateRect(c.Handle(), nullptr);
    return invalid;
}

void ButtonFormTest::MoveTo(TControl& control, int x, int y) {
    const POINT p = control.ClientToScreen({x, y});
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((p.x * 65535) / (::GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>((p.y * 65535) / (::GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
}

void ButtonFormTest::MouseButton(DWORD flag) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    ::SendInput(1, &input, sizeof input);
}

void ButtonFormTest::Keys(std::initializer_list<std::pair<WORD, bool>> strokes) {
    std::vector<INPUT> input;
    for (const auto& [key, up] : strokes) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = key;
        i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        input.push_back(i);
    }
    ::SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

bool ButtonFormTest::PumpUntil(const std::function<bool()>& done) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > 2000) return done();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        app->ProcessMessages();
    }
    return true;
}

void ButtonFormTest::Settle() {
    for (int i = 0; i < 5; ++i) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        app->ProcessMessages();
    }
}

} // namespace plaxor::testing
