// A made-up book for the benchmarks: note texts of words, numbers, dates,
// paths and the odd brace, with CR LF line ends. The same every run.
#ifndef JOTWELL_BENCH_CORPUS_H
#define JOTWELL_BENCH_CORPUS_H

#include <stddef.h>
#include <string>
#include <vector>

struct BenchNote {
    std::string name, text;
};

struct BenchCorpus {
    std::vector<BenchNote> notes;
    size_t bytes;  // text bytes of all notes
};

// 10,000 notes of 1,000 to 7,000 bytes, about 40 MB in all.
const BenchCorpus& TheBenchCorpus();

#endif
