// The script of the preview page: the same layout as receipt_layout.cc and
// the same picture as DrawPreview (preview_picture.cc), in the browser.
// It reads `D`, the data the page writer puts before it.
#ifndef VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_PAGE_SCRIPT_H_
#define VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_PAGE_SCRIPT_H_

namespace vexo {

constexpr char kPreviewPageScript[] = R"JS(
const K = D.k;  // pixels a millimetre, margin, station gap, shades
// Where a dot of pitch `microns` starts, in pixels: DotEdge.
function edge(dot, microns) { return Math.floor((dot * microns * K.ppm + 500) / 1000); }
function cellOf(station, kind) {
  const thermal = station === 1;
  if (kind === 2) return [thermal ? 24 : 16, thermal ? 24 : (D.p.nine === 1 ? 9 : 16)];
  let w = thermal ? D.p.stw : D.p.siw;
  let h = thermal ? D.p.sth : D.p.sih;
  if (w === 0 || h === 0) { w = thermal ? 12 : 8; h = thermal ? 24 : 16; }
  return [w, h];
}
// For --bytes: the code of each glyph key's character, the \xNN escapes
// and UTF-8 of the text box read as bytes, and the bytes as the printer
// reads them.
const REV = {};
for (const k in D.map) {
  const m = D.map[k];
  if (!m[2]) REV[(m[0] === 2 ? 65536 : 0) + m[1]] = +k;
}
function bytesOf(text) {
  const out = [];
  for (let i = 0; i < text.length;) {
    if (text.substr(i, 2) === '\\x' && /^[0-9a-fA-F]{2}$/.test(text.substr(i + 2, 2))) {
      out.push(parseInt(text.substr(i + 2, 2), 16));
      i += 4;
      continue;
    }
    const s = String.fromCodePoint(text.codePointAt(i));
    for (const b of new TextEncoder().encode(s)) out.push(b);
    i += s.length;
  }
  return out;
}
function inRanges(ranges, v) {
  return ranges.some(function (r) { return v >= r[0] && v <= r[1]; });
}
function fromBytes(text) {
  const b = bytesOf(text);
  const out = [];
  let line = 1, column = 1;
  for (let i = 0; i < b.length; i++) {
    const v = b[i];
    if (v === 13) continue;
    if (v === 10) { out.push({u: 10, nl: true, line: line++, column: column}); column = 1; continue; }
    if (v === 9) { out.push({u: 9, tab: true, line: line, column: column++}); continue; }
    let kind = 0, code = -1;
    if (inRanges(D.lead, v)) {
      if (i + 1 < b.length && inRanges(D.trail, b[i + 1])) { kind = 2; code = v * 256 + b[i + 1]; i++; }
    } else if (v >= 0x20 && v !== 0x7f) {
      kind = 1; code = v;
    }
    const u = code >= 0 ? (REV[(kind === 2 ? 65536 : 0) + code] || 0) : 0;
    out.push({u: u, kind: kind, code: code, eq: 0, line: line, column: column++});
  }
  return out;
}
function characters(text) {
  if (D.bytes) return fromBytes(text);
  const out = [];
  let line = 1, column = 1;
  let first = true;
  for (const ch of text) {
    const u = ch.codePointAt(0);
    if (first && u === 0xfeff) { first = false; continue; }
    first = false;
    if (u === 10) { out.push({u: u, nl: true, line: line++, column: column}); column = 1; continue; }
    if (u === 13) continue;
    if (u === 9) { out.push({u: u, tab: true, line: line, column: column++}); continue; }
    if (u < 0x20 || (u >= 0x7f && u < 0xa0)) {
      out.push({u: u, kind: 0, code: -1, eq: 0, line: line, column: column++});
      continue;
    }
    const m = D.map[u];
    out.push({u: u, kind: m ? m[0] : 0, code: m ? m[1] : -1, eq: m && m[2] ? m[2] : 0,
              line: line, column: column++});
  }
  return out;
}
function glyph(station, kind, code) {
  if (code < 0) return null;
  const g = D.glyphs[(kind === 2 ? 65536 : 0) + code];
  if (!g) return null;
  const hex = g[station === 1 ? 0 : 1];
  if (!hex) return null;
  const rows = [];
  for (let i = 0; i < hex.length; i += 6) rows.push(parseInt(hex.substr(i, 6), 16));
  return rows;
}
function layOut(text, station) {
  const s = D.settings[station - 1];
  let lineHeight = 1;
  const either = s.has[0] || s.has[1];
  for (const kind of [1, 2]) {
    if (either && !s.has[kind - 1]) continue;
    lineHeight = Math.max(lineHeight, cellOf(station, kind)[1]);
  }
  const tabStop = Math.max(1, s.tab * (cellOf(station, 1)[0] + s.sbcs));
  const cells = [];
  let line = 0, x = 0;
  text.forEach(function (c, i) {
    if (c.nl) { if (i + 1 < text.length) { line++; x = 0; } return; }
    if (c.tab) {
      x = (Math.floor(x / tabStop) + 1) * tabStop;
      if (x >= s.width && s.wrap) { line++; x = 0; }
      return;
    }
    const kind = c.kind === 2 ? 2 : 1;
    const [w, h] = cellOf(station, kind);
    if (x > 0 && x + w > s.width) {
      if (!s.wrap) return;
      line++; x = 0;
    }
    cells.push({i: i, x: x, line: line, w: w, h: Math.min(h, lineHeight),
                g: glyph(station, kind, c.code)});
    x += w + (kind === 2 ? s.dbcs : s.sbcs);
  });
  const lines = Math.min(line + 1, D.maxLines);
  const pic = {station: station, width: s.width, across: s.across, down: s.down,
               height: lines * lineHeight + (lines - 1) * s.gap, placed: []};
  pic.ink = new Uint8Array(pic.width * pic.height);
  const put = function (px, py, ink) {
    if (px >= 0 && px < pic.width && py >= 0 && py < pic.height) pic.ink[py * pic.width + px] = ink;
  };
  for (const c of cells) {
    if (c.line >= lines) break;
    const top = c.line * (lineHeight + s.gap) + lineHeight - c.h;
    pic.placed.push({i: c.i, x: c.x, y: top, w: c.w, h: c.h, drawn: c.g !== null});
    for (let y = 0; y < c.h; y++) {
      for (let dx = 0; dx < c.w; dx++) {
        if (c.g !== null) {
          if (y < c.g.length && dx < 24 && ((c.g[y] >> (23 - dx)) & 1)) put(c.x + dx, top + y, 1);
        } else if (y === 0 || y === c.h - 1 || dx === 0 || dx === c.w - 1) {
          put(c.x + dx, top + y, 2);
        }
      }
    }
  }
  pic.tooLong = line + 1 > D.maxLines;
  return pic;
}
const canvas = document.getElementById('c');
const box = document.getElementById('t');
const status = document.getElementById('s');
let shown = {text: [], pictures: [], origins: []};
function draw() {
  const text = characters(box.value);
  const pictures = D.stations.map(function (st) { return layOut(text, st); });
  let width = 0, height = 0;
  pictures.forEach(function (p, i) {
    const gap = i === 0 ? 0 : K.gap;
    p.pw = edge(p.width, p.across);
    p.ph = edge(p.height, p.down);
    if (D.side) { width += gap + p.pw; height = Math.max(height, p.ph); }
    else { width = Math.max(width, p.pw); height += gap + p.ph; }
  });
  width += 2 * K.margin;
  height += 2 * K.margin;
  canvas.width = width;
  canvas.height = height;
  const image = new Uint8ClampedArray(width * height * 4);
  const fill = function (x, y, w, h, v) {
    for (let yy = Math.max(y, 0); yy < Math.min(y + h, height); yy++) {
      for (let xx = Math.max(x, 0); xx < Math.min(x + w, width); xx++) {
        const at = (yy * width + xx) * 4;
        image[at] = image[at + 1] = image[at + 2] = v;
        image[at + 3] = 255;
      }
    }
  };
  fill(0, 0, width, height, K.background);
  let x0 = K.margin, y0 = K.margin;
  const origins = [];
  for (const p of pictures) {
    origins.push([x0, y0]);
    fill(x0, y0, p.pw, p.ph, K.paper);
    for (let y = 0; y < p.height; y++) {
      const top = y0 + edge(y, p.down), bottom = y0 + edge(y + 1, p.down);
      for (let x = 0; x < p.width; x++) {
        const ink = p.ink[y * p.width + x];
        if (ink === 0) continue;
        const left = x0 + edge(x, p.across);
        fill(left, top, x0 + edge(x + 1, p.across) - left, bottom - top, ink === 1 ? K.ink : K.mark);
      }
    }
    if (D.side) x0 += p.pw + K.gap; else y0 += p.ph + K.gap;
  }
  canvas.getContext('2d').putImageData(new ImageData(image, width, height), 0, 0);
  shown = {text: text, pictures: pictures, origins: origins};
  // Characters drawn as the mark, each once however many stations mark it.
  const marked = new Set();
  for (const p of pictures) for (const c of p.placed) if (!c.drawn) marked.add(c.i);
  const marks = marked.size;
  const count = function (n) { return n + (n === 1 ? ' character' : ' characters'); };
  status.textContent = 'code page ' + D.page + ': ' +
      count(text.filter(function (c) { return !c.nl; }).length) + ', ' + count(marks) +
      ' drawn as the mark' +
      (pictures.some(function (p) { return p.tooLong; }) ? ', cut after ' + D.maxLines + ' lines' : '');
}
function named(u) {
  return 'U+' + u.toString(16).toUpperCase().padStart(4, '0') + ' ' + String.fromCodePoint(u);
}
function describe(c, station, drawn) {
  const u = (c.u ? named(c.u) : 'line ' + c.line + ', column ' + c.column) +
      (c.eq ? ' as ' + named(c.eq) : '');
  if (c.code < 0) return u + ': not in code page ' + D.page;
  const code = (c.kind === 2 ? 'DBCS code ' : 'SBCS code ') + c.code.toString(16).padStart(c.kind === 2 ? 4 : 2, '0');
  return u + ': ' + code + (drawn ? '' : ', no glyph') + ' at the ' + (station === 1 ? 'thermal' : 'impact') + ' station';
}
// The dot under pixel `px` of a picture: the last whose edge is at or
// before it.
function dotAt(px, microns, count) {
  let dot = Math.floor(px * 1000 / (microns * K.ppm));
  while (dot > 0 && edge(dot, microns) > px) dot--;
  while (dot < count && edge(dot + 1, microns) <= px) dot++;
  return dot;
}
canvas.addEventListener('mousemove', function (e) {
  const r = canvas.getBoundingClientRect();
  const px = e.clientX - r.left, py = e.clientY - r.top;
  shown.pictures.forEach(function (p, i) {
    const x = dotAt(px - shown.origins[i][0], p.across, p.width);
    const y = dotAt(py - shown.origins[i][1], p.down, p.height);
    for (const c of p.placed) {
      if (x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h) {
        status.textContent = describe(shown.text[c.i], p.station, c.drawn);
      }
    }
  });
});
box.addEventListener('input', draw);
draw();
)JS";

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_PREVIEW_PREVIEW_PAGE_SCRIPT_H_
