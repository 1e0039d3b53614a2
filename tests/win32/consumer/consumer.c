/* An application outside the project: it sees the control only through the
 * installed package (advancededit.h and libadvancededit.a), is written in C
 * to prove that the header and the library serve a C program, and defines
 * functions named like the control's own (engine_names.cpp). */
#include <stdio.h>
#include <string.h>

#include <windows.h>

#include <advancededit.h>

int ApplicationNamesAnswer(void);

static int failures = 0;
static int changeNotifications = 0;

static void Check(int ok, const char *what)
{
    if (!ok) {
        printf("consumer: FAILED: %s\n", what);
        ++failures;
    }
}

/* The parent counts the control's AEN_CHANGE notifications. */
static LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == 1 && HIWORD(wParam) == AEN_CHANGE)
        ++changeNotifications;
    return DefWindowProcA(window, message, wParam, lParam);
}

/* A text handed over in blocks of at most `count` bytes, or taken back. */
typedef struct Transfer {
    char bytes[64];
    DWORD length, position;
} Transfer;

static DWORD CALLBACK GiveText(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    Transfer *source = (Transfer *) cookie;
    DWORD left = source->length - source->position;
    *done = left < count ? left : count;
    memcpy(buffer, source->bytes + source->position, *done);
    source->position += *done;
    return 0;
}

static DWORD CALLBACK TakeText(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    Transfer *target = (Transfer *) cookie;
    if (target->length + count > sizeof target->bytes)
        return 1; /* more than was given: an error */
    memcpy(target->bytes + target->length, buffer, count);
    target->length += *done = count;
    return 0;
}

int main(void)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    WNDCLASSA windowClass = {.lpfnWndProc = ParentProc, .lpszClassName = "ConsumerParent"};
    Transfer in = {"hello\r\nworld", 12, 0}, out = {"", 0, 0};
    AESTREAM stream = {(DWORD_PTR) &in, 0, GiveText};
    char errorText[AE_ERRORTEXTSIZE];
    HWND parent, control;

    Check(ApplicationNamesAnswer() == 44,
          "the application's own InsertBytes, CreateControl and FindInRange are called");
    Check(RegisterAdvancedEditClass(instance) == 1, "RegisterAdvancedEditClass returns 1");
    windowClass.hInstance = instance;
    RegisterClassA(&windowClass);
    parent = CreateWindowExA(0, "ConsumerParent", "consumer", WS_POPUP, 0, 0, 400, 300, NULL, NULL, instance, NULL);
    Check(parent != NULL, "the parent window opens");
    control = CreateAdvancedEdit(0, WS_CHILD | WS_VISIBLE | AES_AUTOHSCROLL | AES_AUTOVSCROLL, 0, 0, 321, 131,
                                 parent, 1);
    Check(control != NULL && GetLastControlError() == AEE_NOERROR, "CreateAdvancedEdit makes a control, no error");
    if (control != NULL) {
        Check(SendMessageA(control, AEM_STREAMIN, 0, (LPARAM) &stream) == 12 && stream.error == 0,
              "AEM_STREAMIN reads the 12 bytes");
        Check(changeNotifications > 0, "the parent is told of the change (AEN_CHANGE)");
        Check(SendMessageA(control, AEM_GETLINECOUNT, 0, 0) == 2, "AEM_GETLINECOUNT sees two lines");
        stream.cookie = (DWORD_PTR) &out;
        stream.callback = TakeText;
        SendMessageA(control, AEM_STREAMOUT, 0, (LPARAM) &stream);
        Check(stream.error == 0 && out.length == 12 && memcmp(out.bytes, "hello\r\nworld", 12) == 0,
              "AEM_STREAMOUT gives the same text back with CR LF");
    }
    Check(GetControlErrorText(AEE_NORECORD, errorText) == strlen("Control data not found ! ") &&
              strcmp(errorText, "Control data not found ! ") == 0,
          "GetControlErrorText gives the text of error 1");
    DestroyWindow(parent);
    if (failures == 0)
        printf("consumer: all checks passed\n");
    return failures != 0;
}
