// jw_artwork <output-folder>: draws the program's icon, logo and toolbar
// bitmaps for the resource compiler.
#include "tools/artwork/artwork.h"

#include <stdio.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: jw_artwork <output-folder>\n");
        return 2;
    }
    std::string error;
    if (!WriteArtwork(argv[1], error)) {
        fprintf(stderr, "jw_artwork: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
