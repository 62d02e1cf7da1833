/* The lead bytes of the running system's ANSI code page, for the text
   routines that walk a path or a line byte by byte (no Win32 here). */
#ifndef DRIVEWRIGHT_LEAD_BYTES_H
#define DRIVEWRIGHT_LEAD_BYTES_H

/* Nonzero for each byte that starts a double-byte character. All zero, as
   on a single-byte code page, until start-up fills it from the system. */
extern unsigned char LeadBytes[256];

inline int IsLeadByte(char c)
{
    return LeadBytes[(unsigned char)c];
}

/* The character after the one at p: a lead byte and its second byte are
   one character, a lead byte before the terminator is one on its own. At
   the terminator, p itself. */
const char *NextChar(const char *p);

inline char *NextChar(char *p)
{
    return (char *)NextChar((const char *)p);
}

/* The first, or the last, character of text that is one of the single-byte
   characters of set; NULL when there is none. The second byte of a
   double-byte character (a backslash in Japanese, say) never matches. */
const char *FindFirstOf(const char *text, const char *set);
const char *FindLastOf(const char *text, const char *set);

#endif
