#include "tests/mutation/LayoutValueMutator.h"

#include <climits>
#include <string>

#include "tests/support/LayoutBinary.h"
#include "tests/mutation/MutationSamples.h"

namespace plaxor::test {

namespace {

// What the form's components publish, and a few names nobody does.
constexpr const wchar_t* kProperties[] = {
    L"Left",
    L"Top",
    L"Width",
    L"Height",
    L"Caption",
    L"Align",
    L"Anchors",
    L"AutoSize",
    L"WordWrap",
    L"Alignment",
    L"Transparent",
    L"ShowAccelChar",
    L"Center",
    L"Picture.Data",
    L"Glyph.Data",
    L"NumGlyphs",
    L"Spacing",
    L"Flat",
    L"Font.Height",
    L"Font.Name",
    L"Font.Style",
    L"Font.Color",
    L"Font.Charset",
    L"Color",
    L"ParentColor",
    L"ParentFont",
    L"Visible",
    L"Enabled",
    L"Hint",
    L"ShowHint",
    L"Constraints.MinWidth",
    L"Constraints.MaxWidth",
    L"Constraints.MinHeight",
    L"Constraints.MaxHeight",
    L"ClientWidth",
    L"ClientHeight",
    L"BorderStyle",
    L"BorderIcons",
    L"Position",
    L"TabOrder",
    L"TabStop",
    L"HelpContext",
    L"DragMode",
    L"PixelsPerInch",
    L"Picture",
    L"Font.Nothing",
    L"Nothing",
};

constexpr std::int64_t kIntegers[] = {
    0,      1,       -1,      2,       7,          13,          255,       256,
    -256,   4096,    -4096,   16384,   -16384,     32767,       -32768,    65535,
    100000, -100000, INT_MAX, INT_MIN, 2147483648, -2147483649, LLONG_MAX, LLONG_MIN,
};

constexpr const wchar_t* kIdents[] = {
    L"clRed",         L"clBtnFace",      L"clNone",           L"clDefault",   L"clWindowText",
    L"taCenter",      L"alClient",       L"alCustom",         L"alBottom",    L"bsNone",
    L"bsSizeToolWin", L"poScreenCenter", L"poMainFormCenter", L"dmAutomatic", L"nothing",
    L"FormShow",
};

constexpr const wchar_t* kSetMembers[] = {
    L"akLeft", L"akRight",  L"akTop",       L"akBottom",    L"biSystemMenu", L"biHelp",
    L"fsBold", L"fsItalic", L"fsUnderline", L"fsStrikeOut", L"bogus",
};

std::wstring RandomText(SplitMix64& rng) {
    switch (rng.Below(10)) {
    case 0: return L"";
    case 1: return L"&";
    case 2: return L"a&&b&";
    case 3: return std::wstring(300, L'W');
    case 4: return std::wstring(20000, L'x');
    case 5: return L"line\r\nbreak\tand tab";
    case 6: return std::wstring(L"nul\0inside", 10);
    case 7: return L"\u00e9\u20ac\U0001F600";
    case 8: return std::wstring(1, static_cast<wchar_t>(0xD800));
    default: return L"%s%s%n";
    }
}

plaxor::Bytes RandomPicture(SplitMix64& rng) {
    const std::vector<plaxor::Bytes>& pictures = PictureDataSamples();
    plaxor::Bytes bytes = pictures[rng.Below(pictures.size())];
    if (rng.OneIn(3) && !bytes.empty()) // and now and then damaged
        bytes[rng.Below(bytes.size())] = static_cast<std::uint8_t>(rng.Next());
    return bytes;
}

LayoutValue RandomValue(SplitMix64& rng, const LayoutValue* old) {
    // Mostly a value of the kind already there, so that it is applied rather than refused.
    std::size_t kind = rng.Below(10);
    if (old && rng.OneIn(3) == false) kind = old->index();
    switch (kind) {
    case 0: return std::monostate{};
    case 1:
        return rng.OneIn(2) ? static_cast<std::int64_t>(rng.Below(4000)) - 2000
                            : kIntegers[rng.Below(std::size(kIntegers))];
    case 2: return rng.OneIn(2) ? 0.5 : -1e300;
    case 3: return rng.OneIn(2);
    case 4: return RandomText(rng);
    case 5: return Ident{kIdents[rng.Below(std::size(kIdents))]};
    case 6: {
        SetValue set;
        for (const wchar_t* member : kSetMembers)
            if (rng.OneIn(3)) set.members.emplace_back(member);
        return set;
    }
    case 7: return RandomPicture(rng);
    case 8: {
        StringList lines(rng.OneIn(4) ? 1000 : 2);
        for (std::wstring& line : lines)
            line = RandomText(rng);
        return lines;
    }
    default: return Ident{L"nothing"};
    }
}

// Every node of the tree, root first.
void Collect(LayoutNode& node, std::vector<LayoutNode*>& out) {
    out.push_back(&node);
    for (LayoutNode& child : node.children)
        Collect(child, out);
}

void Edit(LayoutNode& root, SplitMix64& rng, int& serial) {
    std::vector<LayoutNode*> nodes;
    Collect(root, nodes);
    LayoutNode& node = *nodes[rng.Below(nodes.size())];
    const std::size_t what = rng.Below(20);
    if (what < 10 && !node.properties.empty()) {
        auto& [name, value] = node.properties[rng.Below(node.properties.size())];
        value = RandomValue(rng, &value);
    } else if (what < 15) {
        node.properties.emplace_back(kProperties[rng.Below(std::size(kProperties))],
                                     RandomValue(rng, nullptr));
    } else if (what < 17 && !root.children.empty()) {
        // A copy of a component, usually under a new name.
        LayoutNode copy = root.children[rng.Below(root.children.size())];
        if (!rng.OneIn(4)) copy.name += L"_" + std::to_wstring(++serial);
        (rng.OneIn(5) ? node : root).children.push_back(std::move(copy));
    } else if (what < 19) {
        if (!node.properties.empty() && rng.OneIn(2))
            node.properties.erase(node.properties.begin() +
                                  static_cast<std::ptrdiff_t>(rng.Below(node.properties.size())));
        else if (!node.children.empty())
            node.children.erase(node.children.begin() +
                                static_cast<std::ptrdiff_t>(rng.Below(node.children.size())));
    } else if (root.children.size() >= 2) {
        // A component moved into another one.
        const std::size_t from = rng.Below(root.children.size());
        LayoutNode moved = std::move(root.children[from]);
        root.children.erase(root.children.begin() + static_cast<std::ptrdiff_t>(from));
        root.children[rng.Below(root.children.size())].children.push_back(std::move(moved));
    }
}

} // namespace

plaxor::Bytes MutateLayoutValues(const LayoutNode& sample, SplitMix64& rng) {
    LayoutNode tree = sample;
    int serial = 0;
    const std::size_t edits = 1 + rng.Below(3);
    for (std::size_t i = 0; i < edits; ++i)
        Edit(tree, rng, serial);
    return WriteLayoutBinary(tree);
}

} // namespace plaxor::test
