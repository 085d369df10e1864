// vexofont COMMAND ...: the companion font tool.
//   vexofont show FILE [--code C|A-B]... [--png FILE]
//   vexofont make --kind ... --station ... --size WxH ... SOURCE OUTPUT
//   vexofont make TEXT OUTPUT
//   vexofont dump FILE [-o TEXT]
//   vexofont check CONFIG [--quiet]
//   vexofont preview OUTPUT [--text TEXT] [--png FILE] [--html FILE]
//   vexofont fonts [--code-page N] [--text TEXT] [--json]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/console.h"
#include "vexofont/check/check_command.h"
#include "vexofont/make/make_command.h"
#include "vexofont/dump/dump_command.h"
#include "vexofont/fonts/fonts_command.h"
#include "vexofont/preview/preview_command.h"
#include "vexofont/show/show_command.h"
#include "platform/system_names.h"
#include "store/version.h"

namespace vexo {

namespace {


void PrintUsage(std::FILE* stream) {
  PrintMessage(stream,
               "usage: vexofont show FILE [options]   inspect, validate and "
               "preview a font file\n"
               "       vexofont make [options]        build an input font "
               "file from a BDF, PCF, TrueType or OpenType font\n"
               "       vexofont make TEXT OUTPUT      build an input font "
               "file from a glyph text\n"
               "       vexofont dump FILE [-o TEXT]   write an input font "
               "file as a glyph text\n"
               "       vexofont check CONFIG          find the mistakes in a "
               "converter configuration\n"
               "       vexofont preview OUTPUT [options]  draw a text as each "
               "station prints it\n"
               "       vexofont fonts [options]       list the fonts installed "
               "and what they draw of a code page\n"
               "       vexofont COMMAND --help        options of a command\n"
               "       vexofont --version\n");
}

// What a command wrote to standard output and lost (a full disk, a closed
// stream) is a failure of the command, status 4, whatever it returned.
constexpr int kStandardOutputFailed = 4;

int FinishStandardOutput(const char* command, int status) {
  if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return status;
  PrintMessage(stderr, "vexofont%s%s: cannot write standard output\n",
               command[0] == '\0' ? "" : " ", command);
  return kStandardOutputFailed;
}

int RunCommand(int argc, char** argv) {
  if (argc < 2) {
    PrintUsage(stderr);
    return 1;
  }
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    PrintUsage(stdout);
    return 0;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    PrintMessage(stdout, "vexofont %s\n", kReleaseVersion);
    return 0;
  }
  if (std::strcmp(argv[1], "show") == 0) return RunShowCommand(argc - 1, argv + 1);
  if (std::strcmp(argv[1], "make") == 0) return RunMakeCommand(argc - 1, argv + 1);
  if (std::strcmp(argv[1], "dump") == 0) return RunDumpCommand(argc - 1, argv + 1);
  if (std::strcmp(argv[1], "check") == 0) return RunCheckCommand(argc - 1, argv + 1);
  if (std::strcmp(argv[1], "fonts") == 0) return RunFontsCommand(argc - 1, argv + 1);
  if (std::strcmp(argv[1], "preview") == 0) {
    return RunPreviewCommand(argc - 1, argv + 1);
  }
  PrintMessage(stderr, "vexofont: unknown command '%s'\n", argv[1]);
  PrintUsage(stderr);
  return 1;
}

int RunVexofont(int argc, char** argv) {
  HoldStandardStreams();
  const int status = RunCommand(argc, argv);
  bool command = false;
  for (const char* name : {"show", "make", "dump", "check", "preview"}) {
    command = command || (argc > 1 && std::strcmp(argv[1], name) == 0);
  }
  return FinishStandardOutput(command ? argv[1] : "", status);
}

}  // namespace

#ifdef _WIN32
namespace {

UINT consoleOutputPage = 0;

void RestoreConsole() { SetConsoleOutputCP(consoleOutputPage); }

}  // namespace
#endif

}  // namespace vexo

#ifdef _WIN32
// On Windows the command line is read as UTF-16 and kept as UTF-8, the
// encoding every name and text here is in, and a console shows UTF-8 while
// the program runs.
int wmain(int argc, wchar_t** wargv) {
  vexo::SetNameEncoding(vexo::NameEncoding::kUtf8);
  vexo::consoleOutputPage = GetConsoleOutputCP();
  if (vexo::consoleOutputPage != 0 && vexo::consoleOutputPage != CP_UTF8 &&
      SetConsoleOutputCP(CP_UTF8)) {
    std::atexit(vexo::RestoreConsole);
  }
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) args.push_back(vexo::Utf8OfWide(wargv[i]));
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const int status = vexo::RunVexofont(argc, argv.data());
  std::fflush(stdout);
  return status;
}
#else
int main(int argc, char** argv) { return vexo::RunVexofont(argc, argv); }
#endif
