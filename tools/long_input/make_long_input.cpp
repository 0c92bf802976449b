// Writes the long input of the speed measurements (tools/long_input/long_input.hpp) to a file.
#include "tools/long_input/long_input.hpp"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_long_input OUTPUT.wav\n");
        return 2;
    }
    if (!longinput::writeLongInput(argv[1])) {
        std::fprintf(stderr, "make_long_input: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
