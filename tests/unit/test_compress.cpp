// The 16-bit run-length code: pinned encodings, round trips, output limits and the
// bounded decoder for untrusted streams.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "qgu_fileutil.h"
#include "qsdlpp2_base@General.h"

namespace {

using Words = std::vector<uint16_t>;

Words encode(const Words& in) {
    Words out(in.size() * 2 + 4, 0xEEEE);
    const unsigned n = qgu_compressMem16(in.data(), out.data(), unsigned(in.size()));
    EXPECT_LE(n, out.size());
    out.resize(n);
    return out;
}

// A map-like body: runs of blocks broken by single blocks, values 0..1023.
Words mapLike(size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    Words w;
    while (w.size() < n) {
        const uint16_t v = uint16_t(rng() % 1024);
        const size_t run = (rng() % 4 == 0) ? 1 + rng() % 40 : 1;
        for (size_t i = 0; i < run && w.size() < n; ++i) w.push_back(v);
    }
    return w;
}

TEST(Compress, PinnedEncodings) {
    EXPECT_EQ(encode({5, 5, 5, 7, 8, 8}), (Words{0x8005, 2, 7, 0x8008, 1, 0x8000, 0}));
    const Words six = {5, 5, 5, 7, 8, 8};
    EXPECT_EQ(qgu_testCompressRate16(six.data(), 6), 5u);
    EXPECT_EQ(encode({3}), (Words{3, 0x8000, 0}));
    EXPECT_EQ(encode({}), (Words{0x8000, 0}));
    EXPECT_EQ(qgu_testCompressRate16(nullptr, 0), 0u);
    // Literals up to the first equal pair, which starts a run; a run closed by the end.
    EXPECT_EQ(encode({1, 2, 3, 3, 4, 4}), (Words{1, 2, 0x8003, 1, 0x8004, 1, 0x8000, 0}));
    EXPECT_EQ(encode({0x7FFF, 0x7FFF, 0}), (Words{0xFFFF, 1, 0, 0x8000, 0}));
}

TEST(Compress, LongRunsSplitIntoTokensOfAtMost65536Words) {
    Words in(65536 * 2 + 3, 9);
    const Words out = encode(in);
    EXPECT_EQ(out, (Words{0x8009, 65535, 0x8009, 65535, 0x8009, 2, 0x8000, 0}));
    Words back(in.size());
    EXPECT_EQ(qgu_decompressMem16(out.data(), back.data(), unsigned(in.size() + 10)), in.size());
    EXPECT_EQ(back, in);
}

TEST(Compress, RoundTripsAndDryRunAgree) {
    QSDLpp_Compress c;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const Words in = mapLike(1 + seed * 397, seed);
        // Exactly-sized source so a read past its end shows up under the sanitizers.
        Words src(in);
        Words packed(src.size() * 2 + 2);
        const unsigned n = c.compressMem16(src.data(), packed.data(), unsigned(src.size()));
        EXPECT_EQ(c.testCompressRate16(src.data(), unsigned(src.size())), n - 2) << seed;
        EXPECT_EQ(packed[n - 2], 0x8000);
        EXPECT_EQ(packed[n - 1], 0);
        packed.resize(n);
        Words out(src.size() + 5, 0xABCD);
        EXPECT_EQ(c.decompressMem16(packed.data(), out.data(), unsigned(out.size())), src.size()) << seed;
        EXPECT_TRUE(std::equal(src.begin(), src.end(), out.begin())) << seed;
        EXPECT_EQ(out[src.size()], 0xABCD) << seed;  // nothing written past the body
    }
}

TEST(Compress, DecoderLimit) {
    const Words in = {1, 1, 1, 1, 2, 3};
    const Words packed = encode(in);
    Words out(16, 0);
    EXPECT_EQ(qgu_decompressMem16(packed.data(), out.data(), 6), 111u);
    EXPECT_EQ(qgu_decompressMem16(packed.data(), out.data(), 7), 6u);
    EXPECT_EQ(qgu_decompressMem16(packed.data(), out.data(), 0), 111u);
    // A limit inside a run stops the run exactly at the limit.
    Words small(4, 0x5555);
    EXPECT_EQ(qgu_decompressMem16(packed.data(), small.data(), 3), 111u);
    EXPECT_EQ(small, (Words{1, 1, 1, 0x5555}));
    // The end marker is any word with bit 15 set followed by 0.
    const Words oddEnd = {4, 0x9234, 0, 7};
    EXPECT_EQ(qgu_decompressMem16(oddEnd.data(), out.data(), 10), 1u);
}

TEST(Compress, BoundedDecoderNeverReadsPastTheStream) {
    bool truncated = false;
    Words out(32, 0);
    const Words noEnd = {1, 2, 0x8003, 4};  // runs out before any end marker
    EXPECT_EQ(qgu_decompressMem16Safe(noEnd.data(), unsigned(noEnd.size()), out.data(), 32, &truncated), 7u);
    EXPECT_TRUE(truncated);
    const Words cut = {1, 0x8003};  // a run token without its count
    EXPECT_EQ(qgu_decompressMem16Safe(cut.data(), unsigned(cut.size()), out.data(), 32, &truncated), 1u);
    EXPECT_TRUE(truncated);
    const Words good = encode({6, 6, 6, 1});
    EXPECT_EQ(qgu_decompressMem16Safe(good.data(), unsigned(good.size()), out.data(), 32, &truncated), 4u);
    EXPECT_FALSE(truncated);
    EXPECT_EQ(qgu_decompressMem16Safe(good.data(), unsigned(good.size()), out.data(), 4, &truncated), 111u);
    EXPECT_FALSE(truncated);
}

}  // namespace
