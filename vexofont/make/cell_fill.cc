#include "vexofont/make/cell_fill.h"

#include <algorithm>

namespace vexo {

namespace {

// The arms of U+2500 to U+257F: up, right, down, left, each 0 (none),
// 1 (light), 2 (heavy) or 3 (double). "-" marks a dashed line or a
// diagonal, drawn apart; arcs are drawn as corners.
const char* const kArms[128] = {
    "0101", "0202", "1010", "2020", "-",    "-",    "-",    "-",     // 2500
    "-",    "-",    "-",    "-",    "0110", "0210", "0120", "0220",  // 2508
    "0011", "0012", "0021", "0022", "1100", "1200", "2100", "2200",  // 2510
    "1001", "1002", "2001", "2002", "1110", "1210", "2110", "1120",  // 2518
    "2120", "2210", "1220", "2220", "1011", "1012", "2011", "1021",  // 2520
    "2021", "2012", "1022", "2022", "0111", "0112", "0211", "0212",  // 2528
    "0121", "0122", "0221", "0222", "1101", "1102", "1201", "1202",  // 2530
    "2101", "2102", "2201", "2202", "1111", "1112", "1211", "1212",  // 2538
    "2111", "1121", "2121", "2112", "2211", "1122", "1221", "2212",  // 2540
    "1222", "2122", "2221", "2222", "-",    "-",    "-",    "-",     // 2548
    "0303", "3030", "0310", "0130", "0330", "0013", "0031", "0033",  // 2550
    "1300", "3100", "3300", "1003", "3001", "3003", "1310", "3130",  // 2558
    "3330", "1013", "3031", "3033", "0313", "0131", "0333", "1303",  // 2560
    "3101", "3303", "1313", "3131", "3333", "0110", "0011", "1001",  // 2568
    "1100", "-",    "-",    "-",    "0001", "1000", "0100", "0010",  // 2570
    "0002", "2000", "0200", "0020", "0201", "2010", "0102", "1020",  // 2578
};

struct Canvas {
  CellSize cell;
  GlyphRows* rows;

  // Sets the dots of columns [x0, x1) in rows [y0, y1), clipped.
  void Fill(int x0, int x1, int y0, int y1) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, cell.width);
    y1 = std::min(y1, cell.height);
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) (*rows)[y] |= 0x80000000u >> x;
    }
  }
  void Set(int x, int y) { Fill(x, x + 1, y, y + 1); }
};

// Where the strokes of an arm lie across its direction: one stroke for a
// light or heavy arm, two for a double one.
struct Across {
  int lo = 0, hi = 0;            // the whole arm
  int lo2 = 0, hi2 = 0;          // a double arm's second stroke
  bool present = false;
  bool isDouble = false;
};

Across AcrossOf(int weight, int size, int light) {
  Across a;
  if (weight == 0) return a;
  a.present = true;
  const int center = size / 2;
  if (weight == 3) {
    // Centred, but with a dot to spare beyond it for an inner corner.
    a.isDouble = true;
    a.lo = std::max(0, std::min(center - (3 * light) / 2, size - 3 * light - 1));
    a.hi = a.lo + light;
    a.lo2 = a.lo + 2 * light;
    a.hi2 = a.lo2 + light;
    return a;
  }
  const int thickness = weight == 2 ? 2 * light : light;
  a.lo = center - thickness / 2;
  a.hi = a.lo + thickness;
  a.lo2 = a.lo;
  a.hi2 = a.hi;
  return a;
}

// The far edge of the whole arm (its second stroke for a double one).
int OuterHi(const Across& a) { return a.isDouble ? a.hi2 : a.hi; }

// A single stroke runs from its edge into the junction: across the arms
// that cross it, up to the near stroke of a double one, or to the centre
// when none crosses it. For strokes running from the high edge towards the
// centre:
int ReachLow(const Across& a, const Across& b, int center) {
  int v = center;
  bool crossed = false;
  for (const Across* x : {&a, &b}) {
    if (!x->present) continue;
    const int edge = x->isDouble ? x->lo2 : x->lo;
    v = crossed ? std::min(v, edge) : edge;
    crossed = true;
  }
  return v;
}

// The same for strokes running from the low edge towards the centre.
int ReachHigh(const Across& a, const Across& b, int center) {
  int v = center;
  bool crossed = false;
  for (const Across* x : {&a, &b}) {
    if (!x->present) continue;
    v = crossed ? std::max(v, x->hi) : x->hi;
    crossed = true;
  }
  return v;
}

// A stroke of a double arm on the side of arm `near` meets that arm's
// nearer stroke; with no arm there it turns the corner to the far stroke
// of the arm `opposite` across; with neither it runs to the centre. For
// strokes running from the high edge towards the centre:
int DoubleEndLow(const Across& near, const Across& opposite, int center) {
  if (near.present) return near.lo2;
  if (opposite.present) return opposite.lo;
  return center;
}

// The same for strokes running from the low edge towards the centre.
int DoubleEndHigh(const Across& near, const Across& opposite, int center) {
  if (near.present) return near.hi;
  if (opposite.present) return OuterHi(opposite);
  return center;
}

void DrawArms(const char* arms, Canvas& canvas, int light) {
  const int w = canvas.cell.width;
  const int h = canvas.cell.height;
  const int cx = w / 2;
  const int cy = h / 2;
  // Vertical arms lie across x, horizontal ones across y.
  const Across up = AcrossOf(arms[0] - '0', w, light);
  const Across right = AcrossOf(arms[1] - '0', h, light);
  const Across down = AcrossOf(arms[2] - '0', w, light);
  const Across left = AcrossOf(arms[3] - '0', h, light);

  if (right.present) {
    if (!right.isDouble) {
      canvas.Fill(ReachLow(up, down, cx), w, right.lo, right.hi);
    } else {
      canvas.Fill(DoubleEndLow(up, down, cx), w, right.lo, right.hi);
      canvas.Fill(DoubleEndLow(down, up, cx), w, right.lo2, right.hi2);
    }
  }
  if (left.present) {
    if (!left.isDouble) {
      canvas.Fill(0, ReachHigh(up, down, cx), left.lo, left.hi);
    } else {
      canvas.Fill(0, DoubleEndHigh(up, down, cx), left.lo, left.hi);
      canvas.Fill(0, DoubleEndHigh(down, up, cx), left.lo2, left.hi2);
    }
  }
  if (down.present) {
    if (!down.isDouble) {
      canvas.Fill(down.lo, down.hi, ReachLow(left, right, cy), h);
    } else {
      canvas.Fill(down.lo, down.hi, DoubleEndLow(left, right, cy), h);
      canvas.Fill(down.lo2, down.hi2, DoubleEndLow(right, left, cy), h);
    }
  }
  if (up.present) {
    if (!up.isDouble) {
      canvas.Fill(up.lo, up.hi, 0, ReachHigh(left, right, cy));
    } else {
      canvas.Fill(up.lo, up.hi, 0, DoubleEndHigh(left, right, cy));
      canvas.Fill(up.lo2, up.hi2, 0, DoubleEndHigh(right, left, cy));
    }
  }
}

// `count` dashes along the cell, horizontal or vertical.
void DrawDashes(Canvas& canvas, bool horizontal, int weight, int count,
                int light) {
  const int length = horizontal ? canvas.cell.width : canvas.cell.height;
  const Across across =
      AcrossOf(weight, horizontal ? canvas.cell.height : canvas.cell.width,
               light);
  const int gap = std::max(1, length / (3 * count));
  for (int i = 0; i < count; ++i) {
    const int start = i * length / count;
    const int end = std::max(start + 1, (i + 1) * length / count - gap);
    if (horizontal) {
      canvas.Fill(start, end, across.lo, across.hi);
    } else {
      canvas.Fill(across.lo, across.hi, start, end);
    }
  }
}

// A line from the top-left corner to the bottom-right one (or, mirrored,
// from the top-right corner), `light` dots thick.
void DrawDiagonal(Canvas& canvas, bool mirrored, int light) {
  const int w = canvas.cell.width;
  const int h = canvas.cell.height;
  for (int y = 0; y < h; ++y) {
    const int x0 = y * w / h;
    const int x1 = std::max(x0 + light, (y + 1) * w / h + light - 1);
    if (mirrored) {
      canvas.Fill(w - x1, w - x0, y, y + 1);
    } else {
      canvas.Fill(x0, x1, y, y + 1);
    }
  }
}

// n eighths of `size`, at least one dot.
int Eighths(int size, int n) { return std::max(1, (size * n + 4) / 8); }

void DrawBlock(uint32_t c, Canvas& canvas) {
  const int w = canvas.cell.width;
  const int h = canvas.cell.height;
  const int halfW = w / 2;
  const int halfH = h / 2;
  if (c == 0x2580) return canvas.Fill(0, w, 0, halfH);
  if (c >= 0x2581 && c <= 0x2588) {
    return canvas.Fill(0, w, h - Eighths(h, int(c - 0x2580)), h);
  }
  if (c >= 0x2589 && c <= 0x258F) {
    return canvas.Fill(0, Eighths(w, int(0x2590 - c)), 0, h);
  }
  if (c == 0x2590) return canvas.Fill(halfW, w, 0, h);
  if (c >= 0x2591 && c <= 0x2593) {
    // Light, medium and dark shade: a quarter, a half and three quarters of
    // the dots, in patterns that repeat every two dots.
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const bool set = c == 0x2591   ? (x % 2 == 0 && y % 2 == 0)
                         : c == 0x2592 ? (x + y) % 2 == 0
                                       : !(x % 2 == 1 && y % 2 == 1);
        if (set) canvas.Set(x, y);
      }
    }
    return;
  }
  if (c == 0x2594) return canvas.Fill(0, w, 0, Eighths(h, 1));
  if (c == 0x2595) return canvas.Fill(w - Eighths(w, 1), w, 0, h);
  // Quadrants: upper left, upper right, lower left, lower right.
  static const uint8_t kQuadrants[] = {
      0b0010,  // 2596 lower left
      0b0001,  // 2597 lower right
      0b1000,  // 2598 upper left
      0b1011,  // 2599 upper left, lower left, lower right
      0b1001,  // 259A upper left, lower right
      0b1110,  // 259B upper left, upper right, lower left
      0b1101,  // 259C upper left, upper right, lower right
      0b0100,  // 259D upper right
      0b0110,  // 259E upper right, lower left
      0b0111,  // 259F upper right, lower left, lower right
  };
  const uint8_t q = kQuadrants[c - 0x2596];
  if (q & 0b1000) canvas.Fill(0, halfW, 0, halfH);
  if (q & 0b0100) canvas.Fill(halfW, w, 0, halfH);
  if (q & 0b0010) canvas.Fill(0, halfW, halfH, h);
  if (q & 0b0001) canvas.Fill(halfW, w, halfH, h);
}

}  // namespace

int LightLine(CellSize cell) {
  return std::max(1, (std::min(cell.width, cell.height) + 6) / 12);
}

bool DrawCellFilling(uint32_t c, CellSize cell, GlyphRows* rows) {
  if (c < kFirstCellFilling || c > kLastCellFilling) return false;
  rows->assign(cell.height, 0);
  Canvas canvas{cell, rows};
  const int light = LightLine(cell);
  if (c >= 0x2580) {
    DrawBlock(c, canvas);
    return true;
  }
  const char* arms = kArms[c - 0x2500];
  if (arms[0] != '-') {
    DrawArms(arms, canvas, light);
    return true;
  }
  switch (c) {
    case 0x2504: case 0x2505: case 0x2508: case 0x2509:
      DrawDashes(canvas, true, c & 1 ? 2 : 1, c < 0x2508 ? 3 : 4, light);
      break;
    case 0x2506: case 0x2507: case 0x250A: case 0x250B:
      DrawDashes(canvas, false, c & 1 ? 2 : 1, c < 0x2508 ? 3 : 4, light);
      break;
    case 0x254C: case 0x254D:
      DrawDashes(canvas, true, c & 1 ? 2 : 1, 2, light);
      break;
    case 0x254E: case 0x254F:
      DrawDashes(canvas, false, c & 1 ? 2 : 1, 2, light);
      break;
    case 0x2571:
      DrawDiagonal(canvas, true, light);
      break;
    case 0x2572:
      DrawDiagonal(canvas, false, light);
      break;
    default:  // 0x2573
      DrawDiagonal(canvas, false, light);
      DrawDiagonal(canvas, true, light);
      break;
  }
  return true;
}

}  // namespace vexo
