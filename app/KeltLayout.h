#pragma once
// The main window's layout as the program embeds it: the text of kelt.layout (RCDATA
// KELT_LAYOUT) and the pictures it names as files, each an RCDATA resource of its own
// ("logo.jpg" is LOGO_JPG).
#include "framework/LayoutLoader.h"
#include "framework/LayoutText.h"
#include <windows.h>
#include <string>

namespace plaxor {

// The resource that holds a file named in a layout: the name in capitals with '.' as '_'.
// EReadError for a name that could not be a resource name (anything but letters, digits,
// '.', '_' and '-').
std::wstring ResourceNameForFile(const std::wstring& fileName);

// The bytes of an RCDATA resource of the module (null: the program's exe); EReadError when it
// has none of that name.
Bytes ReadResourceData(HMODULE module, const std::wstring& name);

// Supplies the layout's files from the module's RCDATA resources.
FileResolver ResourceFileResolver(HMODULE module);

// UTF-8 (with or without a byte order mark) to UTF-16; EReadError for bytes that are not
// UTF-8.
std::wstring DecodeLayoutText(const Bytes& bytes);

// The main window's layout tree, read from the module's KELT_LAYOUT with its pictures.
LayoutNode ReadKeltLayout(HMODULE module = nullptr);

// The classes the main window's layout creates.
const ComponentFactory& KeltComponentFactory();

} // namespace plaxor
