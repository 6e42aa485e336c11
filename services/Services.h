// The registration-services library zeveze32.dll: the card imports it by
// ordinal only (exports.txt numbers them), the stand-in here implements it.
// Every function runs on the caller's thread; widths count the terminator.
#pragma once
#include <windows.h>

extern "C" {

typedef void(CALLBACK *ZvProgressProc)(int status);

int WINAPI ZvProductPrefix(char *prefix);                          // 30
int WINAPI ZvProcessor(void);                                      // 8
int WINAPI ZvMemorySize(int which);                                // 9
int WINAPI ZvDisplay(char *display);                               // 10
int WINAPI ZvNextDrive(int previous);                              // 11
int WINAPI ZvDriveInfo(int drive, int *type, int *number);         // 12
int WINAPI ZvMouse(void);                                          // 13
int WINAPI ZvPrinter(char *printer, int width);                    // 14
int WINAPI ZvPorts(int which);                                     // 16
int WINAPI ZvVersion(int which, char *text, int width);            // 17
int WINAPI ZvTransferBegin(int one);                               // 23
int WINAPI ZvTransfer(HINSTANCE module, HWND owner, ZvProgressProc progress, int a4,
                      const char *recordFile, const char *dialString,
                      const char *productCode, int a8, int a9, int comPort, int baud,
                      int a12, int a13, int flags);                // 1
int WINAPI ZvStatusText(int status, char *text, int width);        // 24
int WINAPI ZvCancelTransfer(void);                                 // 5
int WINAPI ZvPrintFile(const char *path, int one);                 // 4
}
