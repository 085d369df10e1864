#!/usr/bin/env python3
"""What vexofont make cuts off: full fonts from the packages' fonts, before and after.

For each font and size below, makes the font with default options and reads
the summary line: how many glyphs lost dots to the cell's edges and how many
dots (before), and how many were moved into the cell or drawn smaller
instead (after). Prints a Markdown table; with --png DIR also draws the
characters named below as vexofont show --png draws them, one picture per
font, size and build.

Usage: bench/fit/fit_table.py BEFORE-VEXOFONT AFTER-VEXOFONT [--png DIR]
A font that is not installed is left out, naming its Debian package.
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                "..", "legibility"))
import measure  # noqa: E402  (the pictures are drawn as the legibility ones)

TT = "/usr/share/fonts/truetype/"
MISC = "/usr/share/fonts/X11/misc/"
DBCS_SIZES = [("thermal", "24x24"), ("impact", "16x16"), ("impact", "16x9")]
# Every SBCS impact size that prints as drawn at widths 8, 12 and 16, and
# the usual thermal one.
SBCS_SIZES = [("impact", "8x%d" % h) for h in range(4, 16)] + [
    ("impact", "12x16"), ("impact", "16x8"), ("impact", "16x9"),
    ("impact", "16x16"), ("thermal", "12x24")]

# (package, font, kind, code page, sizes, characters pictured, picture
# name[, further make options])
FONTS = [
    ("fonts-wqy-zenhei", TT + "wqy/wqy-zenhei.ttc", "dbcs", "936", DBCS_SIZES,
     "宫保鸡丁鱼香肉丝", "zenhei"),
    ("fonts-wqy-microhei", TT + "wqy/wqy-microhei.ttc", "dbcs", "936", DBCS_SIZES,
     "宫保鸡丁鱼香肉丝", "microhei"),
    ("fonts-arphic-uming", TT + "arphic/uming.ttc", "dbcs", "936", DBCS_SIZES,
     "骨直述边", "uming-936"),
    ("fonts-arphic-uming", TT + "arphic/uming.ttc", "dbcs", "950", DBCS_SIZES,
     "骨直述邊", "uming-950"),
    ("fonts-ipafont-gothic", "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
     "dbcs", "932", DBCS_SIZES, "合計金額お預かり", "ipag"),
    ("fonts-nanum", TT + "nanum/NanumGothic.ttf", "dbcs", "949", DBCS_SIZES,
     "감사합니다영수증", "nanumgothic"),
    ("fonts-nanum", TT + "nanum/NanumMyeongjo.ttf", "dbcs", "949", DBCS_SIZES,
     "감사합니다영수증", "nanummyeongjo"),
    ("xfonts-intl-chinese-big", MISC + "cc40s.pcf.gz", "dbcs", "936",
     [("thermal", "24x24")], "宫保鸡丁鱼香肉丝", "cc40s"),
    ("xfonts-intl-chinese-big", MISC + "cc48s.pcf.gz", "dbcs", "936",
     [("thermal", "24x24")], "宫保鸡丁鱼香肉丝", "cc48s"),
    ("fonts-dejavu-core", TT + "dejavu/DejaVuSansMono.ttf", "sbcs", "858",
     SBCS_SIZES, "ÄÖÜÉÅÑ", "dejavumono"),
    ("fonts-liberation", TT + "liberation/LiberationMono-Regular.ttf", "sbcs",
     "858", SBCS_SIZES, "ÄÖÜÉÅÑ", "liberationmono"),
    # Larger capitals on the same cell: the marks pass the cell's top.
    ("fonts-liberation", TT + "liberation/LiberationMono-Regular.ttf", "sbcs",
     "858", [("impact", "8x9")], "ÄÖÜÉÅÑ", "liberationmono-10px",
     ["--pixel-size", "10", "--baseline", "7"]),
    ("fonts-dejavu-core", TT + "dejavu/DejaVuSansMono.ttf", "sbcs", "858",
     [("impact", "8x9")], "ÄÖÜÉÅÑ", "dejavumono-10px",
     ["--pixel-size", "10", "--baseline", "7"]),
]

# The sizes pictured with --png.
PICTURED = ("24x24", "16x9", "8x9")

SUMMARY = re.compile(r"(\d+) clipped(?: \((\d+) dots? cut off)?")
MOVED = re.compile(r"(\d+) moved into the cell(?: \((\d+) of them drawn smaller)?")


def make(vexofont, font, kind, page, station, size, extra, out):
    args = [vexofont, "make", "--kind", kind, "--station", station, "--size",
            size, "--code-page", page, "--force-size"] + extra + [font, out]
    help_text = subprocess.run([vexofont, "make", "--help"], capture_output=True,
                               text=True).stdout
    if "--all-codes" in help_text:
        args.insert(2, "--all-codes")  # the same glyphs as before
    run = subprocess.run(args, capture_output=True, text=True)
    if run.returncode != 0:
        return None
    clipped = SUMMARY.search(run.stdout)
    moved = MOVED.search(run.stdout)
    return (int(clipped.group(1)), int(clipped.group(2) or 0),
            int(moved.group(1)) if moved else 0,
            int(moved.group(2) or 0) if moved else 0)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("before")
    parser.add_argument("after")
    parser.add_argument("--png")
    a = parser.parse_args()
    print("| font | code page | size | before: glyphs clipped (dots cut) | "
          "after: glyphs clipped (dots cut) | after: moved into the cell "
          "(drawn smaller) |")
    print("|---|---|---|---|---|---|")
    with tempfile.TemporaryDirectory() as scratch:
        for package, font, kind, page, sizes, text, name, *extra in FONTS:
            extra = extra[0] if extra else []
            shown = os.path.basename(font) + "".join(" " + e for e in extra)
            if not os.path.exists(font):
                print("| %s | %s | | not installed (%s) | | |" %
                      (shown, page, package))
                continue
            for station, size in sizes:
                cells = []
                for label, binary in (("before", a.before), ("after", a.after)):
                    out = os.path.join(scratch, label + ".fnt")
                    cells.append(make(binary, font, kind, page, station, size,
                                      extra, out))
                    if a.png and cells[-1] is not None and size in PICTURED:
                        png = os.path.join(a.png, "%s-%s-%s.png" % (name, size, label))
                        width, height = (int(n) for n in size.split("x"))
                        glyphs = measure.pictures(binary, out, text)
                        measure.write_png(png, measure.line_image(text, glyphs,
                                                                  width, height))
                before, after = cells
                if before is None or after is None:
                    continue
                print("| %s | %s | %s %s | %d (%d) | %d (%d) | %d (%d) |" %
                      (shown, page, station, size, before[0],
                       before[1], after[0], after[1], after[2], after[3]))
    sys.stdout.flush()


if __name__ == "__main__":
    main()
