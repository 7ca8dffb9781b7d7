#pragma once
// Sets a flag for the length of a scope and clears it at the end, also by an exception: the
// guards against re-entry while painting, sizing or applying a size.

namespace plaxor {

class FlagScope {
public:
    explicit FlagScope(bool& flag) noexcept : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

} // namespace plaxor
