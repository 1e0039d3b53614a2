// Moving documents between the disk and the edit control: open, refresh,
// new, new from a template, save with its backup copy, insert a file, the
// save prompt and auto-save. The shell never holds the text: the control
// reads and writes it in blocks through the callbacks below.
#include "shell/win32_app.h"

#include "advancededit.h"
#include "shell/apply_options.h"
#include "config/file_types.h"
#include "core/safe_write.h"
#include "core/text_store.h" // FindByte: the C runtime's memchr is a byte loop under Wine
#include "shell/document_paths.h"

#include <cstring>

namespace scrivlet {

namespace {

// The buffers of the two file-dialog records.
struct DialogBuffers {
    char filter[kFileFilterSize];
    char customFilter[512];
    char openFile[kPathSize];
    char openTitle[256];
    char openDirectory[kPathSize];
    char saveFile[kPathSize];
    char saveTitle[256];
    char saveDirectory[kPathSize];
};
DialogBuffers buffers;

// The cookie of a transfer: the open file, and whether a block read from it
// held a NUL byte, which the text cannot hold.
struct FileStream {
    HANDLE file;
    bool sawNul;
};

DWORD CALLBACK ReadBlock(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    FileStream *stream = reinterpret_cast<FileStream *>(cookie);
    *done = 0;
    DWORD read = 0;
    if (!g_seams.readFile(stream->file, buffer, count, &read))
        return 1;
    if (FindByte(reinterpret_cast<const char *>(buffer), read, '\0') < read) {
        stream->sawNul = true; // deliver nothing of this block: the transfer stops here
        return 1;
    }
    *done = read;
    return 0;
}

// Hands a block of the text to the safe write of the document; the transfer
// stops at the first block that could not be written.
DWORD CALLBACK WriteBlock(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    SafeWrite *write = reinterpret_cast<SafeWrite *>(cookie);
    SafeWriteBytes(write, buffer, count);
    bool written = write->result == kSafeWriteDone;
    *done = written ? count : 0;
    return written ? 0 : 1;
}

// Streams the file into the control (mode 0 replaces the text, 1 inserts at
// the selection). Returns the control's error word.
DWORD StreamFileIn(FileStream *stream, WPARAM mode)
{
    AESTREAM request = {reinterpret_cast<DWORD_PTR>(stream), 0, ReadBlock};
    SendToEdit(AEM_STREAMIN, mode, reinterpret_cast<LPARAM>(&request));
    return request.error;
}

HANDLE OpenForReading(const char *path)
{
    return CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Whether the file holds a NUL byte anywhere; the file position is back at
// its start afterwards. A read error counts as no NUL: the transfer reports it.
bool FileHoldsNul(HANDLE file)
{
    static char block[65536];
    bool found = false;
    DWORD read = 0;
    while (!found && ReadFile(file, block, sizeof block, &read, nullptr) && read > 0)
        found = FindByte(block, read, '\0') < read;
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    return found;
}

void ReportNulFile(const char *path)
{
    char text[kMessageTextSize];
    FormatNulFileText(text, path + FileNameOffset(path));
    ShowMessage(g_app.mainWindow, text, kErrorTitle, MB_OK | MB_ICONERROR);
}

// Opens a file to be read into the control, refusing one that cannot be
// opened (AppError 5) or that holds a NUL byte. Null when refused.
HANDLE OpenTextFile(const char *path)
{
    HANDLE file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE) {
        ReportAppError(g_app.mainWindow, kAppErrorOpenFile);
        return nullptr;
    }
    if (FileHoldsNul(file)) {
        CloseHandle(file);
        ReportNulFile(path);
        return nullptr;
    }
    return file;
}

// The document became something no file on disk holds (reading stopped
// part-way, or a NUL appeared in a file while it was read): it keeps the
// text that was read, but under "Untitled" and modified, so a save never
// cuts the file on disk down to it.
void UnbindDocument()
{
    std::strcpy(g_app.fileName, kUntitledName);
    g_app.modified = 1;
}

void SetWaitCursor(HCURSOR *previous)
{
    *previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

// Writes the document to the full path without ever destroying the file on
// disk: the text goes to a new file in the same folder first, which replaces
// the old file only when it was written completely. Returns 0 or the
// AppError that stopped it.
int WriteDocument(const char *fullPath)
{
    static SafeWrite write; // large; one save runs at a time
    AESTREAM request = {reinterpret_cast<DWORD_PTR>(&write), 0, WriteBlock};
    if (BeginSafeWrite(&write, fullPath)) {
        SendToEdit(AEM_STREAMOUT, 0, reinterpret_cast<LPARAM>(&request));
        if (request.error != 0)
            AbandonSafeWrite(&write); // the control stopped early: the file must not be cut
    }
    switch (FinishSafeWrite(&write)) {
    case kSafeWriteDone:
        return 0;
    case kSafeWriteFailed:
        return kAppErrorWrite;
    default:
        return kAppErrorCreateFile;
    }
}

// Copies the file on disk to its backup, which is replaced only by a whole
// copy: a copy that fails keeps the previous backup. Nothing is copied when
// the file does not exist yet; a failure is not reported, the save goes on.
void CopyToBackup(const char *fullPath, const char *backup)
{
    HANDLE file = CreateFileA(fullPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    static SafeWrite write;
    static char block[65536];
    if (BeginSafeWrite(&write, backup)) {
        DWORD read = 0;
        BOOL ok;
        while ((ok = ReadFile(file, block, sizeof block, &read, nullptr)) && read > 0)
            SafeWriteBytes(&write, block, read);
        if (!ok)
            AbandonSafeWrite(&write);
    }
    FinishSafeWrite(&write);
    CloseHandle(file);
}

// Takes a new name from the Save As dialog. False when it was cancelled.
bool AskForSaveName()
{
    CopyText(buffers.saveDirectory, g_app.documentDirectory);
    CopyText(buffers.saveFile, g_app.fileName);
    buffers.saveTitle[0] = '\0';
    if (!g_seams.getSaveFileName(&g_app.saveDialog))
        return false;
    AddDocumentToRecent();
    uint32_t offset = g_app.saveDialog.nFileOffset;
    if (!CopyDirectoryPart(g_app.documentDirectory, sizeof g_app.documentDirectory, buffers.saveFile, offset)) {
        offset = 0;
        g_app.documentDirectory[0] = '\0';
    }
    CopyText(g_app.fileName, buffers.saveTitle[0] != '\0' ? buffers.saveTitle : buffers.saveFile + offset);
    ApplyCurrentFileType();
    return true;
}

// A whole file streamed in place of the text, the document it replaces
// entering the recent-file list first. The control stays locked and the
// wait cursor on for the caller to finish the load.
struct WholeFileLoad {
    HCURSOR cursor; // to restore when the load is finished
    DWORD error;    // the control's error word
    bool sawNul;    // the file changed and showed a NUL while it was read
};

bool LoadWholeFile(const char *path, const char *status, WholeFileLoad *load)
{
    HANDLE file = OpenTextFile(path);
    if (file == nullptr)
        return false;
    AddDocumentToRecent();
    SetWaitCursor(&load->cursor);
    RefreshStatus(status);
    LockWindowUpdate(g_app.editControl);
    FileStream stream = {file, false};
    load->error = StreamFileIn(&stream, 0);
    load->sawNul = stream.sawNul;
    CloseHandle(file);
    return true;
}

// The document named, the view shows the new text: caret shown at 1, 1,
// the title and status, the file type of the name, and one repaint.
void FinishWholeFileLoad(const WholeFileLoad &load)
{
    ResetCaretPosition();
    SetTitle();
    RefreshStatus("");
    ApplyCurrentFileType();
    LockWindowUpdate(nullptr);
    SendToEdit(AEM_RECALCLINES, 0, 0);
    SetCursor(load.cursor);
}

// Open, from the step after the dialog: the path is in the open record's
// file buffer, its file name at the record's file-name offset.
void OpenChosenFile()
{
    if (SavePrompt() == IDCANCEL)
        return;
    const char *path = buffers.openFile;
    WholeFileLoad load;
    if (!LoadWholeFile(path, kStatusOpening, &load))
        return;
    SendToEdit(AEM_EMPTYUNDOBUFFER, 0, 0);

    uint32_t offset = g_app.openDialog.nFileOffset;
    CopyDirectoryPart(g_app.documentDirectory, sizeof g_app.documentDirectory, path, offset);
    CopyText(g_app.fileName, buffers.openTitle[0] != '\0' ? buffers.openTitle : path + offset);
    g_app.modified = 0;
    if (load.sawNul || load.error != 0)
        UnbindDocument(); // only part of the file came in: a save must not cut the file down to it
    if (load.sawNul)
        ReportNulFile(path);
    else if (load.error != 0)
        ReportAppError(g_app.mainWindow, kAppErrorRead);
    buffers.openFile[0] = '\0';
    FinishWholeFileLoad(load);
}

} // namespace

void InitDialogRecords()
{
    buffers = DialogBuffers{};
    RebuildFileFilter();

    OPENFILENAMEA &open = g_app.openDialog;
    open = OPENFILENAMEA{};
    open.lStructSize = sizeof open;
    open.hwndOwner = g_app.mainWindow;
    open.lpstrFilter = buffers.filter;
    // The custom-filter buffer goes to the dialogs only when it holds an
    // entry (a description, then a pattern), which a fresh one does not:
    // Wine's file dialog lists no file type at all for one that is there
    // but empty.
    if (buffers.customFilter[0] != '\0') {
        open.lpstrCustomFilter = buffers.customFilter;
        open.nMaxCustFilter = sizeof buffers.customFilter;
    }
    open.nFilterIndex = 1;
    open.lpstrFile = buffers.openFile;
    open.nMaxFile = sizeof buffers.openFile;
    open.lpstrFileTitle = buffers.openTitle;
    open.nMaxFileTitle = sizeof buffers.openTitle;
    open.lpstrInitialDir = buffers.openDirectory;
    CopyText(buffers.openDirectory, g_app.documentDirectory);
    open.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;

    OPENFILENAMEA &save = g_app.saveDialog;
    save = open;
    save.lpstrFile = buffers.saveFile;
    save.nMaxFile = sizeof buffers.saveFile;
    save.lpstrFileTitle = buffers.saveTitle;
    save.nMaxFileTitle = sizeof buffers.saveTitle;
    save.lpstrInitialDir = buffers.saveDirectory;
    save.Flags = OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
}

void RebuildFileFilter()
{
    BuildFileFilter(g_app.fileTypes, buffers.filter);
}

int SavePrompt()
{
    if (!g_app.modified)
        return IDYES;
    char text[kMessageTextSize];
    FormatSavePrompt(text, g_app.fileName);
    int answer = ShowMessage(g_app.mainWindow, text, kAppName, MB_YESNOCANCEL | MB_ICONWARNING);
    // A save that was cancelled or failed stops the action that asked: going
    // on would drop the text that could not be saved.
    if (answer == IDYES && SaveDocument(false) == 0)
        return IDCANCEL;
    return answer == IDYES || answer == IDNO ? answer : IDCANCEL;
}

void OpenDocument(bool withDialog)
{
    CopyText(buffers.openDirectory, g_app.documentDirectory);
    if (withDialog) {
        buffers.openTitle[0] = '\0';
        if (!g_seams.getOpenFileName(&g_app.openDialog))
            return;
    }
    OpenChosenFile();
}

// A relative name (from the command line) is made a full path against the
// current directory, so the document keeps its folder and the recent-file
// list never stores a name that another directory would resolve to another
// file.
void OpenByPath(const char *name)
{
    char path[kPathSize];
    DWORD length = GetFullPathNameA(name, sizeof path, path, nullptr);
    // The buffer holds a path only when the call succeeded and it fitted.
    uint32_t offset = length > 0 && length < sizeof path ? FileNameOffset(path) : 0;
    if (length == 0 || length >= sizeof path || std::strlen(path + offset) >= sizeof buffers.openTitle) {
        ReportAppError(g_app.mainWindow, kAppErrorOpenFile); // never cut into another file's name
        return;
    }
    std::strcpy(buffers.openFile, path);
    g_app.openDialog.nFileOffset = WORD(offset);
    CopyText(buffers.openTitle, buffers.openFile + offset);
    OpenDocument(false);
}

void RefreshDocument()
{
    if (IsUntitled(g_app.fileName))
        return;
    char path[kPathSize];
    if (!JoinDocumentPath(path, g_app.documentDirectory, g_app.fileName)) {
        ReportAppError(g_app.mainWindow, kAppErrorOpenFile);
        return;
    }
    OpenByPath(path);
}

void NewDocument()
{
    if (SavePrompt() == IDCANCEL)
        return;
    AddDocumentToRecent();
    SendToEdit(AEM_EMPTYUNDOBUFFER, 0, 0);
    AERANGE all = {0, 0xFFFFFFFF};
    SendToEdit(AEM_SETSEL, 0, reinterpret_cast<LPARAM>(&all));
    SendToEdit(AEM_REPLACESEL, 0, 0);
    std::strcpy(g_app.fileName, kUntitledName);
    g_app.modified = 0;
    ResetCaretPosition();
    SetTitle();
    RefreshStatus(nullptr);
    ApplyCurrentFileType();
    SendToEdit(AEM_RECALCLINES, 0, 0);
}

void NewFromTemplatePath(const char *templatePath)
{
    if (SavePrompt() == IDCANCEL)
        return;
    WholeFileLoad load;
    if (!LoadWholeFile(templatePath, kStatusOpeningTemplate, &load))
        return;
    if (load.sawNul)
        ReportNulFile(templatePath);
    else if (load.error != 0)
        ReportAppError(g_app.mainWindow, kAppErrorRead);
    SendToEdit(AEM_EMPTYUNDOBUFFER, 0, 0);

    char name[kPathSize];
    std::strcpy(name, kUntitledName);
    const char *extension = ExtensionWithDot(templatePath);
    if (std::strlen(name) + std::strlen(extension) < sizeof name)
        std::strcat(name, extension);
    buffers.openFile[0] = '\0';
    std::strcpy(g_app.fileName, name);
    g_app.modified = 0;
    FinishWholeFileLoad(load);
}

int SaveDocument(bool saveAs)
{
    if ((saveAs || IsUntitled(g_app.fileName)) && !AskForSaveName())
        return 0;
    char fullPath[kPathSize];
    if (!JoinDocumentPath(fullPath, g_app.documentDirectory, g_app.fileName)) {
        ReportAppError(g_app.mainWindow, kAppErrorCreateFile);
        return 0;
    }
    SetTitle();
    HCURSOR cursor;
    SetWaitCursor(&cursor);
    RefreshStatus(kStatusSaving);
    char backup[kPathSize];
    if (g_app.backupFiles && BackupPathFor(backup, fullPath))
        CopyToBackup(fullPath, backup);
    int error = WriteDocument(fullPath);
    if (error != 0)
        ReportAppError(g_app.mainWindow, error); // the document stays modified
    else
        g_app.modified = 0;
    RefreshStatus("");
    SetCursor(cursor);
    return error == 0 ? 1 : 0;
}

void InsertFile()
{
    if (!g_seams.getOpenFileName(&g_app.openDialog)) {
        buffers.openFile[0] = '\0';
        return;
    }
    CopyDirectoryPart(buffers.openDirectory, sizeof buffers.openDirectory, buffers.openFile,
                      g_app.openDialog.nFileOffset);
    HANDLE file = OpenTextFile(buffers.openFile);
    if (file != nullptr) {
        HCURSOR cursor;
        SetWaitCursor(&cursor);
        RefreshStatus(kStatusInserting);
        FileStream stream = {file, false};
        DWORD error = StreamFileIn(&stream, 1);
        CloseHandle(file);
        RefreshStatus("");
        SetCursor(cursor);
        if (stream.sawNul)
            ReportNulFile(buffers.openFile);
        else if (error != 0)
            ReportAppError(g_app.mainWindow, kAppErrorRead);
    }
    buffers.openFile[0] = '\0';
}

void AutoSaveTick()
{
    if (!g_app.modified)
        return;
    KillTimer(g_app.mainWindow, kAutoSaveTimer);
    SaveDocument(false);
    SetTimer(g_app.mainWindow, kAutoSaveTimer, AutoSaveInterval(g_app.autoSavePeriod), nullptr);
}

} // namespace scrivlet
