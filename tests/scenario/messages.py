"""The program's log messages, as the scenario tests expect them."""

USEABLE = "Sourcepath in registry is %s (useable)\n"
NOT_USEABLE = "Sourcepath in registry is %s (not useable)\n"
NO_SOURCE_PATH = ("Sourcepath not found in registry.  Creating Options\\Cabs "
                  "Sourcepath in registry. \n")
UPDATED = "Sourcepath updated to %s \n"
NOT_UPDATED = "Sourcepath not updated to %s \n"
BADARG = "%s is not a valid command line argument - ignored. \n"
NORESTORE = "Unable to setup to reset the Sourcepath back to %s \n"

HELP = ("DRIVEWRIGHT.EXE Options \n"
        " These Options may be used alone or in conjuction with any other option. \n"
        "  -? \t\t;Help <as executable only> \n"
        "  -c \t\t;Continue, do not reboot.  Reboot is the default.\n"
        "  -h=\"xxx\" \t;Add header line to log file where xxx is any string. \n"
        "  -d \t\t;Do not copy the driver files to the Sourcepath.  Only copy\n"
        "\t\t;the INF files.\n"
        "  -s=C:\\path \t;Temporarily change the Source Path in the registry. C:\\path is\n"
        "\t\t;the drive and directory where Windows will find the driver files. \n"
        "  -f=C:\\path \t;Files are not in the current path, they are in C:\\path, where\n"
        "\t\t;C:\\path is the drive and directory where the driver files\n"
        "\t\t;now reside.\n"
        " ")
