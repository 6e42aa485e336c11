/* GlimReg.dll: the electronic registration card of Glimmerbox.
 *
 * A host program calls VIreVuvo_Register on its user-interface thread with its
 * main window as owner. The card runs as a series of modal dialogs and returns
 * when the user is done; the settings file beside the library keeps what was
 * typed, so a card put off comes back filled in on the next call.
 */
#ifndef GLIMREG_H
#define GLIMREG_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The host's record of its user: three NUL-terminated fields of 64 characters. */
typedef struct HostUserRecord {
    char userName[64];  /* "First I Last": split into first name, initial, last name */
    char company[64];
    char serialNumber[64];
} HostUserRecord;

/* Runs the registration card.
 *   owner    owner of every dialog, or NULL
 *   outcome  receives 0 when the card starts and 1 when the registration is
 *            finished (sent, printed, mailed, or Never Register confirmed)
 *   host     the user's name, company and serial number; only read
 * Returns 0 when the card ran, whatever the user chose; -1 when owner is not a
 * window, outcome cannot be written, host cannot be read or memory is short
 * (outcome untouched). */
int __cdecl VIreVuvo_Register(HWND owner, int *outcome, const HostUserRecord *host);

typedef int(__cdecl *VIreVuvo_RegisterProc)(HWND, int *, const HostUserRecord *);

#ifdef __cplusplus
}
#endif

#endif /* GLIMREG_H */
