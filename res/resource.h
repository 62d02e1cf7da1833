/* Resource numbers shared by the resource script and the code. */
#ifndef DRIVEWRIGHT_RESOURCE_H
#define DRIVEWRIGHT_RESOURCE_H

#define IDB_LOGO            102
#define IDD_FINISH          103
#define IDD_ABOUT           104
#define IDD_MAIN            105
#define IDI_MAIN            106
#define IDD_DRIVERPATH      107
#define IDD_INSERTCD        108

#define IDC_SHUTDOWN        1000
#define IDC_RESTART         1001
#define IDC_ABOUT           1002
#define IDC_OK              1003
#define IDC_YES             1004
/* winuser.h gives IDC_NO to a cursor; the program loads no cursors, so here
   it is the No button. */
#undef IDC_NO
#define IDC_NO              1005
#define IDC_PATH            1006
#define IDC_CANCEL          1007
#define IDC_PATHMSG         1008
#define IDC_CDMSG           1018
#define IDC_FINISHMSG       1019
#define IDC_STEP            1020
#define IDC_STEPFILE        1021
#define IDC_STEP2           1022
#define IDC_STEPFILE2       1023
#define IDC_QUESTION        1024

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
#define IDS_NOTINSTALLED    26
#define IDS_CAPTION         27
#define IDS_SOMEFAILED      28
#define IDS_ANOTHERRUN      29
#define IDS_WRONGSYSTEM     30
#define IDS_CANNOTREAD      31
#define IDS_NOROOM          32
#define IDS_NOLOG           40
#define IDS_DRIVERDISC      41
#define IDS_CANNOTWRITE     42
#define IDS_WAITLABEL       43
#define IDS_STARTEDBYLABEL  44
#define IDS_STOPPEDWAITING  45

#endif
