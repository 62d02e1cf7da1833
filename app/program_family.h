/* Which running programs the remover started, from lists of process ids and
   their parents' ids (no Win32 here). */
#ifndef DRIVEWRIGHT_PROGRAM_FAMILY_H
#define DRIVEWRIGHT_PROGRAM_FAMILY_H

#include <stddef.h>

struct ProgramEntry {
    unsigned long id;
    unsigned long parent;
};

/* A family: the remover's id first, then each program found to be started
   by a member, in the order found, up to limit. */
struct ProgramFamily {
    unsigned long *ids;
    size_t count;
    size_t limit;
};

/* Adds to family every program of look that a member started and that is
   not one of before, the programs that ran before the remover started;
   returns how many it added. A parent's id names a program only while that
   program runs: once it has ended, Windows hands the id out again, and a
   program that ran all along (the shell, a service, the installer itself)
   may then name as its parent the id that the remover got. A program is
   therefore taken as the one seen before only when both its id and its
   parent's id are as they were; a new program under the id of one that has
   ended since has another parent. */
size_t AddStartedPrograms(ProgramFamily *family, const ProgramEntry *look, size_t lookCount,
                          const ProgramEntry *before, size_t beforeCount);

#endif
