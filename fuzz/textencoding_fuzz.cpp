// Text encodings of made-up bytes: the decision against a plain decoder,
// UTF-8 to UTF-16 and back giving the same bytes for every UTF-8 text, and
// every note's bytes, decoded for the editor and encoded again, the same.
#include "util/textencoding.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <vector>

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        fprintf(stderr, "text encoding: %s\n", what);
        abort();
    }
}

// Length of the valid UTF-8 sequence at p, 0 if there is none.
size_t PlainSequence(const uint8_t* p, size_t left) {
    if (p[0] < 0x80)
        return 1;
    size_t n = p[0] >= 0xF0 ? 4 : p[0] >= 0xE0 ? 3 : p[0] >= 0xC0 ? 2 : 0;
    if (n == 0 || n > left)
        return 0;
    uint32_t c = p[0] & (0xFF >> (n + 1));
    for (size_t i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (p[i] & 0x3F);
    }
    const uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < least[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) || p[0] > 0xF4)
        return 0;
    return n;
}

TextEncoding PlainEncoding(const uint8_t* p, size_t size) {
    if (size >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF)
        return TEXT_UTF8_BOM;
    if (size >= 2 && p[0] == 0xFF && p[1] == 0xFE)
        return TEXT_UTF16LE_BOM;
    if (size >= 2 && p[0] == 0xFE && p[1] == 0xFF)
        return TEXT_UTF16BE_BOM;
    size_t multi = 0, stray = 0;
    for (size_t i = 0; i < size;) {
        size_t n = PlainSequence(p + i, size - i);
        stray += n == 0;
        multi += n > 1;
        i += n ? n : 1;
    }
    return multi > 0 && multi >= 2 * stray ? TEXT_UTF8 : TEXT_CODE_PAGE;
}

// The bytes as a note in encoding: decoded and encoded, they must come back.
void CheckRoundTrip(const uint8_t* data, size_t size, TextEncoding encoding) {
    std::vector<uint8_t> note;
    const char* marks[] = {"", "", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    note.insert(note.end(), marks[encoding], marks[encoding] + TextBomSize(encoding));
    note.insert(note.end(), data, data + size);
    std::vector<char16_t> wide(size ? size : 1);
    bool whole = false;
    const size_t units = TextDecode((const char*)data, size, encoding, wide.data(), &whole);
    Check(units <= size, "more units than bytes");
    std::vector<char> back(TEXT_ENCODED_MAX(units));
    const size_t length = TextEncode(wide.data(), units, encoding, back.data());
    if (whole)
        Check(length == note.size() && memcmp(back.data(), note.data(), note.size()) == 0,
              "a note does not come back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Exactly sized copies, so that a read past the end is caught.
    std::vector<uint8_t> bytes(data, data + size);
    const char* text = (const char*)bytes.data();
    const TextEncoding encoding = TextEncodingOf(text, size);
    Check(encoding == PlainEncoding(bytes.data(), size), "decided differently");
    // Any start of a UTF-8 text is UTF-8 when it may be cut.
    if (encoding == TEXT_UTF8)
        for (size_t cut = size; cut-- > 0 && cut + 4 > size;)
            if (PlainEncoding(bytes.data(), cut) == TEXT_UTF8)
                Check(TextEncodingOf(text, cut, true) == TEXT_UTF8, "a cut text refused");

    std::vector<char16_t> wide(size ? size : 1);
    const size_t units = Utf8ToUtf16(text, size, wide.data());
    Check(units <= size, "more units than bytes");
    std::vector<char> back(units * 3 + 1);
    const size_t length = Utf16ToUtf8(wide.data(), units, back.data());
    bool valid = true;
    for (size_t i = 0; i < size && valid;) {
        const size_t n = PlainSequence(bytes.data() + i, size - i);
        valid = n != 0;
        i += n;
    }
    if (valid)
        Check(length == size && memcmp(back.data(), text, size) == 0, "round trip differs");

    for (TextEncoding e : {TEXT_UTF8, TEXT_UTF8_BOM, TEXT_UTF16LE_BOM, TEXT_UTF16BE_BOM})
        CheckRoundTrip(data, size, e);

    // The bytes read as UTF-16 units, lone surrogates and all.
    const size_t count = size / 2;
    std::vector<char16_t> units16(count ? count : 1);
    memcpy(units16.data(), data, count * 2);
    std::vector<char> utf8(count * 3 + 1);
    const size_t utf8Size = Utf16ToUtf8(units16.data(), count, utf8.data());
    for (size_t i = 0; i < utf8Size;) {
        size_t n = PlainSequence((const uint8_t*)utf8.data() + i, utf8Size - i);
        Check(n != 0, "invalid UTF-8 written");
        i += n;
    }
    return 0;
}
