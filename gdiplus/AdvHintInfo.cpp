#include "gdiplus/AdvHintInfo.h"

#include "framework/Properties.h"

namespace plaxor {

TAdvHintInfo::TAdvHintInfo()
    : notes(std::make_unique<TStringList>()), picture(std::make_unique<TGDIPPicture>()) {}

TAdvHintInfo::~TAdvHintInfo() {
    // The list goes first, then the picture.
    notes.reset();
    picture.reset();
}

const PropertyTable& TAdvHintInfo::ClassProperties() {
    static const PropertyTable table(
        &TPersistent::ClassProperties(),
        {
            props::String(L"Title", &TAdvHintInfo::Title, &TAdvHintInfo::SetTitle, std::wstring()),
            props::Strings(L"Notes", &TAdvHintInfo::Notes),
            props::Object(L"Picture", &TAdvHintInfo::Picture),
            props::Boolean(L"ShowHelp", &TAdvHintInfo::ShowHelp, &TAdvHintInfo::SetShowHelp, false),
        });
    return table;
}

void TAdvHintInfo::CopyFrom(const TPersistent* source) {
    const auto* other = dynamic_cast<const TAdvHintInfo*>(source);
    if (!other || other == this) return;
    title = other->title;
    notes->CopyFrom(other->notes.get());
    showHelp = other->showHelp;
    picture->CopyFrom(other->picture.get());
}

} // namespace plaxor
