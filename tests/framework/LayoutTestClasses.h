#pragma once
// Small published classes for the layout tests: a window root with handlers and fields,
// a button with every kind of property, a panel that contains other components.
#include "framework/LayoutLoader.h"
#include "framework/Strings.h"
#include <map>
#include <memory>

namespace plaxor {

enum TTestLayout : std::uint8_t { tlLeft, tlTop, tlRight };
enum TTestStyle : std::uint8_t { tsBold, tsItalic, tsUnderline };
template <> struct EnumNames<TTestLayout> {
    static constexpr std::wstring_view names[] = {L"tlLeft", L"tlTop", L"tlRight"};
};
template <> struct EnumNames<TTestStyle> {
    static constexpr std::wstring_view names[] = {L"tsBold", L"tsItalic", L"tsUnderline"};
};

// What the test components did while loading, in order.
inline std::vector<std::wstring>& LoadLog() {
    static std::vector<std::wstring> log;
    return log;
}
inline int& LiveComponents() {
    static int count = 0;
    return count;
}

class TTestFont : public TPersistent {
public:
    std::wstring ClassName() const override { return L"TTestFont"; }
    const std::wstring& Name() const { return name_; }
    void SetName(const std::wstring& v) { name_ = v; }
    int Height() const { return height_; }
    void SetHeight(int v) { height_ = v; }
    std::uint8_t Style() const { return style_; }
    void SetStyle(std::uint8_t v) { style_ = v; }
    static const PropertyTable& ClassProperties() {
        static const PropertyTable table(
            &TPersistent::ClassProperties(),
            {props::String(L"Name", &TTestFont::Name, &TTestFont::SetName, std::wstring(L"Tahoma")),
             props::Integer(L"Height", &TTestFont::Height, &TTestFont::SetHeight, -11),
             props::Set<TTestStyle>(L"Style", &TTestFont::Style, &TTestFont::SetStyle, 0u)});
        return table;
    }
    const PropertyTable& Published() const override { return ClassProperties(); }

private:
    std::wstring name_ = L"Tahoma";
    int height_ = -11;
    std::uint8_t style_ = 0;
};

// Keeps bytes as they are, stored as "Data" only when there are any.
class TTestPicture : public TPersistent {
public:
    std::wstring ClassName() const override { return L"TTestPicture"; }
    Bytes data;
    static const PropertyTable& ClassProperties() {
        static const PropertyTable table(
            &TPersistent::ClassProperties(),
            {props::Custom(
                L"Data",
                [](const TPersistent& o) -> std::optional<LayoutValue> {
                    const Bytes& d = props::Self<TTestPicture>(o).data;
                    if (d.empty()) return std::nullopt;
                    return LayoutValue(d);
                },
                [](TPersistent& o, const LayoutValue& v, LayoutContext&) {
                    props::Self<TTestPicture>(o).data = props::AsBytes(v, L"Data");
                })});
        return table;
    }
    const PropertyTable& Published() const override { return ClassProperties(); }
};

class TTestButton : public TComponent {
public:
    explicit TTestButton(TComponent* owner) : TComponent(owner) { ++LiveComponents(); }
    ~TTestButton() override { --LiveComponents(); }
    std::wstring ClassName() const override { return L"TTestButton"; }

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& v) {
        caption_ = v;
        captionSetWhileLoading = IsLoading();
    }
    int Width() const { return width_; }
    void SetWidth(int v) { width_ = v; }
    int Left() const { return left_; }
    void SetLeft(int v) { left_ = v; }
    std::int8_t Tag() const { return tag_; }
    void SetTag(std::int8_t v) { tag_ = v; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v) { enabled_ = v; }
    TTestLayout Layout() const { return layout_; }
    void SetLayout(TTestLayout v) { layout_ = v; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool v) { parentFont_ = v; }
    TTestFont* Font() const { return font_.get(); }
    TStringList* Notes() const { return notes_.get(); }
    TTestPicture* Picture() const { return picture_.get(); }
    TTestButton* Buddy() const { return buddy_; }
    void SetBuddy(TTestButton* v) { buddy_ = v; }

    double ratio = 1.0;
    TNotifyEvent OnClick;
    TComponent* parent = nullptr;
    bool captionSetWhileLoading = false;

    void SetParentComponent(TComponent* p) override { parent = p; }

    static const PropertyTable& ClassProperties() {
        static const PropertyTable table(
            &TComponent::ClassProperties(),
            {props::String(L"Caption", &TTestButton::Caption, &TTestButton::SetCaption,
                           std::wstring()),
             props::Integer(L"Left", &TTestButton::Left, &TTestButton::SetLeft, 0),
             props::Integer(L"Width", &TTestButton::Width, &TTestButton::SetWidth, 75),
             props::Integer(L"Tag", &TTestButton::Tag, &TTestButton::SetTag, 0),
             props::Boolean(L"Enabled", &TTestButton::Enabled, &TTestButton::SetEnabled, true),
             props::Enum(L"Layout", &TTestButton::Layout, &TTestButton::SetLayout,
                         std::optional<TTestLayout>(tlLeft)),
             props::Custom(
                 L"Ratio",
                 [](const TPersistent& o) -> std::optional<LayoutValue> {
                     const double r = props::Self<TTestButton>(o).ratio;
                     if (r == 1.0) return std::nullopt;
                     return LayoutValue(r);
                 },
                 [](TPersistent& o, const LayoutValue& v, LayoutContext&) {
                     const double* r = std::get_if<double>(&v);
                     if (!r) props::BadValue(L"Ratio");
                     props::Self<TTestButton>(o).ratio = *r;
                 }),
             props::Boolean(L"ParentFont", &TTestButton::ParentFont, &TTestButton::SetParentFont,
                            true),
             props::Object(
                 L"Font", &TTestButton::Font,
                 [](const TPersistent& o) { return !props::Self<TTestButton>(o).ParentFont(); }),
             props::Strings(L"Notes", &TTestButton::Notes),
             props::Object(L"Picture", &TTestButton::Picture),
             props::Reference(L"Buddy", &TTestButton::Buddy, &TTestButton::SetBuddy),
             props::Event(L"OnClick", &TTestButton::OnClick)});
        return table;
    }
    const PropertyTable& Published() const override { return ClassProperties(); }

protected:
    void AfterLoad() override {
        LoadLog().push_back(Name() + (buddy_ ? L" buddy " + buddy_->Name() : L""));
    }

private:
    std::wstring caption_;
    int width_ = 75;
    int left_ = 0;
    std::int8_t tag_ = 0;
    bool enabled_ = true;
    TTestLayout layout_ = tlLeft;
    bool parentFont_ = true;
    std::unique_ptr<TTestFont> font_ = std::make_unique<TTestFont>();
    std::unique_ptr<TStringList> notes_ = std::make_unique<TStringList>();
    std::unique_ptr<TTestPicture> picture_ = std::make_unique<TTestPicture>();
    TTestButton* buddy_ = nullptr;
};

class TTestPanel : public TComponent {
public:
    explicit TTestPanel(TComponent* owner) : TComponent(owner) { ++LiveComponents(); }
    ~TTestPanel() override { --LiveComponents(); }
    std::wstring ClassName() const override { return L"TTestPanel"; }
    TComponent* parent = nullptr;
    void SetParentComponent(TComponent* p) override { parent = p; }

protected:
    void AfterLoad() override { LoadLog().push_back(Name()); }
};

class TTestWindow : public TComponent, public ILayoutRoot {
public:
    TTestWindow() : TComponent(nullptr) {}
    ~TTestWindow() override { FreeOwnedComponents(); }
    std::wstring ClassName() const override { return L"TTestWindow"; }

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& v) { caption_ = v; }
    int ClientHeight() const { return clientHeight_; }
    void SetClientHeight(int v) { clientHeight_ = v; }
    TTestFont* Font() const { return font_.get(); }
    TNotifyEvent OnShow;

    int shows = 0;
    int clicks = 0;
    TObject* lastSender = nullptr;
    std::map<std::wstring, TComponent*> fields;

    TNotifyEvent FindEventHandler(const std::wstring& name) override {
        if (name == L"FormShow") return [this](TObject*) { ++shows; };
        if (name == L"ButtonClick")
            return [this](TObject* sender) {
                ++clicks;
                lastSender = sender;
            };
        return {};
    }
    void BindField(const std::wstring& name, TComponent* component) override {
        fields[name] = component;
    }

    static const PropertyTable& ClassProperties() {
        static const PropertyTable table(
            &TComponent::ClassProperties(),
            {props::String(L"Caption", &TTestWindow::Caption, &TTestWindow::SetCaption,
                           std::nullopt),
             props::Integer(L"ClientHeight", &TTestWindow::ClientHeight,
                            &TTestWindow::SetClientHeight, std::nullopt),
             props::Object(L"Font", &TTestWindow::Font),
             props::Event(L"OnShow", &TTestWindow::OnShow)});
        return table;
    }
    const PropertyTable& Published() const override { return ClassProperties(); }

protected:
    void AfterLoad() override { LoadLog().push_back(L"window"); }

private:
    std::wstring caption_;
    int clientHeight_ = 0;
    std::unique_ptr<TTestFont> font_ = std::make_unique<TTestFont>();
};

inline ComponentFactory TestFactory() {
    ComponentFactory factory;
    factory.Register<TTestButton>(L"TTestButton");
    factory.Register<TTestPanel>(L"TTestPanel");
    return factory;
}

} // namespace plaxor
