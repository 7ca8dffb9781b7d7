#pragma once
// A control's size limits as layouts store them. Kept and streamed; no control of this program
// is resized by the user, so nothing enforces them.
#include "Persistent.h"

namespace plaxor {

class TSizeConstraints : public TPersistent {
public:
    std::wstring ClassName() const override { return L"TSizeConstraints"; }
    void CopyFrom(const TPersistent* source) override;
    const PropertyTable& Published() const override { return ClassProperties(); }
    static const PropertyTable& ClassProperties();

    int MaxHeight() const noexcept { return maxHeight_; }
    void SetMaxHeight(int value) { maxHeight_ = value; }
    int MaxWidth() const noexcept { return maxWidth_; }
    void SetMaxWidth(int value) { maxWidth_ = value; }
    int MinHeight() const noexcept { return minHeight_; }
    void SetMinHeight(int value) { minHeight_ = value; }
    int MinWidth() const noexcept { return minWidth_; }
    void SetMinWidth(int value) { minWidth_ = value; }

private:
    int maxHeight_ = 0, maxWidth_ = 0, minHeight_ = 0, minWidth_ = 0;
};

} // namespace plaxor
