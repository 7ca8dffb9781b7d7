#pragma once
// Popup menus. Controls keep references to them (a control's PopupMenu, a glow button's
// DropDownMenu) and layouts name them; items and showing come with the menus themselves.
#include "Component.h"

namespace plaxor {

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner) : TComponent(owner) {}
    std::wstring ClassName() const override { return L"TPopupMenu"; }
};

} // namespace plaxor
