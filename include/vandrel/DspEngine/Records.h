// The engine's state records as the package embeds them. The package allocates
// them inside its components and the engine fills them, so each has exactly
// the engine's field order and widths (checked at compile time against the
// engine's own header). Fields are read and written by the engine only.
#pragma once

#include <cstdint>

namespace vandrel {

// A FIR filter: sixteen machine words (see the engine's FirState).
struct FirState {
  intptr_t upFactor;
  intptr_t upPhase;
  intptr_t downFactor;
  intptr_t downPhase;
  intptr_t isMultiRate;
  void* initMarker;  // the record's own address while it holds a filter
  intptr_t tapsLen;
  intptr_t tapsLen8;
  float* storedTaps;
  intptr_t dlylLen;
  intptr_t blockLen;
  intptr_t reserved;
  float* dlylBase;
  float* dlylLimit;
  float* dlylPos;
  void* phases;
};

// Uniform noise generator: eight 32-bit fields.
struct UniformRandState {
  float center;
  float scale;
  int32_t lcgState;
  int32_t borrow;
  int32_t swb1;
  int32_t swb2;
  int32_t swb3;
  int32_t seedLcg;
};

// Gaussian noise generator: ten 32-bit fields.
struct GaussRandState {
  float mean;
  float stdDev;
  float spare;
  int32_t haveSpare;
  int32_t lcgState;
  int32_t borrow;
  int32_t swb1;
  int32_t swb2;
  int32_t swb3;
  int32_t seedLcg;
};

}  // namespace vandrel
