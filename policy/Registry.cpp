#include "Registry.h"
#include "framework/Exception.h"
#include <algorithm>
#include <cstring>
#include <cwchar>
#include <utility>
#include <vector>

namespace plaxor {

TRegistry::TRegistry(IRegistryBackend& backend) noexcept : backend_(backend) {}

TRegistry::~TRegistry() {
    Close();
}

void TRegistry::SelectRoot(HKEY root) {
    if (root == root_) return;
    Close();
    root_ = root;
}

TRegistry::Target TRegistry::Resolve(const std::wstring& path) const {
    Target t{nullptr, path, !(path.size() > 0 && path[0] == L'\\')};
    if (!t.relative) t.path.erase(0, 1);
    // A trailing backslash names the key before it.
    if (!t.path.empty() && t.path.back() == L'\\') t.path.pop_back();
    t.base = (t.relative && current_) ? current_ : root_;
    return t;
}

void TRegistry::SetCurrent(HKEY key, std::wstring path) noexcept {
    Close();
    current_ = key;
    currentPath_ = std::move(path);
}

bool TRegistry::OpenPath(const std::wstring& path, bool mayCreate) {
    const Target t = Resolve(path);
    HKEY key = nullptr;
    lastOpenError_ = (mayCreate && !t.path.empty())
                         ? backend_.CreateKey(t.base, t.path, access_, &key)
                         : backend_.OpenKey(t.base, t.path, access_, &key);
    if (lastOpenError_ != ERROR_SUCCESS) return false;
    std::wstring recorded = (t.relative && current_) ? currentPath_ + L"\\" + t.path : t.path;
    SetCurrent(key, std::move(recorded));
    return true;
}

std::wstring TRegistry::ReadText(const std::wstring& name) {
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (backend_.QueryValue(current_, name, &type, nullptr, &size) != ERROR_SUCCESS || size == 0)
        return {};
    std::vector<BYTE> data(size);
    DWORD got = size;
    if (backend_.QueryValue(current_, name, &type, data.data(), &got) != ERROR_SUCCESS)
        throw ERegistryException(FormatMessageText(L"Failed to get data for '%s'", {name}));
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw ERegistryException(FormatMessageText(L"Invalid data type for '%s'", {name}));
    // An odd last byte is not half a character: whole code units only, never past the data.
    const size_t units = std::min<size_t>(got, size) / sizeof(wchar_t);
    std::wstring text(units, L'\0');
    std::memcpy(text.data(), data.data(), units * sizeof(wchar_t));
    text.resize(std::wcslen(text.c_str()));
    return text;
}

bool TRegistry::ReadValue(const std::wstring& name, TRegistryValue& value) {
    DWORD type = REG_NONE;
    DWORD size = 0;
    LSTATUS status = backend_.QueryValue(current_, name, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return false;
    std::vector<std::uint8_t> data(size);
    DWORD got = size;
    if (status == ERROR_SUCCESS && size > 0)
        status = backend_.QueryValue(current_, name, &type, data.data(), &got);
    if (status != ERROR_SUCCESS)
        throw ERegistryException(FormatMessageText(L"Failed to get data for '%s'", {name}));
    data.resize(std::min(got, size));
    value = TRegistryValue{type, std::move(data)};
    return true;
}

void TRegistry::WriteText(const std::wstring& name, const std::wstring& text) {
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    if (backend_.SetValue(current_, name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          bytes) != ERROR_SUCCESS)
        throw ERegistryException(FormatMessageText(L"Failed to set data for '%s'", {name}));
}

bool TRegistry::DeleteTree(const std::wstring& name) {
    const Target t = Resolve(name);
    // An empty name would resolve to the current key (or the root) itself: never a tree to drop.
    if (t.path.empty()) return false;
    HKEY target = nullptr;
    if (backend_.OpenKey(t.base, t.path, access_, &target) == ERROR_SUCCESS) {
        // The target is the current key while its sub-keys go, so that their relative names
        // resolve against it; the previous key and path come back afterwards, on every path.
        struct Restore {
            TRegistry& reg;
            HKEY key, target;
            std::wstring path;
            ~Restore() {
                reg.current_ = key;
                reg.currentPath_ = std::move(path);
                reg.backend_.CloseKey(target);
            }
        } restore{*this, std::exchange(current_, target), target, currentPath_};
        DWORD count = 0, longest = 0;
        if (backend_.QueryInfoKey(target, &count, &longest) == ERROR_SUCCESS) {
            std::vector<wchar_t> buffer(longest + 1);
            for (DWORD i = count; i-- > 0;) {
                DWORD length = longest + 1;
                if (backend_.EnumKey(target, i, buffer.data(), &length) == ERROR_SUCCESS)
                    DeleteTree(std::wstring(buffer.data(), length));
            }
        }
    }
    return backend_.DeleteKey(t.base, t.path) == ERROR_SUCCESS;
}

void TRegistry::Close() noexcept {
    if (!current_) return;
    backend_.CloseKey(current_);
    current_ = nullptr;
    currentPath_.clear();
}

} // namespace plaxor
