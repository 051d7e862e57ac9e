// The commands of quon-bench.
#pragma once

namespace quon::bench {

// quon-bench lines PAGE.bmp...: the horizontal line finder on each page.
int linesCommand(int argc, char** argv);

} // namespace quon::bench

namespace quon::bench {

// quon-bench windows PAGE.bmp...: the time of the window cut and features
// at every point of the grid the line finder lays.
int windowsCommand(int argc, char** argv);

} // namespace quon::bench

namespace quon::bench {

// quon-bench classify PAGE.bmp...: the classification of the points the
// page's truth gives, against the truth's colours.
int classifyCommand(int argc, char** argv);

} // namespace quon::bench

namespace quon::bench {

// quon-bench read PAGE.bmp... --out DIR [--grid truth]: the number of every
// stone, written as DIR/<page>.json for the corpus scorer.
int readCommand(int argc, char** argv);
// quon-bench prepare PAGE.bmp... --out DIR: the whole preparation of each
// page; per-page predictions for the corpus scorer.
int prepareCommand(int argc, char** argv);
// quon-bench game PAGE.bmp... --out DIR [--answers none|truth]: the pages as
// the diagrams of one game through AutoRecognition's whole road.
int gameCommand(int argc, char** argv);

} // namespace quon::bench

namespace quon::bench {

// quon-bench dgr IN.dgr OUT.dgr: reads a diagram file as the editor does and
// writes it back; one JSON line with what was read.
int dgrCommand(int argc, char** argv);

} // namespace quon::bench

namespace quon::bench {

// quon-bench picture IN.dgr OUT.bmp|OUT.emf|OUT.wmf: the diagram's block
// exported as the editor does; starts its own GUI application for the fonts.
int pictureCommand(int argc, char** argv);

} // namespace quon::bench
