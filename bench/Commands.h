// The commands of quon-bench.
#pragma once

namespace quon::bench {

// quon-bench lines PAGE.bmp...: the horizontal line finder on each page.
int linesCommand(int argc, char** argv);

} // namespace quon::bench
