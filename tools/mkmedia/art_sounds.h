// Little sounds of the shop, the town and the room, as samples in -1..1 at
// 22050 Hz (Pack::sound): tunes, a till's ring, a magic poof, a motor.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace tapo::media::sounds {

inline constexpr double kRate = 22050;

// A soft plucked note of `f` Hz and `len` seconds added at `at` seconds.
inline void pluck(std::vector<double>& out, double at, double f, double len, double loud = 0.5) {
  const size_t from = static_cast<size_t>(at * kRate), n = static_cast<size_t>(len * kRate);
  if (out.size() < from + n) out.resize(from + n, 0.0);
  for (size_t i = 0; i < n; ++i) {
    const double t = i / kRate;
    const double env = std::min(1.0, t / 0.005) * std::exp(-4.0 * t / len) * std::min(1.0, (len - t) / 0.02);
    out[from + i] += loud * env * (std::sin(2 * M_PI * f * t) + 0.25 * std::sin(4 * M_PI * f * t));
  }
}

// Notes one after another, each `step` seconds apart and sounding `len`.
inline std::vector<double> tune(std::initializer_list<double> notes, double step, double len, double loud = 0.5) {
  std::vector<double> out;
  int k = 0;
  for (double f : notes) {
    if (f > 0) pluck(out, k * step, f, len, loud);
    ++k;
  }
  return out;
}

// A noise burst of `len` seconds at `at`: bright at first, then duller.
inline void hiss(std::vector<double>& out, double at, double len, double loud, std::uint32_t seed) {
  const size_t from = static_cast<size_t>(at * kRate), n = static_cast<size_t>(len * kRate);
  if (out.size() < from + n) out.resize(from + n, 0.0);
  double low = 0;
  for (size_t i = 0; i < n; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const double noise = ((seed >> 9) & 0xFFFF) / 32768.0 - 1;
    const double t = i / kRate, dull = 0.15 + 0.8 * t / len;
    low += (noise - low) * (1 - dull);
    out[from + i] += loud * std::min(1.0, t / 0.01) * std::exp(-3.5 * t / len) * low;
  }
}

// A falling whistle from f0 to f1 Hz (a poof's sparkle, a "hmm?").
inline void glide(std::vector<double>& out, double at, double f0, double f1, double len, double loud) {
  const size_t from = static_cast<size_t>(at * kRate), n = static_cast<size_t>(len * kRate);
  if (out.size() < from + n) out.resize(from + n, 0.0);
  double phase = 0;
  for (size_t i = 0; i < n; ++i) {
    const double u = i / double(n);
    phase += 2 * M_PI * (f0 + (f1 - f0) * u) / kRate;
    out[from + i] += loud * std::sin(M_PI * u) * std::sin(phase);
  }
}

// A toy car's putter: a low buzz pulsing a few times a second.
inline void motor(std::vector<double>& out, double len, double loud) {
  const size_t n = static_cast<size_t>(len * kRate);
  if (out.size() < n) out.resize(n, 0.0);
  double phase = 0;
  for (size_t i = 0; i < n; ++i) {
    const double t = i / kRate;
    phase += 2 * M_PI * (82 + 6 * std::sin(2 * M_PI * 0.5 * t)) / kRate;
    const double buzz = std::sin(phase) + 0.5 * std::sin(2 * phase) + 0.3 * std::sin(3 * phase);
    const double pulse = 0.6 + 0.4 * std::sin(2 * M_PI * 9 * t);
    const double fade = std::min({1.0, t / 0.2, (len - t) / 0.4});
    out[i] += loud * fade * pulse * buzz / 1.8;
  }
}

}  // namespace tapo::media::sounds
