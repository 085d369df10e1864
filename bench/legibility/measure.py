#!/usr/bin/env python3
"""How well the DBCS glyphs vexofont make draws can be read.

For each language (Chinese, Japanese, Korean, Traditional Chinese) the
receipt lines below are made into DBCS fonts at the printer's three sizes
(24x24 thermal, 16x16 and 16x9 impact) from an outline font and from the
bitmap font of that size, drawn as the station prints them (vexofont show
decodes the impact columns), and read back by tesseract. The figure is
the share of characters read right: 1 - edit distance / characters.

Usage: bench/legibility/measure.py VEXOFONT [--options OPTS] [--png DIR]
                                   [--only LANG] [--variant NAME]
  OPTS  extra make options for the outline fonts (quoted, space separated)
  DIR   also write each line as a PNG there (the pictures of docs/)
Needs tesseract-ocr with chi-sim, chi-tra, jpn and kor.
"""
import argparse
import os
import struct
import subprocess
import sys
import tempfile
import zlib

MISC = "/usr/share/fonts/X11/misc/"

LANGUAGES = {
    # name: (tesseract language, code page, outline font and face, bitmap
    # fonts by size, receipt lines)
    "zh": ("chi_sim", "936", ("/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc", 0),
           {"24x24": "gb24st.pcf.gz", "16x16": "gb16st.pcf.gz"},
           ["宫保鸡丁鱼香肉丝", "麻婆豆腐酸辣汤", "合计金额现金找零", "谢谢光临欢迎再来",
            "鲜榨橙汁整箱啤酒", "主食牛肉面午餐", "红烧排骨清蒸鲈鱼", "会员积分优惠券",
            "收银员单号桌号", "北京烤鸭扬州炒饭", "增值税发票抬头", "营业执照地址电话"]),
    "ja": ("jpn", "932", ("/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf", 0),
           {"24x24": "jiskan24.pcf.gz", "16x16": "jiskan16.pcf.gz"},
           ["合計金額お預かり", "お釣り領収書", "ありがとうございました", "消費税牛丼並盛",
            "唐揚げ定食生ビール", "またお越しください", "焼き魚定食味噌汁", "現金クレジット",
            "担当者レジ番号", "軽減税率対象商品", "天ぷら蕎麦親子丼", "東京都新宿区店舗"]),
    "ko": ("kor", "949", ("/usr/share/fonts/truetype/nanum/NanumGothic.ttf", 0),
           {"24x24": "hanglm24.pcf.gz", "16x16": "hanglg16.pcf.gz"},
           ["김치찌개된장찌개", "합계금액현금", "감사합니다영수증", "부가세거스름돈",
            "불고기정식비빔밥", "또오세요", "삼겹살냉면공기밥", "카드승인번호",
            "담당자주문번호", "서울특별시강남구", "할인쿠폰포인트", "사업자등록번호"]),
    "tw": ("chi_tra", "950", ("/usr/share/fonts/truetype/arphic/uming.ttc", 2),
           {"24x24": "taipei24.pcf.gz", "16x16": "taipei16.pcf.gz"},
           ["牛肉麵珍珠奶茶", "總計金額謝謝光臨", "發票營業稅", "臺北市滷肉飯",
            "找零現金收據", "歡迎再度光臨", "雞排蚵仔煎", "統一編號載具",
            "會員點數折價券", "收銀員桌號", "鳳梨酥豆花", "營業地址電話"]),
}

SIZES = [("thermal", "24x24"), ("impact", "16x16"), ("impact", "16x9")]

CELL_PIXELS = 48  # a character cell is drawn this many pixels wide
GAP_SHARE = 6     # and a sixth of its width apart from the next
MARGIN = 12       # pixels round the line


def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, **kw)


def make_font(tool, kind_size, source, face, page, text, extra, out):
    station, size = kind_size
    args = [tool, "make", "--kind", "dbcs", "--station", station, "--size",
            size, "--code-page", page, "--text", text]
    if face:
        args += ["--face", str(face)]
    args += extra + [source, out]
    r = run(args)
    return r.returncode == 0, r.stdout + r.stderr


def pictures(tool, font, text):
    """Each character's dots as the station prints them: {char: rows}."""
    unique = []
    for c in text:
        if c not in unique and not c.isspace():
            unique.append(c)
    r = run([tool, "show", font, "--text", "".join(unique)])
    missing = set()
    for line in r.stderr.splitlines():
        # "... warning: U+XXXX 'c' ..."
        if "U+" in line:
            code = line.split("U+", 1)[1].split(" ", 1)[0]
            missing.add(chr(int(code, 16)))
    found = [c for c in unique if c not in missing]
    result = {}
    lines = r.stdout.splitlines()
    i = 0
    order = iter(found)
    while i < len(lines):
        if "BCS, at offset" in lines[i]:
            head = lines[i + 1]
            # "thermal 24 x 24    impact: none" or "thermal: none    impact 16 x 9"
            impact_first = head.startswith("thermal: none")
            start = head.index("impact") if impact_first else 0
            rows = []
            j = i + 2
            while j < len(lines) and lines[j].strip():
                part = lines[j][start:] if impact_first else lines[j]
                rows.append(part.split()[0] if part.strip() else "")
                j += 1
            result[next(order)] = rows
            i = j
        else:
            i += 1
    return result


def line_image(text, glyphs, cell_w, cell_h):
    """A grey image (list of bytearrays) of the line, black dots on white.
    Every cell is drawn about CELL_PIXELS square, so that a nine-row glyph
    is read for what its dots hold rather than for its shape being flat."""
    n = len(text)
    sx = CELL_PIXELS // cell_w
    sy = round(CELL_PIXELS / cell_h)
    gap = cell_w // GAP_SHARE
    width = 2 * MARGIN + sx * (n * cell_w + (n - 1) * gap)
    height = 2 * MARGIN + sy * cell_h
    img = [bytearray([255]) * width for _ in range(height)]
    for k, c in enumerate(text):
        rows = glyphs.get(c, [])
        x0 = MARGIN + sx * k * (cell_w + gap)
        for y, row in enumerate(rows[:cell_h]):
            for x, dot in enumerate(row[:cell_w]):
                if dot != "#":
                    continue
                for dy in range(sy):
                    line = img[MARGIN + sy * y + dy]
                    px = x0 + sx * x
                    line[px:px + sx] = bytes(sx)
    return img


def write_pgm(path, img):
    with open(path, "wb") as f:
        f.write(b"P5\n%d %d\n255\n" % (len(img[0]), len(img)))
        for row in img:
            f.write(bytes(row))


def write_png(path, img):
    raw = b"".join(b"\x00" + bytes(row) for row in img)
    def chunk(tag, data):
        return (struct.pack(">I", len(data)) + tag + data +
                struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", len(img[0]), len(img),
                                          8, 0, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def distance(a, b):
    prev = list(range(len(b) + 1))
    for i, ca in enumerate(a, 1):
        cur = [i]
        for j, cb in enumerate(b, 1):
            cur.append(min(prev[j] + 1, cur[j - 1] + 1,
                           prev[j - 1] + (ca != cb)))
        prev = cur
    return prev[-1]


def read_back(image_path, language):
    r = run(["tesseract", image_path, "-", "-l", language, "--psm", "7"])
    return "".join(r.stdout.split())


def measure(tool, lang, source, face, bitmap, kind_size, extra, png_dir, tag,
            scratch, read=True):
    language, page, _, _, lines = LANGUAGES[lang]
    text = "".join(lines)
    font = os.path.join(scratch, "%s-%s-%s.fnt" % (lang, kind_size[1], tag))
    ok, message = make_font(tool, kind_size, source, face, page, text,
                            [] if bitmap else extra, font)
    if not ok:
        return None, message.strip()
    glyphs = pictures(tool, font, text)
    w, h = (int(v) for v in kind_size[1].split("x"))
    right = total = 0
    for n, line in enumerate(lines if read else lines[:1]):
        img = line_image(line, glyphs, w, h)
        if png_dir and n == 0:
            write_png(os.path.join(png_dir, "%s-%s-%s.png" % (
                lang, kind_size[1], tag)), img)
        if not read:
            return 0.0, ""
        pgm = os.path.join(scratch, "line.pgm")
        write_pgm(pgm, img)
        hyp = read_back(pgm, language)
        total += len(line)
        right += max(0, len(line) - distance(line, hyp))
    return right / total, ""


def main():
    p = argparse.ArgumentParser()
    p.add_argument("tool")
    p.add_argument("--options", default="")
    p.add_argument("--png")
    p.add_argument("--only")
    p.add_argument("--sizes", help="e.g. 16x9 or 24x24,16x16")
    p.add_argument("--pictures-only", action="store_true",
                   help="with --png: draw the first line of each, read nothing")
    p.add_argument("--variant", default="outline")
    p.add_argument("--bitmaps", action="store_true",
                   help="also the bitmap fonts of each size")
    a = p.parse_args()
    extra = a.options.split()
    if a.png:
        os.makedirs(a.png, exist_ok=True)
    print("| language | size | %s%s |" % (a.variant, " | bitmap" if a.bitmaps else ""))
    print("|---|---|---%s|" % ("|---" if a.bitmaps else ""))
    with tempfile.TemporaryDirectory() as scratch:
        for lang, (_, _, (outline, face), bitmaps, _) in LANGUAGES.items():
            if a.only and lang != a.only:
                continue
            for kind_size in SIZES:
                if a.sizes and kind_size[1] not in a.sizes.split(","):
                    continue
                cells = []
                score, why = measure(a.tool, lang, outline, face, False,
                                     kind_size, extra, a.png, a.variant,
                                     scratch, not a.pictures_only)
                cells.append("%.2f" % score if score is not None else "fails")
                if a.bitmaps:
                    strike = bitmaps["24x24" if kind_size[1] == "24x24" else "16x16"]
                    score, why = measure(a.tool, lang, MISC + strike, 0, True,
                                         kind_size, extra, a.png, "bitmap",
                                         scratch, not a.pictures_only)
                    cells.append("%.2f" % score if score is not None else "fails")
                print("| %s | %s %s | %s |" % (lang, kind_size[0], kind_size[1],
                                               " | ".join(cells)), flush=True)


if __name__ == "__main__":
    sys.exit(main())
