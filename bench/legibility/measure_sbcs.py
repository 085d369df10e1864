#!/usr/bin/env python3
"""How well the SBCS glyphs vexofont make draws can be read.

For each language below, receipts are made into SBCS fonts at every impact
height from 7 to 15 at width 8, at 12x15 impact and at 12x24 thermal, from
the outline fonts shops have and from the anchor: the X11 misc-fixed strike
(xfonts-base) of the largest height that fits the cell, placed in it. Each
receipt line is drawn as the station prints it (vexofont show decodes the
impact columns; widths past 8 print their first 8 dot columns), each dot a
square of DOT pixels, cells side by side, and read back by tesseract
(--psm 7). The figure is the share of characters read right: 1 - edit
distance / characters, white space left out, both sides in Unicode's
compatibility form (NFKC). Given several DOT sizes, each line is read at
each and the figure is their mean: one reading's figure moves by several
hundredths with the scale alone, the mean much less.

Usage: bench/legibility/measure_sbcs.py VEXOFONT [--options OPTS]
           [--only LANG[,LANG]] [--sizes 8x9[,12x24]] [--fonts NAME[,NAME]]
           [--dot N[,N]] [--tall N] [--jobs N] [--png DIR] [--pictures-only]
           [--variant NAME] [--receipts FILE]
  OPTS  extra make options for the outline fonts (quoted, space separated)
  DIR   also write each receipt's first line as a PNG there, named
        sbcs-LANG-SIZE-FONT[-NAME].png
  FILE  receipts of your own in place of those below, to see that a figure
        holds for text the rules were not drawn against: "[LANG]" starts
        a receipt, each line after it a receipt line (other-receipts.txt)
Needs tesseract-ocr with eng, deu, fra, spa, rus, ell and jpn.
"""
import argparse
import concurrent.futures
import os
import sys
import tempfile
import unicodedata

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import measure  # noqa: E402  (the DBCS measure: making, pictures, reading)

TT = "/usr/share/fonts/truetype/"
MISC = "/usr/share/fonts/X11/misc/"

# name: (tesseract language, code page, two receipts of lines)
LANGUAGES = {
    "en": ("eng", "437", [
        ["CORNER DELI & MARKET", "Coffee large 3.50", "Bagel cream cheese 2.75",
         "Subtotal 6.25", "Tax 8.875% 0.55", "TOTAL $6.80"],
        ["Card VISA ****4821", "Approved #027415", "Thank you, come again!",
         "Store 12 Reg 3 Clerk Amy", "Items: 2 Change due 0.00"]]),
    "de": ("deu", "858", [
        ["Bäckerei Müller GmbH", "Brötchen 6 Stück 2,10", "Käsekuchen 3,90",
         "Süße Größe: groß", "Summe EUR 6,00", "MwSt 7% 0,39"],
        ["Vielen Dank für Ihren", "Einkauf! Öffnungszeiten", "Mo-Fr 6-18 Uhr",
         "Straße 14, Köln", "Bar gegeben 10,00"]]),
    "fr": ("fra", "858", [
        ["Café de la Gare", "Café crème 2,80", "Crêpe au sucre 4,50",
         "Pâtisserie 3,20", "Total TTC 10,50", "TVA 10% 0,95"],
        ["Merci de votre visite", "À bientôt !", "Reçu n° 4512", "Carte bancaire",
         "Où: rue Émile Zola"]]),
    "es": ("spa", "858", [
        ["Panadería San José", "Café con leche 1,80", "Tostada jamón 3,50",
         "Zumo de naranja 2,90", "Total a pagar 8,20", "IVA 10% 0,75"],
        ["Gracias por su compra", "Señor Núñez, mesa 4", "Año 2026 niño",
         "¿Factura? ¡Sí!", "Cambio 1,80 euros"]]),
    "ru": ("rus", "866", [
        ["Магазин Продукты", "Хлеб ржаной 45,00", "Молоко 3,2% 89,90",
         "Сыр российский 320,00", "Итого 454,90", "НДС 20% 75,82"],
        ["Спасибо за покупку!", "Кассир Иванова", "Чек № 1542",
         "Наличными 500,00", "Сдача 45,10"]]),
    "el": ("ell", "1253", [
        ["Φούρνος Παπαδόπουλος", "Ψωμί χωριάτικο 1,20", "Τυρόπιτα 2,50",
         "Καφές φρέντο 2,00", "Σύνολο 5,70", "ΦΠΑ 13% 0,66"],
        ["Ευχαριστούμε πολύ!", "Απόδειξη αρ. 3387", "Μετρητά 10,00",
         "Ρέστα 4,30", "Καλή σας μέρα"]]),
    "ja": ("jpn", "932", [
        ["ｺｰﾋｰ ﾎｯﾄ 350", "ｻﾝﾄﾞｲｯﾁ 420", "ｺﾞｳｹｲ 770", "ｱｽﾞｶﾘ 1000",
         "ｵﾂﾘ 230"],
        ["ｱﾘｶﾞﾄｳｺﾞｻﾞｲﾏｼﾀ", "ﾏﾀｵｺｼｸﾀﾞｻｲ", "ﾚｼﾞ 2 ﾀﾝﾄｳ ﾔﾏﾀﾞ", "ﾎﾟｲﾝﾄ 15",
         "ｹﾞﾝｷﾝ"]]),
}

SIZES = [("impact", "8x%d" % h) for h in range(7, 16)] + [
    ("impact", "12x15"), ("thermal", "12x24")]

OUTLINES = {
    "dejavu": ("fonts-dejavu-core", TT + "dejavu/DejaVuSansMono.ttf"),
    "liberation": ("fonts-liberation", TT + "liberation/LiberationMono-Regular.ttf"),
    "freemono": ("fonts-freefont-ttf", TT + "freefont/FreeMono.ttf"),
    # a Type 1 font, whose declared line is its bounding box
    "nimbusmono": ("fonts-urw-base35",
                   "/usr/share/fonts/X11/Type1/NimbusMonoPS-Regular.pfb"),
    # CJK fonts, whose Latin (and katakana) half a shop may take
    "zenhei": ("fonts-wqy-zenhei", TT + "wqy/wqy-zenhei.ttc"),
    "microhei": ("fonts-wqy-microhei", TT + "wqy/wqy-microhei.ttc"),
    "uming": ("fonts-arphic-uming", TT + "arphic/uming.ttc"),
    "nanum": ("fonts-nanum", TT + "nanum/NanumGothic.ttf"),
    "ipagothic": ("fonts-ipafont-gothic",
                  "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"),
}

# The hand-drawn anchors, by height.
ANCHORS = [(7, "5x7"), (8, "5x8"), (9, "6x9"), (10, "6x10"), (12, "6x12"),
           (13, "6x13"), (13, "7x13"), (14, "7x14"), (13, "8x13"), (24, "12x24")]

MARGIN = 12


def anchor_for(height, lang):
    """The misc-fixed strike of the largest height that fits, the widest of
    those (6x13, 7x13, 8x13 at 13: the last); for katakana the 12x24rk
    strike, and none below 24 rows (the smallest, 8x16rk, is 16 high)."""
    if lang == "ja":
        return MISC + "12x24rk.pcf.gz" if height >= 24 else None
    best = None
    for h, name in ANCHORS:
        if h <= height and (best is None or h >= best[0]):
            best = (h, name)
    return MISC + best[1] + ".pcf.gz"


def make_font(tool, station, size, page, text, source, extra, out):
    args = [tool, "make", "--kind", "sbcs", "--station", station, "--size",
            size, "--code-page", page, "--force-size", "--text", text]
    r = measure.run(args + extra + [source, out])
    return r.returncode == 0, r.stdout + r.stderr


def line_image(text, glyphs, station, cell_w, cell_h, dot, tall=1):
    """The line as printed: cells side by side, each dot `dot` pixels
    wide and `dot` times `tall` high at the impact station (square at the
    thermal); the impact station prints 8 of the columns of glyphs 9 to 15
    dots wide."""
    printed_w = 8 if station == "impact" and 8 < cell_w < 16 else cell_w
    down = dot * (tall if station == "impact" else 1)
    width = 2 * MARGIN + dot * printed_w * len(text)
    height = 2 * MARGIN + down * cell_h
    img = [bytearray([255]) * width for _ in range(height)]
    for k, c in enumerate(text):
        rows = glyphs.get(c, [])
        x0 = MARGIN + dot * printed_w * k
        for y, row in enumerate(rows[:cell_h]):
            for x, d in enumerate(row[:printed_w]):
                if d != "#":
                    continue
                for dy in range(down):
                    line = img[MARGIN + down * y + dy]
                    line[x0 + dot * x:x0 + dot * (x + 1)] = bytes(dot)
    return img


def score(tool, lang, source, station, size, extra, dots, png, tag, scratch,
          read=True, tall=1, receipts=None):
    language, page, receipts = receipts or LANGUAGES[lang]
    lines = [line for receipt in receipts for line in receipt]
    text = "".join(sorted(set("".join(lines)) - {" "}))
    font = os.path.join(scratch, "font.fnt")
    ok, message = make_font(tool, station, size, page, text, source, extra, font)
    if not ok:
        return None, message.strip()
    glyphs = measure.pictures(tool, font, text)
    w, h = (int(v) for v in size.split("x"))
    right = total = 0
    for n, line in enumerate(lines):
        for k, dot in enumerate(dots):
            img = line_image(line, glyphs, station, w, h, dot, tall)
            if png and n == 0 and k == 0:
                measure.write_png(os.path.join(png, "sbcs-%s-%s-%s.png" % (
                    lang, size, tag)), img)
            if not read:
                return 0.0, ""
            pgm = os.path.join(scratch, "line.pgm")
            measure.write_pgm(pgm, img)
            # Compared in compatibility form: tesseract answers half-width
            # katakana with the full-width ones (ｺﾞ as ゴ).
            said = unicodedata.normalize("NFKC",
                                         measure.read_back(pgm, language))
            meant = unicodedata.normalize("NFKC", "".join(line.split()))
            total += len(meant)
            right += max(0, len(meant) - measure.distance(meant, said))
    return right / total, ""


def cell(job):
    """One figure of the table, in a scratch folder of its own."""
    a, extra, lang, station, size, name = job
    if name == "anchor":
        source = anchor_for(int(size.split("x")[1]), lang)
        options = []
        if source is None:
            return "none"
    else:
        source = OUTLINES[name][1]
        options = extra
    if not os.path.exists(source):
        return "missing"
    tag = name + ("-" + a.variant if a.variant else "")
    dots = [int(d) for d in a.dot.split(",")]
    with tempfile.TemporaryDirectory() as scratch:
        figure, why = score(a.tool, lang, source, station, size, options, dots,
                            a.png, tag, scratch, not a.pictures_only, a.tall,
                            a.languages[lang])
    if figure is None:
        print(why, file=sys.stderr)
        return "fails"
    return "%.2f" % figure


def read_receipts(path):
    """The receipts of a --receipts file, by language, each language with
    its own reading and code page."""
    receipts = {}
    lang = None
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            if line.startswith("[") and line.endswith("]"):
                lang = line[1:-1]
                if lang not in LANGUAGES:
                    sys.exit("%s:%d: no language %s" % (path, number, lang))
                receipts.setdefault(lang, []).append([])
            elif lang is None:
                sys.exit("%s:%d: a line before any [LANG]" % (path, number))
            else:
                receipts[lang][-1].append(line)
    return {lang: LANGUAGES[lang][:2] + (r,) for lang, r in receipts.items()}


def main():
    p = argparse.ArgumentParser()
    p.add_argument("tool")
    p.add_argument("--options", default="")
    p.add_argument("--only")
    p.add_argument("--sizes")
    p.add_argument("--fonts", help="of %s, anchor" % ", ".join(OUTLINES))
    p.add_argument("--dot", default="4",
                   help="pixels a dot; several, comma separated, averaged")
    p.add_argument("--jobs", type=int, default=1)
    p.add_argument("--tall", type=int, default=1,
                   help="impact rows this many times as high as columns "
                        "(2: the 9-pin pitch, 0.176 by 0.353 mm)")
    p.add_argument("--png")
    p.add_argument("--pictures-only", action="store_true")
    p.add_argument("--variant", help="added to the pictures' names (before)")
    p.add_argument("--receipts", help="receipts of your own (see above)")
    a = p.parse_args()
    a.languages = read_receipts(a.receipts) if a.receipts else LANGUAGES
    extra = a.options.split()
    fonts = (a.fonts or "dejavu,liberation,freemono,anchor").split(",")
    if a.png:
        os.makedirs(a.png, exist_ok=True)
    print("| language | size | %s |" % " | ".join(fonts))
    print("|---|---|%s" % ("---|" * len(fonts)))
    rows = [(lang, station, size) for lang in a.languages
            if not a.only or lang in a.only.split(",")
            for station, size in SIZES
            if not a.sizes or size in a.sizes.split(",")]
    jobs = [(a, extra, lang, station, size, name)
            for lang, station, size in rows for name in fonts]
    with concurrent.futures.ProcessPoolExecutor(a.jobs) as pool:
        cells = iter(pool.map(cell, jobs))
        for lang, station, size in rows:
            figures = [next(cells) for _ in fonts]
            print("| %s | %s %s | %s |" % (lang, station, size,
                                           " | ".join(figures)), flush=True)

if __name__ == "__main__":
    sys.exit(main())
