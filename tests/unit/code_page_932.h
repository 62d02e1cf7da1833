// Code page 932 (Japanese) in the text routines' lead-byte table, for the
// tests of one scope: the unit tests run in a single-byte prefix, and the
// native build has no system to ask.
#ifndef DRIVEWRIGHT_CODE_PAGE_932_H
#define DRIVEWRIGHT_CODE_PAGE_932_H

#include "app/lead_bytes.h"

// Characters whose second byte is a backslash or a lower-case letter's code.
#define HYO "\x95\x5c"    // 表
#define SO "\x83\x5c"     // ソ
#define NI "\x83\x6a"     // ニ
#define SHIN "\x90\x56"   // 新
#define CHOON "\x81\x5b"  // ー
#define KE "\x83\x50"     // ケ, whose second byte is a "P"

// Code page 932's lead bytes, or none as on a single-byte code page.
inline void UseCodePage932(bool japanese)
{
    for (int c = 0; c < 256; c++)
        LeadBytes[c] = japanese && ((c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc));
}

struct CodePage932 {
    CodePage932() { UseCodePage932(true); }
    ~CodePage932() { UseCodePage932(false); }
};

#endif
