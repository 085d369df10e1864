#include "vexofont/check/output_name.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "driver/config_file.h"
#include "store/converter_settings.h"
#include "store/output_file.h"
#include "store/output_names.h"
#include "store/system_names.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace {

std::string Quoted(const std::string& name) { return "'" + name + "'"; }

// The run's inputs the output name is: a listed font or the configuration.
bool IsAnInput(const char* output, int line, const ConfigLines& lines,
               Findings* findings) {
  for (int l = 0; l < kFontListCount; ++l) {
    const FontListKey& list = kFontListKeys[l];
    for (int i = 0; i < list.Count(); ++i) {
      const std::string name = ConfigNameAsName(list.Names()[i]);
      if (!SameExistingFile(output, name.c_str())) continue;
      findings->Problem(line, "OutputFontFile " + Quoted(output) +
                                  " is the font file " +
                                  Quoted(name) + " listed on line " +
                                  std::to_string(lines.LineOfFile(l, i)) +
                                  ": the converter writes nothing and ends "
                                  "with status 4");
      return true;
    }
  }
  if (SameExistingFile(output, findings->config().c_str())) {
    findings->Problem(line, "OutputFontFile " + Quoted(output) +
                                " is this configuration file: the converter "
                                "writes nothing and ends with status 4");
    return true;
  }
  return false;
}

// The folder the output goes to, links followed: it must be a folder we
// may make files in (the output is written beside its name, then renamed).
void CheckFolder(const char* output, int line, Findings* findings) {
  char resolved[kOutputPathSize];
  if (ResolveLinks(output, resolved) != 0) return;
  if (NameIsFolder(resolved)) {
    findings->Problem(line, "OutputFontFile " + Quoted(output) +
                                " is a folder: the converter cannot write it");
    return;
  }
  std::string folder(resolved);
  const size_t slash = folder.find_last_of("/\\");
  folder = slash == std::string::npos ? "." : folder.substr(0, slash + 1);
  const std::string shown = slash == std::string::npos ? "the working folder"
                                                       : Quoted(folder);
  if (!NameIsFolder(folder.c_str())) {
    findings->Problem(line, "the folder of OutputFontFile " + Quoted(output) +
                                ", " + shown +
                                ", does not exist: the converter cannot write "
                                "the output (status 4)");
    return;
  }
#if !defined(_WIN32)
  if (access(folder.c_str(), W_OK | X_OK) != 0) {
    findings->Problem(line, "the folder of OutputFontFile " + Quoted(output) +
                                ", " + shown + ", cannot be written (" +
                                std::strerror(errno) +
                                "): the converter cannot write the output "
                                "(status 4)");
  }
#endif
}

}  // namespace

void CheckOutputName(const ConfigLines& lines, Findings* findings) {
  const int line = lines.outputLine();
  if (line == 0) {
    findings->Problem("no OutputFontFile line: the converter writes a file "
                      "named None in the working folder");
    return;
  }
  const std::string output = ConfigNameAsName(Settings.outputFontFile);
  if (IsAnInput(output.c_str(), line, lines, findings)) return;
  CheckFolder(output.c_str(), line, findings);
}
