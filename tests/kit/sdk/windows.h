/* The two names the kit's header takes from <windows.h>: no Windows SDK here. */
#ifndef KIT_WINDOWS_H
#define KIT_WINDOWS_H
typedef struct HWND__ *HWND;
#endif
