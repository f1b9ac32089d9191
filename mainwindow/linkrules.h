// Which links clicked in a note open without a question. Window-free.
#ifndef JOTWELL_MAINWINDOW_LINKRULES_H
#define JOTWELL_MAINWINDOW_LINKRULES_H

// True for web and mail addresses: "http:", "https:", "ftp:" and "mailto:"
// in any letter case. Anything else (a "file:" address, a path, another
// scheme) could start a program and is asked about first.
bool LinkOpensWithoutQuestion(const char* address);

#endif
