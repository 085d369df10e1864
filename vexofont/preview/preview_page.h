// The interactive preview page: one self-contained HTML file that holds
// the font's glyphs as the stations print them and the code page's
// characters, and draws what is typed in its text box with the same
// layout and the same pixels as the PNG picture.
#ifndef VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_PAGE_H_
#define VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_PAGE_H_

#include <cstdint>
#include <string>
#include <vector>

#include "vexofont/preview/receipt_layout.h"
#include "vexofont/readers/shown_font.h"

namespace vexo {

// The page, with `text` in its text box.
std::string PreviewPage(const ShownFont& font,
                        const std::vector<TextCharacter>& text,
                        const std::vector<StationPicture>& pictures,
                        const StationSetting settings[2], uint16_t codePage,
                        bool sideBySide);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_PAGE_H_
