// Book document writer. The text is escaped straight into the buffer a
// machine word at a time, so a book is written at a good fraction of the
// speed of a plain copy; size_t words serve the 32-bit program and the
// 64-bit native build alike.
#include "features/bookdocument.h"

#include <string.h>

#include "features/rtfunicode.h"
#include "util/textencoding.h"
#include "util/wordbytes.h"

namespace {

constexpr char HEADER[] =
    "{\\rtf1\\ansi {\\fonttbl {\\f0\\fswiss Verdana;} } {\\colortbl; \\red000\\green000\\blue000; }\n";
constexpr char HEADING_START[] = "{\\b ";
constexpr char HEADING_END[] = "}\\par \\par\n";
constexpr char PARAGRAPH[] = "\\par\n";
constexpr char PAGE_SEPARATOR[] = "\n\\page\n";
constexpr char PARAGRAPH_SEPARATOR[] = "\n\\par \\par\n";
constexpr char TRAILER[] = "\\page }";

// The longest escape of one byte: a line feed becomes "\par" and a line feed.
const size_t MOST_PER_BYTE = 5;

// Near the end of the buffer, where there is room for fewer bytes of text
// than this, text is put byte by byte so that every buffer goes out full.
const size_t LEAST_RUN = 64;

const Word HIGHS = ONES * 0x80;

// Non-zero if some byte of w is zero.
Word AnyZero(Word w) {
    return (w - ONES) & ~w & HIGHS;
}

// Non-zero if some byte of w may need an escape: a byte below 0x0E (line
// feed, carriage return, but also tab and other controls), a backslash or a
// brace.
Word AnySpecial(Word w) {
    const Word controls = (w - ONES * 0x0E) & ~w & HIGHS;
    return controls | AnyZero(w ^ (ONES * '\\')) | AnyZero(w ^ (ONES * '{')) |
           AnyZero(w ^ (ONES * '}'));
}

// What each byte of a note becomes. Every entry is copied whole, whatever
// its length, so that escaping takes no branch per byte.
const size_t ENTRY = 8;
const size_t LENGTH = ENTRY - 1;
struct Escapes {
    unsigned char entry[256][ENTRY];
    constexpr Escapes() : entry() {
        for (int c = 0; c < 256; ++c) {
            const char same[1] = {(char)c};
            Set((unsigned char)c, same, 1);
        }
        Set('\r', "", 0);
        Set('\n', PARAGRAPH, MOST_PER_BYTE);
        Set('\\', "\\\\", 2);
        Set('{', "\\{", 2);
        Set('}', "\\}", 2);
    }
    constexpr void Set(unsigned char c, const char* bytes, size_t length) {
        for (size_t i = 0; i < length; ++i)
            entry[c][i] = (unsigned char)bytes[i];
        entry[c][LENGTH] = (unsigned char)length;
    }
};
constexpr Escapes ESCAPES;

// Writes a whole entry, ENTRY bytes, at out.
unsigned char* EscapeByte(unsigned char* out, unsigned char c) {
    memcpy(out, ESCAPES.entry[c], ENTRY);
    return out + ESCAPES.entry[c][LENGTH];
}

// Escapes size bytes into out, which has room for MOST_PER_BYTE times as
// many and ENTRY bytes more; returns the end of the output. Words without a
// byte to escape, by far the most, are copied whole.
unsigned char* EscapeRun(unsigned char* out, const unsigned char* p, size_t size) {
    const unsigned char* end = p + size;
    while ((size_t)(end - p) >= WORD) {
        const Word w = LoadWord(p);
        if (AnySpecial(w)) {
            for (size_t i = 0; i < WORD; ++i)
                out = EscapeByte(out, p[i]);
        } else {
            memcpy(out, &w, WORD);
            out += WORD;
        }
        p += WORD;
    }
    while (p < end)
        out = EscapeByte(out, *p++);
    return out;
}

}  // namespace

BookDocument::BookDocument(BookDocumentSink& sink, bool pageBreaks)
    : sink(sink), bPageBreaks(pageBreaks), bFailed(false), used(0) {}

bool BookDocument::Begin() {
    return Put(HEADER, sizeof HEADER - 1);
}

bool BookDocument::AddNote(const char* name, const char* text, size_t size) {
    if (!text || size == 0)
        return !bFailed;
    const char* separator = bPageBreaks ? PAGE_SEPARATOR : PARAGRAPH_SEPARATOR;
    return Put(HEADING_START, sizeof HEADING_START - 1) && PutText(name, strlen(name)) &&
           Put(HEADING_END, sizeof HEADING_END - 1) && PutText(text, size) &&
           Put(separator, strlen(separator));
}

bool BookDocument::AddUtf8Note(const char* name, const char* text, size_t size) {
    if (!text || size == 0)
        return !bFailed;
    const char* separator = bPageBreaks ? PAGE_SEPARATOR : PARAGRAPH_SEPARATOR;
    return Put(HEADING_START, sizeof HEADING_START - 1) && PutUtf8Text(name, strlen(name)) &&
           Put(HEADING_END, sizeof HEADING_END - 1) && PutUtf8Text(text, size) &&
           Put(separator, strlen(separator));
}

bool BookDocument::End() {
    return Put(TRAILER, sizeof TRAILER - 1) && Flush();
}

bool BookDocument::Put(const char* data, size_t size) {
    if (size > BOOK_DOCUMENT_BUFFER - used || bFailed)
        return PutSlow(data, size);
    memcpy(buffer + used, data, size);
    used += size;
    return true;
}

bool BookDocument::PutSlow(const char* data, size_t size) {
    while (!bFailed && size > 0) {
        size_t part = BOOK_DOCUMENT_BUFFER - used;
        if (part > size)
            part = size;
        memcpy(buffer + used, data, part);
        used += part;
        data += part;
        size -= part;
        if (used == BOOK_DOCUMENT_BUFFER)
            Flush();
    }
    return !bFailed;
}

bool BookDocument::PutText(const char* text, size_t size) {
    const unsigned char* p = (const unsigned char*)text;
    const unsigned char* end = p + size;
    while (p < end && !bFailed) {
        const size_t room = BOOK_DOCUMENT_BUFFER - used;
        if (room < ENTRY + LEAST_RUN * MOST_PER_BYTE) {
            PutByte(*p++);
            continue;
        }
        size_t run = (room - ENTRY) / MOST_PER_BYTE;
        if (run > (size_t)(end - p))
            run = end - p;
        unsigned char* out = (unsigned char*)buffer + used;
        used += EscapeRun(out, p, run) - out;
        p += run;
    }
    return !bFailed;
}

// ASCII runs go through the ordinary escapes; each other character becomes
// its Unicode escape.
bool BookDocument::PutUtf8Text(const char* text, size_t size) {
    const unsigned char* p = (const unsigned char*)text;
    const unsigned char* end = p + size;
    while (p < end && !bFailed) {
        const unsigned char* ascii = p;
        while (p < end && *p < 0x80)
            ++p;
        if (p > ascii && !PutText((const char*)ascii, p - ascii))
            break;
        if (p == end)
            break;
        unsigned code;
        p += Utf8Decode(p, end - p, &code);
        char escape[RTF_UNICODE_ESCAPE_MAX];
        Put(escape, RtfUnicodeEscape(code, escape));
    }
    return !bFailed;
}

bool BookDocument::PutByte(unsigned char c) {
    unsigned char escaped[ENTRY];
    return Put((const char*)escaped, EscapeByte(escaped, c) - escaped);
}

bool BookDocument::Flush() {
    if (!bFailed && used > 0 && !sink.Write(buffer, used))
        bFailed = true;
    used = 0;
    return !bFailed;
}
