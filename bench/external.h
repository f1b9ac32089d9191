// Timing of ordinary tools (grep, cp) on RAM-backed files, to compare the
// benchmarks with in the same run.
#ifndef JOTWELL_BENCH_EXTERNAL_H
#define JOTWELL_BENCH_EXTERNAL_H

#include <string>

// A path for a scratch file on a RAM-backed file system: /dev/shm when
// there is one, else the temporary folder (which is said on stderr).
std::string ScratchPath(const char* name);

// Writes data to path; false on failure.
bool WriteWholeFile(const std::string& path, const std::string& data);

// Seconds that a shell command takes; its exit status is not checked.
double TimeCommand(const std::string& command);

// The smallest of several timings of a command on an empty file: the
// start-up cost of the tool, which the comparisons take off.
double StartupSeconds(const std::string& command);

// MB (10^6 bytes) per second.
inline double MegabytesPerSecond(double bytes, double seconds) {
    return bytes / 1e6 / seconds;
}

#endif
