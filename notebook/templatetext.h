// Text of a book's template for new notes. Window-free.
#ifndef JOTWELL_NOTEBOOK_TEMPLATETEXT_H
#define JOTWELL_NOTEBOOK_TEMPLATETEXT_H

#include <stddef.h>

// How many characters the colon rule may add to a template at most.
const size_t TEMPLATE_EXTRA_CHARS = 260;

// Copies text to out with one blank inserted after every ':' that ends a
// line or the text (followed by a carriage return, a line feed or the end),
// so that typing can start right after a label such as "Name:". The result
// holds at most strlen(text) + TEMPLATE_EXTRA_CHARS characters and is cut
// there. out holds outSize bytes, which should be strlen(text) +
// TEMPLATE_EXTRA_CHARS + 1; a smaller out cuts the result to fit. Returns
// the length of the result.
size_t TemplateAddColonBlanks(const char* text, char* out, size_t outSize);

#endif
