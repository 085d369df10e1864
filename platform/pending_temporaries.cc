#include "platform/pending_temporaries.h"

#include <csignal>
#include <cstdio>
#include <cstring>

#include "platform/output_names.h"
#include "platform/system_names.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vexo {

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
// removes them before it does: the previous files
// stay as they were and nothing is left behind. A slot holds its own copy of
// the name, and the handler only reads slots and removes names.
constexpr int kPendingSlots = 72;  // every page of a sheet and a margin
char pendingNames[kPendingSlots][kOutputPathSize];
volatile std::sig_atomic_t pendingUsed[kPendingSlots];
int pendingCount = 0;

// The signals whose default action ends the program and that may come
// from outside while a file is written (a hang-up, an interrupt, a quit
// from the keyboard, a timer, a CPU limit, a user's signal, a closed pipe,
// real-time signals); the sanitizers' and the system's crash signals are
// left to them.
constexpr int kCleanedSignals[] = {
    SIGINT, SIGTERM,
#ifndef _WIN32
    SIGHUP,  SIGQUIT, SIGALRM, SIGUSR1, SIGUSR2, SIGPIPE, SIGXCPU,
    SIGVTALRM, SIGPROF,
#ifdef SIGPOLL
    SIGPOLL,
#endif
#ifdef SIGPWR
    SIGPWR,
#endif
#endif
};
constexpr int kFixedSignalCount =
    static_cast<int>(sizeof(kCleanedSignals) / sizeof(kCleanedSignals[0]));
#if defined(SIGRTMIN) && defined(SIGRTMAX)
constexpr int kMostSignals = kFixedSignalCount + 64;
#else
constexpr int kMostSignals = kFixedSignalCount;
#endif
using SignalHandler = void (*)(int);
int heldSignals[kMostSignals];
SignalHandler savedHandlers[kMostSignals];
int heldCount = 0;

extern "C" void RemovePendingAndRaise(int signal) {
  for (int i = 0; i < kPendingSlots; ++i) {
    if (pendingUsed[i]) RemoveName(pendingNames[i]);
  }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void Hold(int signal) {
  if (heldCount == kMostSignals) return;
  // A signal the program ignores (SIGHUP under nohup) or handles itself
  // (a fuzzer's timer) stays so: only a default disposition is taken, and
  // it is looked at before anything is changed, so that no signal meets a
  // handler that is not the program's.
#ifndef _WIN32
  struct sigaction current;
  if (sigaction(signal, nullptr, &current) != 0) return;
  if ((current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler != SIG_DFL) return;
  struct sigaction ours = {};
  ours.sa_handler = RemovePendingAndRaise;
  sigemptyset(&ours.sa_mask);
  if (sigaction(signal, &ours, nullptr) != 0) return;
  const SignalHandler saved = SIG_DFL;
#else
  const SignalHandler saved = std::signal(signal, RemovePendingAndRaise);
  if (saved == SIG_ERR) return;
  if (saved != SIG_DFL) {
    std::signal(signal, saved);
    return;
  }
#endif
  heldSignals[heldCount] = signal;
  savedHandlers[heldCount++] = saved;
}

// Takes the handlers of the signals that would end the program.
void HoldEndingSignals() {
  heldCount = 0;
  for (int signal : kCleanedSignals) Hold(signal);
#if defined(SIGRTMIN) && defined(SIGRTMAX)
  for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) Hold(signal);
#endif
}
void ReleaseEndingSignals() {
  for (int i = 0; i < heldCount; ++i) std::signal(heldSignals[i], savedHandlers[i]);
  heldCount = 0;
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

}  // namespace vexo
