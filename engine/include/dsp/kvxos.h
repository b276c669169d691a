/* The operating-system services the engine stands on: the system-modal message
 * box of its error reports, the fatal exit and the platform version query.
 * They live in their own small library (kvxos) outside the engine's export
 * table. A host replaces the message box to show the engine's reports its own
 * way; tests replace it to read the texts and answer. */
#ifndef DSP_KVXOS_H
#define DSP_KVXOS_H

#if defined(__GNUC__)
#define KVXOS_API __attribute__((visibility("default")))
#else
#define KVXOS_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Box styles (combinable with KVXOS_MB_SYSTEMMODAL) and the answers. */
enum {
  KVXOS_MB_OK = 0x0000,
  KVXOS_MB_OKCANCEL = 0x0001,
  KVXOS_MB_YESNO = 0x0004,
  KVXOS_MB_SYSTEMMODAL = 0x1000
};
enum { KVXOS_IDOK = 1, KVXOS_IDCANCEL = 2, KVXOS_IDYES = 6, KVXOS_IDNO = 7 };

/* Platform identifier of the legacy platform whose engine ends a process with
 * exit code 1 after a farewell box; every other platform uses the fatal exit. */
enum { KVXOS_PLATFORM_LEGACY = 0, KVXOS_PLATFORM_CURRENT = 2 };

/* text and caption are zero-terminated; style is a KVXOS_MB_* combination.
 * Returns the chosen button (KVXOS_ID*). */
typedef int (*KvxOsMessageBoxFn)(const char* text, const char* caption, unsigned style);
typedef int (*KvxOsPlatformIdFn)(void);

/* Shows a box through the installed handler. The default handler writes the
 * caption and the text to standard error and answers the button that lets the
 * caller continue (OK for OK and OK/Cancel boxes, No for Yes/No boxes). */
KVXOS_API int kvxOsMessageBox(const char* text, const char* caption, unsigned style);

/* Installs a message box handler for the whole process and returns the
 * previous one; null restores the default. */
KVXOS_API KvxOsMessageBoxFn kvxOsSetMessageBox(KvxOsMessageBoxFn handler);

/* Writes text to standard error and ends the process at once with exit code 3,
 * without running exit handlers. */
KVXOS_API void kvxOsFatalExit(const char* text)
#if defined(__GNUC__)
    __attribute__((noreturn))
#endif
    ;

/* The platform identifier (KVXOS_PLATFORM_CURRENT here). */
KVXOS_API int kvxOsPlatformId(void);

/* Replaces the version query (null restores it) and returns the previous one;
 * lets a test take the legacy platform's exit path. */
KVXOS_API KvxOsPlatformIdFn kvxOsSetPlatformId(KvxOsPlatformIdFn query);

#ifdef __cplusplus
}
#endif

#endif /* DSP_KVXOS_H */
