#include "installer/defaultbooks.h"

const DefaultBook DEFAULT_BOOKS[DEFAULT_BOOK_COUNT] = {
    {DEFAULT_BOOK_PHONEBOOK, false},
    {DEFAULT_BOOK_WEB_LINKS, false},
    {"Other Notes", false},
    {"Diary", true},
};
