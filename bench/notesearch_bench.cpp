// Note search through a whole made-up book for words it does not hold, so
// that every byte is read, against grep -F -i -q over the same bytes.
#include "bench/corpus.h"
#include "bench/external.h"
#include "features/notesearch.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <map>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>

namespace {

const char* const WORDS[] = {"Henderson", "Quixotic", "fig"};

std::map<std::string, double> secondsPerRun;
std::string corpusFile, emptyFile;

// Number of notes holding word: zero for the words above.
int SearchBook(const char* word, bool matchCase) {
    const size_t size = strlen(word);
    int found = 0;
    for (const BenchNote& note : TheBenchCorpus().notes)
        found += NoteSearch(note.text.data(), note.text.size(), word, size, matchCase) >= 0;
    return found;
}

void Ours(benchmark::State& state, const char* word, bool matchCase) {
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        benchmark::DoNotOptimize(SearchBook(word, matchCase));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    secondsPerRun[std::string(word) + (matchCase ? " case" : "")] = seconds / state.iterations();
    state.SetBytesProcessed(state.iterations() * TheBenchCorpus().bytes);
}

std::string GrepCommand(const char* word, const std::string& file) {
    return std::string("LC_ALL=C grep -F -i -q -e '") + word + "' '" + file + "'";
}

void Grep(benchmark::State& state, const char* word) {
    double total = 0;
    for (auto _ : state) {
        const double t = TimeCommand(GrepCommand(word, corpusFile));
        state.SetIterationTime(t);
        total += t;
    }
    secondsPerRun[std::string("grep ") + word] = total / state.iterations();
    state.SetBytesProcessed(state.iterations() * TheBenchCorpus().bytes);
}

void Register() {
    for (const char* word : WORDS) {
        benchmark::RegisterBenchmark((std::string("NoteSearch/") + word).c_str(), Ours, word, false)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("NoteSearchMatchCase/") + word).c_str(), Ours,
                                     word, true)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("GrepFI/") + word).c_str(), Grep, word)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
}

void Summarise() {
    if (secondsPerRun.size() != 3 * sizeof WORDS / sizeof WORDS[0])
        return;  // some benchmarks were filtered out
    const double bytes = (double)TheBenchCorpus().bytes;
    const double startup = StartupSeconds(GrepCommand("x", emptyFile));
    printf("\ncorpus: %zu notes, %.1f MB; grep start-up %.2f ms is taken off its times\n",
           TheBenchCorpus().notes.size(), bytes / 1e6, startup * 1e3);
    for (const char* word : WORDS) {
        const double ours = MegabytesPerSecond(bytes, secondsPerRun[word]);
        const double exact = MegabytesPerSecond(bytes, secondsPerRun[std::string(word) + " case"]);
        const double grep = MegabytesPerSecond(bytes, secondsPerRun[std::string("grep ") + word] - startup);
        printf("search \"%s\": ours %.0f MB/s (match case %.0f MB/s), grep -F -i -q %.0f MB/s, "
               "ratio %.2f (target >= 1): %s\n",
               word, ours, exact, grep, ours / grep, ours >= grep ? "met" : "NOT MET");
    }
}

}  // namespace

int main(int argc, char** argv) {
    for (const char* word : WORDS)
        if (SearchBook(word, false) != 0) {
            fprintf(stderr, "the corpus holds \"%s\": the benchmark would not read every byte\n", word);
            return 1;
        }
    std::string all;
    for (const BenchNote& note : TheBenchCorpus().notes)
        all += note.text;
    corpusFile = ScratchPath("notes.txt");
    emptyFile = ScratchPath("empty.txt");
    if (!WriteWholeFile(corpusFile, all) || !WriteWholeFile(emptyFile, "")) {
        fprintf(stderr, "cannot write %s\n", corpusFile.c_str());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    Register();
    benchmark::RunSpecifiedBenchmarks();
    Summarise();
    benchmark::Shutdown();
    remove(corpusFile.c_str());
    remove(emptyFile.c_str());
    return 0;
}
