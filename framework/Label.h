#pragma once
// A line (or lines) of text painted on the parent, in the control's font.
#include "GraphicControl.h"

namespace plaxor {

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);
    std::wstring ClassName() const override { return L"TLabel"; }
    static const PropertyTable& ClassProperties();
    const PropertyTable& Published() const override { return ClassProperties(); }

    TAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TAlignment value);
    // On: the label takes the size of its text (a right-aligned label keeps its right edge).
    // Off: the box stays as set and the text is aligned in it.
    bool AutoSize() const noexcept { return autoSize_; }
    void SetAutoSize(bool value);
    // On: nothing behind the text is painted. Off: the label's colour (its parent's while
    // ParentColor) is painted behind it.
    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool value);
    bool WordWrap() const noexcept { return wordWrap_; }
    void SetWordWrap(bool value);
    // On: "&x" underlines x and "&&" shows one ampersand.
    bool ShowAccelChar() const noexcept { return showAccelChar_; }
    void SetShowAccelChar(bool value);

    void WindowProc(TMessage& message) override;

protected:
    void Paint() override;
    void FontChanged() override;
    void AfterLoad() override;

private:
    UINT TextFlags() const;
    void AdjustBounds();

    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = true;
    bool transparent_ = false;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
};

} // namespace plaxor
