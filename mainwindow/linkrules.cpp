#include "mainwindow/linkrules.h"

#include <stddef.h>

namespace {

bool StartsWithNoCase(const char* text, const char* prefix) {
    for (; *prefix; ++text, ++prefix) {
        char c = *text;
        if (c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a');
        if (c != *prefix)
            return false;
    }
    return true;
}

}  // namespace

bool LinkOpensWithoutQuestion(const char* address) {
    static const char* const kSchemes[] = {"http:", "https:", "ftp:", "mailto:"};
    for (const char* scheme : kSchemes)
        if (StartsWithNoCase(address, scheme))
            return true;
    return false;
}
