// The codes `show --text` chooses: each character of a UTF-8 text as a
// code page has it, the single-byte half first, then the double-byte
// codes.
#ifndef VEXOCNVT_VEXOFONT_SHOW_TEXT_CODES_H_
#define VEXOCNVT_VEXOFONT_SHOW_TEXT_CODES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "vexofont/show/code_selection.h"
#include "vexofont/readers/shown_font.h"

namespace vexo {

// The code page whose characters --text names: `option` when given (as
// make's --code-page takes it), else the file's own. Returns false, with
// the reason in *error, when vexofont knows no code page of that number.
bool TextCodePage(const std::string& option, const ShownFont& font,
                  uint16_t* codePage, std::string* error);

// Appends to *codes one range per character of `text` that code page
// `codePage` holds and the font has a glyph for, in the text's order, each
// code once; *notes gets a line for each character left out (not in the
// code page, or no glyph). Returns false, with the reason in *error, for
// text that is not UTF-8.
bool CodesOfText(const std::string& text, uint16_t codePage,
                 const ShownFont& font, std::vector<CodeRange>* codes,
                 std::vector<std::string>* notes, std::string* error);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_SHOW_TEXT_CODES_H_
