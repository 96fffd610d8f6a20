/* Control ids of the Export Data dialog ("export_records_dlog"): OK is 0 and Cancel 1 here. */
#ifndef NG_EXPORT_DIALOG_IDS_H
#define NG_EXPORT_DIALOG_IDS_H

#define IDC_EXPORT_OK 0
#define IDC_EXPORT_CANCEL 1
#define IDC_EXPORT_LIST 2
#define IDC_EXPORT_NAMES 3
#define IDC_EXPORT_SELECT_ALL 4

#endif
