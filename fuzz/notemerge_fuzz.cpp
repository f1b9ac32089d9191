// The note merge against its properties: a side that did not change takes
// the other side whole, and two sides that changed lines apart merge to
// exactly both changes. The input picks the lines, the edits and the line
// ends; base lines are unique, so the line diff has one answer.
#include <stdlib.h>

#include <string>
#include <vector>

#include "notebook/notemerge.h"

namespace {

void Require(bool ok) {
    if (!ok)
        abort();
}

// Edits lines [from, to) of base by the input's bytes: each byte keeps,
// drops, changes or doubles one line.
std::vector<std::string> Edit(const std::vector<std::string>& base, size_t from, size_t to,
                              const uint8_t*& data, size_t& size, char side) {
    std::vector<std::string> out;
    for (size_t i = from; i < to; ++i) {
        int op = size ? *data++ % 4 : 0;
        if (size)
            --size;
        if (op == 0)
            out.push_back(base[i]);
        else if (op == 2)
            out.push_back(std::string(1, side) + base[i]);
        else if (op == 3) {
            out.push_back(base[i]);
            out.push_back(std::string(1, side) + "added\n");
        }
    }
    return out;
}

std::string Join(const std::vector<std::string>& a, const std::vector<std::string>& b,
                 const std::vector<std::string>& c) {
    std::string out;
    for (const auto* part : {&a, &b, &c})
        for (const std::string& line : *part)
            out += line;
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    size_t count = data[0] % 40 + 2;
    size_t split = data[1] % count;
    bool crlf = data[2] & 1;
    data += 3;
    size -= 3;
    std::vector<std::string> base;
    for (size_t i = 0; i < count; ++i)
        base.push_back("line " + std::to_string(i) + (crlf ? "\r\n" : "\n"));

    // Mine edits before the split, theirs after it; the split line stays.
    std::vector<std::string> mineHead = Edit(base, 0, split, data, size, 'm');
    std::vector<std::string> theirsTail = Edit(base, split + 1, count, data, size, 't');
    std::vector<std::string> keptHead(base.begin(), base.begin() + split);
    std::vector<std::string> keptTail(base.begin() + split + 1, base.end());
    std::vector<std::string> middle(1, base[split]);
    std::string b = Join(keptHead, middle, keptTail);
    std::string m = Join(mineHead, middle, keptTail);
    std::string t = Join(keptHead, middle, theirsTail);

    std::string merged;
    Require(MergeNoteBytes(b, m, b, &merged) == NOTE_MERGED && merged == m);
    Require(MergeNoteBytes(b, b, t, &merged) == NOTE_MERGED && merged == t);
    Require(MergeNoteBytes(b, m, m, &merged) == NOTE_MERGED && merged == m);
    NoteMergeResult result = MergeNoteBytes(b, m, t, &merged);
    Require(result != NOTE_MERGE_REFUSED);
    if (result == NOTE_MERGED)
        Require(merged == Join(mineHead, middle, theirsTail));
    // Raw bytes as all three sides: no crash, whatever they hold.
    std::string raw((const char*)data, size);
    MergeNoteBytes(raw.substr(0, size / 3), raw.substr(size / 3), raw, &merged);
    return 0;
}
