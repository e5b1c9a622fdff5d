// A batch on every core: inputs are prepared one after another on the calling thread (the
// graphics core is single-threaded) while worker threads encode and write the outputs.
#pragma once

#include "convert/PictureConverter.h"

#include <functional>
#include <string>
#include <vector>

// Converts every input; `report` is called on the calling thread once per input, in input
// order, as results come in. With `workers` 0 every output is finished on the calling thread.
void runBatch(PictureConverter& converter, const std::vector<std::string>& inputs, int workers,
              const std::function<void(int index, const ConversionResult&)>& report);

// The same for `count` outputs that `prepare` makes, in index order on the calling thread.
void runPrepared(int count, const std::function<PreparedOutput(int index)>& prepare, int workers,
                 const std::function<void(int index, const ConversionResult&)>& report);
