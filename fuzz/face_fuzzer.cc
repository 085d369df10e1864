// Lists the faces of fuzzer-made font files and collections and opens one
// of them as `vexofont make --list-faces` and `--face N` do (TrueType
// collections, gzip-compressed or not, read once and shared between faces),
// to prove that no collection makes listing or choosing a face crash,
// overrun, leak or loop; that the list is bounded and numbered in order;
// and that a face the file lacks is refused with the faces it has.
//
// Input: one selector byte, then the font file. Bits 0-2 choose the face
// (0 to 5, then 299 and 65535), bit 3 stores the file gzip-compressed, bit 4
// draws from the face on a 24x24 cell (else 8x16).
#include <string>
#include <vector>

#include "fuzz/fuzz_gzip.h"
#include "fuzz/fuzz_support.h"
#include "vexofont/make/source_font.h"

namespace vexo {

namespace {

constexpr int kFaces[] = {0, 1, 2, 3, 4, 5, 299, 65535};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t selector = data[0];
  static const std::string path = FuzzScratchDir() + "/collection";
  const bool saved = (selector & 8) != 0
                         ? SaveCompressed(path, data + 1, size - 1)
                         : SaveScratchFile(path, data + 1, size - 1);
  FUZZ_CHECK(saved);

  long count = 0;
  std::vector<std::string> faces;
  {
    SourceFont font;
    std::string error;
    if (!font.ListFaces(path, &faces, &count, &error)) {
      FUZZ_CHECK(!error.empty());
      count = -1;
    } else {
      FUZZ_CHECK(count >= 1 || faces.empty());
      FUZZ_CHECK(static_cast<long>(faces.size()) <= kMaxListedFaces);
      FUZZ_CHECK(static_cast<long>(faces.size()) <= count || count <= 0);
      for (size_t i = 0; i < faces.size(); ++i) {
        FUZZ_CHECK(faces[i].rfind(std::to_string(i), 0) == 0);
      }
    }
  }
  RenderOptions options;
  options.face = kFaces[selector & 7];
  const CellSize cell = (selector & 16) != 0 ? CellSize{24, 24} : CellSize{8, 16};
  SourceFont font;
  std::string error;
  if (!font.Open(path, cell, options, &error)) {
    FUZZ_CHECK(!error.empty());
    // A face past those a readable file has is named as such.
    if (count > 0 && options.face >= count && options.face > 0) {
      FUZZ_CHECK(error.rfind("has no face " + std::to_string(options.face), 0) == 0);
    }
    return 0;
  }
  FUZZ_CHECK(count < 0 || options.face < count || options.face == 0);
  for (uint32_t code : {0x41u, 0x61u, 0x3042u, 0x4E00u, 0xAC00u}) {
    CellGlyph glyph;
    font.DrawGlyph(code, &glyph);
    FUZZ_CHECK(glyph.rows.size() == size_t(cell.height));
    const uint32_t outside = cell.width >= 32 ? 0 : 0xFFFFFFFFu >> cell.width;
    for (uint32_t row : glyph.rows) FUZZ_CHECK((row & outside) == 0);
  }
  return 0;
}

}  // namespace vexo
