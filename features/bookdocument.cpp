// Book document writer. Text bytes that need no escape are copied in runs,
// so the document is written at close to the speed of a plain copy.
#include "features/bookdocument.h"

#include <string.h>

namespace {

const char HEADER[] =
    "{\\rtf1\\ansi {\\fonttbl {\\f0\\fswiss Verdana;} } {\\colortbl; \\red000\\green000\\blue000; }\n";
const char HEADING_START[] = "{\\b ";
const char HEADING_END[] = "}\\par \\par\n";
const char PARAGRAPH[] = "\\par\n";
const char PAGE_SEPARATOR[] = "\n\\page\n";
const char PARAGRAPH_SEPARATOR[] = "\n\\par \\par\n";
const char TRAILER[] = "\\page }";

// Bytes of a note that are not copied as they are.
struct SpecialBytes {
    bool is[256];
    constexpr SpecialBytes() : is() {
        is['\n'] = is['\r'] = is['\\'] = is['{'] = is['}'] = true;
    }
};
constexpr SpecialBytes SPECIAL;

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
    while (p < end) {
        const unsigned char* run = p;
        while (p < end && !SPECIAL.is[*p])
            ++p;
        if (!Put((const char*)run, p - run))
            return false;
        if (p == end)
            break;
        const unsigned char c = *p++;
        bool ok = true;
        if (c == '\n') {
            ok = Put(PARAGRAPH, sizeof PARAGRAPH - 1);
        } else if (c != '\r') {
            const char escaped[2] = {'\\', (char)c};
            ok = Put(escaped, 2);
        }
        if (!ok)
            return false;
    }
    return true;
}

bool BookDocument::Flush() {
    if (!bFailed && used > 0 && !sink.Write(buffer, used))
        bFailed = true;
    used = 0;
    return !bFailed;
}
