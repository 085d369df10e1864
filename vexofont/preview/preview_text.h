// The text `vexofont preview` draws: read from an option, a file or
// standard input within a bound, and each character found in a code page.
#ifndef VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_TEXT_H_
#define VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "vexofont/preview/receipt_layout.h"

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

#endif  // VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_TEXT_H_
