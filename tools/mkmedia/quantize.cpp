#include "tools/mkmedia/quantize.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <unordered_map>
#include <utility>

namespace tapo::media {

namespace pf = tapo::platform;

namespace {

// Colours kept exactly before the rest is cut into boxes: those along the
// frames' edges (at most kExactEdge), then the most frequent ones.
constexpr size_t kExactEdge = 176, kExact = 128;

int channel(pf::Rgb c, int ch) { return static_cast<int>((c >> (16 - 8 * ch)) & 255); }

struct Counted {
  pf::Rgb colour;
  std::uint64_t count;
};

// Splits `colours` into at most `boxes` boxes by median cut along the widest
// channel, and returns the pixel-weighted mean colour of each box.
std::vector<pf::Rgb> median_cut(std::vector<Counted> colours, size_t boxes) {
  std::vector<std::pair<size_t, size_t>> parts;  // [begin, end) of `colours`
  if (!colours.empty()) parts.push_back({0, colours.size()});
  auto spread = [&](const std::pair<size_t, size_t>& p, int& widest) {
    int best = -1;
    for (int ch = 0; ch < 3; ++ch) {
      int lo = 255, hi = 0;
      for (size_t i = p.first; i < p.second; ++i) {
        lo = std::min(lo, channel(colours[i].colour, ch));
        hi = std::max(hi, channel(colours[i].colour, ch));
      }
      if (hi - lo > best) {
        best = hi - lo;
        widest = ch;
      }
    }
    return best;
  };
  while (parts.size() < boxes) {
    // The box to split: the widest one that has more than one colour.
    int pick = -1, pick_ch = 0, pick_spread = 0;
    for (size_t k = 0; k < parts.size(); ++k) {
      if (parts[k].second - parts[k].first < 2) continue;
      int ch = 0;
      const int s = spread(parts[k], ch);
      if (s > pick_spread) {
        pick_spread = s;
        pick = static_cast<int>(k);
        pick_ch = ch;
      }
    }
    if (pick < 0) break;
    auto [b, e] = parts[static_cast<size_t>(pick)];
    std::sort(colours.begin() + static_cast<long>(b), colours.begin() + static_cast<long>(e),
              [pick_ch](const Counted& x, const Counted& y) {
                const int cx = channel(x.colour, pick_ch), cy = channel(y.colour, pick_ch);
                return cx != cy ? cx < cy : x.colour < y.colour;
              });
    // Cut where half of the pixels lie on each side.
    std::uint64_t total = 0, run = 0;
    for (size_t i = b; i < e; ++i) total += colours[i].count;
    size_t cut = b + 1;
    for (size_t i = b; i < e - 1; ++i) {
      run += colours[i].count;
      cut = i + 1;
      if (run * 2 >= total) break;
    }
    parts[static_cast<size_t>(pick)] = {b, cut};
    parts.push_back({cut, e});
  }
  std::vector<pf::Rgb> out;
  for (const auto& [b, e] : parts) {
    std::array<std::uint64_t, 3> sum{};
    std::uint64_t n = 0;
    for (size_t i = b; i < e; ++i) {
      for (int ch = 0; ch < 3; ++ch) sum[static_cast<size_t>(ch)] += static_cast<std::uint64_t>(channel(colours[i].colour, ch)) * colours[i].count;
      n += colours[i].count;
    }
    out.push_back(pf::rgb(static_cast<int>((sum[0] + n / 2) / n), static_cast<int>((sum[1] + n / 2) / n),
                          static_cast<int>((sum[2] + n / 2) / n)));
  }
  return out;
}

}  // namespace

Quantized quantize(const std::vector<pf::Surface>& frames, pf::Rgb key) {
  std::map<pf::Rgb, std::uint64_t> counts, edge;
  for (const auto& f : frames) {
    for (pf::Rgb c : f.pixels()) ++counts[c];
    // The pixels along the frame's edges meet the screen around the clip.
    for (int x = 0; x < f.width(); ++x) {
      ++edge[f.at(x, 0)];
      ++edge[f.at(x, f.height() - 1)];
    }
    for (int y = 1; y + 1 < f.height(); ++y) {
      ++edge[f.at(0, y)];
      ++edge[f.at(f.width() - 1, y)];
    }
  }

  Quantized q;
  std::vector<pf::Rgb> entries;
  const bool has_key = counts.count(key) > 0;
  if (has_key) entries.push_back(key);
  std::vector<Counted> rest;
  for (const auto& [c, n] : counts)
    if (c != key) rest.push_back({c, n});
  const size_t room = 256 - entries.size();
  if (rest.size() <= room) {
    for (const auto& r : rest) entries.push_back(r.colour);
  } else {
    // Edge colours first, then the most frequent ones; ties by colour value.
    std::stable_sort(rest.begin(), rest.end(), [&edge](const Counted& a, const Counted& b) {
      const auto ea = edge.find(a.colour), eb = edge.find(b.colour);
      const std::uint64_t na = ea == edge.end() ? 0 : ea->second, nb = eb == edge.end() ? 0 : eb->second;
      if ((na > 0) != (nb > 0)) return na > 0;
      return na != nb ? na > nb : a.count > b.count;
    });
    size_t exact = 0;
    while (exact < std::min(kExactEdge, room) && edge.count(rest[exact].colour)) ++exact;
    std::stable_sort(rest.begin() + static_cast<long>(exact), rest.end(),
                     [](const Counted& a, const Counted& b) { return a.count > b.count; });
    exact = std::max(exact, std::min(kExact, room));
    for (size_t i = 0; i < exact; ++i) entries.push_back(rest[i].colour);
    std::vector<Counted> rare(rest.begin() + static_cast<long>(exact), rest.end());
    for (pf::Rgb c : median_cut(std::move(rare), room - exact)) entries.push_back(c);
  }
  q.colours = static_cast<int>(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) q.palette[i] = entries[i];

  // Each colour to its entry: exact where it has one, otherwise the nearest
  // entry that is not the key.
  std::unordered_map<pf::Rgb, std::uint8_t> index;
  for (size_t i = entries.size(); i-- > 0;) index[entries[i]] = static_cast<std::uint8_t>(i);
  auto nearest = [&](pf::Rgb c) {
    long best_d = -1;
    size_t best = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
      if (has_key && entries[i] == key) continue;
      long d = 0;
      for (int ch = 0; ch < 3; ++ch) {
        const long dc = channel(c, ch) - channel(entries[i], ch);
        d += dc * dc * (ch == 1 ? 4 : ch == 0 ? 3 : 2);
      }
      if (best_d < 0 || d < best_d) {
        best_d = d;
        best = i;
      }
    }
    return static_cast<std::uint8_t>(best);
  };
  for (const auto& [c, n] : counts)
    if (!index.count(c)) index[c] = nearest(c);
  for (const auto& f : frames) {
    IndexedFrame out{f.width(), f.height(), {}};
    out.pixels.reserve(f.pixels().size());
    for (pf::Rgb c : f.pixels()) out.pixels.push_back(index.at(c));
    q.frames.push_back(std::move(out));
  }
  return q;
}

std::vector<platform::Surface> in_one_palette(const std::vector<platform::Surface>& frames) {
  const Quantized q = quantize(frames);
  std::vector<platform::Surface> mapped;
  for (const auto& f : q.frames) {
    std::vector<platform::Rgb> px;
    px.reserve(f.pixels.size());
    for (auto i : f.pixels) px.push_back(q.palette[i]);
    mapped.emplace_back(f.width, f.height, std::move(px));
  }
  return mapped;
}

}  // namespace tapo::media
