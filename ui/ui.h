/* User interface: the dialog procedures of the interactive run. */
#ifndef DRIVEWRIGHT_UI_H
#define DRIVEWRIGHT_UI_H

#include <windows.h>

/* Every dialog procedure returns 0 for every message, so the dialog
   manager's own handling always applies. */

/* main_dialog.cpp: the welcome question; its Yes button runs the installation. */
INT_PTR CALLBACK MainDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

/* about_dialog.cpp */
INT_PTR CALLBACK AboutDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

/* driver_path_dialog.cpp: asks for the directory that holds the driver files. */
INT_PTR CALLBACK DriverPathDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

/* insert_cd_dialog.cpp: asks for the Windows CD. */
INT_PTR CALLBACK InsertCdDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

/* finish_dialog.cpp: shut down, restart, or neither. */
INT_PTR CALLBACK FinishDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

/* driver_check.cpp: 1 when the working directory holds a QV*.DRV or a QV*.VXD. */
int HasDriverFiles(void);

/* prompt_buttons.cpp: for a prompt's WM_COMMAND; Cancel, Esc and the close
   box end it with 0. Returns 1 when OK was pressed. */
int PromptOkPressed(HWND window, WPARAM wParam);

/* message_box.cpp: a box with an exclamation icon and OK; its text is
   message textId of the table, with first and second for its "%s"s. */
void ShowMessageBox(UINT textId, const char *first, const char *second);

/* message_box.cpp: the same box with OK and Cancel, asking for something
   before the installation goes on; 1 when OK was pressed. */
int AskInMessageBox(UINT textId, const char *first);

/* show_dialog.cpp: opens one of the program's dialogs modally, without an owner window. */
INT_PTR ShowDialog(int templateId, DLGPROC procedure);

#endif
