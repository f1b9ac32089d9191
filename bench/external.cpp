// Running ordinary tools for comparison figures.
#include "bench/external.h"

#include <chrono>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

std::string ScratchPath(const char* name) {
    struct stat st;
    std::string folder = "/dev/shm";
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        const char* tmp = getenv("TMPDIR");
        folder = tmp ? tmp : "/tmp";
        fprintf(stderr, "no /dev/shm: scratch files go to %s, which may not be RAM-backed\n",
                folder.c_str());
    }
    return folder + "/jotwell-bench-" + std::to_string(getpid()) + "-" + name;
}

bool WriteWholeFile(const std::string& path, const std::string& data) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = fwrite(data.data(), 1, data.size(), f) == data.size();
    return fclose(f) == 0 && ok;
}

double TimeCommand(const std::string& command) {
    const auto start = std::chrono::steady_clock::now();
    if (system(command.c_str()) == -1)
        fprintf(stderr, "could not run: %s\n", command.c_str());
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double StartupSeconds(const std::string& command) {
    double best = 1e9;
    for (int i = 0; i < 10; ++i) {
        const double t = TimeCommand(command);
        if (t < best)
            best = t;
    }
    return best;
}
