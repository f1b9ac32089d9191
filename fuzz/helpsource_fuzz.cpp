// Fuzzes the help source parser. Whatever it accepts must give a help file
// that the test reader reads back without a fault, with every topic in it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/host/hlpreader.h"
#include "tools/hlpwriter/helpsource.h"
#include "tools/hlpwriter/hlpwriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    HelpSource source;
    std::string error;
    if (!ParseHelpSource(std::string(reinterpret_cast<const char*>(data), size), &source, &error)) {
        if (error.compare(0, 5, "line ") != 0)
            __builtin_trap();
        return 0;
    }
    HlpFile file;
    if (!ReadHlpFile(WriteHelpFile(source), &file, &error) ||
        file.topics.size() != source.topics.size())
        __builtin_trap();
    return 0;
}
