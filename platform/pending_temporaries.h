// The temporaries of files being written, removed when a signal ends the
// program before the signal does (every signal whose default action ends
// it and that comes from outside: SIGINT, SIGTERM, SIGHUP, SIGQUIT,
// SIGALRM, SIGUSR1, SIGXCPU, real-time signals ...): the previous files
// stay as they were and nothing is left behind. While one is recorded,
// those signals are handled here; a signal the program ignores (SIGHUP
// under nohup) or handles itself stays so.
#ifndef VEXOCNVT_PLATFORM_PENDING_TEMPORARIES_H_
#define VEXOCNVT_PLATFORM_PENDING_TEMPORARIES_H_

namespace vexo {

// Records the temporary `path`, which exists now. Returns its slot, or -1
// when every slot is taken (it is then removed by the ordinary paths only).
int AddPendingTemporary(const char* path);

// Forgets `path`: it has been renamed or removed.
void DropPendingTemporary(const char* path);

}  // namespace vexo

#endif  // VEXOCNVT_PLATFORM_PENDING_TEMPORARIES_H_
