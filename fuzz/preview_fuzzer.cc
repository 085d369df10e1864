// Runs whole `vexofont preview` commands in-process on a fuzzer-made text
// and a fuzzer-made output font file, or a configuration and its input
// fonts converted in memory, with the options a selector chooses, to prove
// that no text, font, configuration or option makes preview crash, leak,
// loop or end with a status it does not document; that it never writes
// over the files it reads; and that what it writes is whole: a PNG file
// with its signature, a page with one script whose data is a well-formed
// literal.
//
// Input: three selector bytes, then the text, then the font file or the
// configuration, then up to eight input fonts, each part after the line
// "--file--" (in the configuration "@0" to "@7" name the fonts, as in the
// conversion target). Selector 0: bit 0 --config, bit 1 --png, bit 2
// --html, bit 3 --side-by-side, bits 4-5 the station (both, thermal,
// impact, a bad name), bit 6 the text by --text (else by --file), bit 7
// --code-page. Selector 1 chooses the widths, selector 2 the spacing and
// the code page.
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "testkit/test_fonts.h"
#include "vexofont/preview/preview_command.h"

namespace vexo {

namespace {

constexpr const char* kWidths[] = {"", "24", "200", "576", "1000", "23", "x"};
constexpr const char* kPitches[] = {"", "0.063", "0.5x0.1", "0.2x"};
constexpr const char* kSpacings[] = {"", "0,0", "3,5", "255,255", "1", "256,0"};
constexpr const char* kCodePages[] = {"437", "932", "936", "949", "950", "858", "1252", "99"};

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos;
       at = text.find(what, at + 1)) {
    ++n;
  }
  return n;
}

// The data line of the page: string literals closed, every bracket closed
// in order, nothing but printable text and UTF-8 outside them.
void CheckData(const std::string& line) {
  FUZZ_CHECK(line.rfind("const D={", 0) == 0);
  FUZZ_CHECK(line.size() >= 2 && line.compare(line.size() - 2, 2, "};") == 0);
  std::string open;
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    FUZZ_CHECK(c >= 0x20);
    if (quoted) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        quoted = false;
      }
      continue;
    }
    if (c == '"') quoted = true;
    if (c == '{' || c == '[' || c == '(') open += static_cast<char>(c);
    if (c == '}' || c == ']' || c == ')') {
      FUZZ_CHECK(!open.empty());
      const char want = c == '}' ? '{' : c == ']' ? '[' : '(';
      FUZZ_CHECK(open.back() == want);
      open.pop_back();
    }
  }
  FUZZ_CHECK(!quoted && open.empty());
}

void CheckPage(const std::string& page) {
  FUZZ_CHECK(Count(page, "<script>") == 1);
  FUZZ_CHECK(Count(page, "</script>") == 1);
  const size_t start = page.find("<script>\n") + std::strlen("<script>\n");
  const size_t end = page.find('\n', start);
  FUZZ_CHECK(end != std::string::npos);
  CheckData(page.substr(start, end - start));
  FUZZ_CHECK(page.find("</script>") > end);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const uint8_t mode = data[0];
  const uint8_t widths = data[1];
  const uint8_t extra = data[2];
  const std::string_view input(reinterpret_cast<const char*>(data + 3), size - 3);
  const size_t textEnd = input.find(kFuzzSeparator);
  const std::string text(input.substr(0, textEnd));
  const std::string dir = FuzzScratchDir();
  const std::string font = dir + "/font";
  const std::string textFile = dir + "/text";
  std::string source;
  size_t fontsAt = std::string_view::npos;
  if (textEnd != std::string_view::npos) {
    const size_t begin = textEnd + kFuzzSeparator.size();
    fontsAt = input.find(kFuzzSeparator, begin);
    source = std::string(input.substr(
        begin, fontsAt == std::string_view::npos ? fontsAt : fontsAt - begin));
  }
  const bool config = (mode & 1) != 0;
  if (config) source = ExpandFuzzConfig(source);
  SaveFuzzFonts(input, fontsAt);
  FUZZ_CHECK(SaveScratchFile(font, reinterpret_cast<const uint8_t*>(source.data()),
                             source.size()));
  FUZZ_CHECK(SaveScratchFile(
      textFile, reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  const std::string png = dir + "/p.png";
  const std::string html = dir + "/p.html";
  std::remove(png.c_str());
  std::remove(html.c_str());

  std::vector<std::string> args = {"preview"};
  if (config) {
    args.insert(args.end(), {"--config", font});
  } else {
    args.push_back(font);
  }
  if ((mode & 2) != 0) args.insert(args.end(), {"--png", png});
  if ((mode & 4) != 0) args.insert(args.end(), {"--html", html});
  if ((mode & 8) != 0) args.push_back("--side-by-side");
  const char* stations[] = {"", "thermal", "impact", "paper"};
  if (((mode >> 4) & 3) != 0) args.insert(args.end(), {"--station", stations[(mode >> 4) & 3]});
  if ((mode & 64) != 0) {
    args.insert(args.end(), {"--text", text});
  } else {
    args.insert(args.end(), {"--file", textFile});
  }
  if ((mode & 128) != 0) args.insert(args.end(), {"--code-page", kCodePages[extra >> 5]});
  const char* thermal = kWidths[(widths & 15) % 7];
  const char* impact = kWidths[(widths >> 4) % 7];
  if (*thermal != '\0') args.insert(args.end(), {"--thermal-width", thermal});
  if (*impact != '\0') args.insert(args.end(), {"--impact-width", impact});
  const char* spacing = kSpacings[(extra & 7) % 6];
  if (*spacing != '\0') args.insert(args.end(), {"--spacing", spacing});
  const char* pitch = kPitches[(extra >> 3) & 3];
  if (*pitch != '\0') {
    args.insert(args.end(), {(extra & 1) != 0 ? "--impact-pitch" : "--thermal-pitch", pitch});
  }
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  const Bytes before = ReadBytes(font);
  BeginQuiet();
  const int status = RunPreviewCommand(static_cast<int>(args.size()), argv.data());
  EndQuiet();
  FUZZ_CHECK(status == 0 || status == 1 || status == 3 || status == 4 || status == 5);
  // The files read are never written.
  FUZZ_CHECK(ReadBytes(font) == before);
  const bool drawn = status == 0 || status == 5;
  const Bytes pngBytes = ReadBytes(png);
  const Bytes htmlBytes = ReadBytes(html);
  if (drawn && (mode & 2) != 0) {
    static const uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    FUZZ_CHECK(pngBytes.size() > sizeof(kSignature) &&
               std::memcmp(pngBytes.data(), kSignature, sizeof(kSignature)) ==
                   0);
  }
  if (drawn && (mode & 4) != 0) {
    CheckPage(std::string(htmlBytes.begin(), htmlBytes.end()));
  }
  // Both outputs or neither.
  if (!drawn) FUZZ_CHECK(pngBytes.empty() && htmlBytes.empty());
  return 0;
}

}  // namespace vexo
