// Text encodings. Runs of ASCII, by far the most of any note, are skipped a
// machine word at a time when checking whether bytes are UTF-8.
#include "util/textencoding.h"

#include <string.h>

namespace {

typedef size_t Word;
const size_t WORD = sizeof(Word);
const Word HIGHS = (Word)-1 / 0xFF * 0x80;

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Length of the valid sequence at p, or 0. With cut, a sequence that is
// valid as far as the bytes go is valid, but not complete.
size_t ValidSequence(const unsigned char* p, size_t size, bool cut, bool* complete) {
    unsigned code;
    size_t taken = Utf8Decode(p, size, &code);
    *complete = taken > 1;
    if (taken > 1)
        return taken;
    if (!cut)
        return 0;
    // Cut short: every byte there must be what the full sequence allows.
    unsigned char lead = p[0];
    size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead < 0xC2 || lead > 0xF4 || size >= need)
        return 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead == 0xE0)
        low = 0xA0;
    else if (lead == 0xED)
        high = 0x9F;
    else if (lead == 0xF0)
        low = 0x90;
    else if (lead == 0xF4)
        high = 0x8F;
    if (size > 1 && (p[1] < low || p[1] > high))
        return 0;
    for (size_t i = 2; i < size; ++i)
        if (!IsContinuation(p[i]))
            return 0;
    return size;
}

// A lone U+DC80 to U+DCFF, not the second half of a pair: a byte that was
// not UTF-8 when the note was read.
bool IsByteStandIn(const char16_t* units, size_t i) {
    return units[i] >= 0xDC80 && units[i] <= 0xDCFF &&
           !(i > 0 && units[i - 1] >= 0xD800 && units[i - 1] <= 0xDBFF);
}

}  // namespace

TextEncoding TextEncodingOf(const char* bytes, size_t size, bool cut, bool* ascii) {
    const unsigned char* p = (const unsigned char*)bytes;
    if (ascii)
        *ascii = false;
    if (size >= UTF8_BOM_SIZE && memcmp(p, UTF8_BOM, UTF8_BOM_SIZE) == 0)
        return TEXT_UTF8_BOM;
    if (size >= 2 && memcmp(p, UTF16LE_BOM, 2) == 0)
        return TEXT_UTF16LE_BOM;
    if (size >= 2 && memcmp(p, UTF16BE_BOM, 2) == 0)
        return TEXT_UTF16BE_BOM;
    size_t multiByte = 0, stray = 0;
    bool high = false;
    size_t i = 0;
    while (i < size) {
        if (size - i >= WORD) {
            Word w;
            memcpy(&w, p + i, WORD);
            if (!(w & HIGHS)) {
                i += WORD;
                continue;
            }
        }
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        high = true;
        bool complete;
        size_t length = ValidSequence(p + i, size - i, cut, &complete);
        if (length == 0) {
            ++stray;
            ++i;
            continue;
        }
        multiByte += complete;
        i += length;
    }
    if (ascii)
        *ascii = !high;
    return multiByte > 0 && multiByte >= 2 * stray ? TEXT_UTF8 : TEXT_CODE_PAGE;
}

size_t TextBomSize(TextEncoding encoding) {
    switch (encoding) {
    case TEXT_UTF8_BOM:
        return UTF8_BOM_SIZE;
    case TEXT_UTF16LE_BOM:
    case TEXT_UTF16BE_BOM:
        return 2;
    default:
        return 0;
    }
}

TextEncoding TextSaveEncoding(TextEncoding loaded, bool fitsCodePage) {
    if (loaded == TEXT_CODE_PAGE && !fitsCodePage)
        return TEXT_UTF8_BOM;
    return loaded;
}

namespace {
// The character at unit i of a text in encoding: a byte, or a UTF-16 unit
// after the mark.
size_t UnitSize(TextEncoding encoding) {
    return encoding == TEXT_UTF16LE_BOM || encoding == TEXT_UTF16BE_BOM ? 2 : 1;
}

// Writes a code point as one UTF-16 unit or a surrogate pair at out + n;
// returns the new n.
size_t PutUtf16(unsigned code, char16_t* out, size_t n) {
    if (code < 0x10000) {
        out[n] = (char16_t)code;
        return n + 1;
    }
    code -= 0x10000;
    out[n] = (char16_t)(0xD800 + (code >> 10));
    out[n + 1] = (char16_t)(0xDC00 + (code & 0x3FF));
    return n + 2;
}

unsigned UnitAt(const unsigned char* p, TextEncoding encoding) {
    if (encoding == TEXT_UTF16LE_BOM)
        return p[0] | p[1] << 8;
    if (encoding == TEXT_UTF16BE_BOM)
        return p[0] << 8 | p[1];
    return p[0];
}
}  // namespace

bool TextHasBareLineFeeds(const char* bytes, size_t size, TextEncoding encoding) {
    const unsigned char* p = (const unsigned char*)bytes;
    size_t unit = UnitSize(encoding);
    bool lineFeed = false;
    for (size_t i = TextBomSize(encoding); i + unit <= size; i += unit) {
        unsigned c = UnitAt(p + i, encoding);
        if (c == '\r')
            return false;
        lineFeed = lineFeed || c == '\n';
    }
    return lineFeed;
}

size_t TextToBareLineFeeds(char* bytes, size_t size, TextEncoding encoding) {
    unsigned char* p = (unsigned char*)bytes;
    size_t unit = UnitSize(encoding);
    size_t to = TextBomSize(encoding);
    for (size_t from = to; from < size;) {
        bool pair = from + 2 * unit <= size && UnitAt(p + from, encoding) == '\r' &&
                    UnitAt(p + from + unit, encoding) == '\n';
        if (pair)
            from += unit;
        size_t take = from + unit <= size ? unit : size - from;
        memmove(p + to, p + from, take);
        to += take;
        from += take;
    }
    return to;
}

size_t TextDecode(const char* bytes, size_t size, TextEncoding encoding, char16_t* out,
                  bool* whole) {
    const unsigned char* p = (const unsigned char*)bytes;
    size_t n = 0;
    bool zero = false;
    if (encoding == TEXT_UTF16LE_BOM || encoding == TEXT_UTF16BE_BOM) {
        bool little = encoding == TEXT_UTF16LE_BOM;
        for (size_t i = 0; i + 1 < size; i += 2) {
            out[n] = little ? (char16_t)(p[i] | p[i + 1] << 8) : (char16_t)(p[i] << 8 | p[i + 1]);
            zero = zero || out[n] == 0;
            ++n;
        }
        *whole = !zero && size % 2 == 0;
        return n;
    }
    for (size_t i = 0; i < size;) {
        unsigned code;
        size_t taken = Utf8Decode(p + i, size - i, &code);
        if (taken == 1 && p[i] >= 0x80)
            code = 0xDC00 + p[i];  // given back as the byte it was
        i += taken;
        zero = zero || code == 0;
        n = PutUtf16(code, out, n);
    }
    *whole = !zero;
    return n;
}

size_t TextEncode(const char16_t* units, size_t count, TextEncoding encoding, char* out) {
    size_t bom = TextBomSize(encoding);
    if (encoding == TEXT_UTF16LE_BOM || encoding == TEXT_UTF16BE_BOM) {
        bool little = encoding == TEXT_UTF16LE_BOM;
        memcpy(out, little ? UTF16LE_BOM : UTF16BE_BOM, 2);
        unsigned char* o = (unsigned char*)out + 2;
        for (size_t i = 0; i < count; ++i) {
            unsigned char low = (unsigned char)units[i], high = (unsigned char)(units[i] >> 8);
            *o++ = little ? low : high;
            *o++ = little ? high : low;
        }
        return 2 + count * 2;
    }
    memcpy(out, UTF8_BOM, bom);
    size_t size = bom;
    for (size_t i = 0; i < count;) {
        // A run up to the next stand-in for a byte goes through the plain
        // conversion, which pairs surrogates.
        size_t run = i;
        while (run < count && !IsByteStandIn(units, run))
            ++run;
        size += Utf16ToUtf8(units + i, run - i, out + size);
        if (run < count)
            out[size++] = (char)(units[run] - 0xDC00);
        i = run + (run < count);
    }
    return size;
}

size_t Utf8Decode(const unsigned char* p, size_t size, unsigned* code) {
    *code = REPLACEMENT_CHARACTER;
    const unsigned char lead = p[0];
    if (lead < 0x80) {
        *code = lead;
        return 1;
    }
    size_t length;
    unsigned value, least;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        least = 0x10000;
    } else {
        return 1;
    }
    if (size < length)
        return 1;
    for (size_t i = 1; i < length; ++i) {
        if (!IsContinuation(p[i]))
            return 1;
        value = (value << 6) | (p[i] & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 1;
    *code = value;
    return length;
}

size_t Utf8ToUtf16(const char* in, size_t size, char16_t* out) {
    const unsigned char* p = (const unsigned char*)in;
    size_t n = 0;
    for (size_t i = 0; i < size;) {
        unsigned code;
        i += Utf8Decode(p + i, size - i, &code);
        n = PutUtf16(code, out, n);
    }
    return n;
}

size_t Utf8Fit(const char* text, size_t limit) {
    size_t n = 0;
    while (n < limit && text[n])
        ++n;
    if (text[n] == '\0')
        return n;
    // Cut inside a character when the next byte continues it.
    while (n > 0 && ((unsigned char)text[n] & 0xC0) == 0x80)
        --n;
    return n;
}

size_t Utf16ToUtf8(const char16_t* in, size_t count, char* out) {
    unsigned char* o = (unsigned char*)out;
    for (size_t i = 0; i < count; ++i) {
        unsigned code = in[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < count && in[i + 1] >= 0xDC00 &&
            in[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (in[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = REPLACEMENT_CHARACTER;
        }
        if (code < 0x80) {
            *o++ = (unsigned char)code;
        } else if (code < 0x800) {
            *o++ = (unsigned char)(0xC0 | (code >> 6));
            *o++ = (unsigned char)(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            *o++ = (unsigned char)(0xE0 | (code >> 12));
            *o++ = (unsigned char)(0x80 | ((code >> 6) & 0x3F));
            *o++ = (unsigned char)(0x80 | (code & 0x3F));
        } else {
            *o++ = (unsigned char)(0xF0 | (code >> 18));
            *o++ = (unsigned char)(0x80 | ((code >> 12) & 0x3F));
            *o++ = (unsigned char)(0x80 | ((code >> 6) & 0x3F));
            *o++ = (unsigned char)(0x80 | (code & 0x3F));
        }
    }
    return (size_t)(o - (unsigned char*)out);
}
