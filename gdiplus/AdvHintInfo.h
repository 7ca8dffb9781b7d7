#pragma once
// The information of an Office-style hint that a control carries: title, notes, picture and
// whether to show help. Only carried, copied and stored in layouts; nothing displays it.
#include <memory>
#include <string>

#include "framework/Persistent.h"
#include "framework/Strings.h"
#include "gdiplus/GDIPPicture.h"

namespace plaxor {

class TAdvHintInfo : public TPersistent {
public:
    TAdvHintInfo();
    ~TAdvHintInfo() override;
    std::wstring ClassName() const override { return L"TAdvHintInfo"; }
    static const PropertyTable& ClassProperties();
    const PropertyTable& Published() const override { return ClassProperties(); }

    // From another TAdvHintInfo: title, notes, ShowHelp, then the picture. Anything else,
    // nil included, is ignored without a word.
    void CopyFrom(const TPersistent* source) override;

    const std::wstring& Title() const noexcept { return title; }
    void SetTitle(const std::wstring& value) { title = value; }
    // The owned list; it is never replaced, so the reference stays valid.
    TStrings* Notes() const noexcept { return notes.get(); }
    void SetNotes(const TStrings* value) { notes->CopyFrom(value); }
    // The owned picture; it is never replaced. Setting copies with the picture's CopyFrom.
    TGDIPPicture* Picture() const noexcept { return picture.get(); }
    void SetPicture(const TPersistent* value) { picture->CopyFrom(value); }
    bool ShowHelp() const noexcept { return showHelp; }
    void SetShowHelp(bool value) { showHelp = value; }

private:
    std::wstring title;
    std::unique_ptr<TStringList> notes;
    std::unique_ptr<TGDIPPicture> picture;
    bool showHelp = false;
};

} // namespace plaxor
