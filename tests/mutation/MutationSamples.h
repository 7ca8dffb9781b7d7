#pragma once
// The valid inputs every reader's mutants start from, made here (or the program's own
// pictures), and the components a mutated layout may create.
#include <memory>
#include <string>

#include "framework/Picture.h"
#include "gdiplus/GDIPPicture.h"
#include "tests/framework/LayoutTestClasses.h"
#include "tests/mutation/Mutator.h"
#include "tests/support/EmbeddedFile.h"

namespace plaxor::test {

// A component holding both kinds of picture, so that layouts carry image data into them.
class TMutationImage : public TComponent {
public:
    explicit TMutationImage(TComponent* owner);
    ~TMutationImage() override;
    std::wstring ClassName() const override { return L"TMutationImage"; }
    TPicture* Picture() const { return picture_.get(); }
    TGDIPPicture* Glyph() const { return glyph_.get(); }
    static const PropertyTable& ClassProperties();
    const PropertyTable& Published() const override { return ClassProperties(); }

private:
    std::unique_ptr<TPicture> picture_ = std::make_unique<TPicture>();
    std::unique_ptr<TGDIPPicture> glyph_ = std::make_unique<TGDIPPicture>();
};

// Built in from app/resources and tests/mutation/regressions at configure time.
std::vector<EmbeddedFile> ProgramPictures();
std::vector<EmbeddedFile> RegressionInputs();

// TTestButton, TTestPanel and TMutationImage.
const ComponentFactory& MutationFactory();
// A layout's "file 'glyph.bmp'" is the program's glyph; any other name is missing.
plaxor::Bytes ResolveFile(const std::wstring& name);

// TLabel, TImage and TSpeedButton, counted in LiveComponents, for layouts of a real form.
const ComponentFactory& FormFactory();

MutationCorpus<wchar_t> LayoutTextCorpus();
// A form laid out like Plaxor's main window, with the program's own pictures.
MutationCorpus<wchar_t> FormLayoutCorpus();
LayoutNode FormLayoutTree();
// The main window's layout as the program embeds it.
MutationCorpus<wchar_t> KeltLayoutCorpus();
LayoutNode KeltLayoutTree();
MutationCorpus<std::uint8_t> LayoutBinaryCorpus();
MutationCorpus<std::uint8_t> BmpCorpus();
MutationCorpus<std::uint8_t> JpegCorpus();
MutationCorpus<std::uint8_t> GdipPictureCorpus();
MutationCorpus<std::uint8_t> PictureDataCorpus();
// The pictures' layout data of PictureDataCorpus, made once.
const std::vector<plaxor::Bytes>& PictureDataSamples();
MutationCorpus<std::uint8_t> RegistryTextCorpus();

} // namespace plaxor::test
