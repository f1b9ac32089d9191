// What the Windows benchmarks share: a clock, and the settings of one book.
#ifndef JOTWELL_BENCH_WINBENCHKIT_H
#define JOTWELL_BENCH_WINBENCHKIT_H

#include <string>

// Seconds from an arbitrary start, with the performance counter.
double BenchNow();

// Replaces the program's settings with one book, folder, as the current one.
void BenchSeedOneBook(const std::string& folder);

// Deletes the program's settings again.
void BenchClearSettings();

#endif
