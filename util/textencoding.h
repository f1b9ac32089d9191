// Which encoding a text file's bytes are in, and conversion between UTF-8
// and UTF-16. Notes were always in the system's code page; files written by
// other programs today are mostly UTF-8, some UTF-16 ("Unicode" to Windows
// editors), so all are read and kept as they are. Window-free.
#ifndef JOTWELL_UTIL_TEXTENCODING_H
#define JOTWELL_UTIL_TEXTENCODING_H

#include <stddef.h>

enum TextEncoding {
    TEXT_CODE_PAGE,    // the system's code page, one byte a character
    TEXT_UTF8,         // UTF-8 without a byte-order mark
    TEXT_UTF8_BOM,     // UTF-8 that starts with the byte-order mark
    TEXT_UTF16LE_BOM,  // UTF-16, little-endian, with its mark
    TEXT_UTF16BE_BOM,  // UTF-16, big-endian, with its mark
};

const char UTF8_BOM[] = "\xEF\xBB\xBF";
const size_t UTF8_BOM_SIZE = 3;
const char UTF16LE_BOM[] = "\xFF\xFE";
const char UTF16BE_BOM[] = "\xFE\xFF";

// The replacement character, for bytes that are not UTF-8.
const unsigned REPLACEMENT_CHARACTER = 0xFFFD;

// The encoding its byte-order mark names; without one, UTF-8 when the bytes
// hold multi-byte sequences and at most half as many bytes that start no
// valid sequence (a few stray bytes in a UTF-8 note keep it UTF-8); pure
// ASCII and anything else is the code page. cut says the bytes are only the
// start of a longer file, so a sequence cut off at the end does not count
// against them (nor for them).
// *ascii, when given, says whether every byte is below 0x80.
TextEncoding TextEncodingOf(const char* bytes, size_t size, bool cut = false, bool* ascii = 0);

// Number of bytes of the byte-order mark at the start of bytes in that
// encoding: 3 for TEXT_UTF8_BOM, 2 for UTF-16, else 0.
size_t TextBomSize(TextEncoding encoding);

// The encoding a text is saved in. A code-page text stays in the code page
// while every character fits; otherwise it becomes UTF-8 with a byte-order
// mark, so that other programs know it. UTF-8 and UTF-16 stay as they were.
TextEncoding TextSaveEncoding(TextEncoding loaded, bool fitsCodePage);

// A note's bytes after the byte-order mark, in any encoding but the code
// page, as the editor's UTF-16, so that TextEncode gives them back unchanged:
// in UTF-8 each byte that starts no valid sequence becomes the lone
// surrogate U+DC00 + byte; UTF-16 units are taken as they are, lone
// surrogates too. out has room for size units. Returns the number of units.
// *whole is false when something cannot be given back that way: an odd last
// byte of UTF-16 (left out), or a zero character, where the editor ends its
// text.
size_t TextDecode(const char* bytes, size_t size, TextEncoding encoding, char16_t* out,
                  bool* whole);

// The editor's UTF-16 as a file in encoding (not the code page), with the
// encoding's byte-order mark: the inverse of TextDecode. In UTF-8 a lone
// U+DC80 to U+DCFF is the byte it stands for and any other lone surrogate
// U+FFFD. out has room for TEXT_ENCODED_MAX(count) bytes. Returns the size.
size_t TextEncode(const char16_t* units, size_t count, TextEncoding encoding, char* out);
#define TEXT_ENCODED_MAX(count) (UTF8_BOM_SIZE + (count) * 3)

// Whether a file's lines end in bare line feeds, as on other systems: it
// holds a line feed and no carriage return. The editor gives its lines back
// with CR LF; such a note gets its own line ends back (TextToBareLineFeeds).
bool TextHasBareLineFeeds(const char* bytes, size_t size, TextEncoding encoding);

// Every CR LF of an encoded text (byte-order mark included) made a bare LF,
// in place. Returns the new size.
size_t TextToBareLineFeeds(char* bytes, size_t size, TextEncoding encoding);

// Decodes the character at p, of which size bytes are left (at least 1),
// into *code. Returns the bytes it takes, 1 to 4. A byte that starts no
// valid sequence (a stray continuation byte, an overlong form, a surrogate,
// a value above U+10FFFF, a sequence cut short) takes one byte and gives
// REPLACEMENT_CHARACTER.
size_t Utf8Decode(const unsigned char* p, size_t size, unsigned* code);

// Bytes of the longest start of text (zero-terminated UTF-8) that ends
// between two characters and takes at most limit bytes: a name cut to fit
// keeps no half character.
size_t Utf8Fit(const char* text, size_t limit);

// UTF-16 of UTF-8 bytes, invalid bytes each as REPLACEMENT_CHARACTER. out
// has room for size units: UTF-16 never takes more units than UTF-8 takes
// bytes. Returns the number of units written.
size_t Utf8ToUtf16(const char* in, size_t size, char16_t* out);

// UTF-8 of UTF-16 units, an unpaired surrogate as REPLACEMENT_CHARACTER.
// out has room for 3 bytes a unit. Returns the number of bytes written.
size_t Utf16ToUtf8(const char16_t* in, size_t count, char* out);

#endif
