// Internal steps of FIR initialisation, with their own checks and report
// names; run by the init operations only.
#pragma once

#include "dsp/kvx.h"

// Stores the coefficients in the order the dot products use: reversed for a
// single-rate filter, regrouped by phase (each group reversed) for a
// multi-rate one. Null taps store zeros.
void kvxsFirSetTaps(const float* taps, FirState* state);

// Stores dlylLen history samples (oldest first) at dlylPos; null stores zeros.
void kvxsFirSetDlyl(const float* dlyl, FirState* state);
