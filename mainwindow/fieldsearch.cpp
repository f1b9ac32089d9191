#include "mainwindow/fieldsearch.h"

long FindColonBackward(const char* text, long length, long before) {
    if (before > length)
        before = length;
    for (long i = before - 1; i >= 0; --i)
        if (text[i] == ':')
            return i;
    return -1;
}

long FieldStart(const char* text, long length, long colonPos) {
    long start = colonPos + 1;
    if (start < length && text[start] == ' ')
        ++start;
    return start;
}
