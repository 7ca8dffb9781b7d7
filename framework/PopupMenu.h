#pragma once
// Popup menus: a tree of menu items shown as a real Windows popup menu at a screen point.
// Controls keep references to menus (a control's PopupMenu, a glow button's DropDownMenu) and
// layouts name them; a layout nests a menu's items inside the menu's block.
#include "ComponentRef.h"
#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace plaxor {

class TImageList;
class TPopupMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    // Frees the item's sub-items (whoever else owns them as components) and leaves its parent.
    ~TMenuItem() override;
    std::wstring ClassName() const override { return L"TMenuItem"; }
    static const PropertyTable& ClassProperties();
    const PropertyTable& Published() const override { return ClassProperties(); }

    // A caption of "-" makes the item a separator line; "&" marks the accelerator.
    const std::wstring& Caption() const noexcept { return caption_; }
    void SetCaption(const std::wstring& value) { caption_ = value; }
    bool IsLine() const noexcept { return caption_ == L"-"; }
    bool Checked() const noexcept { return checked_; }
    void SetChecked(bool value) { checked_ = value; }
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    // A hidden item is left out of the menu when it is shown.
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool value) { visible_ = value; }
    // Index into the menu's Images; -1 for none.
    int ImageIndex() const noexcept { return imageIndex_; }
    void SetImageIndex(int value) { imageIndex_ = value; }
    const std::wstring& Hint() const noexcept { return hint_; }
    void SetHint(const std::wstring& value) { hint_ = value; }

    // ---- sub-items ----
    int Count() const noexcept { return static_cast<int>(items_.size()); }
    // EMenuError for an index outside 0..Count()-1.
    TMenuItem* Items(int index) const;
    int IndexOf(const TMenuItem* item) const noexcept;
    // Adds at the end / at index (0..Count()); an item that has another parent leaves it
    // first. EMenuError for a null item, a bad index, or an item that would contain itself.
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out without freeing it; nothing when it is not a sub-item.
    void Remove(TMenuItem* item) noexcept;
    // Frees every sub-item.
    void Clear();
    TMenuItem* ParentItem() const noexcept { return parent_; }
    // The menu whose tree holds this item, or null.
    TPopupMenu* Menu() const noexcept;

    // A layout nests items in their menu's or parent item's block.
    void SetParentComponent(TComponent* parent) override;

    // The item was chosen: raises OnClick.
    virtual void Click();
    TNotifyEvent OnClick;

    // Unique for the process; names the item while its menu is shown.
    std::uint64_t Command() const noexcept { return command_; }
    // The item (this one or below it) with the command, or null.
    TMenuItem* FindByCommand(std::uint64_t command) noexcept;

private:
    friend class TPopupMenu;
    std::wstring caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    int imageIndex_ = -1;
    std::wstring hint_;
    TMenuItem* parent_ = nullptr;
    TPopupMenu* menu_ = nullptr; // set on the root item only
    std::vector<TMenuItem*> items_;
    std::uint64_t command_;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;
    std::wstring ClassName() const override { return L"TPopupMenu"; }
    static const PropertyTable& ClassProperties();
    const PropertyTable& Published() const override { return ClassProperties(); }

    // The root of the item tree (owned; its caption is not shown).
    TMenuItem* Items() const noexcept { return items_.get(); }

    // Pictures for the items' ImageIndex; a reference, null once the list is freed.
    TImageList* Images() const noexcept { return images_.get(); }
    void SetImages(TImageList* value);
    // A right click (or the menu key) on a control with this menu opens it.
    bool AutoPopup() const noexcept { return autoPopup_; }
    void SetAutoPopup(bool value) { autoPopup_ = value; }

    // Raises OnPopup, shows the visible items as a Windows popup menu with its top-left corner
    // at the screen point, and returns when the menu has closed; then raises the chosen item's
    // OnClick. Timers and repaints go on while the menu is open. A menu without a visible item
    // opens nothing; a menu opened while another one is open does nothing.
    void ShowMenuAt(int x, int y);
    // The menu is open (a ShowMenuAt has not returned yet).
    bool IsShowing() const noexcept { return showing_; }

    TNotifyEvent OnPopup;

private:
    std::unique_ptr<TMenuItem> items_;
    TComponentRef<TImageList> images_;
    bool autoPopup_ = true;
    bool showing_ = false;
    HWND ownerWindow_ = nullptr; // while shown
};

} // namespace plaxor
