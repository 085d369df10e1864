// How a file name reaches the system. File names are bytes in these
// programs: the converter takes them as its configuration holds them, and
// vexofont takes its command line. On Windows, whose file calls take UTF-16
// names, the bytes are read in the encoding set here: the ANSI code page,
// as the C library reads them, unless a program sets UTF-8 (vexofont, whose
// command line is read as UTF-16 and kept as UTF-8). Elsewhere the bytes go
// to the system as they are.
#ifndef VEXOCNVT_PLATFORM_SYSTEM_NAMES_H_
#define VEXOCNVT_PLATFORM_SYSTEM_NAMES_H_

#include <cstdio>
#include <string>

namespace vexo {

enum class NameEncoding { kSystem, kUtf8 };

void SetNameEncoding(NameEncoding encoding);

// A name as a configuration holds it (in the system's encoding, as the
// converter reads it) in the encoding names are read in now.
std::string ConfigNameAsName(const std::string& name);

// Opens `name` as raw bytes for reading: a stream, or a descriptor (-1
// with errno set when it cannot be opened).
std::FILE* OpenRawFileForReading(const char* name);
int OpenRawDescriptorForReading(const char* name);
void CloseRawDescriptor(int fd);

// Whether `name` is a folder, links followed.
bool NameIsFolder(const char* name);

// `name` itself, or, when it names no folder and there is no such file
// here, where a file of that name lies among the system's fonts: on Windows
// its Fonts folder, then the user's own (fonts installed for one user);
// elsewhere always `name`.
std::string FileOrSystemFont(const std::string& name);

#ifdef _WIN32
// `name` as UTF-16 into `wide` (`capacity` characters with the final NUL);
// false when it does not convert or fit. Allocates nothing, for signal
// handlers.
bool WideNameInto(const char* name, wchar_t* wide, int capacity);
// `name` as UTF-16; empty when it does not convert.
std::wstring WideName(const char* name);
// UTF-16 as UTF-8.
std::string Utf8OfWide(const wchar_t* wide);
#endif

}  // namespace vexo

#endif  // VEXOCNVT_PLATFORM_SYSTEM_NAMES_H_
