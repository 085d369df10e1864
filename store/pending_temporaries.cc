#include "store/pending_temporaries.h"

#include <csignal>
#include <cstdio>
#include <cstring>

#include "store/output_file.h"
#include "store/system_names.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

void RemoveName(const char* path) {
#ifdef _WIN32
  // No allocation here: this runs in the signal handler too.
  wchar_t wide[kOutputPathSize];
  if (WideNameInto(path, wide, kOutputPathSize)) _wunlink(wide);
#else
  unlink(path);
#endif
}

// The temporaries that exist now, so that a signal that ends the program
// (SIGINT, SIGTERM, SIGHUP) removes them before it does: the previous files
// stay as they were and nothing is left behind. A slot holds its own copy of
// the name, and the handler only reads slots and removes names.
constexpr int kPendingSlots = 72;  // every page of a sheet and a margin
char pendingNames[kPendingSlots][kOutputPathSize];
volatile std::sig_atomic_t pendingUsed[kPendingSlots];
int pendingCount = 0;

constexpr int kCleanedSignals[] = {
    SIGINT, SIGTERM,
#ifdef SIGHUP
    SIGHUP,
#endif
};
constexpr int kCleanedSignalCount =
    static_cast<int>(sizeof(kCleanedSignals) / sizeof(kCleanedSignals[0]));
using SignalHandler = void (*)(int);
SignalHandler savedHandlers[kCleanedSignalCount];

extern "C" void RemovePendingAndRaise(int signal) {
  for (int i = 0; i < kPendingSlots; ++i) {
    if (pendingUsed[i]) RemoveName(pendingNames[i]);
  }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

// Takes the handlers of the signals that would end the program; a signal
// the program ignores (SIGHUP under nohup) stays ignored.
void HoldEndingSignals() {
  for (int i = 0; i < kCleanedSignalCount; ++i) {
    savedHandlers[i] = std::signal(kCleanedSignals[i], RemovePendingAndRaise);
    if (savedHandlers[i] == SIG_IGN) std::signal(kCleanedSignals[i], SIG_IGN);
  }
}
void ReleaseEndingSignals() {
  for (int i = 0; i < kCleanedSignalCount; ++i) {
    if (savedHandlers[i] != SIG_ERR) std::signal(kCleanedSignals[i], savedHandlers[i]);
  }
}

}  // namespace

// Records the temporary `path`; returns its slot, or -1 when every slot is
// taken (the temporary is then only removed by the ordinary paths).
int AddPendingTemporary(const char* path) {
  for (int i = 0; i < kPendingSlots; ++i) {
    if (pendingUsed[i]) continue;
    std::snprintf(pendingNames[i], kOutputPathSize, "%s", path);
    if (pendingCount++ == 0) HoldEndingSignals();
    pendingUsed[i] = 1;
    return i;
  }
  return -1;
}
void DropPendingTemporary(const char* path) {
  for (int i = 0; i < kPendingSlots; ++i) {
    if (!pendingUsed[i] || std::strcmp(pendingNames[i], path) != 0) continue;
    pendingUsed[i] = 0;
    if (--pendingCount == 0) ReleaseEndingSignals();
    return;
  }
}

