// The rules of the search of every book as the user types: the words of the
// typed text, case folding, which notes match and in what order, and the
// line shown for each. Window-free: the system's case folding comes in as a
// table of the lower-case unit of every UTF-16 unit.
#ifndef JOTWELL_FEATURES_SEARCHRULES_H
#define JOTWELL_FEATURES_SEARCHRULES_H

#include <stddef.h>

#include <string>
#include <vector>

// One note as the search holds it.
struct SearchNote {
    int book;                   // position in the book list, from 0
    std::string name;           // UTF-8
    std::string text;           // UTF-8, line ends as in the file
    std::string foldedName;     // the same folded, for a search without match case
    std::string foldedText;     // empty for a text all in ASCII: that one is folded
                                // as it is searched, and held only once
    unsigned long long time;    // write time and size of the file read, to see a change
    unsigned long long size;
};

// A matching note: its index among the notes, whether the name holds every
// word (those come first), and the first line of its text holding a word,
// as a byte range of its text (the first line when only the name matches).
struct SearchHit {
    size_t note;
    bool inName;
    int word;  // the word whose occurrence in the text comes first; -1 when none is there
    size_t lineStart;
    size_t lineLength;
};

// UTF-8 with every UTF-16 unit replaced by fold[unit]. Bytes that are not
// UTF-8 pass unchanged.
std::string FoldUtf8(const std::string& text, const char16_t* fold);

// The words of a typed text: what lies between blanks, tabs and line ends.
std::vector<std::string> SearchWords(const std::string& text);

// Whether the note matches: every word occurs in its name or its text,
// compared folded unless matchCase (the words are folded then too). Fills
// *hit (all but its note) when it does.
bool MatchSearchNote(const SearchNote& note, const std::vector<std::string>& words,
                     bool matchCase, SearchHit* hit);

// Notes whose name holds every word first, then the others; within each,
// books in list order, then names without regard to case.
void SortSearchHits(std::vector<SearchHit>& hits, const std::vector<SearchNote>& notes);

// A count as people read it: "10,000".
std::string CountText(size_t count);

// Whether a search for typed text can look only among the notes that
// matched the previous text: typing on narrows, every earlier word being
// the start of one now.
bool SearchNarrows(const std::string& previous, const std::string& typed);

#endif
