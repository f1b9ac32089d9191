// jw_hlpwriter <source> <out.hlp>: writes the help file from its plain-text source.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/hlpwriter/helpsource.h"
#include "tools/hlpwriter/hlpwriter.h"

namespace {

bool ReadFile(const char* path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream s;
    s << in.rdbuf();
    *text = s.str();
    return true;
}

bool WriteFile(const char* path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: jw_hlpwriter <source> <out.hlp>\n");
        return 2;
    }
    std::string text;
    if (!ReadFile(argv[1], &text)) {
        std::fprintf(stderr, "jw_hlpwriter: cannot read %s\n", argv[1]);
        return 1;
    }
    HelpSource source;
    std::string error;
    if (!ParseHelpSource(text, &source, &error)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
        return 1;
    }
    if (!WriteFile(argv[2], WriteHelpFile(source))) {
        std::fprintf(stderr, "jw_hlpwriter: cannot write %s\n", argv[2]);
        std::remove(argv[2]);
        return 1;
    }
    return 0;
}
