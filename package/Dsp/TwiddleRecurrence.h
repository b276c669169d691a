// The double-precision trigonometric recurrence of the one-based transform
// family, and a plan that produces its values quickly without changing them.
//
// A stage's twiddle factors are w(k+1) = w(k) rotated by the stage's angle, in
// a fixed order of operations, so each factor depends on all before it: a
// serial chain whose latency, not its arithmetic, bounds a transform. The plan
// runs the long chains of all stages side by side once, keeping checkpoints,
// and later regenerates each stretch between checkpoints independently; every
// value is still produced by the same operations from the same predecessor,
// so the factors are bit for bit those of the plain chain.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vandrel::dsp_detail {

// Increments of the recurrence for the angle step theta.
struct Rotation {
  double wpr;
  double wpi;
};

inline Rotation RotationFor(double theta) {
  const double s = std::sin(0.5 * theta);
  return {-2.0 * s * s, std::sin(theta)};
}

// One step of the recurrence, in its fixed order of operations.
inline void Advance(double& wr, double& wi, const Rotation& r) {
  const double wtemp = wr;
  wr = wr * r.wpr - wi * r.wpi + wr;
  wi = wi * r.wpr + wtemp * r.wpi + wi;
}

class TwiddlePlan {
 public:
  // Sequences up to this length (and any beyond the checkpoint storage) are
  // generated serially when used.
  static constexpr int64_t kDirect = 256;
  static constexpr int kCheckpoints = 32;  // per longer sequence
  // Enough for a one-dimensional transform of the largest accepted size (30
  // stages) and FFTReal's separation; at most 22 of them are long. The plan
  // lives on the stack, so it is kept to about 13 KB.
  static constexpr int kMaxSequences = 32;
  static constexpr int kMaxLong = 24;
  // Stretches regenerated side by side, and values per stretch per round.
  static constexpr int kGroup = 8;
  static constexpr int64_t kRound = 64;

  // Registers the sequence w(0) = (wr0, wi0), w(k+1) = Advance(w(k)) with
  // `count` values (a power of two when above kDirect); returns its id.
  int Add(Rotation rot, double wr0, double wi0, int64_t count) {
    Sequence& s = FSeq[FCount];
    s.rot = rot;
    s.wr0 = wr0;
    s.wi0 = wi0;
    s.count = count;
    s.every = 0;
    if (count > kDirect && FLongCount < kMaxLong) {
      s.every = count / kCheckpoints;
      s.store = FLongCount++;
    }
    return FCount++;
  }

  // Runs the long sequences side by side and records their checkpoints.
  // The work can be spread: BeginPrepare, any number of PrepareSome (each
  // advancing every unfinished sequence by up to `steps` values) while other
  // work runs, then FinishPrepare before the first long sequence is used.
  void Prepare() {
    BeginPrepare();
    FinishPrepare();
  }

  void BeginPrepare() {
    FActive = 0;
    FUnit = 0;
    FLongest = 0;
    FT = 0;
    for (int i = 0; i < FCount; ++i) {
      if (FSeq[i].every == 0) continue;
      FIds[FActive] = i;
      FWr[FActive] = FSeq[i].wr0;
      FWi[FActive] = FSeq[i].wi0;
      FUnit = FUnit == 0 ? FSeq[i].every : std::min(FUnit, FSeq[i].every);
      FLongest = std::max(FLongest, FSeq[i].count);
      ++FActive;
    }
  }

  // Steps still to run.
  int64_t PendingSteps() const { return FLongest - FT; }

  void PrepareSome(int64_t steps) {
    const int64_t end = std::min(FLongest, FT + steps);
    for (; FT < end; FT += FUnit) {
      for (int c = 0; c < FActive; ++c) {
        Sequence& s = FSeq[FIds[c]];
        if (FT < s.count && (FT & (s.every - 1)) == 0) {
          FCheckpoints[s.store].wr[FT / s.every] = FWr[c];
          FCheckpoints[s.store].wi[FT / s.every] = FWi[c];
        }
      }
      // Two chains at a time in registers: each step depends on the one
      // before, so the pair's independent steps fill each other's latency.
      int c = 0;
      for (; c + 1 < FActive; c += 2) {
        const Sequence& s1 = FSeq[FIds[c]];
        const Sequence& s2 = FSeq[FIds[c + 1]];
        const bool on1 = FT < s1.count, on2 = FT < s2.count;
        double ar = FWr[c], ai = FWi[c], br = FWr[c + 1], bi = FWi[c + 1];
        if (on1 && on2) {
          for (int64_t u = 0; u < FUnit; ++u) {
            Advance(ar, ai, s1.rot);
            Advance(br, bi, s2.rot);
          }
        } else if (on1) {
          for (int64_t u = 0; u < FUnit; ++u) Advance(ar, ai, s1.rot);
        } else if (on2) {
          for (int64_t u = 0; u < FUnit; ++u) Advance(br, bi, s2.rot);
        }
        FWr[c] = ar;
        FWi[c] = ai;
        FWr[c + 1] = br;
        FWi[c + 1] = bi;
      }
      if (c < FActive && FT < FSeq[FIds[c]].count) {
        const Rotation rot = FSeq[FIds[c]].rot;
        double ar = FWr[c], ai = FWi[c];
        for (int64_t u = 0; u < FUnit; ++u) Advance(ar, ai, rot);
        FWr[c] = ar;
        FWi[c] = ai;
      }
    }
  }

  void FinishPrepare() { PrepareSome(PendingSteps()); }

  bool IsShort(int id) const { return FSeq[id].every == 0; }

  // Consumers receive the factors duplicated pairwise, (wr, wr) and (wi, wi),
  // the layout the interleaved complex butterflies use.
  // Calls consume(k0, len, twr2, twi2) for runs of consecutive values
  // w(k0) .. w(k0 + len - 1) that together cover the sequence; twr2[2u] =
  // twr2[2u + 1] is the real part of w(k0 + u), likewise twi2.
  template <typename Consume>
  void ForEachRun(int id, Consume&& consume) const {
    const Sequence& s = FSeq[id];
    if (s.every == 0) {
      // Serially, a buffer at a time.
      alignas(64) double twr[2 * kDirect];
      alignas(64) double twi[2 * kDirect];
      double wr = s.wr0, wi = s.wi0;
      for (int64_t k0 = 0; k0 < s.count; k0 += kDirect) {
        const int64_t len = std::min(kDirect, s.count - k0);
        for (int64_t u = 0; u < len; ++u) {
          twr[2 * u] = twr[2 * u + 1] = wr;
          twi[2 * u] = twi[2 * u + 1] = wi;
          Advance(wr, wi, s.rot);
        }
        consume(k0, len, twr, twi);
      }
      return;
    }
    alignas(64) double bwr[kGroup][2 * kRound];
    alignas(64) double bwi[kGroup][2 * kRound];
    const int64_t len = std::min(kRound, s.every);
    for (int g = 0; g < kCheckpoints; g += kGroup) {
      double wr[kGroup], wi[kGroup];
      for (int c = 0; c < kGroup; ++c) {
        wr[c] = FCheckpoints[s.store].wr[g + c];
        wi[c] = FCheckpoints[s.store].wi[g + c];
      }
      for (int64_t sub = 0; sub < s.every; sub += len) {
        for (int64_t u = 0; u < len; ++u) {
          for (int c = 0; c < kGroup; ++c) {
            bwr[c][2 * u] = bwr[c][2 * u + 1] = wr[c];
            bwi[c][2 * u] = bwi[c][2 * u + 1] = wi[c];
            Advance(wr[c], wi[c], s.rot);
          }
        }
        for (int c = 0; c < kGroup; ++c) consume((g + c) * s.every + sub, len, bwr[c], bwi[c]);
      }
    }
  }

 private:
  struct Sequence {
    Rotation rot;
    double wr0, wi0;
    int64_t count;
    int64_t every;  // checkpoint spacing; 0 for a short sequence
    int store;      // its checkpoints in FCheckpoints when long
  };
  struct Checkpoints {
    double wr[kCheckpoints];
    double wi[kCheckpoints];
  };
  Sequence FSeq[kMaxSequences];
  Checkpoints FCheckpoints[kMaxLong];
  int FCount = 0;
  int FLongCount = 0;
  // Progress of the side-by-side run.
  int FIds[kMaxSequences];
  double FWr[kMaxSequences];
  double FWi[kMaxSequences];
  int FActive = 0;
  int64_t FUnit = 0;
  int64_t FLongest = 0;
  int64_t FT = 0;
};

}  // namespace vandrel::dsp_detail
