// The text `vexofont preview` draws: read from an option, a file or
// standard input within a bound, and each character found in a code page.
#ifndef VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_TEXT_H_
#define VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "vexofont/preview/receipt_layout.h"

namespace vexo {

// The most text read, in bytes, and the most lines a station's picture has.
constexpr size_t kMaxPreviewText = 16 * 1024;
constexpr int kMaxPreviewLines = 400;

// Reads the text of `file` ("-" for standard input) into *text, at most
// kMaxPreviewText bytes. Returns false with the reason (naming the file)
// in *error.
bool ReadPreviewText(const std::string& file, std::string* text,
                     std::string* error);

// The characters of UTF-8 `text` with their codes in code page `codePage`
// (its single-byte half first, then its double-byte codes), or of the
// equivalent it holds (〜 as ～): a line feed ends a line, a tab is one
// (TextCharacter::tab), a carriage return and a leading byte-order mark
// are left out, other control characters have no code (drawn as the
// mark).
// Returns false with the reason in *error when the text is not UTF-8 or
// vexofont knows no code page of that number.
bool TextCharacters(const std::string& text, uint16_t codePage,
                    std::vector<TextCharacter>* characters, std::string* error);

// The codes a printer set to `codePage` reads from `bytes`, as an
// application sends them: a lead byte and the trail byte after it one
// DBCS code, any other byte an SBCS code; a line feed ends a line, a tab
// is one, a carriage return is skipped, other control bytes and a lead
// byte without its trail have no code (drawn as the mark). `character`
// is the code's character where the code page has one, else 0.
void ByteCharacters(const std::string& bytes, uint16_t codePage,
                    std::vector<TextCharacter>* characters);

// "byte 0x07" or "bytes 0x81 0x40" at "offset N" of a character read
// from bytes; its U+ name otherwise (the number alone for a control
// character, which has no picture).
std::string ReadAs(const TextCharacter& c);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_TEXT_H_
