"""What the program's dialogs show: the numbers of their controls (as
res/resource.h gives them) and their texts, for the dialog tests and the
resource tests alike."""

# Controls that tell the dialogs apart.
QUESTION, STEP, STEPFILE, STEP2, STEPFILE2 = 1024, 1020, 1021, 1022, 1023
YES, NO, ABOUT_BUTTON, OK, CANCEL = 1004, 1005, 1002, 1003, 1007
PATH, PATHMSG, CDMSG, FINISHMSG = 1006, 1008, 1018, 1019
SHUTDOWN, RESTART = 1000, 1001

MAIN_TITLE = "Quorvel Audio Driver Installation"
PRODUCT = "Quorvel Audio Driver Installation Utility"
ABOUT_TITLE = "About"
ABOUT_VERSION = "Version: 4.05.0200 Beta"

LABELS = {YES: "&Yes", NO: "&No", ABOUT_BUTTON: "&About", OK: "&OK", CANCEL: "&Cancel",
          SHUTDOWN: "&Shut Down", RESTART: "&Restart"}

QUESTION_TEXT = ("This utility will install Quorvel Ware Audio Drivers, or will update your "
                 "existing drivers. Older versions of the Quorvel drivers will be erased. "
                 "Do you want to continue?")
FINISH_TEXT = ("Setup is complete. You must restart your system for the changes to take "
               "effect. Remember to remove any disks from the diskette drive and the "
               "CD-ROM drive.")
PATHMSG_TEXT = ("Drivewright could not find the drivers in the following directory. If the "
                "drivers can be found in another directory, please enter it below.")
CD_TEXT = ("Locate your Windows installation CD-ROM and put it in the CD-ROM drive. The "
           "install program needs to copy some files from it for proper operation of your "
           "Quorvel Audio Sound Board.")

# The message boxes: their OK button (IDOK) and their texts.
BOX_OK, CANCEL_BUTTON = 1, 2
NOT_INSTALLED_TEXT = ("Some files could not be installed. The log C:\\windows\\Quorvel.log "
                      "lists them.")
NO_LOG_TEXT = ("The log C:\\windows\\Quorvel.log cannot be opened or created. Nothing was "
               "installed or changed.")
DRIVER_DISC_TEXT = ("Put the disk with the drivers for your Quorvel Audio Sound Board back in "
                    "its drive. The install program needs to copy the drivers from %s.")
ANOTHER_RUN_TEXT = ("Another Quorvel driver installation is running. Start this one again "
                    "when it has finished.")

# What the prompts show in place of their question when OK finds nothing.
BADPATH = "The path you entered does not exist. Please enter another path name."
NODRIVERS = ("There does not seem to be any driver files in that directory. "
             "Please enter another path name.")
BADCD = ("That does not appear to be a valid Windows install CD. "
         "Please check the disk and try again.")
