// The configuration file: text lines of a key word and a value word that
// name the input font files, the output font file and the numbers the
// output carries.
#ifndef VEXOCNVT_DRIVER_CONFIG_FILE_H_
#define VEXOCNVT_DRIVER_CONFIG_FILE_H_

#include <cstdint>

// Reads the configuration file `path` into Settings, adding to and
// overwriting what is there (the caller sets the defaults first). Returns 0
// when the file was read to its end, whatever its lines held; -1 when it
// cannot be opened or reading it fails, after printing a line naming it on
// standard error.
int ReadConfigFile(const char* path);

// Reads a number value: an optional sign, then decimal digits up to the
// first other character. On success stores the number modulo 65536 in
// *value and returns true; a word that does not begin with a number returns
// false and leaves *value alone.
bool ParseNumberValue(const char* word, uint16_t* value);

#endif  // VEXOCNVT_DRIVER_CONFIG_FILE_H_
