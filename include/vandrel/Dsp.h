// The signal-processing routines of the unit Dsp: stateless free functions
// over caller-owned arrays of 32-bit float samples.
//
// Conventions shared by every routine here:
// - Arrays are passed by address and never owned; no routine receives an
//   array's capacity. The count arguments alone define which elements are read
//   and written, and the caller guarantees that they exist.
// - A count of 0 or less processes no element. A null array with a positive
//   count is treated the same way: nothing is read or written.
// - Samples are stored as 32-bit floats; intermediates are computed in double
//   precision and rounded to 32 bits exactly where a routine says so.
// - Nothing allocates, except Rotate (one temporary block per call).
// - Window codes are the ordinals of TTimeWindow: 0 rectangular, 1 Hanning,
//   2 Hamming, 3 flat top, 4 Bartlett, 5 Blackman, 6 exponential. Any other
//   value selects no weighting and no correction.
#pragma once

#include <cstdint>

namespace vandrel {

// ---------------------------------------------------------------------------
// Array routines (elements 0 .. n-1)
// ---------------------------------------------------------------------------

// data[i] = +0.0.
void SetToZero(int n, float* data);
// dst[i] = src[i], bit for bit, ascending (so a dst that starts inside src
// repeats the leading values, as an element-by-element copy does).
void CopyDataAll(int n, const float* src, float* dst);
// dst[i] = src[(channel - 1) + i * stride]: channel number `channel` (1 is the
// first) of an interleaved 16-bit record with `stride` channels. channel < 1
// or stride < 1 copies nothing.
void Demultiplex(int channel, int stride, int n, const int16_t* src, float* dst);
// data[i] = factor * data[i].
void Scale(int n, float factor, float* data);
// b[i] = b[i] + a[i]: double-precision accumulation of 32-bit values.
void AddArray(int n, const float* a, double* b);
// b[i] = b[i] - a[i].
void SubstractArray(int n, const float* a, double* b);
// data[i] = data[i - shift] for i = n-1 down to shift; elements 0 .. shift-1
// keep their values. shift > n-1 or shift < 0 changes nothing.
void RightShift(int n, int shift, float* data);

// ---------------------------------------------------------------------------
// Statistics
// ---------------------------------------------------------------------------

// Mean of data[0 .. n-1] from a 32-bit running sum; 0 when n <= 0 or the sum
// is not finite.
float MeanValue(int n, const float* data);
// Sample standard deviation sqrt(sum((data[i] - mean)^2) / (n - 1)) about the
// caller's mean, 32-bit running sum; 0 when n <= 1 or on overflow.
float StdDevValue(int n, float mean, const float* data);
// Root mean square sqrt(sum(data[i]^2) / n), not centred, 32-bit running sum.
// rms = 0 for n <= 0.
void CalcRms(int n, const float* data, float& rms);
// Largest magnitude |data[i]|; 0 for n <= 0.
void FindMax(int n, const float* data, float& max);
// Largest value; the first of equal values is kept. max = 0 for n <= 0.
void FindMaxA(int n, const float* data, float& max);
// Smallest value; min = 0 for n <= 0.
void FindMinA(int n, const float* data, float& min);
// Smallest positive value below 1.0, or 1.0 when there is none.
void FindLogMin(int n, const float* data, float& min);
// Replaces every value that is not > 0 (NaN included) by min, so that the
// logarithm of every element exists.
void AssignLogMin(int n, float* data, float min);

// ---------------------------------------------------------------------------
// Level conversions (amplitude A, RMS = A / sqrt 2, power = A^2), in place
// ---------------------------------------------------------------------------

void AmpltToRms(int n, float* data);    // data / 1.4142135f
void RmsToAmplt(int n, float* data);    // data * 1.4142135f
void PowerToRms(int n, float* data);    // sqrt(data / 2), expects data >= 0
void RmsToPower(int n, float* data);    // 2 * data^2
void AmpltToPower(int n, float* data);  // data^2
void PowerToAmplt(int n, float* data);  // sqrt(data), expects data >= 0

// Linear values (>= 0) to decibels with a floor, in place. mode = 0: levels
// relative to `reference` (which maps to 0 dB), floor -span dB. mode != 0:
// absolute levels 20 log10(value), floor 20 log10(reference) - span. Zero
// values map to the floor. A value without a logarithm (log10 of 0: a mode
// != 0 reference of 0, a non-zero value over a zero reference; log10 of a
// negative or NaN) raises EZeroDivide or EInvalidOp where it is met, with the
// values before it converted.
void SpectrumToDB(int n, float* data, float span, float reference, uint8_t mode);

// ---------------------------------------------------------------------------
// Fourier transforms
//
// One-based interleaved layout (Four1, FFTReal, FFTtwo, FourN and the layout
// routines that feed them): element 0 is never touched; complex value k sits
// in elements 2k+1 (real) and 2k+2 (imaginary). A count that is not a positive
// power of two leaves the arrays unchanged.
// ---------------------------------------------------------------------------

// Complex FFT of nn values in data[1 .. 2nn], in place, unnormalised; kernel
// exp(sign * 2 pi i jk / nn), sign +1 or -1 (0 changes nothing).
void Four1(float* data, int nn, int sign);
// Real FFT of the 2n samples data[1 .. 2n] (sign = 1) into the packed real
// spectrum: data[1] = F(0), data[2] = F(n), data[2k+1], data[2k+2] = F(k) for
// k = 1 .. n-1, kernel exp(+2 pi i jk / 2n). Any other sign is the inverse and
// leaves the samples multiplied by n.
void FFTReal(float* data, int n, int sign);
// The n-point transforms (kernel exp(+2 pi i jk / n)) of the real signals
// data1[1 .. n] and data2[1 .. n] by one complex FFT; fft1 and fft2 receive
// them in the one-based interleaved layout (2n + 1 elements each).
void FFTtwo(const float* data1, const float* data2, float* fft1, float* fft2, int n);
// ndim-dimensional complex FFT in place. nn[1 .. ndim] are the dimension sizes
// (nn[0] ignored), each a power of two; the first dimension varies fastest.
void FourN(float* data, const int* nn, int ndim, int sign);

// Zero-based complex FFT of re[0 .. n-1], im[0 .. n-1] in place, kernel
// exp(-2 pi i jk / n), normalised by 1/n.
void FFTJ(int n, float* re, float* im);
// The same contract as FFTJ.
void FFT8(int n, float* re, float* im);
// The same contract as FFTJ.
void FFTM(int n, float* re, float* im);
// One-based complex FFT of re[1 .. n], im[1 .. n] in place, kernel
// exp(+2 pi i sign jk / n); divided by n when sign >= 0, multiplied by n when
// sign < 0.
void FFTCooly(int n, float* re, float* im, int sign);
// Direct transform of the 2n real samples x[0 .. 2n-1]: adds
// (1/n) sum x[j] exp(-2 pi i jk / 2n) to re[k], im[k] for k = 0 .. n-1. The
// caller zeroes re and im first.
void Dft(int n, const float* x, float* re, float* im);

// dst[i+1] = src[i] for i = n-1 down to 0; dst may be src (a shift by one).
void PrepareFour1Data(int n, const float* src, float* dst);
// dst[2i+1] = src[i]; the elements between are unchanged.
void CopyDataOdd(int n, const float* src, float* dst);
// re[i] = src[2i+1] / n; im[i] = src[2i+2] / n (one-based interleaved source).
void ArrangeFour1Data(int n, const float* src, float* re, float* im);
// re[i] = src[2i] / n; im[i] = src[2i+1] / n (zero-based interleaved source).
void ArrangeFourData(int n, const float* src, float* re, float* im);
// re[i] = src[2i]; im[i] = src[2i+1] for i < n div 2; n counts input floats.
void RealToCmplx(int n, const float* src, float* re, float* im);
// (re, im) -> (amplitude, phase in degrees). The phase is arctan(im / re) in
// -90 .. 90; a zero real part gives +90.
void AmpltSpectrum(int n, float* re, float* im);
// One-based interleaved spectrum of n values -> data[i] = |F(i)| / n times
// the window's correction (Hanning 2, Hamming 1/0.54, flat top 1/0.2810639,
// others 1), in place; max receives the largest magnitude.
void FastData(float* data, int n, int window, float& max);

// ---------------------------------------------------------------------------
// Windows and correlation
// ---------------------------------------------------------------------------

// data[i] = w(i) * data[i] with the periodic window `window` (phase
// 2 pi i / n); the exponential window falls from 1 to 0.01 at i = n-1 and
// leaves a single sample unchanged.
void WindowSignal(int window, int n, float* data);
// Multiplies by the window's amplitude correction factor (reciprocal of its
// mean weight; fixed 2.5583262 for the exponential window).
void WindowScale(int n, int window, float* data);
// data[i] = data[i] - dc.
void RemoveDC(int n, float dc, float* data);
// Circular shift toward higher indices: data'[i] = data[(i - shift) mod n],
// 0 <= shift <= n (other shifts change nothing). Allocates one temporary
// block of n floats; throws EOutOfMemory when that fails, data untouched.
void Rotate(int n, int shift, float* data);
// r[i + j] += x[i] * x[j] for all i, j < n: 2n-1 elements of r. Unnormalised;
// the caller zeroes r first.
void AutoCorrelation(int n, const float* x, float* r);
// r[k] += sum_j x[j] * x[k + j - (n-1)] for k = 0 .. 2n-1: the correlation at
// lag k - (n-1), summed in 32 bits in r itself (r[2n-1] receives nothing).
void AutoCorrelation2(int n, const float* x, float* r);

}  // namespace vandrel
