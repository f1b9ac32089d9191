// Writing the book document of a whole made-up book, into memory and into
// a RAM-backed file, against cp of a file of the same note bytes.
#include "bench/corpus.h"
#include "bench/external.h"
#include "features/bookdocument.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <fcntl.h>
#include <map>
#include <memory>
#include <stdio.h>
#include <string>
#include <unistd.h>

namespace {

std::map<std::string, double> secondsPerRun;
std::string corpusFile, copyFile, emptyFile, documentFile;

// Counts the bytes and drops them: the writer's own cost.
class DiscardSink : public BookDocumentSink {
public:
    bool Write(const void* data, size_t size) override {
        benchmark::DoNotOptimize(data);
        bytes += size;
        return true;
    }
    size_t bytes = 0;
};

class FileSink : public BookDocumentSink {
public:
    explicit FileSink(int fd) : fd(fd) {}
    bool Write(const void* data, size_t size) override {
        return write(fd, data, size) == (ssize_t)size;
    }

private:
    int fd;
};

bool WriteBook(BookDocumentSink& sink) {
    std::unique_ptr<BookDocument> doc(new BookDocument(sink, true));
    bool ok = doc->Begin();
    for (const BenchNote& note : TheBenchCorpus().notes)
        ok = doc->AddNote(note.name.c_str(), note.text.data(), note.text.size()) && ok;
    return doc->End() && ok;
}

void Record(benchmark::State& state, const char* name, double seconds) {
    secondsPerRun[name] = seconds / state.iterations();
    state.SetBytesProcessed(state.iterations() * TheBenchCorpus().bytes);
}

void ToMemory(benchmark::State& state) {
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        DiscardSink sink;
        if (!WriteBook(sink))
            state.SkipWithError("write failed");
    }
    Record(state, "memory",
           std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

void ToFile(benchmark::State& state) {
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        const int fd = open(documentFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        FileSink sink(fd);
        if (fd < 0 || !WriteBook(sink))
            state.SkipWithError("write failed");
        close(fd);
    }
    Record(state, "file",
           std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

std::string CopyCommand(const std::string& from) {
    return "cp '" + from + "' '" + copyFile + "'";
}

void Copy(benchmark::State& state) {
    double total = 0;
    for (auto _ : state) {
        const double t = TimeCommand(CopyCommand(corpusFile));
        state.SetIterationTime(t);
        total += t;
    }
    Record(state, "cp", total);
}

BENCHMARK(ToMemory)->Name("BookDocument/ToMemory")->Unit(benchmark::kMillisecond);
BENCHMARK(ToFile)->Name("BookDocument/ToRamFile")->Unit(benchmark::kMillisecond);
BENCHMARK(Copy)->Name("cp/SameBytes")->UseManualTime()->Unit(benchmark::kMillisecond);

void Summarise() {
    if (secondsPerRun.size() != 3)
        return;  // some benchmarks were filtered out
    const double bytes = (double)TheBenchCorpus().bytes;
    const double startup = StartupSeconds(CopyCommand(emptyFile));
    const double cp = MegabytesPerSecond(bytes, secondsPerRun["cp"] - startup);
    const double memory = MegabytesPerSecond(bytes, secondsPerRun["memory"]);
    const double file = MegabytesPerSecond(bytes, secondsPerRun["file"]);
    printf("\ncorpus: %zu notes, %.1f MB of text; cp start-up %.2f ms is taken off its time\n",
           TheBenchCorpus().notes.size(), bytes / 1e6, startup * 1e3);
    printf("book document: into memory %.0f MB/s, into a RAM-backed file %.0f MB/s; "
           "cp %.0f MB/s; ratio (file / cp) %.2f (target >= 0.25): %s\n",
           memory, file, cp, file / cp, file >= cp / 4 ? "met" : "NOT MET");
}

}  // namespace

int main(int argc, char** argv) {
    std::string all;
    for (const BenchNote& note : TheBenchCorpus().notes)
        all += note.text;
    corpusFile = ScratchPath("notes.txt");
    copyFile = ScratchPath("copy.txt");
    emptyFile = ScratchPath("empty.txt");
    documentFile = ScratchPath("print.rtf");
    if (!WriteWholeFile(corpusFile, all) || !WriteWholeFile(emptyFile, "")) {
        fprintf(stderr, "cannot write %s\n", corpusFile.c_str());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Summarise();
    benchmark::Shutdown();
    for (const std::string* f : {&corpusFile, &copyFile, &emptyFile, &documentFile})
        remove(f->c_str());
    return 0;
}
