#include "vexofont/make/make_options.h"

#include <cstdio>

#include "platform/console.h"
#include "vexofont/make/code_map.h"
#include "vexofont/codepage/characters.h"
#include "vexofont/make/make_files.h"
#include "vexofont/make/source_font.h"

namespace vexo {

namespace {

constexpr char kHelpStart[] =
    "usage: vexofont make --kind sbcs|dbcs --station thermal|impact\n"
    "                     --size WxH --code-page N [--first C] [--last C]\n"
    "                     [--overlay EDITS]... SOURCE OUTPUT\n"
    "       vexofont make [--overlay EDITS]... TEXT OUTPUT\n"
    "       (OUTPUT may also be given as -o OUTPUT)\n"
    "\n"
    "Writes one input font file for the converter from SOURCE, any font\n"
    "FreeType opens: BDF or PCF (also gzip-compressed), fonts with bitmap\n"
    "strikes, TrueType and OpenType outline fonts (rendered monochrome).\n"
    "A glyph text (its first line \"vexofont glyphs 1\", as vexofont dump\n"
    "writes it) is built back into its file byte for byte; its header gives\n"
    "kind, size, code page and codes, so those options are not used.\n"
    "\n";

const CommandOption kMakeOptionRows[] = {
    {"--kind", nullptr, "sbcs|dbcs", nullptr,
     "single-byte or double-byte font",
     SetString<MakeOptions, &MakeOptions::kind>},
    {"--station", nullptr, "thermal|impact", nullptr,
     "",
     SetString<MakeOptions, &MakeOptions::station>},
    {"--size", nullptr, "WxH", nullptr,
     "glyph cell in dots; the converter takes\n"
         "SBCS thermal: width 8 to 16, height 16 to 32,\n"
         "              at width 16 at most 24\n"
         "SBCS impact:  width 4 to 16, height 4 to 16\n"
         "              (the impact station prints as\n"
         "              drawn widths 8 to 15 at heights 4\n"
         "              to 15, 12 to 15 at 16, and 16x8,\n"
         "              16x9, 16x16; of widths 9 to 15 the\n"
         "              first 8 dot columns, where make\n"
         "              draws the glyphs; make refuses\n"
         "              the other sizes)\n"
         "DBCS thermal: 24x24 only\n"
         "DBCS impact:  16x16 or 16x9",
     SetString<MakeOptions, &MakeOptions::size>},
    {"--force-size", nullptr, nullptr, nullptr,
     "make an impact size the converter takes but\n"
         "the station does not print as drawn",
     SetFlag<MakeOptions, &MakeOptions::forceSize>},
    {"--code-page", nullptr, "N", nullptr,
     "SBCS: 437, 850, 852, 858, 866, 1250 to 1258,\n"
         "932, 936, 949, 950, 8859-1 to 8859-16 except\n"
         "8859-12 (8859-N is also written 28590 + N;\n"
         "932 to 950 are the single-byte halves of the\n"
         "DBCS code pages: 932 is JIS X 0201, with the\n"
         "yen sign at 0x5c and half-width katakana);\n"
         "DBCS: 932, 936, 949, 950",
     SetString<MakeOptions, &MakeOptions::codePage>},
    {"--first", nullptr, "C", "--first C, --last C",
     "codes to write, hexadecimal (0x optional, as\n"
         "everywhere in vexofont: 41 is 0x41);\n"
         "SBCS 0x20 to 0xff by default, DBCS the whole\n"
         "code page (a DBCS file holds whole lead-byte\n"
         "rows from the lead byte of --first on; codes\n"
         "below --first are blank; the converter\n"
         "holds 20000 glyphs of all files in all)",
     SetString<MakeOptions, &MakeOptions::first>},
    {"--last", nullptr, "C", "",
     "",
     SetString<MakeOptions, &MakeOptions::last>},
    {"--all-codes", nullptr, nullptr, nullptr,
     "936: draw every code; by default a full font\n"
         "that would fill more of the converter's 20000\n"
         "records than leave room for SBCS fonts\n"
         "(19744) leaves blank the GBK extension\n"
         "ideographs a shop is least likely to print,\n"
         "keeping GB 2312 whole, and names them",
     SetFlag<MakeOptions, &MakeOptions::allCodes>},
    {"--chars", nullptr, "FILE", nullptr,
     "only the characters of this UTF-8 text file;\n"
         "the other codes are blank (a DBCS font then\n"
         "fills no table records for them)",
     SetString<MakeOptions, &MakeOptions::chars>},
    {"--text", nullptr, "STRING", nullptr,
     "only these characters (UTF-8); with --chars,\n"
         "the characters of both",
     SetString<MakeOptions, &MakeOptions::text>},
    {"--strict", nullptr, nullptr, nullptr,
     "a selected character that the code page\n"
         "cannot hold or no font has, or a dot cut off\n"
         "(--clip), is a failure (status 1, nothing\n"
         "written), not a warning",
     SetFlag<MakeOptions, &MakeOptions::strict>},
    {"--map", nullptr, "FILE", nullptr,
     "the code page from FILE, lines 'CODE U+XXXX'\n"
         "(hexadecimal code, '#' comments), instead of\n"
         "iconv; --code-page is then only the number\n"
         "the header carries (0 to 65535)",
     SetString<MakeOptions, &MakeOptions::map>},
    {"--fallback", nullptr, "FONT", nullptr,
     "draws the characters the font lacks from FONT;\n"
         "may be given more than once, tried in order",
     AddString<MakeOptions, &MakeOptions::fallbacks>},
    {"--face", nullptr, "N", nullptr,
     "the face of a font collection (.ttc, .otc) to\n"
         "use, from 0; by default the face made for the\n"
         "code page's language (from its family name or\n"
         "its code page ranges: simplified Chinese for\n"
         "936, traditional for 950, Japanese for 932,\n"
         "Korean for 949), else face 0; the summary\n"
         "names the face used",
     SetString<MakeOptions, &MakeOptions::face>},
    {"--list-faces", nullptr, nullptr, nullptr,
     "print the faces of SOURCE, one a line (number,\n"
         "family, style), and exit",
     SetFlag<MakeOptions, &MakeOptions::listFaces>},
    {"--fit", nullptr, "line|em|cap", nullptr,
     "outline fonts: the largest size whose line fits\n"
         "the cell (SBCS default above 12 rows or at the\n"
         "thermal station), the em square\n"
         "filling the cell, placed where the font's\n"
         "ideographs lie (DBCS default), or the largest\n"
         "size whose capitals take the rows less a\n"
         "descender's (7 of 9; from 10 rows one less, the\n"
         "top row left to accents), the baseline under them\n"
         "(SBCS impact default up to 12 rows)",
     SetString<MakeOptions, &MakeOptions::fit>},
    {"--clip", nullptr, nullptr, nullptr,
     "cut off the dots that pass the cell, as\n"
         "placed, instead of moving the glyph into the\n"
         "cell and drawing it smaller where it is larger\n"
         "than the cell; a bitmap strike larger than the\n"
         "cell is then cropped rather than reduced",
     SetFlag<MakeOptions, &MakeOptions::clip>},
    {"--render", nullptr, "mono|gray:N", nullptr,
     "outline fonts: FreeType's monochrome\n"
         "rasteriser (SBCS default), or anti-aliased\n"
         "rendering with a dot set from grey N of 255\n"
         "(DBCS default: gray:80)",
     SetString<MakeOptions, &MakeOptions::render>},
    {"--hinting", nullptr, "none|light|full", nullptr,
     "outline fonts: no hinting, the light\n"
         "auto-hinter (DBCS default), or full hinting\n"
         "(SBCS default)",
     SetString<MakeOptions, &MakeOptions::hinting>},
    {"--pixel-size", nullptr, "N", nullptr,
     "outline fonts: render at N pixels instead of\n"
         "the size --fit chooses, at most four times\n"
         "the cell's larger side; bitmap fonts: use the\n"
         "strike N pixels high",
     SetString<MakeOptions, &MakeOptions::pixelSize>},
    {"--offset", nullptr, "X,Y", nullptr,
     "move every glyph X dots right and Y dots down\n"
         "(negative: left, up)",
     SetString<MakeOptions, &MakeOptions::offset>},
    {"--baseline", nullptr, "ROW", nullptr,
     "put the baseline below the first ROW rows\n"
         "instead of centring the font's line",
     SetString<MakeOptions, &MakeOptions::baseline>},
    {"--cell-fill", nullptr, "drawn|font", nullptr,
     "box drawing and block elements (U+2500 to\n"
         "U+259F) drawn edge to edge of the cell so that\n"
         "frames join (the default), or the font's own",
     SetString<MakeOptions, &MakeOptions::cellFill>},
    {"--overlay", nullptr, "EDITS", nullptr,
     "a glyph text of some glyphs (a logo, a mended\n"
         "letter) that replace the glyphs of their codes\n"
         "once the font is made; may be given more than\n"
         "once, later ones win",
     AddString<MakeOptions, &MakeOptions::overlays>},
    {"--output", "-o", "OUTPUT", nullptr,
     "the file to write, instead of the second name",
     SetString<MakeOptions, &MakeOptions::output>},
    {"--help", "-h", nullptr, "--help, --version",
     "",
     SetFlag<MakeOptions, &MakeOptions::help>},
    {"--version", nullptr, nullptr, "",
     "",
     SetFlag<MakeOptions, &MakeOptions::version>},
};

constexpr char kHelpEnd[] =
    "\n"
    "Each code is mapped through iconv to the source font's character: to\n"
    "Unicode, or to the font's own charset for bitmap fonts that are not\n"
    "Unicode-encoded (JIS X 0208, GB 2312, KS C 5601, Big5, ISO 8859-N,\n"
    "KOI8-R, ...). A code the code page leaves empty, a control character\n"
    "and a character the font has no glyph for give a blank glyph.\n"
    "\n"
    "Bitmap fonts use the strike of the cell size, else the highest that\n"
    "fits, else the lowest, drawn whole and reduced to the cell with strokes\n"
    "kept apart. SBCS outline fonts are rendered monochrome with full hinting\n"
    "at the largest size whose line (and, when monospace, advance) fits the\n"
    "cell, the font's line centred vertically and glyphs standing on its\n"
    "baseline (of a font whose declared line is not its letters' (a Type 1\n"
    "font's bounding box, an ascent well under its accented capitals) or that\n"
    "also draws ideographs, kana or hangul, the line its Latin letters take\n"
    "as drawn); at the impact station up to 12 rows, at the largest size\n"
    "whose capitals take all rows but a descender's and, from 10 rows, the\n"
    "top row, which is left to accents and tall ascenders (--fit cap); at the\n"
    "impact station, whose rows stand at twice the columns' pitch, drawn 1.3\n"
    "times as wide as high in 7 rows or fewer and above up to 1.3 times (1.1\n"
    "drawn grey), as far as the advance stays within the cell, a glyph that\n"
    "would then touch the next drawn narrower, and, unless --fit is given, a\n"
    "font whose letters all advance alike no taller than capitals of 7 rows,\n"
    "which read best in the 8 columns printed, drawn monochrome as wide as at\n"
    "the fit's own size; by either fit, lower case kept two rows under\n"
    "capitals of 7 rows or more. A font of thin strokes (stems under 0.06 em)\n"
    "is drawn grey from 40 with the light auto-hinter, where monochrome would\n"
    "break its stems (without --render or --hinting), a row its outlines\n"
    "leave between a mark and its letter (the dot of i, the dots of u, the\n"
    "dot of !) kept blank. A monospace font's advance is centred and each\n"
    "glyph keeps its place in it; a proportional glyph is centred. An outline\n"
    "font's dotted zero whose dot would be one or two dots, which read as an\n"
    "8 and leave the ring the O dot for dot, is drawn plain and a column\n"
    "narrower than the O; a comma drawn one dot wide, a stroke that reads as\n"
    "part of the figure beside it, is given a head of two by two dots (its\n"
    "head of one dot over two, two wide); an acute or grave accent drawn\n"
    "upright, one dot a row, which reads as neither, is slanted its way\n"
    "again, whether a blank row parts it from its letter or not; the dots of\n"
    "u umlaut or i drawn two rows or more over their letter, which read as no\n"
    "mark, come down to a row over it; with the font's own hinting, a small\n"
    "letter's round top that it leaves a row over the other lower case\n"
    "(alpha, final sigma), one or two dots that read as an accent, comes down\n"
    "onto their row; a stem whose foot the hinting leaves a row over its\n"
    "bowl's bottom (a, alpha), which reads as z or as no letter, stands on\n"
    "it.\n"
    "DBCS outline fonts are rendered with the light auto-hinter and grey\n"
    "80 at the size whose em square fills the cell, the em box placed\n"
    "where the font's ideographs, kana and hangul lie (its ascent and\n"
    "descent where they agree), each glyph where its advance puts it.\n"
    "Nine-row DBCS impact glyphs are drawn on 16 rows and reduced, strokes\n"
    "kept apart. A glyph that still passes the cell's edge is moved into\n"
    "the cell (an SBCS letter's accent or cedilla first set on the letter,\n"
    "without the blank row between them, and an ascender or descender a\n"
    "row of its stem shorter, so that the letter keeps its place on the\n"
    "line), and drawn smaller where it is larger than the cell; with\n"
    "--clip its dots outside the cell are cut off instead, counted and\n"
    "their codes named.\n"
    "\n"
    "Prints one line: the glyphs written, how many are blank because the\n"
    "character is missing (with --chars or --text: how many were selected\n"
    "and how many of those no font has), how many lost dots to the cell's\n"
    "edges (--clip) or were moved into it, and with --fallback how many\n"
    "came from each font. The file is written whole or not at all.\n"
    "Warnings go to standard error: SBCS impact widths the station prints\n"
    "only in part, and a DBCS file with more glyphs than the converter's\n"
    "table of 20000 records holds.\n"
    "\n"
    "A mistake in a glyph text is one line on standard error,\n"
    "FILE:LINE:COLUMN: message, and nothing is written.\n"
    "\n"
    "Exit status: 0 written, 1 bad arguments (also a size the converter\n"
    "refuses, an unknown code page, a range without codes), 2 the source\n"
    "font cannot be opened or its characters cannot be mapped, or a glyph\n"
    "text cannot be read or has a mistake, 4 the output file (or standard\n"
    "output) cannot be written (also when it is one of the files given as\n"
    "inputs).\n";

// The limits paragraph, from the readers' own constants.
std::string Limits() {
  char text[768];
  std::snprintf(text, sizeof(text),
                "Limits: a glyph text of at most %zu MiB, a --chars file of %zu "
                "MiB,\n"
                "a --map file of %zu MiB; a compressed or BDF source font of "
                "%zu MiB\n"
                "uncompressed, and no BDF font whose glyph boxes take more "
                "than %zu MB\n"
                "to load; the source fonts held whole %zu MB together; a "
                "source from a\n"
                "pipe %zu MiB, read once; a glyph box %d times the size "
                "drawn at (a\n"
                "larger glyph is left blank and counted).\n\n",
                kMaxGlyphTextSize >> 20, kMaxCharsFileSize >> 20,
                kMaxCodeMapSize >> 20, kMaxUncompressedFont >> 20,
                static_cast<size_t>(kMaxBdfBitmapBytes >> 20),
                static_cast<size_t>(kMaxHeldSourceBytes >> 20),
                kMaxPipedSource >> 20, kMaxGlyphBoxEms);
  return text;
}


}  // namespace

const OptionTable kMakeOptions = MakeOptionTable(kMakeOptionRows, 28);

std::string MakeHelp() {
  std::string help = kHelpStart + OptionHelp(kMakeOptions) + kHelpEnd;
  help.insert(help.find("Exit status:"), Limits());
  return help;
}

int ReadMakeOptions(int argc, char** argv, MakeOptions* options,
                    CommandReport* report) {
  const ParsedLine line = ParseCommandLine(kMakeOptions, argc, argv, options);
  if (line.fault != OptionFault::kNone) {
    // Any number of names.
    return MakeUsageError(report, OptionFaultText(line, "make", nullptr));
  }
  options->names = line.names;
  return kMakeOk;
}

}  // namespace vexo
