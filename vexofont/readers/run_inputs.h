// The files a run reads, which no file the tools write may replace: the
// file shown or previewed, a configuration and the fonts it lists, the
// text read.
#ifndef VEXOCNVT_VEXOFONT_READERS_RUN_INPUTS_H_
#define VEXOCNVT_VEXOFONT_READERS_RUN_INPUTS_H_

#include <string>
#include <vector>

namespace vexo {

// An input's name and the words that name it in a message ("the file
// shown").
struct RunInput {
  std::string name;
  std::string what;
};

// Adds the configuration `config`, named by `what`, and the font files it
// lists. The configuration must have been read (its lists are the
// converter's settings).
void AddConfigurationInputs(const std::string& config, const std::string& what,
                            std::vector<RunInput>* inputs);

// The index of the input that `output` is (one existing file, links
// followed), or -1.
int InputAt(const std::string& output, const std::vector<RunInput>& inputs);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_READERS_RUN_INPUTS_H_
