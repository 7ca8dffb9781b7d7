#pragma once
// The root of the framework's classes: a class name for messages and layouts, no copying.
#include <functional>
#include <string>

namespace plaxor {

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
    virtual std::wstring ClassName() const { return L"TObject"; }
};

// Events take the sending object first and are called only when assigned.
using TNotifyEvent = std::function<void(TObject* sender)>;

template <typename Event, typename... Args> void Raise(const Event& event, Args&&... args) {
    if (event) event(std::forward<Args>(args)...);
}

} // namespace plaxor
