#pragma once
// The drop-down variants with their real popup menus open: each scene shows the button as it
// looks while its menu is open, the menu where Windows put it, and the anchor the button asked
// for (a red mark).
#include "Sheet.h"

namespace plaxor {
class TApplication;
class TForm;
class TImageList;
} // namespace plaxor

namespace plaxor::gallery {

void MenuScenes(Sheet& sheet, TApplication& app, TForm& form, TImageList& images);

} // namespace plaxor::gallery
