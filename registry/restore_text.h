/* The texts of the restore cycle: option values and the restore command (no Win32 here). */
#ifndef DRIVEWRIGHT_RESTORE_TEXT_H
#define DRIVEWRIGHT_RESTORE_TEXT_H

#include <stddef.h>

/* What a run leaves before the old path in its restore command. */
extern const char RestoreMarker[];

/* The restore command is built in a buffer of this size, terminator included. */
enum { RESTORE_COMMAND_SIZE = 256 };

enum ValueEnd {
    NoValue,        /* no "=", or the value does not fit; value is empty */
    ValueAtBlank,   /* the value ended before a blank */
    ValueAtEnd      /* the value ran to the end of the text */
};

/* The value of an option or entry text: from after its first "=" up to the
   first blank after that, or to the end of the text. Quotes are kept. */
ValueEnd TakeValue(const char *text, char *value, size_t valueSize);

/* The old path held by an earlier restore entry: all that follows its first
   marker, blanks and dashes included. Returns 0, with oldPath untouched, when
   the entry does not carry the marker or its path does not fit. */
int TakeRestoredPath(const char *entry, char *oldPath, size_t oldPathSize);

/* The path of restore mode, read from the command line where its option
   starts: all after the first "=" to the end of the line, so that a path
   holding blanks or dashes comes back whole. Returns 0, with path empty,
   without "=" or when the path does not fit. */
int TakeRestoreModePath(const char *fromOption, char *path, size_t pathSize);

/* "<newPath>\Drivewright -X=<oldPath>". Returns 0, with out empty, when the
   command does not fit outSize. */
int BuildRestoreCommand(const char *newPath, const char *oldPath, char *out, size_t outSize);

#endif
