/* Identifiers of the settings dialogs (included by resource.h). */
#ifndef SCRIVLET_SETTINGS_DIALOG_IDS_H
#define SCRIVLET_SETTINGS_DIALOG_IDS_H

/* Options */
#define IDD_OPTIONS                     109
#define IDC_OPTIONS_AUTOSAVE            1010
#define IDC_OPTIONS_EVERY               1011 /* the label before the period */
#define IDC_OPTIONS_PERIOD              1012 /* minutes */
#define IDC_OPTIONS_MINUTES             1013 /* the label after the period */
#define IDC_OPTIONS_BRACKETHELP         1014
#define IDC_OPTIONS_UNDOLEVELS          1015
#define IDC_OPTIONS_DIRECTORY           1016
#define IDC_OPTIONS_BROWSE              1017
#define IDC_OPTIONS_INDENTNONE          1018
#define IDC_OPTIONS_INDENTDEFAULT       1019
#define IDC_OPTIONS_BACKUP              1020
#define IDC_OPTIONS_STORESELECTION      1049

/* File Types */
#define IDD_FILETYPES                   112
#define IDC_FILETYPES_LIST              1023
#define IDC_FILETYPES_ADD               1024
#define IDC_FILETYPES_DELETE            1025
#define IDC_FILETYPES_CLOSE             1030
#define IDC_FILETYPES_STYLES            1031
#define IDC_FILETYPES_EDIT              1036

/* Edit File Type */
#define IDD_EDITFILETYPE                117
#define IDC_EDITFILETYPE_BROWSE         1017
#define IDC_EDITFILETYPE_NAME           1026
#define IDC_EDITFILETYPE_TABSTOPS       1027
#define IDC_EDITFILETYPE_TEMPLATES      1028
#define IDC_EDITFILETYPE_CODESTYLE      1029
#define IDC_EDITFILETYPE_EXTENSIONS     1033
#define IDC_EDITFILETYPE_KEEPTABS       1035

#endif
