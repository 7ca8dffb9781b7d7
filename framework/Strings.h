#pragma once
// Lists of text lines, each line with an optional attached object (not owned), and the
// change notice that owners such as the glow button repaint on.
#include "Properties.h"
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace plaxor {

class TStrings : public TPersistent {
public:
    std::wstring ClassName() const override { return L"TStrings"; }
    // Publishes the lines as "Strings", stored only when there are any.
    static const PropertyTable& ClassProperties();
    const PropertyTable& Published() const override { return ClassProperties(); }

    virtual int Count() const = 0;
    // Index errors raise EStringListError "List index out of bounds (i)".
    virtual std::wstring Get(int index) const = 0;
    virtual void Put(int index, const std::wstring& text) = 0;
    virtual TObject* Objects(int index) const = 0;
    virtual void PutObject(int index, TObject* object) = 0;
    // index may be Count() (append).
    virtual void InsertObject(int index, const std::wstring& text, TObject* object) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    void Insert(int index, const std::wstring& text) { InsertObject(index, text, nullptr); }
    // Returns the index of the new line.
    int Add(const std::wstring& text) { return AddObject(text, nullptr); }
    int AddObject(const std::wstring& text, TObject* object);
    // Case-insensitive; -1 when absent.
    int IndexOf(std::wstring_view text) const;

    // The lines joined with CR LF (no break after the last line).
    std::wstring Text() const;
    // Replaces the lines; breaks are CR LF, LF or CR. Exactly undoes Text(), except that one
    // empty line reads back as no lines.
    void SetText(std::wstring_view text);
    StringList Lines() const;
    void SetLines(const StringList& lines);

    // Changes inside an update raise OnChange once, at the outermost EndUpdate, and only if
    // something changed.
    void BeginUpdate() noexcept { ++updateCount_; }
    void EndUpdate();

    // From another list: its lines and attached objects, one OnChange. Anything else raises
    // the conversion error.
    void CopyFrom(const TPersistent* source) override;

    TNotifyEvent OnChange;

protected:
    // Called by implementations after each change.
    void Changed();
    [[noreturn]] static void RaiseIndexError(int index);

private:
    // Runs fill inside one update; an error still closes the update.
    template <typename F> void Batch(F&& fill);

    int updateCount_ = 0;
    bool pendingChange_ = false;
};

class TStringList : public TStrings {
public:
    TStringList() = default;
    std::wstring ClassName() const override { return L"TStringList"; }

    int Count() const override { return static_cast<int>(items_.size()); }
    std::wstring Get(int index) const override;
    void Put(int index, const std::wstring& text) override;
    TObject* Objects(int index) const override;
    void PutObject(int index, TObject* object) override;
    void InsertObject(int index, const std::wstring& text, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;

private:
    struct Item {
        std::wstring text;
        TObject* object = nullptr;
    };
    void Check(int index) const;

    std::vector<Item> items_;
};

namespace props {

// An owned string list streamed as its lines: "Notes.Strings = ('a' 'b')", only when not empty;
// reading replaces the lines.
template <typename C, typename T> PropertyInfo Strings(const wchar_t* name, T* (C::*get)() const) {
    static_assert(std::is_base_of_v<TStrings, T>, "Strings publishes a TStrings object");
    return Object(name, get);
}

} // namespace props
} // namespace plaxor
