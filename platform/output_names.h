// Which file an output name writes to: the folder that holds it, reached
// with every symbolic link on the way checked (none that the kernel's
// protected-symlink rule would refuse) and held open, so that nothing
// planted after the check can steer the write; and the names of the
// program's own standard streams.
#ifndef VEXOCNVT_PLATFORM_OUTPUT_NAMES_H_
#define VEXOCNVT_PLATFORM_OUTPUT_NAMES_H_

namespace vexo {

constexpr int kOutputPathSize = 4096;

// Where an output name leads.
struct OutputPlace {
  // The folder that holds the file, open (POSIX); -1 on Windows, where
  // names are given whole to the system, which follows links itself.
  int folder = -1;
  // The name with every link resolved (it has none left); the file's own
  // name in its folder starts at path + nameAt (0 on Windows).
  char path[kOutputPathSize] = {};
  int nameAt = 0;
  // The last part is a link into the system's own objects (a descriptor's
  // pipe:[N] in /proc): opened through the link, in place.
  bool throughLink = false;
};

// Walks `name` part by part from the working folder (or the root), every
// symbolic link followed by hand: a link in a sticky folder that anyone may
// write to, owned by neither us nor the folder's owner, is refused wherever
// it stands in the name. Returns 0 with the file's folder open in
// place->folder (closed by the caller, CloseOutputPlace), or ELOOP for a
// loop of links, ENAMETOOLONG for a name too long to hold, EACCES for a
// link the protected-symlink rule refuses, EISDIR for a name that ends in
// a folder, or the errno value of a folder on the way that cannot be
// entered; nothing is open then.
int FindOutputPlace(const char* name, OutputPlace* place);

// Closes the folder FindOutputPlace opened.
void CloseOutputPlace(OutputPlace* place);

// The descriptor that a standard-stream name designates: 0 for /dev/stdin,
// 1 for /dev/stdout, 2 for /dev/stderr, N for /dev/fd/N and
// /proc/self/fd/N; -1 for any other name, for a descriptor that is not
// open, and on Windows.
int StandardStreamOf(const char* name);

// A descriptor of our own for the stream `fd`, its buffered text written
// first; -1 with errno set on failure.
int WriteThrough(int fd);

}  // namespace vexo

#endif  // VEXOCNVT_PLATFORM_OUTPUT_NAMES_H_
