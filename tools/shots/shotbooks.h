// Books with a few notes for the screenshots, in a folder of their own, and
// the settings that list them. Everything goes when the object does.
#ifndef JOTWELL_TOOLS_SHOTS_SHOTBOOKS_H
#define JOTWELL_TOOLS_SHOTS_SHOTBOOKS_H

#include <string>

class ShotBooks {
public:
    ShotBooks();
    ~ShotBooks();

private:
    std::string root_;
};

#endif
