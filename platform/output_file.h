// How the tools write a file, and how they open one for reading: always as
// raw bytes, on every platform.
//
// A regular file, or a name that does not exist yet, is written to a
// temporary file in the same folder, which takes the name only once it is
// complete: a run that fails, or that a signal ends, leaves the previous
// file exactly as it was and no temporary file behind. An existing file
// keeps its permission bits but set-user-ID and set-group-ID, its extended
// attributes and access control lists but file capabilities (and, where
// the system lets us, its owner); a new one gets the bits the caller names,
// less the umask. The new file is a new file: other hard links of the old
// one keep the old bytes. A symbolic link keeps pointing where it pointed
// and its target gets the new bytes; a link anywhere in the name that the
// kernel's protected-symlink rule would not follow (one in a sticky folder
// anyone may write to, owned by neither us nor the folder's owner) is
// refused with EACCES. The folder is held open from the check on and the
// file opened without following links, so that a link planted after the
// check is never written through. A name of one of our own standard
// streams (/dev/stdin, /dev/stdout, /dev/stderr, /dev/fd/N,
// /proc/self/fd/N) is written through that stream, after what it already
// holds. Anything else that is not a folder (a device such as /dev/full or
// nul, a FIFO, a pipe) is written in place and is never removed, replaced
// or renamed over.
#ifndef VEXOCNVT_PLATFORM_OUTPUT_FILE_H_
#define VEXOCNVT_PLATFORM_OUTPUT_FILE_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/output_names.h"
#include "platform/system_names.h"

namespace vexo {

// A file being written; one never opened may be abandoned.
struct OutputFile {
  std::FILE* stream = nullptr;          // the bytes go here; null when closed
  bool inPlace = false;                 // a device or FIFO, written directly
  OutputPlace place;                    // the file that gets the bytes
  char tempPath[kOutputPathSize] = {};  // the temporary beside it, if any
  int tempAt = 0;                       // its own name, in the folder
};


// Reads the whole of `name` as raw bytes into *bytes, but no more than
// `limit` bytes: *cut says whether more followed (a device or an endless
// stream is read no further).
enum class ReadResult { kRead, kCannotOpen, kCannotRead };
ReadResult ReadLimitedFile(const char* name, size_t limit,
                           std::vector<uint8_t>* bytes, bool* cut);

// The same from an open stream, appending to *bytes until it holds `limit`
// bytes; the stream is left open where the reading stopped.
ReadResult ReadLimitedStream(std::FILE* file, size_t limit,
                             std::vector<uint8_t>* bytes, bool* cut);

// Opens `name` for writing raw bytes by the rules above. `newFileMode` is
// the permission bits of a file made new (ignored where the platform has
// none). Returns 0 with file->stream ready for writing, or the errno value
// of the failure (EISDIR for a folder), after which nothing has changed.
int OpenOutputFile(const char* name, unsigned newFileMode, OutputFile* file);

// Flushes and closes the stream and gives the new bytes the name. Returns 0,
// or the errno value of the failure; on failure the previous file is kept
// and the temporary removed, as by AbandonOutputFile.
int CommitOutputFile(OutputFile* file);

// The two halves of CommitOutputFile, for files that must all take their
// names or none: CloseOutputFile leaves the complete bytes in the
// temporary, PublishOutputFile then gives them the name. Each returns 0 or
// the errno value, after which the temporary is gone. AbandonOutputFile
// removes a closed temporary too.
int CloseOutputFile(OutputFile* file);
int PublishOutputFile(OutputFile* file);

// Closes the stream and removes the temporary; the name keeps what it had.
// A device or FIFO keeps what it was sent.
void AbandonOutputFile(OutputFile* file);

// Whether `name` can be written by the rules above, asked without writing
// or making anything: 0, or the errno value that opening it, or making its
// temporary, would fail with (EISDIR for a folder, EACCES for a link the
// protected-symlink rule refuses or a file or folder we may not write);
// *folder says whether the failure is the folder's (no new file may be
// made in it, or it does not exist).
int ProbeOutputFile(const char* name, bool* folder);

// For tests: called between the checks of an output name and the opening
// of what it names (nullptr: nothing), so that a test can change what lies
// there in between.
void SetOutputCheckedHook(void (*hook)(const char* path));

// Writes `size` bytes as the whole of `name`, by the rules above. Returns 0
// or the errno value of the failure.
int WriteWholeFile(const char* name, const void* data, size_t size,
                   unsigned newFileMode);

// The same, but the complete bytes are left in the temporary (*file closed)
// for PublishOutputFile or AbandonOutputFile; on failure nothing is left.
int WriteWholeFileUnpublished(const char* name, const void* data, size_t size,
                              unsigned newFileMode, OutputFile* file);

// Whether `a` and `b` name one existing file (the same device and inode, or
// on Windows the same volume and file index), symbolic links followed.
bool SameExistingFile(const char* a, const char* b);

}  // namespace vexo

#endif  // VEXOCNVT_PLATFORM_OUTPUT_FILE_H_
