#include "dsp/ChirpTransform.h"

#include <cmath>
#include <cstddef>
#include <memory>
#include <new>
#include <numbers>

#include "dsp/FftCore.h"

namespace dsp {
namespace {

// The chirp w[k] = e^(-i pi k^2 / n) and the transform of the convolution
// kernel conj(w), scaled by 1 / L and left in bit-reversed order, for one n.
// The last one built is kept while it is small: the analyses transform one
// length many times.
struct ChirpPlan {
  int n = 0, m = 0;
  size_t L = 0;
  std::unique_ptr<float[]> wr, wi, kr, ki;
};

constexpr size_t kKeptPlanLimit = size_t(1) << 20;

std::unique_ptr<ChirpPlan> BuildPlan(int n) {
  auto plan = std::unique_ptr<ChirpPlan>(new (std::nothrow) ChirpPlan);
  if (!plan) return nullptr;
  int m = 0;
  while ((size_t(1) << m) < 2 * size_t(n) - 1) ++m;
  if (m > 30) return nullptr;
  const size_t L = size_t(1) << m;
  plan->n = n;
  plan->m = m;
  plan->L = L;
  plan->wr.reset(new (std::nothrow) float[size_t(n)]);
  plan->wi.reset(new (std::nothrow) float[size_t(n)]);
  plan->kr.reset(new (std::nothrow) float[L]);
  plan->ki.reset(new (std::nothrow) float[L]);
  if (!plan->wr || !plan->wi || !plan->kr || !plan->ki) return nullptr;
  // k^2 is reduced modulo 2n in integers: the angle stays exact however long
  // the transform.
  const long long twoN = 2LL * n;
  UnitRoots roots(twoN);
  const float scale = 1.0f / float(L);  // a power of two: exact
  for (size_t i = 0; i < L; ++i) plan->kr[i] = plan->ki[i] = 0.0f;
  long long sq = 0;  // k^2 mod 2n, stepped by 2k + 1
  for (long long k = 0; k < n; ++k) {
    double c, s;
    roots.Get(sq, c, s);
    plan->wr[size_t(k)] = float(c);
    plan->wi[size_t(k)] = float(s);
    float kc = float(c) * scale, ks = -float(s) * scale;  // conj(w) / L
    plan->kr[size_t(k)] = kc;
    plan->ki[size_t(k)] = ks;
    if (k > 0) {
      plan->kr[L - size_t(k)] = kc;
      plan->ki[L - size_t(k)] = ks;
    }
    sq = (sq + 2 * k + 1) % twoN;
  }
  fft_core::ForwardNaturalToReversed(plan->kr.get(), plan->ki.get(), m);
  return plan;
}

}  // namespace

UnitRoots::UnitRoots(long long n) {
  step_ = 1;
  while (step_ * step_ < n) ++step_;
  const long long coarse = (n + step_ - 1) / step_;
  fine_.resize(2 * size_t(step_));
  coarse_.resize(2 * size_t(coarse));
  const double turn = -2 * std::numbers::pi / double(n);
  for (long long r = 0; r < step_; ++r) {
    fine_[2 * size_t(r)] = std::cos(turn * double(r));
    fine_[2 * size_t(r) + 1] = std::sin(turn * double(r));
  }
  for (long long r = 0; r < coarse; ++r) {
    coarse_[2 * size_t(r)] = std::cos(turn * double(r * step_));
    coarse_[2 * size_t(r) + 1] = std::sin(turn * double(r * step_));
  }
}

bool ChirpTransform(const float* zr, const float* zi, float* re, float* im, int n) {
  if (n < 1) return false;
  static std::unique_ptr<ChirpPlan> kept;
  std::unique_ptr<ChirpPlan> own;
  const ChirpPlan* plan = kept && kept->n == n ? kept.get() : nullptr;
  if (!plan) {
    own = BuildPlan(n);
    if (!own) return false;
    plan = own.get();
  }
  const size_t L = plan->L;
  std::unique_ptr<float[]> ar(new (std::nothrow) float[L]), ai(new (std::nothrow) float[L]);
  if (!ar || !ai) return false;
  const float* wr = plan->wr.get();
  const float* wi = plan->wi.get();
  for (size_t k = 0; k < size_t(n); ++k) {
    ar[k] = zr[k] * wr[k] - zi[k] * wi[k];
    ai[k] = zr[k] * wi[k] + zi[k] * wr[k];
  }
  for (size_t k = size_t(n); k < L; ++k) ar[k] = ai[k] = 0.0f;
  fft_core::ForwardNaturalToReversed(ar.get(), ai.get(), plan->m);
  // The product with the kernel, conjugated, so that a second forward
  // transform (from bit-reversed order) gives the conjugated convolution.
  const float* kr = plan->kr.get();
  const float* ki = plan->ki.get();
  for (size_t i = 0; i < L; ++i) {
    float r = ar[i] * kr[i] - ai[i] * ki[i];
    float s = ar[i] * ki[i] + ai[i] * kr[i];
    ar[i] = r;
    ai[i] = -s;
  }
  fft_core::ForwardReversedToNatural(ar.get(), ai.get(), plan->m);
  for (size_t k = 0; k < size_t(n); ++k) {  // w * conj(y)
    float yr = ar[k], yi = ai[k];
    re[k] = wr[k] * yr + wi[k] * yi;
    im[k] = wi[k] * yr - wr[k] * yi;
  }
  if (own && L <= kKeptPlanLimit) kept = std::move(own);
  return true;
}

}  // namespace dsp
