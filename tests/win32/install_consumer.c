/* An application outside the project: it sees the control only through the
 * installed advancededit.h and libadvancededit.a, and is written in C to
 * prove that the header and the library serve a C program too. */
#include <stdio.h>
#include <string.h>

#include <windows.h>

#include <advancededit.h>

static int failures = 0;

static void Check(int ok, const char *what)
{
    if (!ok) {
        printf("install_consumer: FAILED: %s\n", what);
        ++failures;
    }
}

int main(void)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    HWND parent;
    HWND control;
    char errorText[AE_ERRORTEXTSIZE];

    Check(RegisterAdvancedEditClass(instance) == 1, "RegisterAdvancedEditClass returns 1");
    parent = CreateWindowExA(0, "STATIC", "consumer", WS_POPUP, 0, 0, 400, 300, NULL, NULL,
                             instance, NULL);
    Check(parent != NULL, "the parent window opens");
    control = CreateAdvancedEdit(0, WS_CHILD | WS_VISIBLE | AES_AUTOHSCROLL | AES_AUTOVSCROLL, 0, 0,
                                 8 * 40 + 1, 13 * 10 + 1, parent, 1);
    Check(control != NULL, "CreateAdvancedEdit makes a control");
    Check(GetLastControlError() == AEE_NOERROR, "creation leaves no error");
    if (control != NULL) {
        Check(SendMessageA(control, AEM_REPLACESEL, 1, (LPARAM) "hello\nworld") == 1,
              "AEM_REPLACESEL inserts the text");
        Check(SendMessageA(control, AEM_GETTEXTLENGTH, 0, 0) == 11,
              "AEM_GETTEXTLENGTH counts the inserted bytes");
        Check(SendMessageA(control, AEM_GETLINECOUNT, 0, 0) == 2, "AEM_GETLINECOUNT sees two lines");
    }
    Check(GetControlErrorText(AEE_NORECORD, errorText) == strlen("Control data not found ! ") &&
              strcmp(errorText, "Control data not found ! ") == 0,
          "GetControlErrorText gives the text of error 1");
    if (parent != NULL)
        DestroyWindow(parent);

    if (failures != 0) {
        printf("test program finished: %d checks failed\n", failures);
        return 1;
    }
    printf("test program finished: all tests passed (1)\n");
    return 0;
}
