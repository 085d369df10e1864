// Which file an output name writes to: the name's symbolic links followed
// (none that the kernel's protected-symlink rule would refuse), and the
// names of the program's own standard streams.
#ifndef VEXOCNVT_STORE_OUTPUT_NAMES_H_
#define VEXOCNVT_STORE_OUTPUT_NAMES_H_

// Follows symbolic links from `name` into `resolved` (kOutputPathSize
// bytes), the name that gets the bytes, which may not exist yet (a dangling
// link). Returns 0, or ELOOP for a loop of links, ENAMETOOLONG for a path
// too long to hold, EACCES for a link the protected-symlink rule refuses:
// one in a sticky folder that anyone may write to, owned by neither us nor
// the folder's owner. On Windows the system follows links itself.
int ResolveLinks(const char* name, char* resolved);

// The descriptor that a standard-stream name designates: 1 for /dev/stdout,
// 2 for /dev/stderr, N for /dev/fd/N and /proc/self/fd/N; -1 for any other
// name, for a descriptor that is not open, and on Windows.
int StandardStreamOf(const char* name);

// A descriptor of our own for the stream `fd`, its buffered text written
// first; -1 with errno set on failure.
int WriteThrough(int fd);

#endif  // VEXOCNVT_STORE_OUTPUT_NAMES_H_
