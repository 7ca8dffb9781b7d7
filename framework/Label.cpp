#include "Label.h"
#include "Properties.h"

namespace plaxor {

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle().With(csReplicatable));
    SetBounds(0, 0, 65, 17);
}

UINT TLabel::TextFlags() const {
    UINT flags = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0u);
    if (alignment_ == taRightJustify) flags |= DT_RIGHT;
    if (alignment_ == taCenter) flags |= DT_CENTER;
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    return flags;
}

void TLabel::AdjustBounds() {
    if (!autoSize_ || IsLoading()) return;
    WindowDC screen(nullptr);
    TCanvas canvas(screen.get());
    canvas.Font().CopyFrom(Font());
    // An empty caption still takes the height of a line.
    const std::wstring text = Caption().empty() ? std::wstring(L" ") : Caption();
    RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
    canvas.DrawText(text, r, TextFlags() | DT_CALCRECT);
    canvas.SetHandle(nullptr);
    const int width = wordWrap_ ? Width() : r.right;
    const int left = alignment_ == taRightJustify ? Left() + Width() - width : Left();
    SetBounds(left, Top(), width, r.bottom);
}

void TLabel::SetAlignment(TAlignment value) {
    if (alignment_ == value) return;
    alignment_ = value;
    RequestRepaint();
}

void TLabel::SetAutoSize(bool value) {
    if (autoSize_ == value) return;
    autoSize_ = value;
    AdjustBounds();
}

void TLabel::SetTransparent(bool value) {
    if (transparent_ == value) return;
    transparent_ = value;
    RequestRepaint();
}

void TLabel::SetWordWrap(bool value) {
    if (wordWrap_ == value) return;
    wordWrap_ = value;
    AdjustBounds();
    RequestRepaint();
}

void TLabel::SetShowAccelChar(bool value) {
    if (showAccelChar_ == value) return;
    showAccelChar_ = value;
    AdjustBounds();
    RequestRepaint();
}

void TLabel::AfterLoad() {
    TGraphicControl::AfterLoad();
    AdjustBounds();
}

void TLabel::FontChanged() {
    AdjustBounds();
    TGraphicControl::FontChanged();
}

void TLabel::WindowProc(TMessage& message) {
    switch (message.Msg) {
    case CM_TEXTCHANGED:
        AdjustBounds();
        RequestRepaint();
        break;
    default: TGraphicControl::WindowProc(message); break;
    }
}

void TLabel::Paint() {
    TCanvas& canvas = Canvas();
    RECT r{0, 0, Width(), Height()};
    if (!transparent_) {
        canvas.Brush().SetColor(Color());
        canvas.FillRect(r);
    }
    canvas.Brush().SetStyle(bsClear);
    const UINT flags = TextFlags();
    if (Enabled()) {
        canvas.DrawText(Caption(), r, flags);
        return;
    }
    // Disabled text: a light copy one pixel down and right under a shadow-coloured one.
    RECT light = r;
    ::OffsetRect(&light, 1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawText(Caption(), light, flags);
    canvas.Font().SetColor(clBtnShadow);
    canvas.DrawText(Caption(), r, flags);
}

const PropertyTable& TLabel::ClassProperties() {
    using C = TLabel;
    static const PropertyTable table(
        &TGraphicControl::ClassProperties(),
        {
            props::Enum(L"Alignment", &C::Alignment, &C::SetAlignment,
                        std::optional<TAlignment>(taLeftJustify)),
            props::Boolean(L"AutoSize", &C::AutoSize, &C::SetAutoSize, true),
            props::Boolean(L"Transparent", &C::Transparent, &C::SetTransparent, false),
            props::Boolean(L"WordWrap", &C::WordWrap, &C::SetWordWrap, false),
            props::Boolean(L"ShowAccelChar", &C::ShowAccelChar, &C::SetShowAccelChar, true),
        });
    return table;
}

} // namespace plaxor
