#pragma once
// The readers under test, each driven the way the program uses it: read the input, then use
// what was read (load it into components, measure it, draw it, write it back). A bad input
// must end in a framework Exception; a wrong result raises MutationDefect.
#include <cstdint>
#include <string>
#include <vector>

namespace plaxor::test {

using ByteInput = std::vector<std::uint8_t>;
using TextInput = std::vector<wchar_t>;

// ReadLayoutText (a resolver that knows one file), both written forms read back equal, then
// LoadLayout into a window root with buttons, panels and picture holders.
void ReadLayoutTextInput(const TextInput& text);
// A layout of a real form (TForm with labels, images and speed buttons): read, loaded, then
// the form's window made and painted into a bitmap.
void ReadFormLayoutInput(const TextInput& text);
// The program's main window (Tkelt, with its glow buttons) made from a mutant of the layout
// the program embeds, its status shown from an in-memory registry, then the window and each
// glow button painted into bitmaps.
void ReadKeltLayoutInput(const TextInput& text);
void ReadKeltLayoutBinaryInput(const ByteInput& data);
// The same for a form's layout in the binary form.
void ReadFormLayoutBinaryInput(const ByteInput& data);
// ReadLayoutBinary, the same checks and loading.
void ReadLayoutBinaryInput(const ByteInput& data);
// TBitmap::LoadImage (a plain BMP file) or ReadLayoutData (length-prefixed), drawing it
// keyed, blended and stretched, and a BMP round trip.
void ReadBmpInput(const ByteInput& data);
// TJPEGImage::LoadImage or ReadLayoutData, drawing it, its bytes saved unchanged.
void ReadJpegInput(const ByteInput& data);
// TGDIPPicture::LoadImage (measuring through GDI+), UpdateImageSize and DrawInRect into a
// 32-bit DIB (BMP files through the framework bitmap).
void ReadGdipPictureInput(const ByteInput& data);
// A glow button's picture: the bytes in a TGDIPPicture that the button paints at its own
// size and forced to 16 x 16, face and caption around it.
void ReadGlowPictureInput(const ByteInput& data);
// TPicture's "Data" layout property, drawing the graphic, writing "Data" back and reading it.
void ReadPictureDataInput(const ByteInput& data);
// TRegistry::ReadText of a value in the in-memory registry: four bytes of type, one byte of
// flags (bit 0: the read fails), then the value's bytes.
void ReadRegistryTextInput(const ByteInput& data);

// Runs a regression input through the reader its file name starts with ("bmp-...").
// False when no reader has that name.
bool ReadRegressionInput(const std::string& fileName, const ByteInput& bytes);

} // namespace plaxor::test
