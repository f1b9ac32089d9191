// Finding the fields of a note for Tab navigation: a field is the text after
// a colon (and one blank, if one follows) to the end of the line. Window-free.
#ifndef JOTWELL_MAINWINDOW_FIELDSEARCH_H
#define JOTWELL_MAINWINDOW_FIELDSEARCH_H

// Position of the last ':' before position 'before' in text[0..length), or -1.
long FindColonBackward(const char* text, long length, long before);

// First character of the field that follows the colon at colonPos.
long FieldStart(const char* text, long length, long colonPos);

#endif
