// Installs the driver DLL into a spooler as an installer does: the file goes
// to the printer driver directory, the driver is added at level 3 and a
// printer is created on a local port. Used by the console tool and the
// Windows tests. Functions return 1/0; on 0 GetLastError() tells why.
#pragma once
#include <string>
#include <vector>

// The full path of a file beside the running executable.
std::wstring FileBesideExecutable(const wchar_t* fileName);
// The local driver directory for the current environment.
int DriverDirectory(std::wstring* out);
// Copies dllPath into the driver directory under its own file name.
int CopyIntoDriverDirectory(const std::wstring& dllPath, std::wstring* copiedPath);
// AddPrinterDriverW level 3 with the DLL's file name as driver, data and
// configuration file. The file must already be in the driver directory.
int AddDriver(const wchar_t* driverName, const wchar_t* dllFileName);
// The same with dependent files (file names in the driver directory), such
// as the model description.
int AddDriverWithFiles(const wchar_t* driverName, const wchar_t* dllFileName, const std::vector<std::wstring>& files);
// The full path the spooler uses for the driver's configuration file.
int InstalledConfigFile(const wchar_t* driverName, std::wstring* out);
// 1 when a printer of that name exists.
int PrinterExists(const wchar_t* printerName);
// AddPrinterW level 2 on the given port with the "winprint" processor.
int AddPrinterOnPort(const wchar_t* printerName, const wchar_t* driverName, const wchar_t* portName);
// Deletes the printer if it exists (1 also when there was none).
int RemovePrinter(const wchar_t* printerName);
// Replaces the printer's own default DEVMODE (the one PRINTER_INFO_2 names).
struct DriverDevMode;
int SetPrinterDevMode(const wchar_t* printerName, const DriverDevMode* dm);

// The spooler's side of adding a printer that this spooler leaves out: the
// installed driver's DrvPrinterEvent with PRINTER_EVENT_INITIALIZE, then the
// default DEVMODE the initialisation built ("DefDevmode") as the printer's
// DEVMODE, as a spooler that asks the driver for it after the
// initialisation has it. 1 when the driver's initialisation succeeded.
int InitializeThroughDriver(const wchar_t* printerName, const wchar_t* driverName);
// The same for DrvUpgradePrinter at level 1.
int UpgradeThroughDriver(const wchar_t* printerName, const wchar_t* driverName);
