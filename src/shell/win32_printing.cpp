// The Print command: the Print dialog, then the document printed by the
// edit control on the chosen printer with the page setup's bands and
// margins; and the Page Setup command.
#include "shell/win32_app.h"

#include "advancededit.h"
#include "dialogs/win32_dialogs.h"
#include "resources/resource.h"

namespace scrivlet {

namespace {

// The dialog's custom data: the page-set choice in the high word (1 odd,
// 2 even pages, else both), the printer-font box in the low word.
BYTE PageSetOf(LPARAM customData)
{
    switch (HIWORD(customData)) {
    case 1:
        return AEPS_ODD;
    case 2:
        return AEPS_EVEN;
    default:
        return AEPS_ALL;
    }
}

// Inches to device pixels, the fraction dropped.
int DevicePixels(double inches, int pixelsPerInch)
{
    return int(inches * pixelsPerInch);
}

} // namespace

void PrintDocument()
{
    AERANGE selection = EditSelection();
    PRINTDLGA record = {};
    record.lStructSize = sizeof record;
    record.hwndOwner = g_app.mainWindow;
    record.nCopies = 1;
    record.hInstance = g_app.instance;
    record.lpfnPrintHook = PrintDialogHook;
    record.lpPrintTemplateName = MAKEINTRESOURCEA(IDD_PRINT);
    record.Flags = PD_RETURNDC | PD_ENABLEPRINTHOOK | PD_ENABLEPRINTTEMPLATE | PD_HIDEPRINTTOFILE;
    if (selection.start == selection.end)
        record.Flags |= PD_NOSELECTION;
    if (!g_seams.printDialog(&record))
        return;
    if (record.hDevMode != nullptr)
        GlobalFree(record.hDevMode);
    if (record.hDevNames != nullptr)
        GlobalFree(record.hDevNames);
    if (record.hDC == nullptr) {
        ReportAppError(g_app.mainWindow, kAppErrorPrinterNotReady);
        return;
    }

    char documentName[kPathSize];
    CopyText(documentName, g_app.fileName);
    int across = GetDeviceCaps(record.hDC, LOGPIXELSX);
    int down = GetDeviceCaps(record.hDC, LOGPIXELSY);
    const PageSetup &setup = g_app.pageSetup;
    PrintJob job = {};
    job.printerDC = record.hDC;
    job.header = setup.header;
    job.footer = setup.footer;
    job.leftMargin = DevicePixels(setup.marginLeft, across);
    job.rightMargin = DevicePixels(setup.marginRight, across);
    job.topMargin = DevicePixels(setup.marginTop, down);
    job.bottomMargin = DevicePixels(setup.marginBottom, down);
    job.documentName = documentName;
    job.selectionOnly = (record.Flags & PD_SELECTION) != 0 ? 1 : 0;
    job.copies = record.nCopies;
    job.printerFont = LOWORD(record.lCustData);
    job.pageSet = PageSetOf(record.lCustData);

    RefreshStatus(kStatusPrinting);
    if (SendToEdit(AEM_PRINT, 0, reinterpret_cast<LPARAM>(&job)) == 0)
        ReportAppError(g_app.mainWindow, kAppErrorPrinting);
    RefreshStatus("");
    DeleteDC(record.hDC);
}

void EditPageSetup()
{
    g_seams.dialogBox(g_app.instance, MAKEINTRESOURCEA(IDD_PAGESETUP), g_app.mainWindow, PageSetupDialogProc,
                      reinterpret_cast<LPARAM>(&g_app.pageSetup));
}

} // namespace scrivlet
