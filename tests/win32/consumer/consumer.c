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

/* A text handed over in blocks of at most `count` bytes, and one taken back. */
typedef struct Transfer {
    char bytes[64];
    DWORD length;
    DWORD position;
} Transfer;

static DWORD CALLBACK GiveText(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    Transfer *source = (Transfer *) cookie;
    DWORD left = source->length - source->position;
    DWORD size = left < count ? left : count;
    memcpy(buffer, source->bytes + source->position, size);
    source->position += size;
    *done = size;
    return 0;
}

static DWORD CALLBACK TakeText(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    Transfer *target = (Transfer *) cookie;
    if (target->length + count > sizeof target->bytes)
        return 1;
    memcpy(target->bytes + target->length, buffer, count);
    target->length += count;
    *done = count;
    return 0;
}

static HWND OpenParent(HINSTANCE instance)
{
    WNDCLASSA windowClass;
    memset(&windowClass, 0, sizeof windowClass);
    windowClass.lpfnWndProc = ParentProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "ConsumerParent";
    if (RegisterClassA(&windowClass) == 0)
        return NULL;
    return CreateWindowExA(0, "ConsumerParent", "consumer", WS_POPUP, 0, 0, 400, 300, NULL, NULL,
                           instance, NULL);
}

static void StreamThroughControl(HWND control)
{
    Transfer in = {"hello\r\nworld", 12, 0};
    Transfer out = {"", 0, 0};
    AESTREAM stream;

    stream.cookie = (DWORD_PTR) &in;
    stream.error = 0;
    stream.callback = GiveText;
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

int main(void)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    HWND parent;
    HWND control;
    char errorText[AE_ERRORTEXTSIZE];

    Check(ApplicationNamesAnswer() == 44,
          "the application's own InsertBytes, CreateControl and FindInRange are called");
    Check(RegisterAdvancedEditClass(instance) == 1, "RegisterAdvancedEditClass returns 1");
    parent = OpenParent(instance);
    Check(parent != NULL, "the parent window opens");
    control = CreateAdvancedEdit(0, WS_CHILD | WS_VISIBLE | AES_AUTOHSCROLL | AES_AUTOVSCROLL, 0, 0,
                                 8 * 40 + 1, 13 * 10 + 1, parent, 1);
    Check(control != NULL, "CreateAdvancedEdit makes a control");
    Check(GetLastControlError() == AEE_NOERROR, "creation leaves no error");
    if (control != NULL)
        StreamThroughControl(control);
    Check(GetControlErrorText(AEE_NORECORD, errorText) == strlen("Control data not found ! ") &&
              strcmp(errorText, "Control data not found ! ") == 0,
          "GetControlErrorText gives the text of error 1");
    if (parent != NULL)
        DestroyWindow(parent);

    if (failures != 0) {
        printf("consumer: %d checks failed\n", failures);
        return 1;
    }
    printf("consumer: all checks passed\n");
    return 0;
}
