#include "mainwindow/webresources.h"

#include "resources/resource.h"

namespace {
// Indexed by command id - CM_WEB_FIRST; the menu texts are in the resources.
const char* const kAddresses[CM_WEB_LAST - CM_WEB_FIRST + 1] = {
    "https://www.korvane.com/jotwell/",                // Jotwell Homepage
    "https://www.korvane.com/jotwell/support/",        // Jotwell Technical Support
    "https://www.korvane.com/jotwell/tips/",           // Tips and Tricks
    "https://www.korvane.com/jotwell/faq/",            // Frequently Asked Questions
    "https://www.korvane.com/jotwell/shortcuts/",      // Keyboard Shortcuts
    "https://www.korvane.com/jotwell/diary/",          // Using Diary Books
    "https://www.korvane.com/jotwell/sharing/",        // Sharing Books on a Network
    "https://www.korvane.com/jotwell/news/",           // What's New
    "https://www.korvane.com/jotwell/download/",       // Download the Latest Version
    "https://www.korvane.com/jotwell/feedback/",       // Send Us Your Suggestions
    "https://www.korvane.com/jotwell/support/report/", // Report a Problem
    "https://www.korvane.com/",                        // Korvane Homepage
};
}  // namespace

const char* WebResourceAddress(int commandId) {
    if (commandId < CM_WEB_FIRST || commandId > CM_WEB_LAST)
        return 0;
    return kAddresses[commandId - CM_WEB_FIRST];
}
