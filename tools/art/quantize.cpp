#include "quantize.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace art {
namespace {

// Channel weights for colour distance: the eye is most sensitive to green and least to
// blue; alpha errors show as ragged edges, so they weigh most.
constexpr std::array<int, 4> kWeight{3, 4, 2, 5};  // red, green, blue, alpha

struct Entry {
    std::array<int, 4> c;  // red, green, blue, alpha, straight (not premultiplied)
    std::uint64_t count;
};

std::array<int, 4> channels(QRgb p) {
    return {qRed(p), qGreen(p), qBlue(p), qAlpha(p)};
}

// Straight ARGB with every fully transparent pixel folded into one value.
QRgb normalised(QRgb p) {
    return qAlpha(p) == 0 ? 0u : p;
}

QImage straight(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32);
}

struct Box {
    std::size_t begin;
    std::size_t end;
    double error;  // weighted squared spread, the measure of how much splitting it helps
    int channel;   // the channel with the widest weighted spread
};

Box measure(const std::vector<Entry>& entries, std::size_t begin, std::size_t end) {
    std::array<double, 4> sum{}, sumSq{};
    double n = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const double w = static_cast<double>(entries[i].count);
        n += w;
        for (int k = 0; k < 4; ++k) {
            sum[k] += w * entries[i].c[k];
            sumSq[k] += w * entries[i].c[k] * entries[i].c[k];
        }
    }
    Box box{begin, end, 0.0, 0};
    double widest = -1.0;
    for (int k = 0; k < 4; ++k) {
        const double spread = kWeight[k] * (sumSq[k] - sum[k] * sum[k] / n);
        box.error += spread;
        if (spread > widest) {
            widest = spread;
            box.channel = k;
        }
    }
    if (end - begin < 2) box.error = 0.0;
    return box;
}

QRgb average(const std::vector<Entry>& entries, const Box& box) {
    std::array<double, 4> sum{};
    double n = 0;
    for (std::size_t i = box.begin; i < box.end; ++i) {
        const double w = static_cast<double>(entries[i].count);
        n += w;
        for (int k = 0; k < 4; ++k) sum[k] += w * entries[i].c[k];
    }
    const auto channel = [&](int k) { return static_cast<int>(sum[k] / n + 0.5); };
    return qRgba(channel(0), channel(1), channel(2), channel(3));
}

}  // namespace

QList<QRgb> buildPalette(const QList<QImage>& images, int maxColours) {
    std::unordered_map<QRgb, std::uint64_t> histogram;
    for (const QImage& source : images) {
        const QImage image = straight(source);
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) ++histogram[normalised(line[x])];
        }
    }
    // Fully transparent gets an exact entry of its own, so no edge of a picture turns into
    // a faint halo of some averaged colour.
    QList<QRgb> palette;
    if (histogram.erase(0u) > 0) {
        palette.append(0u);
        --maxColours;
    }
    std::vector<Entry> entries;
    entries.reserve(histogram.size());
    for (const auto& [rgb, count] : histogram) entries.push_back({channels(rgb), count});

    if (entries.size() <= static_cast<std::size_t>(maxColours)) {
        for (const Entry& e : entries) palette.append(qRgba(e.c[0], e.c[1], e.c[2], e.c[3]));
        std::sort(palette.begin(), palette.end());
        return palette;
    }

    // Median cut: keep splitting the box whose colours are spread the most, at the
    // weighted median of its widest channel.
    std::vector<Box> boxes{measure(entries, 0, entries.size())};
    while (boxes.size() < static_cast<std::size_t>(maxColours)) {
        const auto worst =
            std::max_element(boxes.begin(), boxes.end(),
                             [](const Box& a, const Box& b) { return a.error < b.error; });
        if (worst->error <= 0.0) break;
        const Box box = *worst;
        const int k = box.channel;
        std::sort(entries.begin() + static_cast<std::ptrdiff_t>(box.begin),
                  entries.begin() + static_cast<std::ptrdiff_t>(box.end),
                  [k](const Entry& a, const Entry& b) { return a.c[k] < b.c[k]; });
        std::uint64_t total = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) total += entries[i].count;
        std::uint64_t running = 0;
        std::size_t split = box.begin + 1;
        for (std::size_t i = box.begin; i < box.end - 1; ++i) {
            running += entries[i].count;
            split = i + 1;
            if (running * 2 >= total) break;
        }
        *worst = measure(entries, box.begin, split);
        boxes.push_back(measure(entries, split, box.end));
    }
    for (const Box& box : boxes) palette.append(average(entries, box));
    std::sort(palette.begin(), palette.end());
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    return palette;
}

QImage toIndexed(const QImage& source, const QList<QRgb>& palette) {
    const QImage image = straight(source);
    QImage indexed(image.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    std::unordered_map<QRgb, uchar> nearest;
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = normalised(in[x]);
            auto found = nearest.find(p);
            if (found == nearest.end()) {
                const auto c = channels(p);
                long best = -1;
                uchar bestIndex = 0;
                for (int i = 0; i < palette.size(); ++i) {
                    const auto q = channels(palette[i]);
                    long d = 0;
                    for (int k = 0; k < 4; ++k) d += kWeight[k] * (c[k] - q[k]) * (c[k] - q[k]);
                    if (best < 0 || d < best) {
                        best = d;
                        bestIndex = static_cast<uchar>(i);
                    }
                }
                found = nearest.emplace(p, bestIndex).first;
            }
            out[x] = found->second;
        }
    }
    return indexed;
}

}  // namespace art
