// A layout that says Visible = True shows its form only once the layout is read and the
// program is back in its message loop: shown while it was read, the form's OnShow ran on
// components that did not exist yet (the main window's handler crashed on its status label).
#include "ControlsTestSupport.h"
#include "framework/Label.h"
#include "framework/LayoutLoader.h"
#include "framework/LayoutText.h"

namespace plaxor::testing {
namespace {

using FormLoadingTest = WindowTest;

const wchar_t* const kVisibleLayout = L"object f: TForm\r\n"
                                      L"  Visible = True\r\n"
                                      L"  object status: TLabel\r\n"
                                      L"  end\r\n"
                                      L"end\r\n";

TEST_F(FormLoadingTest, AVisibleFormIsShownFromTheMessageLoopOnceItsLayoutIsRead) {
    auto* form = new TForm(app);
    int shows = 0;
    bool labelExisted = false;
    form->OnShow = [&](TObject*) {
        ++shows;
        labelExisted = form->FindComponent(L"status") != nullptr;
    };
    ComponentFactory factory;
    factory.Register<TLabel>(L"TLabel");
    LoadLayout(*form, ReadLayoutText(kVisibleLayout, {}), factory);
    EXPECT_EQ(shows, 0);
    EXPECT_FALSE(::IsWindowVisible(form->Handle()));
    Pump();
    EXPECT_EQ(shows, 1);
    EXPECT_TRUE(labelExisted);
    EXPECT_TRUE(::IsWindowVisible(form->Handle()));
    delete form;
}

TEST_F(FormLoadingTest, AFormFreedBeforeTheMessageLoopIsNeverShown) {
    auto* form = new TForm(app);
    int shows = 0;
    form->OnShow = [&](TObject*) { ++shows; };
    ComponentFactory factory;
    factory.Register<TLabel>(L"TLabel");
    LoadLayout(*form, ReadLayoutText(kVisibleLayout, {}), factory);
    delete form;
    Pump();
    EXPECT_EQ(shows, 0);
}

} // namespace
} // namespace plaxor::testing
