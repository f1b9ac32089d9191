// jw_mksetup: writes a setup file from the program image and the files of
// the install table, then checks what it wrote.
#include <stdio.h>

#include "installer/setuplayout.h"
#include "tools/mksetup/mksetup.h"

namespace {

void Usage() {
    fprintf(stderr, "usage: jw_mksetup <out.exe> <program.exe>");
    for (int i = 1; i < SetupEntryCount(); ++i)
        fprintf(stderr, " <%s>", SETUP_FILES[i].fileName);
    fprintf(stderr, "\n  \"-\" or a missing file leaves that entry empty (size 0).\n");
}

// One line per entry, so a mistyped path shows up as an empty entry.
void Summary(const char* path, int count) {
    Bytes image;
    SetupTail tail;
    if (ReadWholeFile(path, &image) != READ_OK ||
        !SetupParseTail(image.data(), image.size(), count, &tail))
        return;
    printf("%s: %zu bytes, checksum 0x%08X\n", path, image.size(), (unsigned)tail.checksum);
    for (int i = 0; i < count; ++i)
        printf("  %-20s %10d%s\n", SETUP_FILES[i].fileName, (int)tail.sizes[i],
               tail.sizes[i] ? "" : "  (empty)");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        Usage();
        return 2;
    }
    char message[512];
    int count = argc - 2;
    if (!MakeSetupFile(argv[1], argv + 2, count, message, sizeof message)) {
        fprintf(stderr, "jw_mksetup: %s\n", message);
        if (count != SetupEntryCount())
            Usage();
        return 1;
    }
    Summary(argv[1], count);
    return 0;
}
