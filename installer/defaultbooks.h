// The books a new installation gets: their folders below the program
// folder, made by the setup, listed on the first start and removed by the
// uninstaller when nothing of the user's is left in them. Window-free.
#ifndef JOTWELL_INSTALLER_DEFAULTBOOKS_H
#define JOTWELL_INSTALLER_DEFAULTBOOKS_H

// The folder names, for the sample notes the setup file carries.
#define DEFAULT_BOOK_PHONEBOOK "PhoneBook"
#define DEFAULT_BOOK_WEB_LINKS "Useful Web Links"

struct DefaultBook {
    const char* name;   // the folder's name and the book's
    bool diary;         // listed only when the user asks for a diary
};

// In the order of the book list; the diary comes last, so that the books
// listed without it keep their positions.
const int DEFAULT_BOOK_COUNT = 4;
extern const DefaultBook DEFAULT_BOOKS[DEFAULT_BOOK_COUNT];

#endif
