#include "notebook/notemerge.h"

#include <dtl/dtl.hpp>

#include <unordered_map>
#include <vector>

#include "util/textencoding.h"

namespace {

typedef std::vector<std::string> Lines;

// How a side's bytes are read: one or two bytes a unit, and in which order.
struct Form {
    TextEncoding encoding;
    bool ascii;
};

// A side that the editor could not give back byte for byte is never merged.
bool DecodesWhole(const std::string& bytes, const Form& form) {
    if (form.encoding == TEXT_CODE_PAGE)
        return bytes.find('\0') == std::string::npos;
    std::vector<char16_t> units(bytes.size() + 1);
    size_t bom = TextBomSize(form.encoding);
    bool whole = true;
    TextDecode(bytes.data() + bom, bytes.size() - bom, form.encoding, units.data(), &whole);
    return whole;
}

bool Compatible(const Form& a, const Form& b) {
    bool wideA = a.encoding == TEXT_UTF16LE_BOM || a.encoding == TEXT_UTF16BE_BOM;
    bool wideB = b.encoding == TEXT_UTF16LE_BOM || b.encoding == TEXT_UTF16BE_BOM;
    if (wideA || wideB)
        return a.encoding == b.encoding;
    // Plain ASCII reads the same in the code page and in UTF-8.
    return a.ascii || b.ascii || a.encoding == b.encoding;
}

// Splits into lines that keep their ends (a line feed unit, with the
// carriage return before it); the last may have none.
Lines SplitLines(const std::string& bytes, TextEncoding encoding) {
    Lines lines;
    size_t unit = 1, low = 0;
    if (encoding == TEXT_UTF16LE_BOM || encoding == TEXT_UTF16BE_BOM) {
        unit = 2;
        low = encoding == TEXT_UTF16LE_BOM ? 0 : 1;
    }
    size_t start = 0;
    for (size_t i = 0; i + unit <= bytes.size(); i += unit) {
        bool feed = bytes[i + low] == '\n' && (unit == 1 || bytes[i + 1 - low] == '\0');
        if (feed) {
            lines.push_back(bytes.substr(start, i + unit - start));
            start = i + unit;
        }
    }
    if (start < bytes.size())
        lines.push_back(bytes.substr(start));
    return lines;
}

// Lines of one side without a match in the other, counted both ways: at
// least the size of the diff between them, found without making it.
size_t ChangedLines(const Lines& a, const Lines& b) {
    std::unordered_map<std::string, long> count;
    for (const std::string& line : a)
        ++count[line];
    for (const std::string& line : b)
        --count[line];
    size_t changed = 0;
    for (const auto& entry : count)
        changed += (size_t)(entry.second < 0 ? -entry.second : entry.second);
    return changed;
}

std::string Join(const Lines& lines, size_t from, size_t to) {
    std::string out;
    for (size_t i = from; i < to; ++i)
        out += lines[i];
    return out;
}

}  // namespace

NoteMergeResult MergeNoteBytes(const std::string& base, const std::string& mine,
                               const std::string& theirs, std::string* merged) {
    if (mine == theirs || theirs == base) {
        *merged = mine;
        return NOTE_MERGED;
    }
    if (mine == base) {
        *merged = theirs;
        return NOTE_MERGED;
    }
    if (base.size() > NOTE_MERGE_MAX_BYTES || mine.size() > NOTE_MERGE_MAX_BYTES ||
        theirs.size() > NOTE_MERGE_MAX_BYTES)
        return NOTE_MERGE_REFUSED;
    const std::string* sides[3] = {&base, &mine, &theirs};
    Form forms[3];
    for (int i = 0; i < 3; ++i) {
        forms[i].encoding = TextEncodingOf(sides[i]->data(), sides[i]->size(), false,
                                           &forms[i].ascii);
        if (!DecodesWhole(*sides[i], forms[i]))
            return NOTE_MERGE_REFUSED;
    }
    if (!Compatible(forms[0], forms[1]) || !Compatible(forms[0], forms[2]) ||
        !Compatible(forms[1], forms[2]))
        return NOTE_MERGE_REFUSED;

    Lines lines[3];
    for (int i = 0; i < 3; ++i)
        lines[i] = SplitLines(*sides[i], forms[i].encoding);
    // Lines all three share at the start and at the end stay as they are;
    // only the middles go through the diff, which keeps it small.
    size_t head = 0;
    while (head < lines[0].size() && head < lines[1].size() && head < lines[2].size() &&
           lines[0][head] == lines[1][head] && lines[0][head] == lines[2][head])
        ++head;
    size_t tail = 0;
    for (;;) {
        size_t n0 = lines[0].size(), n1 = lines[1].size(), n2 = lines[2].size();
        if (tail + head >= n0 || tail + head >= n1 || tail + head >= n2)
            break;
        const std::string& last = lines[0][n0 - 1 - tail];
        if (last != lines[1][n1 - 1 - tail] || last != lines[2][n2 - 1 - tail])
            break;
        ++tail;
    }
    Lines middles[3];
    for (int i = 0; i < 3; ++i) {
        middles[i].assign(lines[i].begin() + head, lines[i].end() - tail);
        if (middles[i].size() > NOTE_MERGE_MAX_LINES)
            return NOTE_MERGE_REFUSED;
    }
    if (ChangedLines(middles[0], middles[1]) > NOTE_MERGE_MAX_CHANGES ||
        ChangedLines(middles[0], middles[2]) > NOTE_MERGE_MAX_CHANGES)
        return NOTE_MERGE_REFUSED;
    // dtl merges the changes of its first and third sequences into its second.
    dtl::Diff3<std::string, Lines> diff3(middles[1], middles[0], middles[2]);
    diff3.compose();
    if (!diff3.merge())
        return NOTE_MERGE_CONFLICT;
    *merged = Join(lines[0], 0, head) + Join(diff3.getMergedSequence(), 0,
                                             diff3.getMergedSequence().size()) +
              Join(lines[0], lines[0].size() - tail, lines[0].size());
    return NOTE_MERGED;
}
