/* Resource and command identifiers of Scrivlet.
 *
 * Read by both the resource compiler (scrivlet.rc) and the C++ sources, so
 * this file holds plain #defines only: no casts, no enums, no C++ syntax. */
#ifndef SCRIVLET_RESOURCE_H
#define SCRIVLET_RESOURCE_H

/* Resources */
#define IDI_SCRIVLET            101 /* the program icon */
#define IDR_MAINMENU            103
#define IDR_ACCELERATORS        106

/* Menu commands */
#define IDM_EXIT                40001
#define IDM_ABOUT               40002
#define IDM_CUT                 40003
#define IDM_COPY                40004
#define IDM_PASTE               40005
#define IDM_UNDO                40006
#define IDM_DELETE              40007
#define IDM_SELECTALL           40008
#define IDM_NEW                 40009
#define IDM_OPEN                40010
#define IDM_SAVE                40011
#define IDM_SAVEAS              40012
#define IDM_ADDINDENT           40014
#define IDM_REMOVEINDENT        40015
#define IDM_REDO                40016
#define IDM_FIND                40017
#define IDM_FINDNEXT            40018
#define IDM_REPLACE             40019
#define IDM_GOTO                40020
#define IDM_OPTIONS             40021
#define IDM_LOWERCASE           40023
#define IDM_UPPERCASE           40024
#define IDM_INVERTCASE          40025
#define IDM_FILETYPES           40026
#define IDM_HELPCONTENTS        40027
#define IDM_REFRESH             40028
#define IDM_RECENTPLACEHOLDER1  40029
#define IDM_RECENTPLACEHOLDER2  40030
#define IDM_DATETIME            40031
#define IDM_INSERTFILE          40033
#define IDM_PRINT               40034
#define IDM_PAGESETUP           40035
#define IDM_BRACKETFLASH        40036
#define IDM_NEWFROMTEMPLATE     40037
#define IDM_FONTANSI            40039
#define IDM_FONTOEM             40040
#define IDM_FONTSYSTEM          40041
#define IDM_STYLES              40042
/* The recent files list: entry n (1 to 5) has the command IDM_RECENTFIRST + n - 1.
 * The two placeholders above stand in the menu until the program fills it. */
#define IDM_RECENTFIRST         40043
#define IDM_RECENTLAST          40047

/* Positions of popups, for GetSubMenu. Separators count. */
#define FILE_MENU_POSITION      0 /* in the menu bar */
#define EDIT_MENU_POSITION      1 /* in the menu bar */
#define ADVANCED_MENU_POSITION  4 /* in the menu bar */
#define RECENT_FILES_POSITION   11 /* in the File popup */
#define FONT_MENU_POSITION      1 /* in the Advanced popup */

/* Dialog templates */
#define IDD_PRINT               119 /* the common Print dialog with the print options below */
#define IDD_PAGESETUP           121

/* Page Setup */
#define IDC_HEADER              1039
#define IDC_FOOTER              1040
#define IDC_MARGINLEFT          1041
#define IDC_MARGINRIGHT         1042
#define IDC_MARGINTOP           1043
#define IDC_MARGINBOTTOM        1044
#define IDC_MARGINS             1045

/* Added to the Print dialog */
#define IDC_PAGESET             1280 /* Both odd and even pages, Odd pages, Even pages */
#define IDC_PRINTERFONT         1281
#define IDC_PRINTOPTIONS        1282
#define IDC_PAGESETLABEL        1283

/* The settings dialogs' templates and controls */
#include "styles_dialog_ids.h"
#include "settings_dialog_ids.h"
#include "small_dialog_ids.h"

#endif /* SCRIVLET_RESOURCE_H */
