/* Identifiers of the small dialogs (included by resource.h). */
#ifndef SCRIVLET_SMALL_DIALOG_IDS_H
#define SCRIVLET_SMALL_DIALOG_IDS_H

/* About */
#define IDD_ABOUT                107
#define IDC_ABOUT_NAME           1000
#define IDC_ABOUT_NOTE           1001
#define IDC_ABOUT_VERSION        1002
#define IDC_ABOUT_MEMORYLOAD     1004
#define IDC_ABOUT_TOTALMEMORY    1005
#define IDC_ABOUT_FREEMEMORY     1006

/* Go To */
#define IDD_GOTO                 108
#define IDC_GOTO_WHAT            1007
#define IDC_GOTO_NUMBER          1008
#define IDC_GOTO_JUMP            1009

/* Date and Time */
#define IDD_DATETIME             122
#define IDC_DATETIME_FORMATS     1046

/* New From Template */
#define IDD_NEWFROMTEMPLATE      123
#define IDC_TEMPLATE_LIST        1048

#endif
