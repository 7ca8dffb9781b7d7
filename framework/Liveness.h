#pragma once
// For code that runs a handler which may free the object it belongs to (an item chosen in a
// menu that closes the window, say): a token taken before the call tells afterwards whether
// the object still exists.
#include <memory>

namespace plaxor {

class TLiveness {
public:
    TLiveness() : alive_(std::make_shared<bool>(true)) {}
    ~TLiveness() { *alive_ = false; }
    TLiveness(const TLiveness&) = delete;
    TLiveness& operator=(const TLiveness&) = delete;

    // Stays readable after the owner is gone; then reads false.
    std::shared_ptr<const bool> Token() const { return alive_; }

private:
    std::shared_ptr<bool> alive_;
};

} // namespace plaxor
