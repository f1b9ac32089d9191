// The merge of two 300 KB notes with a few changed lines on each side, of
// two 2 MB notes each with as many changes as the merge takes (the worst a
// save may wait for), and of two notes changed all through, which the
// bounds refuse at once. Goal: under 50 ms for the first.
#include <benchmark/benchmark.h>

#include <string>

#include "notebook/notemerge.h"

namespace {

std::string Note(size_t bytes, const char* word) {
    std::string text;
    for (int i = 0; text.size() < bytes; ++i)
        text += "Line " + std::to_string(i) + " " + word + " of a long note, as people write.\r\n";
    return text;
}

void Change(std::string& text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
}

void MergeFewChanges(benchmark::State& state) {
    std::string base = Note(300 * 1024, "text"), mine = base, theirs = base;
    Change(mine, "Line 100 ", "Line one hundred ");
    Change(mine, "Line 3000 ", "Line three thousand ");
    Change(theirs, "Line 5 ", "Line five ");
    Change(theirs, "Line 4000 ", "Line four thousand ");
    for (auto _ : state) {
        std::string merged;
        benchmark::DoNotOptimize(MergeNoteBytes(base, mine, theirs, &merged));
    }
}

void MergeChangedThrough(benchmark::State& state) {
    std::string base = Note(300 * 1024, "text");
    std::string mine = Note(300 * 1024, "mine"), theirs = Note(300 * 1024, "theirs");
    for (auto _ : state) {
        std::string merged;
        benchmark::DoNotOptimize(MergeNoteBytes(base, mine, theirs, &merged));
    }
}

}  // namespace

void MergeMostChanges(benchmark::State& state) {
    std::string base = Note(NOTE_MERGE_MAX_BYTES - 100000, "text"), mine = base, theirs = base;
    for (size_t i = 0; i < NOTE_MERGE_MAX_CHANGES / 2; ++i) {
        Change(mine, "Line " + std::to_string(i * 60) + " ", "Mine ");
        Change(theirs, "Line " + std::to_string(i * 60 + 30) + " ", "Theirs ");
    }
    for (auto _ : state) {
        std::string merged;
        benchmark::DoNotOptimize(MergeNoteBytes(base, mine, theirs, &merged));
    }
}

BENCHMARK(MergeMostChanges)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(MergeFewChanges)->Unit(benchmark::kMillisecond);
BENCHMARK(MergeChangedThrough)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
