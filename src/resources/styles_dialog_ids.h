/* Identifiers of the styles dialogs (included by resource.h). Several
 * dialogs use the same numbers for their controls; each name belongs to one
 * dialog, so the names carry the dialog's prefix. */
#ifndef SCRIVLET_STYLES_DIALOG_IDS_H
#define SCRIVLET_STYLES_DIALOG_IDS_H

/* Templates */
#define IDD_STYLES                      124 /* the list of styles */
#define IDD_ADDSTYLE                    125
#define IDD_EDITSTYLE                   126 /* classes, ranges and symbols of one style */
#define IDD_STYLECLASS                  127
#define IDD_STYLERANGE                  128
#define IDD_STYLESYMBOL                 129

/* Styles */
#define IDC_STYLES_LIST                 1050
#define IDC_STYLES_ADD                  1051
#define IDC_STYLES_EDIT                 1052
#define IDC_STYLES_DELETE               1053
#define IDC_STYLES_IMPORT               1054
#define IDC_STYLES_CLOSE                1030

/* Add Style */
#define IDC_ADDSTYLE_NAME               1062
#define IDC_ADDSTYLE_CHARACTERS         1056 /* additional symbol characters */

/* Edit Style */
#define IDC_EDITSTYLE_CLASSES           1060
#define IDC_EDITSTYLE_CLASSADD          1057
#define IDC_EDITSTYLE_CLASSEDIT         1058
#define IDC_EDITSTYLE_CLASSDELETE       1059
#define IDC_EDITSTYLE_RANGES            1067
#define IDC_EDITSTYLE_RANGEADD          1061
#define IDC_EDITSTYLE_RANGEEDIT         1062
#define IDC_EDITSTYLE_RANGEDELETE       1063
#define IDC_EDITSTYLE_SYMBOLS           1068
#define IDC_EDITSTYLE_SYMBOLADD         1064
#define IDC_EDITSTYLE_SYMBOLEDIT        1065
#define IDC_EDITSTYLE_SYMBOLDELETE      1066
#define IDC_EDITSTYLE_CLOSE             1030

/* Edit Style Class */
#define IDC_STYLECLASS_NAME             1062
#define IDC_STYLECLASS_COLOUR           1079 /* the named colours, then "Custom" */
#define IDC_STYLECLASS_CUSTOM           1069 /* opens the colour chooser */
#define IDC_STYLECLASS_CASESENSITIVE    1063
#define IDC_STYLECLASS_AUTONONE         1064
#define IDC_STYLECLASS_AUTOLOWER        1065
#define IDC_STYLECLASS_AUTOUPPER        1066
#define IDC_STYLECLASS_NEXT             1077

/* Edit Style Range */
#define IDC_STYLERANGE_START            1070
#define IDC_STYLERANGE_END              1071
#define IDC_STYLERANGE_CLASS            1072
#define IDC_STYLERANGE_BACKSLASH        1073
#define IDC_STYLERANGE_NESTED           1074
#define IDC_STYLERANGE_NEXT             1077

/* Edit Style Symbol */
#define IDC_STYLESYMBOL_TEXT            1075
#define IDC_STYLESYMBOL_CLASS           1072
#define IDC_STYLESYMBOL_NEXT            1077

#endif
