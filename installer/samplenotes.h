// The sample notes the setup puts into the book folders. The settings
// record each one's size and fingerprint as the setup last wrote it; a
// file that still matches is the setup's to replace or remove, anything
// else at its name is the user's and stays.
#ifndef JOTWELL_INSTALLER_SAMPLENOTES_H
#define JOTWELL_INSTALLER_SAMPLENOTES_H

#include "installer/setupextract.h"
#include "util/lfolder.h"

enum SampleState {
    SAMPLE_MISSING,  // nothing has its name
    SAMPLE_REMOVED,  // it was as recorded, and is deleted
    SAMPLE_KEPT,     // changed, never recorded, or a link: the user's
    SAMPLE_BLOCKED,  // it could not be opened (in use, a folder) or deleted
};

// Deletes the sample of entry from its book folder, held in book, when it
// is as the last install recorded it. It is read and deleted through one
// handle, so what goes is what was checked.
SampleState RemoveUnchangedSample(LFolderHold* book, const SetupFileEntry& entry);

// Records what the setup wrote into the book folders. An entry with
// kept[i] set was not written, and its record stays as it was.
void RecordSampleNotes(const SetupWritten& written, const bool* kept);

#endif
