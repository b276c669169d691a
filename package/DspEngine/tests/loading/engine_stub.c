/* A stand-in for the engine with the same library name: every entry point
 * the package binds, except the one named by LEAVE_OUT (if any). Used to show
 * that the system loader refuses the package when one is missing. */
#include <stdint.h>

#define EXPORT __attribute__((visibility("default")))

#ifndef LEAVE_OUT_kvxsFirInit
EXPORT void kvxsFirInit(void) {}
#endif
#ifndef LEAVE_OUT_kvxsFirInitMr
EXPORT void kvxsFirInitMr(void) {}
#endif
#ifndef LEAVE_OUT_kvxFirFree
EXPORT void kvxFirFree(void) {}
#endif
#ifndef LEAVE_OUT_kvxsFir
EXPORT float kvxsFir(void) { return 0.0f; }
#endif
#ifndef LEAVE_OUT_kvxsbFir
EXPORT void kvxsbFir(void) {}
#endif
#ifndef LEAVE_OUT_kvxsRandUniInit
EXPORT void kvxsRandUniInit(void) {}
#endif
#ifndef LEAVE_OUT_kvxsbRandUni
EXPORT void kvxsbRandUni(void) {}
#endif
#ifndef LEAVE_OUT_kvxsRandGausInit
EXPORT void kvxsRandGausInit(void) {}
#endif
#ifndef LEAVE_OUT_kvxsbRandGaus
EXPORT void kvxsbRandGaus(void) {}
#endif
