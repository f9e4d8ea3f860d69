#include "platform/raster/Region.h"

#include <algorithm>
#include <cassert>
#include <iterator>
#include <limits>

namespace corvane {

Region::Region(const TRect& r) {
    if (r.IsEmpty()) return;
    FBands.push_back(Band{r.Top, r.Bottom, 0, 1});
    FSpans.push_back(Span{r.Left, r.Right});
    FExtents = r;
}

void Region::ComputeExtents() {
    if (FBands.empty()) {
        FExtents = TRect{};
        return;
    }
    int32_t left = std::numeric_limits<int32_t>::max();
    int32_t right = std::numeric_limits<int32_t>::min();
    for (const Band& b : FBands) {
        left = std::min(left, FSpans[b.First].Left);
        right = std::max(right, FSpans[b.First + b.Count - 1].Right);
    }
    FExtents = TRect{left, FBands.front().Top, right, FBands.back().Bottom};
}

bool Region::Contains(int32_t x, int32_t y) const {
    if (!FExtents.Contains(x, y)) return false;
    auto band = std::upper_bound(FBands.begin(), FBands.end(), y,
                                 [](int32_t v, const Band& b) { return v < b.Bottom; });
    if (band == FBands.end() || y < band->Top) return false;
    auto spans = SpansOf(*band);
    auto span = std::upper_bound(spans.begin(), spans.end(), x,
                                 [](int32_t v, const Span& s) { return v < s.Right; });
    return span != spans.end() && x >= span->Left;
}

int64_t Region::Area() const {
    int64_t area = 0;
    for (const Band& b : FBands) {
        int64_t width = 0;
        for (const Span& s : SpansOf(b)) width += int64_t(s.Right) - s.Left;
        area += width * (int64_t(b.Bottom) - b.Top);
    }
    return area;
}

std::vector<TRect> Region::Rects() const {
    std::vector<TRect> rects;
    rects.reserve(FSpans.size());
    for (const Band& b : FBands)
        for (const Span& s : SpansOf(b)) rects.push_back(TRect{s.Left, b.Top, s.Right, b.Bottom});
    return rects;
}

void Region::Offset(int32_t dx, int32_t dy) {
    if (FBands.empty() || (dx == 0 && dy == 0)) return;
    // Coordinates that would leave the 32-bit range are clamped; rebuilding keeps the
    // canonical form even when clamping squeezes bands or spans together.
    Builder builder;
    std::vector<Span> spans;
    for (const Band& b : FBands) {
        spans.clear();
        for (const Span& s : SpansOf(b))
            spans.push_back(Span{ClampCoord(int64_t(s.Left) + dx), ClampCoord(int64_t(s.Right) + dx)});
        builder.AddBand(ClampCoord(int64_t(b.Top) + dy), ClampCoord(int64_t(b.Bottom) + dy), spans);
    }
    *this = builder.Finish();
}

bool operator==(const Region& a, const Region& b) {
    if (a.FBands.size() != b.FBands.size() || a.FSpans.size() != b.FSpans.size()) return false;
    for (size_t i = 0; i < a.FBands.size(); ++i) {
        const auto& x = a.FBands[i];
        const auto& y = b.FBands[i];
        if (x.Top != y.Top || x.Bottom != y.Bottom || x.Count != y.Count) return false;
    }
    return a.FSpans == b.FSpans;
}

// ---- Builder ----

void Region::Builder::AddBand(int32_t top, int32_t bottom, std::span<const Span> spans) {
    if (top >= bottom) return;
    // Normalise: drop empty spans and merge touching or overlapping neighbours.
    FScratch.clear();
    for (const Span& s : spans) {
        if (s.Left >= s.Right) continue;
        if (!FScratch.empty() && s.Left <= FScratch.back().Right) {
            FScratch.back().Right = std::max(FScratch.back().Right, s.Right);
        } else {
            FScratch.push_back(s);
        }
    }
    if (FScratch.empty()) return;
    assert(FBands.empty() || top >= FBands.back().Bottom);
    if (!FBands.empty()) {
        Band& last = FBands.back();
        if (last.Bottom == top && last.Count == FScratch.size() &&
            std::equal(FScratch.begin(), FScratch.end(), FSpans.begin() + last.First)) {
            last.Bottom = bottom;
            return;
        }
    }
    FBands.push_back(Band{top, bottom, uint32_t(FSpans.size()), uint32_t(FScratch.size())});
    FSpans.insert(FSpans.end(), FScratch.begin(), FScratch.end());
}

Region Region::Builder::Finish() {
    Region r;
    r.FBands = std::move(FBands);
    r.FSpans = std::move(FSpans);
    FBands.clear();
    FSpans.clear();
    r.ComputeExtents();
    return r;
}

// ---- Combination: one band walker, one span walker, the operation as a truth table ----

namespace {

bool Keeps(Region::Op op, bool inA, bool inB) {
    switch (op) {
        case Region::Op::And: return inA && inB;
        case Region::Op::Or: return inA || inB;
        case Region::Op::Xor: return inA != inB;
        case Region::Op::Diff: return inA && !inB;
    }
    return false;
}

// Merges two sorted span lists of one band into out, keeping the pixels the operation keeps.
void CombineSpans(std::span<const Region::Span> a, std::span<const Region::Span> b, Region::Op op,
                  std::vector<Region::Span>& out) {
    out.clear();
    constexpr int64_t kEnd = std::numeric_limits<int64_t>::max();
    size_t i = 0, j = 0;
    bool inA = false, inB = false;
    bool keeping = false;
    int32_t start = 0;
    for (;;) {
        int64_t nextA = i < a.size() ? (inA ? a[i].Right : a[i].Left) : kEnd;
        int64_t nextB = j < b.size() ? (inB ? b[j].Right : b[j].Left) : kEnd;
        int64_t x = std::min(nextA, nextB);
        if (x == kEnd) break;
        if (nextA == x) {
            if (inA) ++i;
            inA = !inA;
        }
        if (nextB == x) {
            if (inB) ++j;
            inB = !inB;
        }
        bool keep = Keeps(op, inA, inB);
        if (keep && !keeping) start = int32_t(x);
        if (!keep && keeping) out.push_back(Region::Span{start, int32_t(x)});
        keeping = keep;
    }
}

}  // namespace

Region Region::Combine(const Region& a, const Region& b, Op op) {
    // Trivial cases first.
    if (a.IsEmpty() || b.IsEmpty()) {
        switch (op) {
            case Op::And: return Region();
            case Op::Diff: return a;
            case Op::Or:
            case Op::Xor: return a.IsEmpty() ? b : a;
        }
    }
    TRect ea = a.FExtents, eb = b.FExtents;
    bool disjoint = ea.Right <= eb.Left || eb.Right <= ea.Left || ea.Bottom <= eb.Top ||
                    eb.Bottom <= ea.Top;
    if (disjoint && op == Op::And) return Region();
    if (disjoint && op == Op::Diff) return a;

    Builder builder;
    std::vector<Span> spans;
    const std::span<const Span> none;
    size_t i = 0, j = 0;
    int64_t y = std::min(a.FBands.front().Top, b.FBands.front().Top);
    while (i < a.FBands.size() || j < b.FBands.size()) {
        const Band* ba = i < a.FBands.size() ? &a.FBands[i] : nullptr;
        const Band* bb = j < b.FBands.size() ? &b.FBands[j] : nullptr;
        int64_t topA = ba ? std::max<int64_t>(ba->Top, y) : 0;
        int64_t topB = bb ? std::max<int64_t>(bb->Top, y) : 0;
        int64_t top, bottom;
        std::span<const Span> sa = none, sb = none;
        if (ba && (!bb || topA < topB)) {
            top = topA;
            bottom = bb ? std::min<int64_t>(ba->Bottom, topB) : ba->Bottom;
            sa = a.SpansOf(*ba);
        } else if (bb && (!ba || topB < topA)) {
            top = topB;
            bottom = ba ? std::min<int64_t>(bb->Bottom, topA) : bb->Bottom;
            sb = b.SpansOf(*bb);
        } else {
            top = topA;
            bottom = std::min(ba->Bottom, bb->Bottom);
            sa = a.SpansOf(*ba);
            sb = b.SpansOf(*bb);
        }
        if (!(op == Op::And && (sa.empty() || sb.empty())) && !(op == Op::Diff && sa.empty())) {
            CombineSpans(sa, sb, op, spans);
            builder.AddBand(int32_t(top), int32_t(bottom), spans);
        }
        y = bottom;
        if (ba && ba->Bottom <= y) ++i;
        if (bb && bb->Bottom <= y) ++j;
    }
    return builder.Finish();
}

// ---- Union of many rectangles: a sweep over y with the rectangles active in each band ----

Region Region::FromRects(std::span<const TRect> rects) {
    std::vector<TRect> live;
    live.reserve(rects.size());
    for (const TRect& r : rects)
        if (!r.IsEmpty()) live.push_back(r);
    if (live.empty()) return Region();
    if (live.size() == 1) return Region(live.front());

    std::sort(live.begin(), live.end(),
              [](const TRect& p, const TRect& q) { return p.Top < q.Top; });
    std::vector<int32_t> edges;
    edges.reserve(live.size() * 2);
    for (const TRect& r : live) {
        edges.push_back(r.Top);
        edges.push_back(r.Bottom);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

    Builder builder;
    // The rectangles crossing the current band, kept sorted by Left so that their spans come
    // out in order without a sort per band: those that start at the band's top are merged in,
    // those that ended above it drop out.
    std::vector<const TRect*> active, entering, merged;
    std::vector<Span> spans;
    const auto byLeft = [](const TRect* p, const TRect* q) { return p->Left < q->Left; };
    size_t next = 0;
    for (size_t e = 0; e + 1 < edges.size(); ++e) {
        int32_t top = edges[e], bottom = edges[e + 1];
        std::erase_if(active, [top](const TRect* r) { return r->Bottom <= top; });
        entering.clear();
        while (next < live.size() && live[next].Top <= top) entering.push_back(&live[next++]);
        if (!entering.empty()) {
            std::sort(entering.begin(), entering.end(), byLeft);
            merged.clear();
            std::merge(active.begin(), active.end(), entering.begin(), entering.end(),
                       std::back_inserter(merged), byLeft);
            active.swap(merged);
        }
        if (active.empty()) continue;
        spans.clear();
        for (const TRect* r : active) spans.push_back(Span{r->Left, r->Right});
        builder.AddBand(top, bottom, spans);
    }
    return builder.Finish();
}

}  // namespace corvane
