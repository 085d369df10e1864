// The configuration file: text lines of a key word and a value word that
// name the input font files, the output font file and the numbers the
// output carries.
#ifndef VEXOCNVT_DRIVER_CONFIG_FILE_H_
#define VEXOCNVT_DRIVER_CONFIG_FILE_H_

#include <cstdint>

// What the reader made of one piece of a line (a line is read in pieces of
// at most 199 characters, each handled as a line of its own).
struct ConfigLine {
  int line = 0;   // the line of the file, from 1
  int piece = 0;  // 0 for a line's first piece
  const char* text = nullptr;  // the piece, without its line feed
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

// Reads the configuration file `path` into Settings, adding to and
// overwriting what is there (the caller sets the defaults first). Returns 0
// when the file was read to its end, whatever its lines held; -1 when it
// cannot be opened or reading it fails, after printing a line naming it on
// standard error. With an observer, each piece is reported to it and the
// reader prints nothing of its own.
int ReadConfigFile(const char* path, ConfigLineObserver observer = nullptr,
                   void* context = nullptr);

// Reads a number value: an optional sign, then decimal digits up to the
// first other character. On success stores the number modulo 65536 in
// *value and returns true; a word that does not begin with a number returns
// false and leaves *value alone.
bool ParseNumberValue(const char* word, uint16_t* value);

#endif  // VEXOCNVT_DRIVER_CONFIG_FILE_H_
