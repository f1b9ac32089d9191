// The web addresses behind the Internet Resources entries. Window-free.
#ifndef JOTWELL_MAINWINDOW_WEBRESOURCES_H
#define JOTWELL_MAINWINDOW_WEBRESOURCES_H

// Address of a command id from CM_WEB_FIRST to CM_WEB_LAST, or null.
const char* WebResourceAddress(int commandId);

#endif
