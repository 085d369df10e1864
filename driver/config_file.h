// The configuration file: text lines of a key word and a value word that
// name the input font files, the output font file and the numbers the
// output carries.
#ifndef VEXOCNVT_DRIVER_CONFIG_FILE_H_
#define VEXOCNVT_DRIVER_CONFIG_FILE_H_

#include <cstdint>

#include "store/converter_settings.h"
#include "store/font_kind.h"

namespace vexo {

// The configuration's keys. A line counts for a key when it begins with the
// key's exact characters, in the first column; the rest of its first word is
// not looked at. The nine keys, in the order a line is matched against them:
// the four font lists, then the value keys.
constexpr int kConfigKeyCount = 9;
extern const char* const kConfigKeys[kConfigKeyCount];

// A font list: its key, the kind and station of the fonts it names (the
// phases load the lists in this table's order), and its names in Settings.
struct FontListKey {
  const char* key;
  FontKind kind;
  Station station;
  char (ConverterSettings::*names)[kMaxFilesPerList][kFileNameSlotSize];
  int32_t ConverterSettings::*count;

  const char (&Names() const)[kMaxFilesPerList][kFileNameSlotSize] {
    return Settings.*names;
  }
  int Count() const { return Settings.*count; }
};
constexpr int kFontListCount = 4;
inline constexpr FontListKey kFontListKeys[kFontListCount] = {
    {"SbcsThermalFile", FontKind::kSbcs, Station::kThermal,
     &ConverterSettings::sbcsThermalFiles,
     &ConverterSettings::sbcsThermalFileCount},
    {"SbcsImpactFile", FontKind::kSbcs, Station::kImpact,
     &ConverterSettings::sbcsImpactFiles,
     &ConverterSettings::sbcsImpactFileCount},
    {"DbcsThermalFile", FontKind::kDbcs, Station::kThermal,
     &ConverterSettings::dbcsThermalFiles,
     &ConverterSettings::dbcsThermalFileCount},
    {"DbcsImpactFile", FontKind::kDbcs, Station::kImpact,
     &ConverterSettings::dbcsImpactFiles,
     &ConverterSettings::dbcsImpactFileCount},
};

// A number key: its field, and the largest value it takes (a larger one is
// taken as this; 0: no limit but the 16 bits).
struct NumberKey {
  const char* key;
  uint16_t ConverterSettings::*field;
  uint16_t limit;
};
constexpr int kNumberKeyCount = 3;
inline constexpr NumberKey kNumberKeys[kNumberKeyCount] = {
    {"SbcsSpacing", &ConverterSettings::sbcsSpacing, 8},
    {"DbcsSpacing", &ConverterSettings::dbcsSpacing, 20},
    {"CodePage", &ConverterSettings::codePage, 0},
};

// The other two value keys: the output name and the listing switch, which
// any value word turns on.
inline constexpr char kOutputFontFileKey[] = "OutputFontFile";
inline constexpr char kVerboseKey[] = "Verbose";

// The font list or number key named `key` exactly, or null.
const FontListKey* FindFontListKey(const char* key);
const NumberKey* FindNumberKey(const char* key);

// What the reader made of one piece of a line (a line is read in pieces of
// at most 199 characters, each handled as a line of its own).
struct ConfigLine {
  int line = 0;   // the line of the file, from 1
  int piece = 0;  // 0 for a line's first piece
  const char* text = nullptr;  // the piece, without its line feed
  // The piece's length: beyond the text where the piece holds a NUL byte,
  // which ends the text the converter reads keys and values from.
  int length = 0;
  enum Kind { kComment, kSkipped, kKey };
  Kind kind = kSkipped;
  const char* key = nullptr;    // kKey: the key the piece begins with
  const char* value = nullptr;  // its value word; null when there is none
  // kKey: the value changed the settings; false when it is missing, not a
  // number, or a name beyond the list's 10.
  bool taken = false;
  bool listFull = false;  // a file name refused because its list is full
};

// Called for every piece, after the piece has been applied to Settings.
using ConfigLineObserver = void (*)(void* context, const ConfigLine& line);

// No configuration is longer than this; a longer file (a device, an
// endless stream) is refused as one that cannot be read.
constexpr long kMaxConfigFileSize = 1L << 20;

// Reads the configuration file `path` into Settings, adding to and
// overwriting what is there (the caller sets the defaults first). Returns 0
// when the file was read to its end, whatever its lines held; -1 when it
// cannot be opened, reading it fails or it goes on past
// kMaxConfigFileSize bytes, after printing a line naming it on standard
// error. With an observer, each piece is reported to it and the reader
// prints nothing of its own.
int ReadConfigFile(const char* path, ConfigLineObserver observer = nullptr,
                   void* context = nullptr);

// Reads a number value: an optional sign, then decimal digits up to the
// first other character. On success stores the number modulo 65536 in
// *value and returns true; a word that does not begin with a number returns
// false and leaves *value alone.
bool ParseNumberValue(const char* word, uint16_t* value);

}  // namespace vexo

#endif  // VEXOCNVT_DRIVER_CONFIG_FILE_H_
