// The first start of the installed program after the setup, which runs
// with administrator rights: the program must not inherit them.
#ifndef JOTWELL_INSTALLER_USERSTART_H
#define JOTWELL_INSTALLER_USERSTART_H

// True when this process runs with raised administrator rights while the
// user's session has a normal token beside them.
bool RunsWithRaisedRights();

// Starts program with the user's normal rights: through the desktop's shell
// when this process runs raised, directly otherwise. False when it could not
// be started that way; it is then not started at all.
bool StartAsUser(const char* program);

#endif
