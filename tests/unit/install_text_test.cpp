// Destination paths, INF lines and the provider taken from them.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>

#include "install/install_text.h"
#include "code_page_932.h"
#include "guarded_buffer.h"

namespace {

TEST(JoinPath, OneBackslashBetweenDirectoryAndName)
{
    struct Case {
        const char *dir, *name, *path;
    } cases[] = {
        {"C:\\QUORVEL\\DRIVERS", "A.DRV", "C:\\QUORVEL\\DRIVERS\\A.DRV"},
        {"C:\\", "A.DRV", "C:\\A.DRV"},
        {"", "A.DRV", "A.DRV"},
        {"C:", "A.DRV", "C:\\A.DRV"},
    };
    for (const Case &c : cases) {
        char out[INSTALL_PATH_SIZE];
        EXPECT_EQ(1, JoinPath(c.dir, c.name, out, sizeof out)) << c.dir;
        EXPECT_STREQ(c.path, out) << c.dir;
    }
    // 127 characters fit the buffer; 128 do not, and nothing lands past it.
    std::string dir = "C:\\" + std::string(118, 'd');          // 121 + 1 + 5 = 127
    GuardedBuffer area(INSTALL_PATH_SIZE);
    EXPECT_EQ(1, JoinPath(dir.c_str(), "A.DRV", area.data(), area.size()));
    EXPECT_EQ(127u, strlen(area.data()));
    EXPECT_EQ(0, JoinPath((dir + "d").c_str(), "A.DRV", area.data(), area.size()));
    EXPECT_STREQ("", area.data());
    ASSERT_TRUE(area.NothingPast());
}

// A directory whose last character is 表 (second byte 0x5C) still needs its backslash.
TEST(JoinPath, OnCodePage932)
{
    CodePage932 japanese;
    struct Case {
        const char *dir, *path;
    } cases[] = {
        {"C:\\" SHIN HYO, "C:\\" SHIN HYO "\\A.DRV"},
        {"C:\\" SHIN HYO "\\", "C:\\" SHIN HYO "\\A.DRV"},
    };
    for (const Case &c : cases) {
        char out[INSTALL_PATH_SIZE];
        EXPECT_EQ(1, JoinPath(c.dir, "A.DRV", out, sizeof out)) << c.dir;
        EXPECT_STREQ(c.path, out) << c.dir;
    }
}

// The lines ReadTextLine gives for a text, each with its result.
std::string Lines(const std::string &text, size_t bufferSize = 1024)
{
    FILE *in = tmpfile();
    fwrite(text.data(), 1, text.size(), in);
    rewind(in);
    std::string seen;
    GuardedBuffer buffer(bufferSize, 4);
    int more;
    do {
        more = ReadTextLine(in, buffer.data(), buffer.size());
        seen += std::to_string(more) + "[" + buffer.data() + "]";
        EXPECT_TRUE(buffer.NothingPast());
    } while (more);
    fclose(in);
    return seen;
}

TEST(ReadTextLine, NewlineKeptEndByStreamState)
{
    EXPECT_EQ("1[AB\n]0[]", Lines("AB\n"));
    EXPECT_EQ("0[AB]", Lines("AB"));
    EXPECT_EQ("0[]", Lines(""));
    EXPECT_EQ("1[A\xff\n]0[B]", Lines("A\xff\nB"));          // a byte 255 is a character
    EXPECT_EQ("1[abc]0[]", Lines("abcdef\n", 4));       // the rest of a long line is dropped
    EXPECT_EQ("1[ab\n]0[]", Lines("ab\n", 4));
}

TEST(TakeProvider, QuoteAndBlankRules)
{
    struct Case {
        const char *line;
        int found;
        const char *provider;
    } cases[] = {
        {"PROVIDER=\"ACME AUDIO\"\n", 1, "ACME AUDIO"},
        {"PROVIDER=ACME AUDIO\n", 1, "ACME"},
        {"PROVIDER=%MFGNAME%\n", 1, "%MFGNAME%"},
        {"PROVIDER= ACME\n", 1, ""},
        {"PROVIDER = ACME\n", 0, ""},
        {"PROVIDER=ACME\tAUDIO\n", 1, "ACME\tAUDIO"},      // a tab does not end it
        {"PROVIDER=ACME", 1, "ACME"},
        {"; OLDPROVIDER=X\n", 1, "X"},
        {"A=B PROVIDER=C\n", 1, "B"},                      // after the line's first "="
        {"PROVIDER=X \"Q\"\n", 1, "Q"},                    // a quote anywhere after it counts
        {"PROVIDER=\"OPEN ENDED\n", 1, "OPEN"},
    };
    for (const Case &c : cases) {
        char provider[1024] = "";
        EXPECT_EQ(c.found, TakeProvider(c.line, provider, sizeof provider)) << c.line;
        if (c.found) {
            EXPECT_STREQ(c.provider, provider) << c.line;
        }
    }
    char small[4];
    EXPECT_EQ(0, TakeProvider("PROVIDER=TOOLONG\n", small, sizeof small));
}

TEST(OtherPath, SafeProvidersOnly)
{
    EXPECT_TRUE(IsSafeProvider("ACME AUDIO"));
    EXPECT_TRUE(IsSafeProvider(""));
    EXPECT_TRUE(IsSafeProvider("%MFGNAME%"));
    EXPECT_FALSE(IsSafeProvider("..\\..\\"));
    EXPECT_FALSE(IsSafeProvider("A/B"));
    EXPECT_FALSE(IsSafeProvider("C:"));

    char out[INSTALL_PATH_SIZE];
    EXPECT_EQ(1, BuildOtherPath("C:\\WINDOWS\\INF\\OTHER", "ACME AUDIO", "A.INF", out, sizeof out));
    EXPECT_STREQ("C:\\WINDOWS\\INF\\OTHER\\ACME AUDIOA.INF", out);
    EXPECT_EQ(0, BuildOtherPath("C:\\WINDOWS\\INF\\OTHER", std::string(200, 'P').c_str(), "A.INF",
                                out, sizeof out));
    EXPECT_STREQ("", out);

    char line[] = "Provider=\"Acme\" ; mixed Case 123\n";
    UpperCaseLine(line);
    EXPECT_STREQ("PROVIDER=\"ACME\" ; MIXED CASE 123\n", line);
}

// A provider of Japanese characters is taken, upper-cased and judged by its
// characters: the second bytes of ソ (a backslash's code), ニ (a "j") and ケ
// (a "P") are none of the characters looked for.
TEST(TakeProvider, OnCodePage932)
{
    CodePage932 japanese;
    struct Case {
        const char *line, *upper;
        int found;
        const char *provider;
        bool safe;
    } cases[] = {
        {"Provider=\"" SO NI CHOON "\"\n", "PROVIDER=\"" SO NI CHOON "\"\n", 1,
         SO NI CHOON, true},
        {"provider=abc" SO " ; x" HYO "y\n", "PROVIDER=ABC" SO " ; X" HYO "Y\n", 1, "ABC" SO,
         true},
        {"Provider=" HYO NI "\n", "PROVIDER=" HYO NI "\n", 1, HYO NI, true},
        {"Provider=" SO "\\x\n", "PROVIDER=" SO "\\X\n", 1, SO "\\X", false},
        {KE "ROVIDER=X\n", KE "ROVIDER=X\n", 0, "", true},
        {"Provider=\x81/X\n", "PROVIDER=\x81/X\n", 1, "\x81/X", false},   // no second byte is a "/"
    };
    for (const Case &c : cases) {
        std::string line = c.line;
        UpperCaseLine(&line[0]);
        EXPECT_EQ(c.upper, line);
        char provider[1024] = "";
        EXPECT_EQ(c.found, TakeProvider(line.c_str(), provider, sizeof provider)) << c.line;
        EXPECT_STREQ(c.provider, provider) << c.line;
        EXPECT_EQ(c.safe, IsSafeProvider(provider) != 0) << c.line;
    }
}

}  // namespace

namespace {

// The root is the drive, or for a network path the share.
TEST(CdPaths, RootIsTheDriveOrTheShare)
{
    struct Case {
        const char *sourcePath, *root, *win95Cab;
    } cases[] = {
        {"D:\\WIN98", "D:", "D:\\WIN95\\WIN95_12.CAB"},
        {"D:\\WIN95\\CABS", "D:", "D:\\WIN95\\WIN95_12.CAB"},
        {"E:", "E:", "E:\\WIN95\\WIN95_12.CAB"},
        {"", "", "\\WIN95\\WIN95_12.CAB"},
        {"\\WIN98\\A\\B", "", "\\WIN95\\WIN95_12.CAB"},
        {"\\\\SERVER\\CDROOT\\WIN98", "\\\\SERVER\\CDROOT",
         "\\\\SERVER\\CDROOT\\WIN95\\WIN95_12.CAB"},
        {"\\\\SERVER\\CDROOT\\WIN98\\OLS", "\\\\SERVER\\CDROOT",
         "\\\\SERVER\\CDROOT\\WIN95\\WIN95_12.CAB"},
        {"\\\\SERVER\\WIN98", "\\\\SERVER\\WIN98", "\\\\SERVER\\WIN98\\WIN95\\WIN95_12.CAB"},
        {"\\\\SERVER", "\\\\SERVER", "\\\\SERVER\\WIN95\\WIN95_12.CAB"},
    };
    for (const Case &c : cases) {
        char root[512], cab[512];
        TakeCdRoot(c.sourcePath, root, sizeof root);
        EXPECT_STREQ(c.root, root) << c.sourcePath;
        EXPECT_EQ(1, AppendPath(root, "WIN95\\WIN95_12.CAB", cab, sizeof cab));
        EXPECT_STREQ(c.win95Cab, cab) << c.sourcePath;
    }
    // A root longer than its buffer is cut, never written past it.
    GuardedBuffer area(8, 4);
    TakeCdRoot("ABCDEFGHIJKL\\X", area.data(), area.size());
    EXPECT_STREQ("ABCDEFG", area.data());
    ASSERT_TRUE(area.NothingPast());
}

TEST(CdPaths, AppendPathAlwaysPutsOneBackslash)
{
    char out[INSTALL_PATH_SIZE];
    EXPECT_EQ(1, AppendPath("C:\\QUORVEL\\DRIVERS", "MSJSTICK.DRV", out, sizeof out));
    EXPECT_STREQ("C:\\QUORVEL\\DRIVERS\\MSJSTICK.DRV", out);
    std::string dir(INSTALL_PATH_SIZE - 1 - 13, 'd');             // + "\MSJSTICK.DRV" = 127
    EXPECT_EQ(1, AppendPath(dir.c_str(), "MSJSTICK.DRV", out, sizeof out));
    EXPECT_EQ(0, AppendPath((dir + "d").c_str(), "MSJSTICK.DRV", out, sizeof out));
    EXPECT_STREQ("", out);
}

TEST(CdPaths, SplitAtLastBackslash)
{
    struct Case {
        const char *path;
        int result;
        const char *dir, *name;
    } cases[] = {
        {"C:\\QUORVEL\\DRIVERS\\MSJSTICK.DRV", 1, "C:\\QUORVEL\\DRIVERS", "MSJSTICK.DRV"},
        {"D:\\DRIVER18.CAB", 1, "D:", "DRIVER18.CAB"},
        {"\\A", 1, "", "A"},
        {"C:\\DIR\\", 1, "C:\\DIR", ""},
        {"NOSLASH", 0, "", ""},
        {"", 0, "", ""},
    };
    for (const Case &c : cases) {
        char dir[256] = "x", name[256] = "x";
        EXPECT_EQ(c.result, SplitAtLastBackslash(c.path, dir, sizeof dir, name, sizeof name))
            << c.path;
        EXPECT_STREQ(c.dir, dir) << c.path;
        EXPECT_STREQ(c.name, name) << c.path;
    }
    // Parts of 255 characters fit 256; 256 do not, and both parts stay empty.
    std::string long255(255, 'a');
    char dir[256], name[256];
    EXPECT_EQ(1, SplitAtLastBackslash((long255 + "\\" + long255).c_str(), dir, sizeof dir,
                                      name, sizeof name));
    EXPECT_EQ(0, SplitAtLastBackslash((long255 + "a\\b").c_str(), dir, sizeof dir, name,
                                      sizeof name));
    EXPECT_STREQ("", dir);
    EXPECT_EQ(0, SplitAtLastBackslash(("a\\" + long255 + "b").c_str(), dir, sizeof dir, name,
                                      sizeof name));
    EXPECT_STREQ("", dir);
    EXPECT_STREQ("", name);
    EXPECT_EQ(1, SplitAtLastBackslash("C:\\CAB\\X.CAB", dir, sizeof dir, NULL, 0));
    EXPECT_STREQ("C:\\CAB", dir);
}

// Paths whose last character is 表 or ソ, whose second byte is a backslash's code.
TEST(CdPaths, OnCodePage932)
{
    CodePage932 japanese;
    char root[512], dir[256], name[256], beside[32];
    TakeCdRoot(HYO "CD\\WIN98", root, sizeof root);
    EXPECT_STREQ(HYO "CD", root);
    TakeCdRoot("\\\\" HYO "\\" SO "\\WIN98", root, sizeof root);
    EXPECT_STREQ("\\\\" HYO "\\" SO, root);

    EXPECT_EQ(1, SplitAtLastBackslash("C:\\" SHIN HYO, dir, sizeof dir, name, sizeof name));
    EXPECT_STREQ("C:", dir);
    EXPECT_STREQ(SHIN HYO, name);

    EXPECT_EQ(1, PathBeside("C:\\" SHIN HYO "\\" SO, "T", beside, sizeof beside));
    EXPECT_STREQ("C:\\" SHIN HYO "\\T", beside);
}

// Where a copy's temporary file goes: beside the destination, in the root
// itself for a file in a root, never past the buffer.
TEST(CopyPaths, PathBesideKeepsTheDestinationsDirectory)
{
    struct Case {
        const char *path;
        const char *beside;
    } cases[] = {
        {"C:\\QUORVEL\\DRIVERS\\A.DRV", "C:\\QUORVEL\\DRIVERS\\T"},
        {"C:\\A.DRV", "C:\\T"},
        {"\\A.DRV", "\\T"},
        {"C:A.DRV", "C:T"},
        {"C:/DRV/A.DRV", "C:/DRV/T"},
        {"A.DRV", "T"},
    };
    for (const Case &c : cases) {
        char out[32] = "x";
        EXPECT_EQ(1, PathBeside(c.path, "T", out, sizeof out)) << c.path;
        EXPECT_STREQ(c.beside, out) << c.path;
    }
    GuardedBuffer area(8, 4);
    EXPECT_EQ(1, PathBeside("C:\\1\\A", "TT", area.data(), area.size()));    // 7 characters fit 8
    EXPECT_EQ(0, PathBeside("C:\\12\\A", "TT", area.data(), area.size()));
    EXPECT_STREQ("", area.data());
    ASSERT_TRUE(area.NothingPast());
}
// A name counts for a pattern only by itself; the file system's own search
// also takes names whose short names match (README.INFO is README~1.INF).
TEST(NameMatches, OwnNameOnly)
{
    struct Case {
        const char *pattern, *name;
        int matches;
    } cases[] = {
        {"*.INF", "QVAUDIO.INF", 1},
        {"*.INF", "qvaudio.inf", 1},
        {"*.inf", "QVAUDIO.INF", 1},
        {"*.INF", "README.INFO", 0},
        {"*.INF", "QVAUDIO.INF~", 0},
        {"*.INF", "QVSETUP.INFX", 0},
        {"*.INF", "README~1.INF.TXT", 0},
        {"*.INF", "A.B.INF", 1},
        {"*.INF", ".INF", 1},
        {"*.INF", "INF", 0},
        {"QV*.DRV", "QVAUDIO.DRV", 1},
        {"QV*.DRV", "QV.DRV", 1},
        {"QV*.DRV", "XQVAUDIO.DRV", 0},
        {"QV*.DRV", "QVAUDIO.DRV.BAK", 0},
        {"QV*.VXD", "QVAUDIO.VXD", 1},
        {"*.*", "README", 1},
        {"*.*", "A.B", 1},
        {"*.*", ".", 1},
        {"*.*", "..", 1},
        {"A.*", "A", 1},
        {"A.*", "AB", 0},
        {"?.INF", "A.INF", 1},
        {"?.INF", "AB.INF", 0},
        {"A?C", "AC", 0},
        {"**.INF", "A.INF", 1},
        {"WIN95_12.CAB", "WIN95_12.CAB", 1},
        {"WIN95_12.CAB", "win95_12.cab", 1},
        {"WIN95_12.CAB", "WIN95_~1.CAB", 0},
        {"*A*B*", "XAYYBZ", 1},
        {"*A*B", "XAYYBZ", 0},
        {"\xe9*", "\xc9T\xc9", 0},          // only a to z are one letter in both cases
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.matches, NameMatches(c.pattern, c.name)) << c.pattern << " " << c.name;
}

// A double-byte character is one character: its second byte is no letter to
// match, nor a dot, a star or a question mark (the table's 0x81 followed by
// "." or "*" stands for any code page whose second bytes reach that low).
TEST(NameMatches, OnCodePage932)
{
    CodePage932 japanese;
    struct Case {
        const char *pattern, *name;
        int matches;
    } cases[] = {
        {"*.INF", SHIN HYO ".INF", 1},
        {"?.INF", KE ".INF", 1},
        {"??.INF", KE ".INF", 0},
        {"*P.INF", KE ".INF", 0},
        {"*p.INF", KE ".INF", 0},
        {"*J.INF", NI ".INF", 0},
        {KE "*", KE "X", 1},
        {KE "*", "\x83X", 0},
        {"*.INF", "A\x81.INF", 0},              // "\x81." is one character, not a dot
        {"*.INF", "A\x81..INF", 1},
        {"A\x81*", "A\x81*", 1},                 // "\x81*" is one character, not a star
        {"A\x81*", "A\x81XYZ", 0},
        {"?", "\x81?", 1},
        {"??", "\x81?", 0},
        {"*.INF", "A.INF\x83", 0},               // a lead byte at the end stands alone
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.matches, NameMatches(c.pattern, c.name)) << c.pattern << " " << c.name;
}
}  // namespace
