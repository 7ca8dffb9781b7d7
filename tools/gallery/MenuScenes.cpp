#include "MenuScenes.h"
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/PopupMenu.h"
#include "framework/Timer.h"
#include "glowbutton/AdvGlowButton.h"
#include <algorithm>
#include <functional>
#include <memory>
#include <string>

namespace plaxor::gallery {
namespace {

enum class OpenBy { mouse, keyboard };

struct Variant {
    std::wstring label;
    bool dropDownButton;
    bool split;
    TDropDownPosition position;
    TDropDownDirection direction;
    OpenBy by;
    int width, height;
};

TMenuItem* Item(TMenuItem& parent, const std::wstring& caption, int image = -1) {
    auto* item = new TMenuItem(nullptr); // the menu frees its items
    item->SetCaption(caption);
    item->SetImageIndex(image);
    parent.Add(item);
    return item;
}

// The whole window (frame included) as it is on the screen now.
std::unique_ptr<TBitmap> Capture(HWND window) {
    ::UpdateWindow(window);
    RECT r{};
    ::GetWindowRect(window, &r);
    auto image = std::make_unique<TBitmap>(r.right - r.left, r.bottom - r.top);
    HDC target = image->Canvas().Handle();
    // Frame included, so not WindowDC (a client-area DC); released before anything can throw.
    HDC dc = ::GetWindowDC(window);
    ::BitBlt(target, 0, 0, r.right - r.left, r.bottom - r.top, dc, 0, 0, SRCCOPY);
    ::ReleaseDC(window, dc);
    return image;
}

class Scenes {
public:
    Scenes(Sheet& sheet, TApplication& app, TForm& form, TImageList& images)
        : sheet_(sheet), app_(app), form_(form) {
        menu_ = new TPopupMenu(&form_);
        menu_->SetImages(&images);
        Item(*menu_->Items(), L"&Open", 0);
        Item(*menu_->Items(), L"&Save")->SetChecked(true);
        TMenuItem* recent = Item(*menu_->Items(), L"&Recent");
        Item(*recent, L"first.txt");
        Item(*menu_->Items(), L"-");
        Item(*menu_->Items(), L"&Print")->SetEnabled(false);
        Item(*menu_->Items(), L"E&xit");
    }
    ~Scenes() { delete menu_; }
    Scenes(const Scenes&) = delete;
    Scenes& operator=(const Scenes&) = delete;

    void Show(const Variant& v) {
        auto* b = new TAdvGlowButton(&form_);
        b->SetBounds(20, 20, v.width, v.height);
        b->SetCaption(L"&Menu");
        b->SetDropDownButton(v.dropDownButton);
        b->SetDropDownSplit(v.split);
        b->SetDropDownPosition(v.position);
        b->SetDropDownDirection(v.direction);
        b->SetDropDownMenu(menu_);
        b->SetParent(&form_);
        app_.ProcessMessages();

        // Captured from inside the menu's own loop: a tick posted as the menu opens.
        std::unique_ptr<TBitmap> face, menuImage;
        RECT menuRect{};
        TTimer tick(nullptr);
        tick.SetInterval(600000);
        tick.OnTimer = [&](TObject*) {
            tick.SetEnabled(false);
            if (HWND window = ::FindWindowW(L"#32768", nullptr)) {
                ::GetWindowRect(window, &menuRect);
                menuImage = Capture(window);
            }
            face = std::make_unique<TBitmap>(b->Width(), b->Height());
            b->Perform(WM_PAINT, reinterpret_cast<WPARAM>(face->Canvas().Handle()), 0);
            ::EndMenu();
        };
        menu_->OnPopup = [&](TObject*) {
            ::PostMessageW(tick.Handle(), WM_TIMER, TTimer::TimerId, 0);
        };
        const POINT anchor = b->DropDownAnchor();
        const POINT origin = b->ClientToScreen({0, 0});
        if (v.by == OpenBy::mouse) {
            b->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(b));
            const int x = v.position == dpRight ? v.width - 5 : v.width / 2;
            const int y = v.position == dpRight ? v.height / 2 : v.height - 5;
            b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        } else {
            b->Perform(WM_KEYDOWN, VK_F4, 0);
        }
        menu_->OnPopup = nullptr;
        app_.ProcessMessages();
        if (face && menuImage) Compose(v.label, *face, *menuImage, origin, menuRect, anchor);
        delete b;
    }

private:
    // The button at (16, 16), the menu where it opened relative to the button, the anchor.
    void Compose(const std::wstring& label, TBitmap& face, TBitmap& menuImage, POINT origin,
                 RECT menuRect, POINT anchor) {
        constexpr int pad = 16;
        const int mx = pad + menuRect.left - origin.x, my = pad + menuRect.top - origin.y;
        const int width = std::max(pad + face.Width(), mx + menuImage.Width()) + pad;
        const int height = std::max(pad + face.Height(), my + menuImage.Height()) + pad;
        TBitmap scene(width, height);
        TCanvas& c = scene.Canvas();
        c.Brush().SetColor(Sheet::Background);
        c.FillRect({0, 0, width, height});
        ::BitBlt(c.Handle(), pad, pad, face.Width(), face.Height(), face.Canvas().Handle(), 0, 0,
                 SRCCOPY);
        ::BitBlt(c.Handle(), mx, my, menuImage.Width(), menuImage.Height(),
                 menuImage.Canvas().Handle(), 0, 0, SRCCOPY);
        // The anchor: a red cross over the point the button asked the menu to open at.
        const int ax = pad + anchor.x - origin.x, ay = pad + anchor.y - origin.y;
        for (int d = -5; d <= 5; ++d) {
            c.SetPixel(ax + d, ay, clRed);
            c.SetPixel(ax, ay + d, clRed);
        }
        sheet_.Put(sheet_.Cell(label, width, height), scene);
    }

    Sheet& sheet_;
    TApplication& app_;
    TForm& form_;
    TPopupMenu* menu_ = nullptr;
};

} // namespace

void MenuScenes(Sheet& sheet, TApplication& app, TForm& form, TImageList& images) {
    sheet.Section(L"Drop-down menus open: the button while its menu is open (hovered from the "
                  L"mouse, pressed from the keyboard) and the menu at its anchor (red cross)");
    Scenes scenes(sheet, app, form, images);
    const Variant variants[] = {
        {L"split, dpRight, ddDown: press on the arrow", true, true, dpRight, ddDown, OpenBy::mouse,
         100, 41},
        {L"split, dpRight, ddRight: press on the arrow", true, true, dpRight, ddRight,
         OpenBy::mouse, 100, 41},
        {L"split, dpBottom, ddDown", true, true, dpBottom, ddDown, OpenBy::mouse, 70, 60},
        {L"split, dpBottom, ddRight", true, true, dpBottom, ddRight, OpenBy::mouse, 70, 60},
        {L"not split: any press", true, false, dpRight, ddDown, OpenBy::mouse, 100, 41},
        {L"F4: face pressed while open", true, true, dpRight, ddDown, OpenBy::keyboard, 100, 41},
        {L"no drop-down part, F4, ddRight", false, true, dpRight, ddRight, OpenBy::keyboard, 100,
         41},
    };
    for (const Variant& v : variants)
        scenes.Show(v);
}

} // namespace plaxor::gallery
