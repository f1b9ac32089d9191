// The index beside each entry of the history store, read from made-up
// bytes: whatever is accepted is written again and read back the same, and
// its first line is one line that fits the lists.
#include "notebook/historyindex.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        fprintf(stderr, "history index: %s\n", what);
        abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exactly sized copy, so that a read past the end is caught.
    std::vector<char> bytes(data, data + size);
    HistoryIndex index;
    if (!HistoryIndexParse(bytes.data(), size, &index))
        return 0;
    Check(index.firstLine.size() <= HISTORY_FIRST_LINE_BYTES, "first line too long");
    Check(index.firstLine.find_first_of("\r\n") == std::string::npos, "first line of two");
    std::string text;
    Check(HistoryIndexText(index, &text), "an index read cannot be written");
    HistoryIndex back;
    Check(HistoryIndexParse(text.data(), text.size(), &back), "what was written is refused");
    Check(back.kind == index.kind && back.path == index.path && back.kept == index.kept &&
              back.time == index.time && back.size == index.size &&
              back.firstLine == index.firstLine,
          "read back differently");
    return 0;
}
