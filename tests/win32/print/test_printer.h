// The tests' printer under Wine: "Scrivlet Test Printer", Wine's PostScript
// driver with a small PPD, made the default printer, its port LPT1:
// written to a Unix file the test names.
#pragma once

#include <windows.h>

#include <string>

namespace scrivlet {

extern const char kTestPrinterName[];

// Installs the driver and the printer when the prefix lacks them and makes
// the printer the default. False (with the reason) when that fails.
bool InstallTestPrinter(std::string *why);

// Sends what is printed from now on to this Unix path.
void DirectPrintingTo(const std::string &unixPath);

// A device context on the test printer; delete it with DeleteDC.
HDC CreateTestPrinterDC();

// Pages of a PostScript file written by the printer: its "%%Page:" lines.
int PostScriptPageCount(const std::string &unixPath);

} // namespace scrivlet
