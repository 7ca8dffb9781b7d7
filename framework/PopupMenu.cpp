#include "PopupMenu.h"
#include "Exception.h"
#include "Canvas.h"
#include "ImageList.h"
#include "Properties.h"
#include "UniqueHandle.h"
#include "WindowClass.h"
#include <algorithm>
#include <windows.h>

namespace plaxor {

namespace {

std::uint64_t NextCommand() noexcept {
    // One thread runs every window: no lock needed.
    static std::uint64_t next = 0;
    return ++next;
}

// What a shown menu needs until it closes: the command of each Windows item id (id - 1 is
// the index).
struct MenuBuild {
    const TImageList* images = nullptr;
    std::vector<std::uint64_t> commands;
};

// Appends the visible sub-items of parent to menu; false when none was visible.
bool FillMenu(HMENU menu, const TMenuItem& parent, MenuBuild& build) {
    bool any = false;
    for (int i = 0; i < parent.Count(); ++i) {
        const TMenuItem& item = *parent.Items(i);
        if (!item.Visible()) continue;
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        UniqueHMENU sub;
        if (item.IsLine()) {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
        } else {
            build.commands.push_back(item.Command());
            info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_FTYPE;
            info.fType = MFT_STRING;
            info.wID = static_cast<UINT>(build.commands.size());
            info.dwTypeData = const_cast<wchar_t*>(item.Caption().c_str());
            info.fState = (item.Enabled() ? 0u : static_cast<UINT>(MFS_DISABLED)) |
                          (item.Checked() ? static_cast<UINT>(MFS_CHECKED) : 0u);
            if (item.Count() > 0) {
                sub.reset(::CreatePopupMenu());
                if (!sub) throw EOSError(L"Cannot create the popup menu");
                if (FillMenu(sub.get(), item, build)) {
                    info.fMask |= MIIM_SUBMENU;
                    info.hSubMenu = sub.get();
                } else {
                    sub.reset();
                }
            }
            // The owner window draws the picture from the list (WM_DRAWITEM), with its
            // transparency, greyed for a disabled item.
            const TImageList* images = build.images;
            if (images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count()) {
                info.fMask |= MIIM_BITMAP | MIIM_DATA;
                info.hbmpItem = HBMMENU_CALLBACK;
                info.dwItemData = static_cast<ULONG_PTR>(item.ImageIndex());
            }
        }
        if (!::InsertMenuItemW(menu, static_cast<UINT>(::GetMenuItemCount(menu)), TRUE, &info))
            throw EOSError(L"Cannot fill the popup menu");
        sub.release(); // the parent menu destroys it now
        any = true;
    }
    return any;
}

const wchar_t ownerClass[] = L"TPopupMenuOwner";

// The hidden window that owns a shown menu: it draws the item pictures; the choice comes back
// from TrackPopupMenuEx, and it never becomes active, so the form keeps the focus. Its
// USERDATA is the menu being shown (cleared when that menu is freed while open).
LRESULT CALLBACK OwnerWindowProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
    const auto* menu = reinterpret_cast<const TPopupMenu*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
    const TImageList* images = menu ? menu->Images() : nullptr;
    if (msg == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
        if (measure->CtlType != ODT_MENU) return FALSE;
        measure->itemWidth = images ? static_cast<UINT>(images->Width()) : 0;
        measure->itemHeight = images ? static_cast<UINT>(images->Height()) : 0;
        return TRUE;
    }
    if (msg == WM_DRAWITEM) {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        if (draw->CtlType != ODT_MENU) return FALSE;
        if (!images) return TRUE;
        try {
            const RECT& r = draw->rcItem;
            TCanvas canvas(draw->hDC);
            const int y = r.top + (r.bottom - r.top - images->Height()) / 2;
            const bool enabled = (draw->itemState & (ODS_DISABLED | ODS_GRAYED)) == 0;
            images->Draw(canvas, r.left, y, static_cast<int>(draw->itemData), enabled);
        } catch (...) {
            // A picture that cannot be drawn leaves its place empty.
        }
        return TRUE;
    }
    return ::DefWindowProcW(wnd, msg, wparam, lparam);
}

UniqueHWND CreateOwnerWindow(const TPopupMenu* menu) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    EnsureWindowClass(ownerClass, &OwnerWindowProc);
    UniqueHWND window(::CreateWindowExW(WS_EX_TOOLWINDOW, ownerClass, L"", WS_POPUP, 0, 0, 0, 0,
                                        nullptr, nullptr, instance, nullptr));
    if (!window) throw EOSError(L"Cannot create the popup menu's window");
    ::SetWindowLongPtrW(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(menu));
    return window;
}

} // namespace

// ---- menu items ----

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NextCommand()) {}

TMenuItem::~TMenuItem() {
    Clear();
    if (parent_) parent_->Remove(this);
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EMenuError(
            FormatMessageText(L"Menu index out of bounds (%s)", {std::to_wstring(index)}));
    return items_[static_cast<std::size_t>(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const noexcept {
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count() - (item && item->parent_ == this ? 1 : 0), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) throw EMenuError(L"No menu item to insert");
    if (item->menu_) throw EMenuError(L"A menu's root item cannot be inserted");
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (p == item) throw EMenuError(L"A menu item cannot contain itself");
    const int count = Count() - (item->parent_ == this ? 1 : 0);
    if (index < 0 || index > count)
        throw EMenuError(
            FormatMessageText(L"Menu index out of bounds (%s)", {std::to_wstring(index)}));
    if (item->parent_) item->parent_->Remove(item);
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) noexcept {
    if (!item || item->parent_ != this) return;
    std::erase(items_, item);
    item->parent_ = nullptr;
}

void TMenuItem::Clear() {
    while (!items_.empty())
        delete items_.back(); // each leaves items_ itself
}

TPopupMenu* TMenuItem::Menu() const noexcept {
    const TMenuItem* root = this;
    while (root->parent_)
        root = root->parent_;
    return root->menu_;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* menu = dynamic_cast<TPopupMenu*>(parent)) return menu->Items()->Add(this);
    if (auto* item = dynamic_cast<TMenuItem*>(parent)) return item->Add(this);
    if (!parent) {
        if (parent_) parent_->Remove(this);
        return;
    }
    throw EMenuError(FormatMessageText(L"Menu item '%s' has no menu", {Name()}));
}

void TMenuItem::Click() {
    Raise(OnClick, this);
}

TMenuItem* TMenuItem::FindByCommand(std::uint64_t command) noexcept {
    if (command_ == command) return this;
    for (TMenuItem* item : items_)
        if (TMenuItem* found = item->FindByCommand(command)) return found;
    return nullptr;
}

const PropertyTable& TMenuItem::ClassProperties() {
    using C = TMenuItem;
    static const PropertyTable table(
        &TComponent::ClassProperties(),
        {
            props::String(L"Caption", &C::Caption, &C::SetCaption, std::wstring()),
            props::Boolean(L"Checked", &C::Checked, &C::SetChecked, false),
            props::Boolean(L"Enabled", &C::Enabled, &C::SetEnabled, true),
            props::String(L"Hint", &C::Hint, &C::SetHint, std::wstring()),
            props::Integer(L"ImageIndex", &C::ImageIndex, &C::SetImageIndex, -1),
            props::Boolean(L"Visible", &C::Visible, &C::SetVisible, true),
            props::Event(L"OnClick", &C::OnClick),
        });
    return table;
}

// ---- popup menus ----

TPopupMenu::TPopupMenu(TComponent* owner)
    : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
    items_->menu_ = this;
}

TPopupMenu::~TPopupMenu() {
    // Freed by a handler while it is open: the owner window draws from it no more.
    if (ownerWindow_) ::SetWindowLongPtrW(ownerWindow_, GWLP_USERDATA, 0);
}

void TPopupMenu::ShowMenuAt(int x, int y) {
    if (showing_) return;
    // A handler (OnPopup, or anything the menu's loop runs) may free this menu.
    const TComponentRef self(this);
    Raise(OnPopup, this);
    if (!self) return;

    MenuBuild build;
    build.images = Images();
    UniqueHMENU menu(::CreatePopupMenu());
    if (!menu) throw EOSError(L"Cannot create the popup menu");
    if (!FillMenu(menu.get(), *items_, build)) return;
    UniqueHWND owner = CreateOwnerWindow(this);

    showing_ = true;
    ownerWindow_ = owner.get();
    // The menu runs its own message loop: timers, repaints and posted messages are handled
    // while it is open, so a handler may even free this menu before the call returns.
    const UINT flags =
        TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY;
    const BOOL chosen = ::TrackPopupMenuEx(menu.get(), flags, x, y, owner.get(), nullptr);
    if (!self) return;
    showing_ = false;
    ownerWindow_ = nullptr;
    if (chosen <= 0 || static_cast<std::size_t>(chosen) > build.commands.size()) return;
    // The item may have gone while the menu was open; then nothing is clicked.
    if (TMenuItem* item =
            items_->FindByCommand(build.commands[static_cast<std::size_t>(chosen) - 1]))
        item->Click();
}

void TPopupMenu::SetImages(TImageList* value) {
    images_ = value;
}

const PropertyTable& TPopupMenu::ClassProperties() {
    using C = TPopupMenu;
    static const PropertyTable table(
        &TComponent::ClassProperties(),
        {
            props::Boolean(L"AutoPopup", &C::AutoPopup, &C::SetAutoPopup, true),
            props::Reference(L"Images", &C::Images, &C::SetImages),
            props::Event(L"OnPopup", &C::OnPopup),
        });
    return table;
}

} // namespace plaxor
