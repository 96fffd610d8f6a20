/* Command and control ids shared by the resource script and the program. */
#ifndef NG_RESOURCE_IDS_H
#define NG_RESOURCE_IDS_H

/* File menu */
#define IDM_ABOUT 10
#define IDM_NEW_DATA 20
#define IDM_NEW_SETTINGS 30
#define IDM_OPEN 40
#define IDM_CLOSE 50
#define IDM_SAVE 60
#define IDM_SAVE_AS 70
#define IDM_REVERT 80
#define IDM_EXPORT_REPORT 90
#define IDM_EXPORT_DATABASE 100
#define IDM_IMPORT_DATABASE 105
#define IDM_PRINT 120
#define IDM_QUIT 130

/* Edit menu */
#define IDM_CUT 140
#define IDM_COPY 150
#define IDM_PASTE 160
#define IDM_CLEAR 170
#define IDM_SELECT_ALL 180

/* Windows menu */
#define IDM_SHOW_DATA 190
#define IDM_SHOW_PLOT 200
#define IDM_SHOW_TRENDS 205
#define IDM_SHOW_SETTINGS 210
#define IDM_SHOW_RECORD 220
#define IDM_DELETE_RECORD 230
#define IDM_PLOT_RECORDS 240

/* Somnolux menu */
#define IDM_GET_DATA 250
#define IDM_SET_SETTINGS 260
#define IDM_RESET_SETTINGS 270
#define IDM_COPY_DATA_SETTINGS 275
#define IDM_INTERFACE_TIMEOUT 280
#define IDM_OTHER_PORT 290 /* "Other Port...": the port dialog with the current port */
#define IDM_COM1 300       /* COM1 ... COM10 are 300 ... 309 */
#define IDM_COM10 309
/* A chosen port above COM10, shown checked after COM10 while it is chosen; choosing it changes nothing. */
#define IDM_COM_CHOSEN 310

/* Items of the choice fields' popup menus: item i has IDM_POPUP_BASE + i. */
#define IDM_POPUP_BASE 10000

/* "default_port" dialog */
#define IDC_PORT_EDIT 0
#define IDC_PORT_OK 1
#define IDC_PORT_QUIT 2

/* "timeout_dlog" dialog */
#define IDC_TIMEOUT_OK 0
#define IDC_TIMEOUT_CANCEL 1
#define IDC_TIMEOUT_NORMAL 2
#define IDC_TIMEOUT_LONGER 3
#define IDC_TIMEOUT_LONGEST 4

/* The record dialogs: OK is 0 and Cancel 1, the record list 2 */
#define IDC_RECORD_OK 0
#define IDC_RECORD_CANCEL 1
#define IDC_RECORD_LIST 2
/* "plot_records_dlog": each series' check box, then its "Black" and "Gray" buttons */
#define IDC_PLOT_CUES 3
#define IDC_PLOT_CUES_BLACK 4
#define IDC_PLOT_CUES_GRAY 5
#define IDC_PLOT_ND 6
#define IDC_PLOT_ND_BLACK 7
#define IDC_PLOT_ND_GRAY 8
#define IDC_PLOT_COMBINED 9
#define IDC_PLOT_COMBINED_BLACK 10
#define IDC_PLOT_COMBINED_GRAY 11
#define IDC_PLOT_SELECT_ALL 12

#endif
