// The viewer's hash of a context name.
#include "tools/hlpwriter/contexthash.h"

namespace {

// Value of one character in the hash; 0 means the hash skips it. Letters
// count alike in both cases, so names differing only in case are one name.
uint32_t CharValue(char c) {
    if (c >= 'A' && c <= 'Z')
        return uint32_t(c - 'A' + 17);
    if (c >= 'a' && c <= 'z')
        return uint32_t(c - 'a' + 17);
    if (c >= '1' && c <= '9')
        return uint32_t(c - '0');
    if (c == '0')
        return 10;
    if (c == '.')
        return 12;
    if (c == '_')
        return 13;
    return 0;
}

}  // namespace

int32_t HelpContextHash(const std::string& name) {
    uint32_t hash = 0;  // unsigned, so the multiplication wraps without undefined behaviour
    for (char c : name) {
        uint32_t v = CharValue(c);
        if (v != 0)
            hash = hash * 43 + v;
    }
    return int32_t(hash);
}

bool IsHelpContextNameChar(char c) {
    return CharValue(c) != 0;
}
