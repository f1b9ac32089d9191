#include "features/searchrules.h"

#include <string.h>

#include <algorithm>

#include "features/notesearch.h"
#include "util/textencoding.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The first occurrence of word in text, or -1; words are never empty.
ptrdiff_t Find(const std::string& text, const std::string& word) {
    return NoteSearch(text.data(), text.size(), word.data(), word.size(), true);
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? (char)(c + 32) : c;
}

// The first occurrence of a folded word in an ASCII text as it would be
// folded. The note search's fold of bit 5 finds the places; each is checked
// letter by letter, since that fold also pairs '[' with '{' and the like.
ptrdiff_t FindFoldingAscii(const std::string& text, const std::string& word) {
    for (size_t from = 0; from < text.size();) {
        ptrdiff_t at = NoteSearch(text.data() + from, text.size() - from, word.data(),
                                  word.size(), false);
        if (at < 0)
            return -1;
        size_t place = from + (size_t)at;
        size_t k = 0;
        while (k < word.size() && AsciiLower(text[place + k]) == word[k])
            ++k;
        if (k == word.size())
            return (ptrdiff_t)place;
        from = place + 1;
    }
    return -1;
}

// The line of the original text that is line number n of its folded form.
void LineOf(const std::string& text, const std::string& folded, size_t at, SearchHit* hit) {
    size_t line = (size_t)std::count(folded.begin(), folded.begin() + at, '\n');
    size_t start = 0;
    for (size_t i = 0; i < line; ++i) {
        size_t next = text.find('\n', start);
        if (next == std::string::npos)
            break;
        start = next + 1;
    }
    size_t end = text.find_first_of("\r\n", start);
    hit->lineStart = start;
    hit->lineLength = (end == std::string::npos ? text.size() : end) - start;
}

}  // namespace

std::string FoldUtf8(const std::string& text, const char16_t* fold) {
    // Most notes are ASCII all through: folded in place of a copy, byte for
    // byte, up to the first byte that is not.
    std::string out(text);
    const unsigned char* p = (const unsigned char*)text.data();
    size_t i = 0;
    for (; i < text.size() && p[i] < 0x80; ++i)
        out[i] = (char)fold[p[i]];
    if (i == text.size())
        return out;
    out.resize(i);
    while (i < text.size()) {
        if (p[i] < 0x80) {
            out += (char)fold[p[i]];
            ++i;
            continue;
        }
        unsigned code;
        size_t taken = Utf8Decode(p + i, text.size() - i, &code);
        if (code == REPLACEMENT_CHARACTER && taken == 1) {
            out += (char)p[i];  // not UTF-8: kept as it is
        } else if (code >= 0x10000) {
            out.append(text, i, taken);  // no case beyond the first plane
        } else {
            char16_t folded = fold[code];
            char bytes[4];
            out.append(bytes, Utf16ToUtf8(&folded, 1, bytes));
        }
        i += taken;
    }
    return out;
}

std::vector<std::string> SearchWords(const std::string& text) {
    std::vector<std::string> words;
    for (size_t i = 0; i < text.size();) {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        size_t start = i;
        while (i < text.size() && !IsBlank(text[i]))
            ++i;
        if (i > start)
            words.push_back(text.substr(start, i - start));
    }
    return words;
}

bool MatchSearchNote(const SearchNote& note, const std::vector<std::string>& words,
                     bool matchCase, SearchHit* hit) {
    if (words.empty())
        return false;
    const std::string& name = matchCase ? note.name : note.foldedName;
    bool foldAsItGoes = !matchCase && note.foldedText.empty();
    const std::string& text = matchCase || foldAsItGoes ? note.text : note.foldedText;
    bool allInName = true;
    ptrdiff_t firstInText = -1;
    hit->word = -1;
    for (size_t i = 0; i < words.size(); ++i) {
        bool inName = Find(name, words[i]) >= 0;
        ptrdiff_t at = foldAsItGoes ? FindFoldingAscii(text, words[i]) : Find(text, words[i]);
        if (!inName && at < 0)
            return false;
        allInName = allInName && inName;
        if (at >= 0 && (firstInText < 0 || at < firstInText)) {
            firstInText = at;
            hit->word = (int)i;
        }
    }
    hit->inName = allInName;
    LineOf(note.text, text, firstInText < 0 ? 0 : (size_t)firstInText, hit);
    return true;
}

void SortSearchHits(std::vector<SearchHit>& hits, const std::vector<SearchNote>& notes) {
    std::stable_sort(hits.begin(), hits.end(), [&notes](const SearchHit& a, const SearchHit& b) {
        if (a.inName != b.inName)
            return a.inName;
        const SearchNote& x = notes[a.note];
        const SearchNote& y = notes[b.note];
        if (x.book != y.book)
            return x.book < y.book;
        return x.foldedName < y.foldedName;
    });
}

std::string CountText(size_t count) {
    std::string digits = std::to_string(count), out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

bool SearchNarrows(const std::string& previous, const std::string& typed) {
    return !SearchWords(previous).empty() && typed.compare(0, previous.size(), previous) == 0;
}
