// The package's copies of the engine's state records must match the engine's
// layout field by field; this unit only checks that at compile time.
#include <cstddef>

#include "dsp/kvx.h"
#include "vandrel/DspEngine/Records.h"

#define VANDREL_SAME_FIELD(Record, field)                                        \
  static_assert(offsetof(vandrel::Record, field) == offsetof(::Record, field) && \
                    sizeof(vandrel::Record::field) == sizeof(::Record::field),   \
                #Record "." #field " differs from the engine's")

static_assert(sizeof(vandrel::FirState) == sizeof(::FirState));
static_assert(sizeof(vandrel::FirState) == 16 * sizeof(void*));
VANDREL_SAME_FIELD(FirState, upFactor);
VANDREL_SAME_FIELD(FirState, upPhase);
VANDREL_SAME_FIELD(FirState, downFactor);
VANDREL_SAME_FIELD(FirState, downPhase);
VANDREL_SAME_FIELD(FirState, isMultiRate);
VANDREL_SAME_FIELD(FirState, initMarker);
VANDREL_SAME_FIELD(FirState, tapsLen);
VANDREL_SAME_FIELD(FirState, tapsLen8);
VANDREL_SAME_FIELD(FirState, storedTaps);
VANDREL_SAME_FIELD(FirState, dlylLen);
VANDREL_SAME_FIELD(FirState, blockLen);
VANDREL_SAME_FIELD(FirState, reserved);
VANDREL_SAME_FIELD(FirState, dlylBase);
VANDREL_SAME_FIELD(FirState, dlylLimit);
VANDREL_SAME_FIELD(FirState, dlylPos);
VANDREL_SAME_FIELD(FirState, phases);

static_assert(sizeof(vandrel::UniformRandState) == sizeof(::UniformRandState));
static_assert(sizeof(vandrel::UniformRandState) == 8 * 4);
VANDREL_SAME_FIELD(UniformRandState, center);
VANDREL_SAME_FIELD(UniformRandState, scale);
VANDREL_SAME_FIELD(UniformRandState, lcgState);
VANDREL_SAME_FIELD(UniformRandState, borrow);
VANDREL_SAME_FIELD(UniformRandState, swb1);
VANDREL_SAME_FIELD(UniformRandState, swb2);
VANDREL_SAME_FIELD(UniformRandState, swb3);
VANDREL_SAME_FIELD(UniformRandState, seedLcg);

static_assert(sizeof(vandrel::GaussRandState) == sizeof(::GaussRandState));
static_assert(sizeof(vandrel::GaussRandState) == 10 * 4);
VANDREL_SAME_FIELD(GaussRandState, mean);
VANDREL_SAME_FIELD(GaussRandState, stdDev);
VANDREL_SAME_FIELD(GaussRandState, spare);
VANDREL_SAME_FIELD(GaussRandState, haveSpare);
VANDREL_SAME_FIELD(GaussRandState, lcgState);
VANDREL_SAME_FIELD(GaussRandState, borrow);
VANDREL_SAME_FIELD(GaussRandState, swb1);
VANDREL_SAME_FIELD(GaussRandState, swb2);
VANDREL_SAME_FIELD(GaussRandState, swb3);
VANDREL_SAME_FIELD(GaussRandState, seedLcg);
