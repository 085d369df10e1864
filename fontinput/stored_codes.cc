#include "fontinput/stored_codes.h"

#include "fontinput/dbcs_codes.h"
#include "fontinput/font_header.h"
#include "fontinput/glyph_bitmap.h"
#include "fontinput/glyph_size.h"

StoredCodes ForEachStoredCode(const uint8_t* data, size_t size, FontKind kind,
                              Station station,
                              void (*store)(void* context, int high, int low),
                              void* context) {
  StoredCodes counts;
  DbcsFontHeader header = {};
  DecodeFontHeader(data, &header);
  if (kind == FontKind::kDbcs) DecodeDbcsVectors(data, &header);
  const size_t glyph_size = FileGlyphSize(header.height);
  const int height = static_cast<int>(header.height);
  const int bytes_per_row = RowBytesTaken(kind, station, header.width);
  size_t at = kind == FontKind::kDbcs ? kDbcsHeaderSize : kSbcsHeaderSize;
  auto next = [&]() -> const uint8_t* {
    if (size < at || size - at < glyph_size) return nullptr;
    const uint8_t* glyph = data + at;
    at += glyph_size;
    ++counts.glyphsRead;
    return glyph;
  };
  if (kind == FontKind::kSbcs) {
    if (header.lastChar >= header.firstChar) {
      counts.glyphsImplied = size_t(header.lastChar - header.firstChar) + 1;
    }
    for (unsigned c = header.firstChar; c <= header.lastChar; ++c) {
      if (next() == nullptr) break;
      store(context, 0, static_cast<int>(c & 0xFF));
    }
    return counts;
  }
  ForEachDbcsCode(header.fontVector1, header.fontVector2, header.lastChar,
                  [&counts](int, int) {
                    ++counts.glyphsImplied;
                    return true;
                  });
  ForEachDbcsCodeOfFile(
      header.fontVector1, header.fontVector2, header.lastChar,
      [&](int lead, int trail) {
        const uint8_t* glyph = next();
        if (glyph == nullptr) return false;
        // The loaders store no DBCS glyph whose taken bytes are all clear.
        uint8_t bitmap[kBitmapBufferSize];
        const int m = UnpackGlyphRows(glyph, height, bytes_per_row, bitmap);
        for (int i = 0; i < m; ++i) {
          if (bitmap[i] != 0) {
            store(context, lead, trail);
            break;
          }
        }
        return true;
      });
  return counts;
}
