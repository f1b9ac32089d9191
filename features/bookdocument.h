// The book document "print.rtf": every note of a book with its name as a
// bold heading, in rich text, for printing by whatever application prints
// that file type. Written as a stream into a sink. Window-free.
#ifndef JOTWELL_FEATURES_BOOKDOCUMENT_H
#define JOTWELL_FEATURES_BOOKDOCUMENT_H

#include <stddef.h>

// Where the document's bytes go, typically the file "print.rtf".
class BookDocumentSink {
public:
    // Takes size bytes; false if they could not be written.
    virtual bool Write(const void* data, size_t size) = 0;

protected:
    ~BookDocumentSink() {}
};

// Bytes gathered before they are handed to the sink.
const size_t BOOK_DOCUMENT_BUFFER = 0x10000;

// Call Begin, AddNote for every note in list order, then End. Each returns
// false once the sink has failed; after that nothing more is written. The
// object holds the 64 KB buffer, so it belongs in static or heap storage
// rather than on a small stack.
class BookDocument {
public:
    // pageBreaks: a page break after every note; otherwise two empty
    // paragraphs separate the notes.
    BookDocument(BookDocumentSink& sink, bool pageBreaks);

    // The header line.
    bool Begin();

    // The note's heading, its text and the separator. A note without text
    // adds nothing, not even its heading. In the name and the text a line
    // feed becomes a paragraph mark, a carriage return is dropped, and
    // backslashes and braces are escaped; every other byte is kept.
    bool AddNote(const char* name, const char* text, size_t size);

    // As AddNote, for a note whose name and text are UTF-8 (without the
    // byte-order mark): every character beyond ASCII is written as its
    // Unicode escape, so it prints whatever the reader's code page. Bytes
    // that are not UTF-8 become the replacement character.
    bool AddUtf8Note(const char* name, const char* text, size_t size);

    // The trailer, then everything still buffered goes to the sink.
    bool End();

private:
    BookDocument(const BookDocument&);
    BookDocument& operator=(const BookDocument&);

    bool Put(const char* data, size_t size);
    bool PutSlow(const char* data, size_t size);
    bool PutText(const char* text, size_t size);
    bool PutUtf8Text(const char* text, size_t size);
    bool PutByte(unsigned char c);
    bool Flush();

    BookDocumentSink& sink;
    bool bPageBreaks;
    bool bFailed;
    size_t used;
    char buffer[BOOK_DOCUMENT_BUFFER];
};

#endif
