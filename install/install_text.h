/* Texts of the file installation: destination paths, INF lines, the
   provider of an INF and the paths of the Windows CD components (no Win32
   here). */
#ifndef DRIVEWRIGHT_INSTALL_TEXT_H
#define DRIVEWRIGHT_INSTALL_TEXT_H

#include <stddef.h>
#include <stdio.h>

/* Every path of the file installation fits this, terminator included. */
enum { INSTALL_PATH_SIZE = 128 };

/* dir and name joined by one backslash, or none when dir already ends in
   one. An empty dir gives the bare name. Returns 0, with out empty, when the
   path does not fit outSize. */
int JoinPath(const char *dir, const char *name, char *out, size_t outSize);

/* One line of a stream read as text, its newline kept. Returns 1 when a line
   ending in a newline was read, 0 at the end of the text or on a read error.
   Of a line longer than the buffer, what fits is kept and the rest dropped. */
int ReadTextLine(FILE *stream, char *buffer, size_t bufferSize);

/* Letters a to z become A to Z; every other byte stays as it is, and so
   does each double-byte character. */
void UpperCaseLine(char *line);

/* The provider of an upper-cased INF line that holds "PROVIDER=". Returns 0
   when the line holds none, or when the provider does not fit. */
int TakeProvider(const char *line, char *provider, size_t providerSize);

/* A provider becomes part of a path: one holding a "\", "/" or ":" would
   lead out of the directory it is meant for. The second byte of a
   double-byte character is no backslash. */
int IsSafeProvider(const char *provider);

/* otherDir, a backslash, the provider and the INF's name. Returns 0, with
   out empty, when the path does not fit outSize. */
int BuildOtherPath(const char *otherDir, const char *provider, const char *infName,
                   char *out, size_t outSize);

/* dir, one backslash and tail, whatever dir ends in: an empty dir gives a
   path from the root of the current drive. Returns 0, with out empty, when
   the path does not fit outSize. */
int AppendPath(const char *dir, const char *tail, char *out, size_t outSize);

/* The root of a source path: the drive part, the text before its first
   backslash; for a network path (two backslashes first) the share
   \\server\share, the text before its fourth backslash. The whole text
   when it has no such backslash. Cut to what fits rootSize. */
void TakeCdRoot(const char *sourcePath, char *root, size_t rootSize);

/* path split at its last backslash into the text before and the text after
   it; a null name takes the text before only. Returns 0, with the parts
   empty, when path has no backslash or a part does not fit. */
int SplitAtLastBackslash(const char *path, char *dir, size_t dirSize, char *name,
                         size_t nameSize);

/* name in the directory that holds path: path up to and with its last
   separator (a backslash, a slash, or a drive's colon) followed by name.
   Returns 0, with out empty, when it does not fit outSize. */
int PathBeside(const char *path, const char *name, char *out, size_t outSize);

/* Whether name, a directory entry's own name, matches pattern: "*" takes
   any run of characters, "?" any one character, every other character only
   itself, a to z matching A to Z as in the file system. A name without an
   extension also matches a pattern that ends in ".*". A double-byte
   character is one character, whatever its second byte looks like. */
int NameMatches(const char *pattern, const char *name);

#endif
