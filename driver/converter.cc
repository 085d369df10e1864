#include "driver/converter.h"

#include <cstdio>
#include <cstring>

#include "driver/config_file.h"
#include "store/converter_settings.h"
#include "fontinput/dbcs_loader.h"
#include "fontinput/font_header.h"
#include "fontinput/glyph_size.h"
#include "fontinput/sbcs_loader.h"
#include "platform/console.h"
#include "store/glyph_table.h"
#include "platform/output_file.h"
#include "store/output_font_file.h"
#include "store/station_report.h"
#include "platform/system_names.h"
#include "store/version.h"

namespace vexo {

namespace {

// Set when a file of the phase loads; never cleared within a run.
struct LoadedFlags {
  bool sbcsThermalLoaded;
  bool sbcsImpactLoaded;
  bool dbcsThermalLoaded;
  bool dbcsImpactLoaded;
};

// Opens `name` for reading raw bytes, with the phase's opening messages.
// Returns null when it cannot be opened. The name is read as a
// configuration holds it whichever program runs the conversion (vexofont
// reads its own names as UTF-8 on Windows).
std::FILE* OpenFontFile(const char* name) {
  std::printf("Opening file '%s' for reading\n", name);
  std::FILE* file = OpenRawFileForReading(ConfigNameAsName(name).c_str());
  if (file == nullptr) {
    PrintError("Could not open file '%s' for reading\n", name);
  }
  return file;
}

// The four phases' size checks: the rules are fontinput/glyph_size.h's,
// the messages each phase's own.
bool SbcsThermalSizeAccepted(const char* name, const SbcsFontHeader& header) {
  switch (CheckGlyphSize(kSbcsThermalSizes, header.width, header.height)) {
    case SizeFault::kNone:
      return true;
    case SizeFault::kWidth:
      PrintError("File '%s' thermal width either <8 or >16\n", name);
      return false;
    case SizeFault::kHeight:
      PrintError("File '%s' thermal height either <16 or >32\n", name);
      return false;
    case SizeFault::kHeightAtMaxWidth:
      PrintError("File '%s' thermal height above 24 at width 16\n", name);
      return false;
  }
  return false;
}

bool SbcsImpactSizeAccepted(const char* name, const SbcsFontHeader& header) {
  switch (CheckGlyphSize(kSbcsImpactSizes, header.width, header.height)) {
    case SizeFault::kNone:
      return true;
    case SizeFault::kWidth:
      PrintError("File '%s' impact width either <4 or >16\n", name);
      return false;
    case SizeFault::kHeight:
    case SizeFault::kHeightAtMaxWidth:
      PrintError("File '%s' impact height either <4 or >16\n", name);
      return false;
  }
  return false;
}

bool DbcsThermalSizeAccepted(const char* name, const DbcsFontHeader& header) {
  if (CheckGlyphSize(kDbcsThermalSizes, header.width, header.height) !=
      SizeFault::kNone) {
    PrintError("File '%s' thermal width or height not equal to 24\n", name);
    return false;
  }
  return true;
}

bool DbcsImpactSizeAccepted(const char* name, const DbcsFontHeader& header) {
  switch (CheckGlyphSize(kDbcsImpactSizes, header.width, header.height)) {
    case SizeFault::kNone:
      return true;
    case SizeFault::kWidth:
      PrintError("File '%s' impact width not equal to 16\n", name);
      return false;
    case SizeFault::kHeight:
    case SizeFault::kHeightAtMaxWidth:
      PrintError("File '%s' impact height not 9 or 16\n", name);
      return false;
  }
  return false;
}

// The phase procedure shared by all four phases: for each name of the
// phase's list, open the file, read and check its header and glyph size,
// load its glyphs and, when the load succeeds, hand the header to
// `onLoaded`.
// The phases run in the order of the configuration's font lists.
static_assert(kFontListKeys[0].kind == FontKind::kSbcs &&
              kFontListKeys[0].station == Station::kThermal);
static_assert(kFontListKeys[1].kind == FontKind::kSbcs &&
              kFontListKeys[1].station == Station::kImpact);
static_assert(kFontListKeys[2].kind == FontKind::kDbcs &&
              kFontListKeys[2].station == Station::kThermal);
static_assert(kFontListKeys[3].kind == FontKind::kDbcs &&
              kFontListKeys[3].station == Station::kImpact);

template <typename Header>
void RunPhase(const FontListKey& list, const char* readingMessage,
              int (*readHeader)(std::FILE*, Header*, char*),
              bool (*sizeAccepted)(const char*, const Header&),
              int (*loadGlyphs)(std::FILE*, Station, Header),
              void (*onLoaded)(const Header&)) {
  for (int i = 0; i < list.Count(); ++i) {
    const char* name = list.Names()[i];
    std::FILE* file = OpenFontFile(name);
    if (file == nullptr) continue;
    Header header;
    char fileType[kFileTypeBufferSize];
    if (readHeader(file, &header, fileType) != 0) {
      PrintError("Could not read file '%s' font header\n", name);
    } else if (sizeAccepted(name, header)) {
      std::printf(readingMessage, name);
      if (loadGlyphs(file, list.station, header) == 0) onLoaded(header);
    }
    std::fclose(file);
  }
}

LoadedFlags loaded;

// What each phase keeps of its last loaded file's header; a later file of
// the same phase overwrites it.
void SbcsThermalLoaded(const SbcsFontHeader& header) {
  loaded.sbcsThermalLoaded = true;
  Settings.sbcsThermalWidth = static_cast<uint16_t>(header.width);
  Settings.sbcsThermalHeight = static_cast<uint16_t>(header.height);
}

void SbcsImpactLoaded(const SbcsFontHeader& header) {
  loaded.sbcsImpactLoaded = true;
  Settings.sbcsImpactWidth = static_cast<uint16_t>(header.width);
  Settings.sbcsImpactHeight = static_cast<uint16_t>(header.height);
}

void DbcsThermalLoaded(const DbcsFontHeader& header) {
  loaded.dbcsThermalLoaded = true;
  for (int pair = 0; pair < 4; ++pair) {
    Settings.dbcsCodePageVector[pair][0] = header.codePageVector1[2 * pair];
    Settings.dbcsCodePageVector[pair][1] = header.codePageVector1[2 * pair + 1];
  }
}

void DbcsImpactLoaded(const DbcsFontHeader& header) {
  loaded.dbcsImpactLoaded = true;
  Settings.dbcsImpactNineRows = header.height == 9 ? 1 : 0;
}

// Whether the output name is one of the run's own inputs (a listed font file
// or the configuration file, found as the same file on disk, through links
// too), after printing the line that names both. Writing over it would
// destroy the very file the run was made from.
bool OutputIsAnInput(const char* configName) {
  const char* output = Settings.outputFontFile;
  for (const FontListKey& list : kFontListKeys) {
    for (int i = 0; i < list.Count(); ++i) {
      if (SameExistingFile(output, list.Names()[i])) {
        PrintError("Output file '%s' is the input font file '%s'; nothing "
                   "written\n",
                   output, list.Names()[i]);
        return true;
      }
    }
  }
  if (SameExistingFile(output, configName)) {
    PrintError("Output file '%s' is the config file '%s'; nothing written\n",
               output, configName);
    return true;
  }
  return false;
}

void PrintHelp() {
  std::printf(
      "usage:  vexocnvt config-file\n"
      "        vexocnvt --help | --version\n"
      "\n"
      "Converts the input font files that config-file names into one output\n"
      "font file for a two-station receipt printer: a thermal station that\n"
      "prints glyphs as rows of dots and an impact station that prints them\n"
      "as columns of dots.\n"
      "\n"
      "config-file holds a key and a value a line, the key in the first\n"
      "column (case-sensitive); a line starting with * or # is a comment:\n"
      "  SbcsThermalFile FILE  an SBCS font for the thermal station\n"
      "                      (%s)\n"
      "  SbcsImpactFile FILE   an SBCS font for the impact station\n"
      "                      (%s)\n"
      "  DbcsThermalFile FILE  a DBCS font for the thermal station (%s)\n"
      "  DbcsImpactFile FILE   a DBCS font for the impact station (%s)\n"
      "                        (each of the four at most %d times)\n"
      "  OutputFontFile FILE   the output font file (default None)\n"
      "  SbcsSpacing N         SBCS spacing, at most %d (default 3)\n"
      "  DbcsSpacing N         DBCS spacing, at most %d (default 6)\n"
      "  CodePage N            the code page the output carries (default 0)\n"
      "  Verbose WORD          list every glyph as a dot picture and hex bytes\n"
      "\n"
      "Progress, header dumps and reports go to standard output, errors to\n"
      "standard error. The output font file is written whole or not at all.\n"
      "\n"
      "Exit status: 0 the output file was written (also when some input\n"
      "files were refused), 1 no configuration file given, 2 the\n"
      "configuration file cannot be read or is longer than %ld MiB, 4 the\n"
      "output file cannot be written or is one of the run's own input files.\n",
      AcceptedSizes(kSbcsThermalSizes).c_str(),
      AcceptedSizes(kSbcsImpactSizes).c_str(),
      AcceptedSizes(kDbcsThermalSizes).c_str(),
      AcceptedSizes(kDbcsImpactSizes).c_str(), kMaxFilesPerList,
      FindNumberKey("SbcsSpacing")->limit, FindNumberKey("DbcsSpacing")->limit,
      kMaxConfigFileSize >> 20);
}

// Reads the configuration and runs the four load phases with their
// messages and station reports; false when the configuration cannot be
// read (after its message).
bool LoadConfiguredFonts(const char* configName);

}  // namespace

int RunConverter(int argc, char** argv) {
  if (argc < 2) {
    PrintError("usage:  vexocnvt config-file\n");
    return kExitUsage;
  }
  // Only as the one argument: any other first argument is the
  // configuration file, whatever its name.
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    PrintHelp();
    std::fflush(stdout);
    return kExitOk;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("vexocnvt %s\n", kReleaseVersion);
    std::fflush(stdout);
    return kExitOk;
  }
  const char* configName = argv[1];
  if (!LoadConfiguredFonts(configName)) return kExitConfigUnreadable;
  const int status = !OutputIsAnInput(configName) && WriteOutputFontFile() == 0
                         ? kExitOk
                         : kExitOutputFailed;
  std::fflush(stdout);
  return status;
}

int ConvertToStream(const char* configName, std::FILE* stream) {
  if (!LoadConfiguredFonts(configName)) return kExitConfigUnreadable;
  const int status =
      WriteOutputFontRecords(stream) >= 0 ? kExitOk : kExitOutputFailed;
  std::fflush(stdout);
  return status;
}

namespace {

bool LoadConfiguredFonts(const char* configName) {
  ResetConverterSettings();
  InitGlyphTable();

  std::printf("Reading config file '%s'\n", configName);
  if (ReadConfigFile(configName) != 0) {
    PrintError("Could not read config file '%s'\n", configName);
    return false;
  }

  loaded = LoadedFlags{};
  RunPhase<SbcsFontHeader>(kFontListKeys[0],
                           "Reading SBCS Thermal File '%s'...\n",
                           ReadSbcsFontHeader, SbcsThermalSizeAccepted,
                           LoadSbcsGlyphs, SbcsThermalLoaded);
  RunPhase<SbcsFontHeader>(kFontListKeys[1],
                           "Reading SBCS Impact File '%s'...\n",
                           ReadSbcsFontHeader, SbcsImpactSizeAccepted,
                           LoadSbcsGlyphs, SbcsImpactLoaded);
  if (loaded.sbcsThermalLoaded && loaded.sbcsImpactLoaded) {
    ReportStationGaps(FontKind::kSbcs);
  }
  RunPhase<DbcsFontHeader>(kFontListKeys[2],
                           "Reading DBCS Thermal File '%s'...\n",
                           ReadDbcsFontHeader, DbcsThermalSizeAccepted,
                           LoadDbcsGlyphs, DbcsThermalLoaded);
  RunPhase<DbcsFontHeader>(kFontListKeys[3],
                           "Reading DBCS Impact File '%s'...\n",
                           ReadDbcsFontHeader, DbcsImpactSizeAccepted,
                           LoadDbcsGlyphs, DbcsImpactLoaded);
  if (loaded.dbcsThermalLoaded && loaded.dbcsImpactLoaded) {
    ReportStationGaps(FontKind::kDbcs);
  }
  return true;
}

}  // namespace

}  // namespace vexo
