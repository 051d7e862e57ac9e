// make_bzp SOURCE.txt OUT.BzP: builds a digit set file from its readable
// source with the program's own writer.
#include "recognize/BezierFigures.h"
#include "recognize/DigitSetSource.h"

#include <cstdio>
#include <fstream>
#include <sstream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_bzp SOURCE.txt OUT.BzP\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "make_bzp: cannot read %s\n", argv[1]);
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    quon::TBezPacket set;
    std::string error;
    if (!quon::parseDigitSetSource(text.str(), set, error)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
        return 1;
    }
    set.SortFigures();
    if (!set.SaveToFile(argv[2], error)) {
        std::fprintf(stderr, "make_bzp: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
