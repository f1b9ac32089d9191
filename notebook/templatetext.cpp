// The colon rule of template texts. Window-free: also compiled natively.
#include "notebook/templatetext.h"

#include <string.h>

namespace {

bool EndsLine(char c) {
    return c == '\r' || c == '\n' || c == '\0';
}

}  // namespace

size_t TemplateAddColonBlanks(const char* text, char* out, size_t outSize) {
    if (outSize == 0)
        return 0;
    size_t limit = strlen(text) + TEMPLATE_EXTRA_CHARS;
    if (limit > outSize - 1)
        limit = outSize - 1;
    size_t n = 0;
    for (const char* p = text; *p && n < limit; ++p) {
        out[n++] = *p;
        if (*p == ':' && EndsLine(p[1]) && n < limit)
            out[n++] = ' ';
    }
    out[n] = '\0';
    return n;
}
