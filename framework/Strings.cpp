#include "Strings.h"
#include "Exception.h"

namespace plaxor {

const PropertyTable& TStrings::ClassProperties() {
    static const PropertyTable table(&TPersistent::ClassProperties(),
                                     {props::Custom(
                                         L"Strings",
                                         [](const TPersistent& o) -> std::optional<LayoutValue> {
                                             const auto& list = props::Self<TStrings>(o);
                                             if (list.Count() == 0) return std::nullopt;
                                             return LayoutValue(list.Lines());
                                         },
                                         [](TPersistent& o, const LayoutValue& v, LayoutContext&) {
                                             props::Self<TStrings>(o).SetLines(
                                                 props::AsStrings(v, L"Strings"));
                                         })});
    return table;
}

void TStrings::RaiseIndexError(int index) {
    throw EStringListError(
        FormatMessageText(L"List index out of bounds (%s)", {std::to_wstring(index)}));
}

int TStrings::AddObject(const std::wstring& text, TObject* object) {
    const int index = Count();
    InsertObject(index, text, object);
    return index;
}

int TStrings::IndexOf(std::wstring_view text) const {
    for (int i = 0, n = Count(); i < n; ++i)
        if (SameText(Get(i), text)) return i;
    return -1;
}

std::wstring TStrings::Text() const {
    std::wstring text;
    for (int i = 0, n = Count(); i < n; ++i) {
        if (i > 0) text += L"\r\n";
        text += Get(i);
    }
    return text;
}

StringList TStrings::Lines() const {
    StringList lines;
    lines.reserve(static_cast<std::size_t>(Count()));
    for (int i = 0, n = Count(); i < n; ++i)
        lines.push_back(Get(i));
    return lines;
}

template <typename F> void TStrings::Batch(F&& fill) {
    BeginUpdate();
    try {
        fill();
    } catch (...) {
        EndUpdate(); // what did change is still announced
        throw;
    }
    EndUpdate();
}

void TStrings::SetText(std::wstring_view text) {
    Batch([&] {
        Clear();
        if (text.empty()) return;
        std::size_t start = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] != L'\r' && text[i] != L'\n') continue;
            Add(std::wstring(text.substr(start, i - start)));
            if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            start = i + 1;
        }
        Add(std::wstring(text.substr(start)));
    });
}

void TStrings::SetLines(const StringList& lines) {
    Batch([&] {
        Clear();
        for (const std::wstring& line : lines)
            Add(line);
    });
}

void TStrings::EndUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0 && pendingChange_) {
        pendingChange_ = false;
        Raise(OnChange, this);
    }
}

void TStrings::Changed() {
    if (updateCount_ > 0) {
        pendingChange_ = true;
        return;
    }
    Raise(OnChange, this);
}

void TStrings::CopyFrom(const TPersistent* source) {
    const auto* list = dynamic_cast<const TStrings*>(source);
    if (!list) return TPersistent::CopyFrom(source);
    if (list == this) return; // clearing first would lose the lines
    Batch([&] {
        Clear();
        for (int i = 0, n = list->Count(); i < n; ++i)
            AddObject(list->Get(i), list->Objects(i));
    });
}

void TStringList::Check(int index) const {
    if (index < 0 || index >= Count()) RaiseIndexError(index);
}

std::wstring TStringList::Get(int index) const {
    Check(index);
    return items_[static_cast<std::size_t>(index)].text;
}

void TStringList::Put(int index, const std::wstring& text) {
    Check(index);
    std::wstring& line = items_[static_cast<std::size_t>(index)].text;
    if (line == text) return;
    line = text;
    Changed();
}

TObject* TStringList::Objects(int index) const {
    Check(index);
    return items_[static_cast<std::size_t>(index)].object;
}

void TStringList::PutObject(int index, TObject* object) {
    Check(index);
    TObject*& slot = items_[static_cast<std::size_t>(index)].object;
    if (slot == object) return;
    slot = object;
    Changed();
}

void TStringList::InsertObject(int index, const std::wstring& text, TObject* object) {
    if (index < 0 || index > Count()) RaiseIndexError(index);
    items_.insert(items_.begin() + index, Item{text, object});
    Changed();
}

void TStringList::Delete(int index) {
    Check(index);
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

} // namespace plaxor
