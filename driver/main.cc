// vexocnvt config-file: converts the input fonts that the configuration file
// lists into one output font file for the two-station printer.
#include "driver/converter.h"
#include "platform/console.h"

int main(int argc, char** argv) {
  vexo::HoldStandardStreams();
  return vexo::RunConverter(argc, argv);
}
