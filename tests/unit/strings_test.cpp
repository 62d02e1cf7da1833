// The message table as the program loads it: exact texts, each fitting its buffer.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "res/resource.h"

namespace {

std::string Load(UINT id, int bufferSize)
{
    std::string buffer(bufferSize, '\0');
    int length = LoadStringA(GetModuleHandleA(NULL), id, &buffer[0], bufferSize);
    EXPECT_GT(length, 0) << "string " << id << " missing";
    EXPECT_LT(length, bufferSize - 1) << "string " << id << " fills its buffer";
    buffer.resize(length > 0 ? length : 0);
    return buffer;
}

struct StringCase {
    UINT id;
    int bufferSize;
    const char *text;
};

const StringCase kStrings[] = {
    {IDS_NOINF, 256, "No INF files found in current directory. \n"},
    {IDS_NOSOURCEPATH, 256,
     "Sourcepath not found in registry.  Creating Options\\Cabs Sourcepath in registry. \n"},
    {IDS_SOURCEPATH, 256, "Sourcepath in registry is %s (%s)\n"},
    {IDS_COPYING, 256, "Copying %s to %s \n"},
    {IDS_COPYFAILED, 256, "Copy of %s to %s FAILED \n"},
    {IDS_SPNOTUPDATED, 256, "Sourcepath not updated to %s \n"},
    {IDS_SPUPDATED, 256, "Sourcepath updated to %s \n"},
    {IDS_BADARG, 1024, "%s is not a valid command line argument - ignored. \n"},
    {IDS_NORESTORE, 256, "Unable to setup to reset the Sourcepath back to %s \n"},
    {IDS_BADPATH, 256, "The path you entered does not exist. Please enter another path name."},
    {IDS_NODRIVERS, 256,
     "There does not seem to be any driver files in that directory. Please enter another path name."},
    {IDS_BADCD, 256,
     "That does not appear to be a valid Windows install CD. Please check the disk and try again."},
    {IDS_EXTRACTING, 256, "Extracting %s from %s \n"},
    {IDS_EXTRACTFAILED, 256, "Extract of %s from %s FAILED \n"},
    {IDS_COPYLABEL, 256, "Copying:"},
    {IDS_TOLABEL, 256, "to:"},
    {IDS_EXTRACTLABEL, 256, "Extracting:"},
    {IDS_FROMLABEL, 256, "from:"},
    {IDS_NOTINSTALLED, 256, "Files not installed: %s \n"},
    {IDS_CAPTION, 256, "Quorvel Audio Driver Installation"},
    {IDS_SOMEFAILED, 256, "Some files could not be installed. The log %s lists them."},
    {IDS_ANOTHERRUN, 256,
     "Another Quorvel driver installation is running. Start this one again when it has "
     "finished."},
    {IDS_NOLOG, 256,
     "The log %s cannot be opened or created. Nothing was installed or changed."},
    {IDS_DRIVERDISC, 256,
     "Put the disk with the drivers for your Quorvel Audio Sound Board back in its drive. The "
     "install program needs to copy the drivers from %s."},
    {IDS_CANNOTWRITE, 256,
     "The driver directory %s cannot be made or written to. Nothing was installed or changed. \n"},
    {IDS_WAITLABEL, 256, "Waiting for:"},
    {IDS_STARTEDBYLABEL, 256, "started by:"},
    {IDS_STOPPEDWAITING, 256,
     "Stopped waiting for %s, which the remover started and left running. \n"},
};

TEST(MessageTable, TextsAreExact)
{
    for (const StringCase &c : kStrings)
        EXPECT_EQ(c.text, Load(c.id, c.bufferSize)) << "string " << c.id;
}

TEST(MessageTable, HelpTextLineByLine)
{
    const char *lines[] = {
        "DRIVEWRIGHT.EXE Options \n",
        " These Options may be used alone or in conjuction with any other option. \n",
        "  -? \t\t;Help <as executable only> \n",
        "  -c \t\t;Continue, do not reboot.  Reboot is the default.\n",
        "  -h=\"xxx\" \t;Add header line to log file where xxx is any string. \n",
        "  -d \t\t;Do not copy the driver files to the Sourcepath.  Only copy\n",
        "\t\t;the INF files.\n",
        "  -s=C:\\path \t;Temporarily change the Source Path in the registry. C:\\path is\n",
        "\t\t;the drive and directory where Windows will find the driver files. \n",
        "  -f=C:\\path \t;Files are not in the current path, they are in C:\\path, where\n",
        "\t\t;C:\\path is the drive and directory where the driver files\n",
        "\t\t;now reside.\n",
        " ",
    };
    std::string expected;
    for (const char *line : lines)
        expected += line;
    std::string help = Load(IDS_HELP, 1024);
    EXPECT_EQ(expected, help);
    EXPECT_EQ(645u, help.size());
    EXPECT_EQ(std::string::npos, help.find('%'));
}

TEST(MessageTable, BannerHasItsFixedPartsAndOneNoticeLine)
{
    std::string banner = Load(IDS_BANNER, 256);
    const std::string head = "\nQuorvelWare(tm) Audio Driver Installation Utility, Version  %s \n";
    const std::string tail = "\n \n";
    ASSERT_EQ(0u, banner.find(head));
    ASSERT_GT(banner.size(), head.size() + tail.size());
    EXPECT_EQ(tail, banner.substr(banner.size() - tail.size()));
    std::string notice = banner.substr(head.size(), banner.size() - head.size() - tail.size());
    EXPECT_EQ(std::string::npos, notice.find('\n'));
    EXPECT_EQ(std::string::npos, notice.find('%'));
    EXPECT_LE(notice.size(), 187u);
}

}  // namespace
