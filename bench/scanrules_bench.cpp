// The window-free part of a scan: comparing a folder listing with the note
// list, for 1,000 and 10,000 notes with nothing changed. Its cost must grow
// as n log n, never as n squared.
#include <benchmark/benchmark.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "notebook/scanrules.h"

namespace {

std::vector<std::string> Names(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        char name[32];
        sprintf(name, "Note %05d", (i * 7919) % count);
        names.push_back(name);
    }
    return names;
}

void CompareUnchanged(benchmark::State& state) {
    std::vector<std::string> list = Names((int)state.range(0));
    std::vector<std::string> folder = list;
    for (auto _ : state) {
        ScanDifference d = CompareNotes(list, folder);
        benchmark::DoNotOptimize(d);
    }
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(CompareUnchanged)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity(benchmark::oNLogN);
BENCHMARK_MAIN();
