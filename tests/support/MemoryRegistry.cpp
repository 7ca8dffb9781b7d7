#include "MemoryRegistry.h"
#include <algorithm>
#include <cwctype>

namespace plaxor {
namespace {

constexpr REGSAM kWriteAccess =
    KEY_SET_VALUE | KEY_CREATE_SUB_KEY | DELETE | WRITE_DAC | WRITE_OWNER;

std::wstring HiveName(HKEY root) {
    if (root == HKEY_LOCAL_MACHINE) return L"HKLM";
    if (root == HKEY_CURRENT_USER) return L"HKCU";
    if (root == HKEY_CLASSES_ROOT) return L"HKCR";
    if (root == HKEY_USERS) return L"HKU";
    return L"HKCC";
}

std::vector<std::wstring> SplitPath(const std::wstring& path) {
    std::vector<std::wstring> parts;
    std::wstring part;
    for (wchar_t c : path) {
        if (c == L'\\') {
            if (!part.empty()) parts.push_back(std::move(part));
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(std::move(part));
    return parts;
}

} // namespace

bool MemoryRegistry::NoCase::operator()(const std::wstring& a, const std::wstring& b) const {
    return Upper(a) < Upper(b);
}

std::wstring MemoryRegistry::Upper(const std::wstring& s) {
    std::wstring u(s);
    std::transform(u.begin(), u.end(), u.begin(), [](wchar_t c) { return std::towupper(c); });
    return u;
}

MemoryRegistry::MemoryRegistry() {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_CLASSES_ROOT, HKEY_USERS,
                      HKEY_CURRENT_CONFIG}) {
        auto node = std::make_unique<Node>();
        node->name = HiveName(root);
        node->fullPath = node->name;
        roots_[root] = std::move(node);
    }
}

MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Node* MemoryRegistry::RootNode(HKEY root) const {
    auto it = roots_.find(root);
    return it == roots_.end() ? nullptr : it->second.get();
}

MemoryRegistry::Node* MemoryRegistry::NodeOf(HKEY key) const {
    if (Node* root = RootNode(key)) return root;
    auto it = handles_.find(key);
    return it == handles_.end() ? nullptr : it->second;
}

MemoryRegistry::Node* MemoryRegistry::Walk(Node* from, const std::wstring& path, bool create) {
    Node* node = from;
    for (const std::wstring& part : SplitPath(path)) {
        auto it = node->children.find(part);
        if (it == node->children.end()) {
            if (!create) return nullptr;
            auto child = std::make_unique<Node>();
            child->name = part;
            child->fullPath = node->fullPath + L"\\" + part;
            child->parent = node;
            it = node->children.emplace(part, std::move(child)).first;
        }
        node = it->second.get();
    }
    return node;
}

MemoryRegistry::Node* MemoryRegistry::Find(HKEY root, const std::wstring& path) const {
    Node* node = RootNode(root);
    return node ? const_cast<MemoryRegistry*>(this)->Walk(node, path, false) : nullptr;
}

std::wstring MemoryRegistry::ViewPath(const Node* from, const std::wstring& path, REGSAM access) {
    if ((access & KEY_WOW64_32KEY) == 0) return path;
    std::vector<std::wstring> parts = SplitPath(path);
    const std::wstring base = Upper(from->fullPath);
    // Where the redirected part starts: after SOFTWARE, counted from the hive or from SOFTWARE.
    std::size_t at = 0;
    if (base == L"HKLM" && !parts.empty() && Upper(parts[0]) == L"SOFTWARE")
        at = 1;
    else if (base != L"HKLM\\SOFTWARE")
        return path;
    if (parts.size() <= at || Upper(parts[at]) == L"WOW6432NODE") return path;
    parts.insert(parts.begin() + static_cast<std::ptrdiff_t>(at), L"WOW6432Node");
    std::wstring joined;
    for (const std::wstring& part : parts)
        joined += (joined.empty() ? L"" : L"\\") + part;
    return joined;
}

bool MemoryRegistry::DeniedPath(const std::wstring& fullPath, REGSAM access) const {
    const std::wstring upper = Upper(fullPath);
    for (const auto& [path, denial] : denials_) {
        const bool covers = upper == path || (upper.size() > path.size() &&
                                              upper.compare(0, path.size(), path) == 0 &&
                                              upper[path.size()] == L'\\');
        if (covers && (denial == Denial::All || (access & kWriteAccess) != 0)) return true;
    }
    return false;
}

bool MemoryRegistry::Denied(const Node* node, REGSAM access) const {
    return DeniedPath(node->fullPath, access);
}

HKEY MemoryRegistry::NewHandle(Node* node) {
    HKEY key = reinterpret_cast<HKEY>(nextHandle_);
    nextHandle_ += 4;
    handles_[key] = node;
    return key;
}

void MemoryRegistry::PutKey(HKEY root, const std::wstring& path) {
    Walk(RootNode(root), path, true);
}

void MemoryRegistry::PutValue(HKEY root, const std::wstring& path, const std::wstring& name,
                              DWORD type, std::vector<std::uint8_t> data) {
    Walk(RootNode(root), path, true)->values[name] = Value{type, std::move(data)};
}

void MemoryRegistry::PutText(HKEY root, const std::wstring& path, const std::wstring& name,
                             const std::wstring& text, DWORD type) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.c_str());
    PutValue(root, path, name, type,
             std::vector<std::uint8_t>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t)));
}

bool MemoryRegistry::HasKey(HKEY root, const std::wstring& path) const {
    return Find(root, path) != nullptr;
}

bool MemoryRegistry::GetValue(HKEY root, const std::wstring& path, const std::wstring& name,
                              DWORD* type, std::vector<std::uint8_t>* data) const {
    const Node* node = Find(root, path);
    if (!node) return false;
    auto it = node->values.find(name);
    if (it == node->values.end()) return false;
    if (type) *type = it->second.type;
    if (data) *data = it->second.data;
    return true;
}

std::vector<std::wstring> MemoryRegistry::ValueNames(HKEY root, const std::wstring& path) const {
    std::vector<std::wstring> names;
    if (const Node* node = Find(root, path))
        for (const auto& [name, value] : node->values)
            names.push_back(name);
    return names;
}

void MemoryRegistry::Deny(HKEY root, const std::wstring& path, Denial denial) {
    denials_[Upper(HiveName(root) + (path.empty() ? L"" : L"\\" + path))] = denial;
}

void MemoryRegistry::FailRead(HKEY root, const std::wstring& path, const std::wstring& valueName) {
    failRead_.insert({Upper(HiveName(root) + L"\\" + path), Upper(valueName)});
}

void MemoryRegistry::FailWrite(HKEY root, const std::wstring& path, const std::wstring& valueName) {
    failWrite_.insert({Upper(HiveName(root) + L"\\" + path), Upper(valueName)});
}

LSTATUS MemoryRegistry::OpenKey(HKEY base, const std::wstring& given, REGSAM access, HKEY* result) {
    Node* from = NodeOf(base);
    if (!from) return ERROR_INVALID_HANDLE;
    Node* node = Walk(from, ViewPath(from, given, access), false);
    if (!node) return ERROR_FILE_NOT_FOUND;
    if (Denied(node, access)) return ERROR_ACCESS_DENIED;
    *result = NewHandle(node);
    return ERROR_SUCCESS;
}

LSTATUS MemoryRegistry::CreateKey(HKEY base, const std::wstring& given, REGSAM access,
                                  HKEY* result) {
    Node* from = NodeOf(base);
    if (!from) return ERROR_INVALID_HANDLE;
    const std::wstring path = ViewPath(from, given, access);
    if (Node* existing = Walk(from, path, false)) {
        if (Denied(existing, access)) return ERROR_ACCESS_DENIED;
        *result = NewHandle(existing);
        return ERROR_SUCCESS;
    }
    // Creating needs write access to the deepest existing key and to the new one.
    const std::wstring full = from->fullPath + L"\\" + path;
    if (DeniedPath(full, access | KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
    *result = NewHandle(Walk(from, path, true));
    return ERROR_SUCCESS;
}

LSTATUS MemoryRegistry::CloseKey(HKEY key) {
    if (RootNode(key)) return ERROR_SUCCESS;
    return handles_.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LSTATUS MemoryRegistry::QueryValue(HKEY key, const std::wstring& name, DWORD* type, BYTE* data,
                                   DWORD* size) {
    if (handles_.count(key) && !handles_[key]) return ERROR_KEY_DELETED;
    Node* node = NodeOf(key);
    if (!node) return ERROR_INVALID_HANDLE;
    auto it = node->values.find(name);
    if (it == node->values.end()) return ERROR_FILE_NOT_FOUND;
    if (data && failRead_.count({Upper(node->fullPath), Upper(name)})) return ERROR_READ_FAULT;
    const Value& value = it->second;
    if (type) *type = value.type;
    const DWORD needed = static_cast<DWORD>(value.data.size());
    if (data) {
        if (!size || *size < needed) {
            if (size) *size = needed;
            return ERROR_MORE_DATA;
        }
        std::copy(value.data.begin(), value.data.end(), data);
    }
    if (size) *size = needed;
    return ERROR_SUCCESS;
}

LSTATUS MemoryRegistry::SetValue(HKEY key, const std::wstring& name, DWORD type, const BYTE* data,
                                 DWORD size) {
    Node* node = NodeOf(key);
    if (!node) return ERROR_INVALID_HANDLE;
    if (Denied(node, KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
    if (failWrite_.count({Upper(node->fullPath), Upper(name)})) return ERROR_WRITE_FAULT;
    node->values[name] = Value{type, std::vector<std::uint8_t>(data, data + size)};
    return ERROR_SUCCESS;
}

LSTATUS MemoryRegistry::QueryInfoKey(HKEY key, DWORD* subKeys, DWORD* maxSubKeyLength) {
    Node* node = NodeOf(key);
    if (!node) return ERROR_INVALID_HANDLE;
    DWORD longest = 0;
    for (const auto& [name, child] : node->children)
        longest = std::max<DWORD>(longest, static_cast<DWORD>(name.size()));
    if (subKeys) *subKeys = static_cast<DWORD>(node->children.size());
    if (maxSubKeyLength) *maxSubKeyLength = longest;
    return ERROR_SUCCESS;
}

LSTATUS MemoryRegistry::EnumKey(HKEY key, DWORD index, wchar_t* name, DWORD* length) {
    Node* node = NodeOf(key);
    if (!node) return ERROR_INVALID_HANDLE;
    if (index >= node->children.size()) return ERROR_NO_MORE_ITEMS;
    auto it = std::next(node->children.begin(), index);
    const std::wstring& childName = it->second->name;
    if (*length < childName.size() + 1) return ERROR_MORE_DATA;
    std::copy(childName.begin(), childName.end(), name);
    name[childName.size()] = L'\0';
    *length = static_cast<DWORD>(childName.size());
    return ERROR_SUCCESS;
}

LSTATUS MemoryRegistry::DeleteKey(HKEY base, const std::wstring& path) {
    Node* from = NodeOf(base);
    if (!from) return ERROR_INVALID_HANDLE;
    Node* node = Walk(from, path, false);
    if (!node || !node->parent) return ERROR_FILE_NOT_FOUND;
    if (Denied(node, DELETE)) return ERROR_ACCESS_DENIED;
    if (!node->children.empty()) return ERROR_ACCESS_DENIED; // as RegDeleteKeyW
    deleted_.push_back(node->fullPath);
    // Handles still open on the key stay valid but see it as deleted.
    for (auto& [handle, target] : handles_)
        if (target == node) target = nullptr;
    node->parent->children.erase(node->name);
    return ERROR_SUCCESS;
}

} // namespace plaxor
