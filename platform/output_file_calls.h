// The few file calls that differ between the platforms, for the safe
// writes of platform/output_file.cc only. Everything here opens raw bytes:
// Windows would otherwise write every 0x0A byte as 0x0D 0x0A. A name is
// given with the folder that holds it (POSIX; the folder is ignored on
// Windows, where the name is the whole path).
#ifndef VEXOCNVT_PLATFORM_OUTPUT_FILE_CALLS_H_
#define VEXOCNVT_PLATFORM_OUTPUT_FILE_CALLS_H_

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdio>

#include "platform/output_names.h"

namespace vexo {

namespace file_calls {

#ifdef _WIN32
using FileInfo = struct _stat64;
#else
using FileInfo = struct stat;
#endif

// What lies at `name` (the link itself unless `follow`); 0 or -1.
int StatName(int folder, const char* name, bool follow, FileInfo* info);
bool IsRegular(const FileInfo& info);
bool IsFolder(const FileInfo& info);
// A new file of mode `mode` (less the umask), never through a link; its
// descriptor or -1 with errno set.
int OpenNew(int folder, const char* name, unsigned mode);
// Opens what lies at `name` for writing, through no link (unless
// `follow`) and without waiting for a FIFO's reader before it is known to
// be the file `expected` describes: anything else there now (a link or
// FIFO put in its place after the check) is refused with EAGAIN, nothing
// written. Its descriptor or -1 with errno set.
int OpenExisting(int folder, const char* name, bool follow,
                 const FileInfo& expected);
std::FILE* StreamOn(int fd);
void CloseDescriptor(int fd);
void RemoveName(int folder, const char* name);
unsigned long ProcessNumber();
// Gives the file `from` the name `to`, replacing what is there; 0 or the
// errno value.
int ReplaceName(int folder, const char* from, const char* to);
// Gives the new file `fd` what the file it replaces (`previousFd`, status
// `previous`) keeps.
void KeepAttributes(int fd, int previousFd, const FileInfo& previous);
// Whether the file may be written, and a new file made in the folder;
// 0 or the errno value.
int MayWrite(int folder, const char* name);
int MayMakeIn(const OutputPlace& place);
// A name that stands for a device wherever it is (Windows' NUL, CON ...).
bool IsDeviceName(const char* path);

}  // namespace file_calls

}  // namespace vexo

#endif  // VEXOCNVT_PLATFORM_OUTPUT_FILE_CALLS_H_
