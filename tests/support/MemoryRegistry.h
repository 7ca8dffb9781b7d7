#pragma once
// An in-memory registry: keys with typed values under the predefined hives, for tests that need
// a registry they can break on purpose (denied access, failing reads and writes) and watch
// (open handles, the order of deletions). Like 64-bit Windows, it keeps the 32-bit view of
// HKLM\SOFTWARE apart, under SOFTWARE\WOW6432Node: a key opened or created with KEY_WOW64_32KEY
// lands there; everything else is one tree for both views.
#include "policy/RegistryBackend.h"
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace plaxor {

class MemoryRegistry final : public IRegistryBackend {
public:
    enum class Denial { Write, All };

    MemoryRegistry();
    ~MemoryRegistry() override;

    // Direct access for arranging and inspecting a test, bypassing handles and failures.
    // Paths are relative to the hive, without a leading backslash.
    void PutValue(HKEY root, const std::wstring& path, const std::wstring& name, DWORD type,
                  std::vector<std::uint8_t> data);
    void PutText(HKEY root, const std::wstring& path, const std::wstring& name,
                 const std::wstring& text, DWORD type = REG_SZ);
    void PutKey(HKEY root, const std::wstring& path);
    bool HasKey(HKEY root, const std::wstring& path) const;
    bool GetValue(HKEY root, const std::wstring& path, const std::wstring& name, DWORD* type,
                  std::vector<std::uint8_t>* data) const;
    std::vector<std::wstring> ValueNames(HKEY root, const std::wstring& path) const;

    // Failure injection. A denial covers the key and everything beneath it.
    void Deny(HKEY root, const std::wstring& path, Denial denial);
    void FailRead(HKEY root, const std::wstring& path, const std::wstring& valueName);
    void FailWrite(HKEY root, const std::wstring& path, const std::wstring& valueName);

    // Observation.
    std::size_t OpenHandleCount() const { return handles_.size(); }
    // Full paths ("HKLM\\a\\b") of deleted keys, in the order they went.
    const std::vector<std::wstring>& DeletedKeys() const { return deleted_; }

    LSTATUS OpenKey(HKEY base, const std::wstring& path, REGSAM access, HKEY* result) override;
    LSTATUS CreateKey(HKEY base, const std::wstring& path, REGSAM access, HKEY* result) override;
    LSTATUS CloseKey(HKEY key) override;
    LSTATUS QueryValue(HKEY key, const std::wstring& name, DWORD* type, BYTE* data,
                       DWORD* size) override;
    LSTATUS SetValue(HKEY key, const std::wstring& name, DWORD type, const BYTE* data,
                     DWORD size) override;
    LSTATUS QueryInfoKey(HKEY key, DWORD* subKeys, DWORD* maxSubKeyLength) override;
    LSTATUS EnumKey(HKEY key, DWORD index, wchar_t* name, DWORD* length) override;
    LSTATUS DeleteKey(HKEY base, const std::wstring& path) override;

private:
    struct Node;
    struct NoCase {
        bool operator()(const std::wstring& a, const std::wstring& b) const;
    };
    struct Value {
        DWORD type;
        std::vector<std::uint8_t> data;
    };
    struct Node {
        std::wstring name;
        std::wstring fullPath; // "HKLM\\a\\b", upper-cased hive prefix
        Node* parent = nullptr;
        std::map<std::wstring, std::unique_ptr<Node>, NoCase> children; // enumerated sorted
        std::map<std::wstring, Value, NoCase> values;
    };

    Node* RootNode(HKEY root) const;
    Node* NodeOf(HKEY key) const; // an open handle or a predefined hive
    Node* Walk(Node* from, const std::wstring& path, bool create);
    Node* Find(HKEY root, const std::wstring& path) const;
    // The path that a key opened from `from` with this access really has (the 32-bit view).
    static std::wstring ViewPath(const Node* from, const std::wstring& path, REGSAM access);
    bool Denied(const Node* node, REGSAM access) const;
    bool DeniedPath(const std::wstring& fullPath, REGSAM access) const;
    HKEY NewHandle(Node* node);
    static std::wstring Upper(const std::wstring& s);

    std::map<HKEY, std::unique_ptr<Node>> roots_;
    std::map<HKEY, Node*> handles_;
    std::uintptr_t nextHandle_ = 0x1000;
    std::map<std::wstring, Denial> denials_;                               // upper-cased full paths
    std::set<std::pair<std::wstring, std::wstring>> failRead_, failWrite_; // (path, value), upper
    std::vector<std::wstring> deleted_;
};

} // namespace plaxor
