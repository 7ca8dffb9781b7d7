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

// Calls a copy of the handler: it may free the object the event belongs to (and so the event)
// or assign the event anew while it runs. Whether the object survived is TComponentRef's to
// tell.
template <typename Event, typename... Args> void Raise(const Event& event, Args&&... args) {
    if (!event) return;
    const Event handler = event;
    handler(std::forward<Args>(args)...);
}

} // namespace plaxor
