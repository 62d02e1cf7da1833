/* Resource numbers shared by the resource script and the code. */
#ifndef DRIVEWRIGHT_RESOURCE_H
#define DRIVEWRIGHT_RESOURCE_H

#define IDB_LOGO            102
#define IDD_FINISH          103
#define IDD_ABOUT           104
#define IDD_MAIN            105

/* The four progress lines of the main dialog. */
#define IDC_STEP            1020
#define IDC_STEPFILE        1021
#define IDC_STEP2           1022
#define IDC_STEPFILE2       1023
#define IDI_MAIN            106
#define IDD_DRIVERPATH      107
#define IDD_INSERTCD        108

#define IDS_NOINF           2
#define IDS_NOSOURCEPATH    4
#define IDS_SOURCEPATH      5
#define IDS_COPYING         6
#define IDS_COPYFAILED      7
#define IDS_SPNOTUPDATED    8
#define IDS_SPUPDATED       9
#define IDS_BANNER          11
#define IDS_HELP            12
#define IDS_BADARG          13
#define IDS_NORESTORE       15
#define IDS_BADPATH         16
#define IDS_NODRIVERS       17
#define IDS_BADCD           18
#define IDS_EXTRACTING      19
#define IDS_EXTRACTFAILED   20
#define IDS_COPYLABEL       21
#define IDS_TOLABEL         22
#define IDS_EXTRACTLABEL    24
#define IDS_FROMLABEL       25

#endif
