/*
 * advancededit.h - the AdvancedEdit control: a self-contained edit control
 * driven by window messages.
 *
 * An application includes this header and links the static library:
 *
 *     -ladvancededit -lgdi32 -luser32 -lkernel32
 *
 * then calls RegisterAdvancedEditClass once and creates controls with
 * CreateAdvancedEdit (or CreateWindowExA with the class "AdvancedEdit").
 * Controls and the process-wide state behind them belong to the thread that
 * created them.
 *
 * Offsets and counts are DWORDs; 0xFFFFFFFF in a message parameter means
 * "no offset" or "the caret". Pointers and handles keep their pointer size.
 */
#ifndef ADVANCEDEDIT_H
#define ADVANCEDEDIT_H

/* The control's own portable engine supplies the few Win32 type names this
 * header needs (DWORD, DWORD_PTR, LPBYTE, CALLBACK) itself and defines
 * ADVANCEDEDIT_PORTABLE_TYPES; everybody else gets them from <windows.h>. */
#ifndef ADVANCEDEDIT_PORTABLE_TYPES
#include <windows.h>
#endif

/* Window class name. */
#define ADVANCEDEDIT_CLASS "AdvancedEdit"

/* Control styles (low bits of the window style). */
#define AES_AUTOHSCROLL 0x0001 /* lines may grow wider than the window */
#define AES_AUTOVSCROLL 0x0002 /* the text may grow taller than the window */
#define AES_LOADSTYLES  0x0004 /* the first control loads "styles.dat" */

/* Control messages: wParam, lParam -> result (result without a record). */
#define AEM_CANPASTE            1025 /* clipboard format, - -> 1 if available */
#define AEM_CANREDO             1026 /* -, - -> 1/0 (0) */
#define AEM_CANUNDO             1027 /* -, - -> 1/0 (0) */
#define AEM_EMPTYUNDOBUFFER     1028 /* -, - -> 0 */
#define AEM_FINDTEXT            1029 /* flags, AEFINDTEXT* -> match relative to the range, or -1 */
#define AEM_GETSTYLE            1030 /* -, - -> style handle (-1) */
#define AEM_GETCARETCOLUMN      1031 /* -, - -> display column of the caret (-1) */
#define AEM_GETFIRSTVISIBLELINE 1032 /* -, - -> top line from 0 (-1) */
#define AEM_GETAUTOINDENT       1033 /* -, - -> auto indent (-1) */
#define AEM_GETLIMITTEXT        1034 /* -, - -> text limit (-1) */
#define AEM_GETLINE             1035 /* line, buffer -> bytes copied, no NUL (-1; -1 and error 9) */
#define AEM_GETLINECOUNT        1036 /* -, - -> lines (0) */
#define AEM_GETOPTIONS          1037 /* -, - -> option bits (0) */
#define AEM_GETSEL              1038 /* -, AERANGE* (output) -> 0 */
#define AEM_GETSELTEXT          1039 /* -, buffer -> bytes copied, NUL added (0) */
#define AEM_GETTEXTLENGTH       1040 /* -, - -> text length (-1) */
#define AEM_GETUNDOLEVELS       1041 /* -, - -> undo levels (-1) */
#define AEM_SETLIMITTEXT        1042 /* -, limit (0 = 65,536) -> 1 (0) */
#define AEM_LINEFROMCHAR        1043 /* offset or -1, - -> line from 0 (-1) */
#define AEM_LINEINDEX           1044 /* line or -1, - -> line start (-1; -1 and error 9) */
#define AEM_LINELENGTH          1045 /* offset or -1, - -> line length (-1) */
#define AEM_SETMEMORYWATCH      1046 /* on/off, interval in ms -> see the control's notes */
#define AEM_INDENTSEL           1047 /* 1 indent / 0 unindent, - -> 1/0 (0) */
#define AEM_PRINT               1048 /* -, print job -> 1/0 (0) */
#define AEM_REDO                1049 /* -, - -> 0 */
#define AEM_REPLACESEL          1050 /* record for undo, text or NULL -> 1/0 (0) */
#define AEM_RECALCLINES         1051 /* -, - -> 0 */
#define AEM_SCROLLCARET         1052 /* -, - -> 0 */
#define AEM_SETSTYLE            1053 /* -, style handle -> 1 (0) */
#define AEM_SETAUTOINDENT       1054 /* value, - -> 1 (0) */
#define AEM_SETOPTIONS          1055 /* -, option bits -> the new value (0) */
#define AEM_SETSEL              1056 /* repaint, AERANGE* -> 1 (0) */
#define AEM_SETTABSTOPS         1057 /* MAKEWPARAM(count, keep tabs), DWORD widths[] -> 1/0 (0) */
#define AEM_SETUNDOLEVELS       1058 /* levels, - -> 1/0 (0) */
#define AEM_STREAMIN            1059 /* 0 replace all / 1 insert, AESTREAM* -> bytes read (0) */
#define AEM_STREAMOUT           1060 /* -, AESTREAM* -> bytes written (0) */
#define AEM_ADDSTYLE            1061 /* name, additional characters or NULL -> style handle or 0 */
#define AEM_ADDSTYLEITEM        1062 /* AESTYLEREF* (style, kind), item record -> new item or 0 */
#define AEM_DELETESTYLEITEM     1063 /* AESTYLEREF* (style, item, kind), - -> 0 */
#define AEM_DELETESTYLE         1064 /* style handle, - -> 0 */
#define AEM_GETSTYLECLASSES     1065 /* AESTYLEREF*, AESTYLECLASS* or NULL -> 1, or the count */
#define AEM_GETSTYLECOUNT       1066 /* -, - -> number of styles */
#define AEM_FINDSTYLE           1067 /* name, - -> newest style of that name, or 0 */
#define AEM_GETSTYLERANGES      1068 /* AESTYLEREF*, AESTYLERANGE* or NULL -> 1, or the count */
#define AEM_GETSTYLES           1069 /* maximum, AESTYLEINFO[] -> records copied */
#define AEM_GETSTYLESYMBOLS     1070 /* AESTYLEREF*, AESTYLESYMBOL* or NULL -> 1, or the count */
#define AEM_LOADSTYLES          1071 /* 0 replace / 1 add, path -> 1 when no line was bad */
#define AEM_SETSTYLEITEM        1072 /* AESTYLEREF*, item record -> 1 or the new item; 0 */
#define AEM_SAVESTYLES          1073 /* -, path or NULL for "styles.dat" -> 1/0 */
/* AEM_ADDSTYLE, AEM_ADDSTYLEITEM and AEM_SETSTYLEITEM refuse, with result 0,
 * what "styles.dat" could not give back as it was, since the file splits its
 * fields at commas, has no quoting and trims blanks from the ends of lines:
 * - error 103 (AEE_SYMBOLCHARS) for a comma, CR or LF in a style name (as it
 *   is kept: its first 79 characters), in additional symbol characters, a
 *   class name, a range's start or end text or a symbol, and for additional
 *   characters, the name of a style without them, or a symbol that ends in
 *   a space or a tab;
 * - error 106 (AEE_CLASSNOTFOUND) for a range or symbol whose class the style
 *   does not have;
 * - error 105 (AEE_STYLEVALUES) for a class whose caseSensitive is outside
 *   0-255 (the file keeps its low 8 bits).
 * A refused AEM_SETSTYLEITEM leaves the item as it was. */
#define AEM_UNDO                1074 /* -, - -> 0; the same as WM_UNDO */

/* Replace All in one pass (an addition to the messages above): from
 * `start` to the end of the text every match of the pattern (AEFT_ flags in
 * wParam) is replaced with the replacement, leaving the text, the selection
 * (empty, after the last replacement) and the undo groups (one per
 * replacement) that AEM_FINDTEXT, AEM_SETSEL and AEM_REPLACESEL with wParam
 * 1 would leave match by match, in time linear in the text. Returns the
 * number of replacements. */
#define AEM_REPLACEALL          1124 /* flags, AEREPLACEALL* -> replacements (0) */

typedef struct AEREPLACEALL {
    DWORD start;             /* where the first search starts */
    const char *pattern;
    const char *replacement; /* NULL counts as empty */
} AEREPLACEALL;

/* AEM_FINDTEXT flags. */
#define AEFT_MATCHCASE 1
#define AEFT_WHOLEWORD 2

/* AEM_GETOPTIONS / AEM_SETOPTIONS bits. */
#define AEO_BRACKETFLASH 1

/* Notifications: codes 1-4 arrive as WM_COMMAND with MAKEWPARAM(id, code)
 * and the control's window in lParam; 5 and 6 arrive as WM_NOTIFY. */
#define AEN_CHANGE    1 /* the text changed */
#define AEN_ERRSPACE  2 /* an insertion ran out of memory */
#define AEN_LOWMEMORY 3 /* the memory watch found a memory error */
#define AEN_MAXTEXT   4 /* an insertion was refused by a limit */
#define AEN_KEYDOWN   5 /* AENMKEY: after every WM_KEYDOWN */
#define AEN_SELCHANGE 6 /* AENMSELCHANGE: every time the selection is set */

/* Control error codes (GetLastControlError). */
#define AEE_NOERROR        0
#define AEE_NORECORD       1
#define AEE_MEMORY         2
#define AEE_NEGATIVECOORDS 3
#define AEE_CLIPBOARD      4
#define AEE_UNDOMEMORY     5
#define AEE_READOPEN       6
#define AEE_WRITEOPEN      7
#define AEE_VARIABLEPITCH  8
#define AEE_LINENOTFOUND   9
#define AEE_CALLBACK       10
#define AEE_WIN32API       11
#define AEE_MARGINS        12
#define AEE_STYLELOAD      100
#define AEE_STYLESAVE      101
#define AEE_STYLENOTFOUND  102
#define AEE_SYMBOLCHARS    103
#define AEE_STYLELIMIT     104
#define AEE_STYLEVALUES    105
#define AEE_CLASSNOTFOUND  106
#define AEE_STYLELISTEMPTY 107

/* A buffer for GetControlErrorText holds this many bytes. */
#define AE_ERRORTEXTSIZE 48

/* AEM_GETSEL, AEM_SETSEL. */
typedef struct AERANGE {
    DWORD start;
    DWORD end; /* 0xFFFFFFFF for AEM_SETSEL: the end of the text */
} AERANGE;

/* AEM_FINDTEXT. */
typedef struct AEFINDTEXT {
    DWORD rangeStart;
    DWORD rangeEnd;      /* 0xFFFFFFFF: the end of the text */
    const char *pattern; /* NUL-terminated */
    DWORD foundStart;    /* output */
    DWORD foundEnd;      /* output */
} AEFINDTEXT;

/* AEM_STREAMIN and AEM_STREAMOUT. The callback gets the cookie, a buffer,
 * the buffer's size (in) or the bytes in it (out), and where to store the
 * bytes it delivered (in) or took (out); it returns 0 to go on. */
typedef DWORD(CALLBACK *AESTREAMCALLBACK)(DWORD_PTR cookie, LPBYTE buffer, DWORD count,
                                          DWORD *done);
typedef struct AESTREAM {
    DWORD_PTR cookie;
    DWORD error; /* output: 0, or why the transfer stopped early: 10 when the
                  * callback failed, 2 when the text could not take a block
                  * (out of memory, or a limit refused it after AEN_MAXTEXT) */
    AESTREAMCALLBACK callback;
} AESTREAM;

/* AEM_PRINT page sets (PrintJob.pageSet). */
#define AEPS_EVEN 1
#define AEPS_ODD  2
#define AEPS_ALL  3

/* AEM_PRINT: what to print and how. Margins are device pixels from the
 * edges of the printable area. The control draws on the device context and
 * never deletes it. */
typedef struct PrintJob {
    HDC printerDC;
    const char *header;       /* header codes (&P &D &T &F &&), or NULL: no band */
    const char *footer;       /* the same below the body */
    int leftMargin;
    int topMargin;
    int rightMargin;
    int bottomMargin;
    const char *documentName; /* the print job's name and the text of &F */
    DWORD selectionOnly;      /* nonzero: print the selection only */
    int copies;               /* times the whole document is printed */
    DWORD printerFont;        /* nonzero: the printer's own font, else a created "Courier New" */
    BYTE pageSet;             /* AEPS_ bits */
} PrintJob;

/* Kinds of style items (AESTYLEREF.kind). */
#define AESK_CLASS  1
#define AESK_RANGE  2
#define AESK_SYMBOL 3

/* Range flags (AESTYLERANGE.flags). */
#define AESR_BACKSLASH 1 /* an end text after a backslash does not close */

/* Length of the text fields of the style records, NUL included. */
#define AE_STYLETEXTSIZE 80

/* Names a style and one of its items (0 = all items in the get messages). */
typedef struct AESTYLEREF {
    DWORD style;
    DWORD item;
    DWORD kind; /* AESK_ */
} AESTYLEREF;

/* A colour class: how the texts of its ranges and keywords match and look. */
typedef struct AESTYLECLASS {
    DWORD identifier;
    char name[AE_STYLETEXTSIZE];
    int caseSensitive;     /* 0: ASCII letters match in either case */
    unsigned char autocase; /* 0 none, 1 lower, 2 upper */
    DWORD colour;          /* COLORREF of the class's runs */
} AESTYLECLASS;

/* A delimited range such as a comment or a string. */
typedef struct AESTYLERANGE {
    DWORD identifier;
    char startText[AE_STYLETEXTSIZE];
    char endText[AE_STYLETEXTSIZE]; /* empty: the range ends with its line */
    unsigned char flags;            /* AESR_ */
    DWORD nested;                   /* nonzero: start texts inside need their own end texts */
    DWORD classIdentifier;
} AESTYLERANGE;

/* A keyword. */
typedef struct AESTYLESYMBOL {
    DWORD identifier;
    char text[AE_STYLETEXTSIZE];
    DWORD classIdentifier;
} AESTYLESYMBOL;

/* One style in the list of AEM_GETSTYLES. */
typedef struct AESTYLEINFO {
    DWORD handle;
    char name[AE_STYLETEXTSIZE];
    char additionalSymbolChars[AE_STYLETEXTSIZE]; /* empty when none */
} AESTYLEINFO;

#ifndef ADVANCEDEDIT_PORTABLE_TYPES

/* AEN_KEYDOWN. */
typedef struct AENMKEY {
    NMHDR hdr;
    DWORD message; /* always WM_KEYDOWN */
    DWORD wParam;  /* the virtual key */
    DWORD lParam;  /* the key data as received */
} AENMKEY;

/* AEN_SELCHANGE. */
typedef struct AENMSELCHANGE {
    NMHDR hdr;
    DWORD selStart;
    DWORD selEnd;
} AENMSELCHANGE;

#ifdef __cplusplus
extern "C" {
#endif

/* Registers the window class; 1 on success, else 0. */
int RegisterAdvancedEditClass(HINSTANCE instance);

/* Creates a control; read GetLastControlError afterwards, which holds a
 * style-file error even when the control was created. */
HWND CreateAdvancedEdit(DWORD exStyle, DWORD style, int x, int y, int width, int height,
                        HWND parent, UINT id);

#ifdef __cplusplus
}
#endif

#endif /* !ADVANCEDEDIT_PORTABLE_TYPES */

#ifdef __cplusplus
extern "C" {
#endif

/* The last control error; sticky until an operation sets another. */
DWORD GetLastControlError(void);

/* Copies the text of an error code with its NUL into a buffer of at least
 * AE_ERRORTEXTSIZE bytes; returns the characters written. */
DWORD GetControlErrorText(DWORD code, char *buffer);

#ifdef __cplusplus
}
#endif

#endif /* ADVANCEDEDIT_H */
