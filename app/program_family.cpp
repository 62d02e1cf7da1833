/* The remover's family among the running programs. */
#include "program_family.h"

static int IsMember(const ProgramFamily *family, unsigned long id)
{
    for (size_t i = 0; i < family->count; i++)
        if (family->ids[i] == id)
            return 1;
    return 0;
}

static int RanBefore(const ProgramEntry *entry, const ProgramEntry *before, size_t beforeCount)
{
    for (size_t i = 0; i < beforeCount; i++)
        if (before[i].id == entry->id && before[i].parent == entry->parent)
            return 1;
    return 0;
}

/* A program may come in the list before the member that started it: the
   list is gone through again until nothing more is added. */
size_t AddStartedPrograms(ProgramFamily *family, const ProgramEntry *look, size_t lookCount,
                          const ProgramEntry *before, size_t beforeCount)
{
    size_t added = 0;
    for (size_t round = 1; round > 0 && family->count < family->limit;) {
        round = 0;
        for (size_t i = 0; i < lookCount && family->count < family->limit; i++) {
            const ProgramEntry *entry = &look[i];
            if (!IsMember(family, entry->parent) || IsMember(family, entry->id) ||
                RanBefore(entry, before, beforeCount))
                continue;
            family->ids[family->count++] = entry->id;
            round++;
        }
        added += round;
    }
    return added;
}
