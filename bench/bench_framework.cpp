// Framework core figures: 16-bit decompression speed (goal: 300 million words per
// second) and loading every start-up container warm (goal: 50 ms). The real containers
// of the runtime tree are used when they exist; otherwise synthetic containers of the
// same shape and a realistic size are written to a scratch folder first.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "qgu_fileutil.h"

namespace {

using Words = std::vector<uint16_t>;

// A 256 x 256 map body: stretches of one block broken by scattered single blocks.
Words mapBody(unsigned seed) {
    std::mt19937 rng(seed);
    Words w;
    while (w.size() < 65536) {
        const uint16_t v = uint16_t(rng() % 1024);
        const size_t run = (rng() % 3 == 0) ? 2 + rng() % 60 : 1;
        for (size_t i = 0; i < run && w.size() < 65536; ++i) w.push_back(v);
    }
    return w;
}

void BM_Decompress(benchmark::State& state) {
    const Words body = mapBody(7);
    Words packed(body.size() * 2 + 2);
    packed.resize(qgu_compressMem16(body.data(), packed.data(), unsigned(body.size())));
    Words out(body.size());
    for (auto _ : state) {
        benchmark::DoNotOptimize(qgu_decompressMem16(packed.data(), out.data(), unsigned(out.size())));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(body.size()));
    state.counters["packed_words"] = double(packed.size());
}
BENCHMARK(BM_Decompress);

void BM_DecompressLiteralsOnly(benchmark::State& state) {
    Words body(65536);
    for (size_t i = 0; i < body.size(); ++i) body[i] = uint16_t(i % 1021);
    Words packed(body.size() * 2 + 2);
    packed.resize(qgu_compressMem16(body.data(), packed.data(), unsigned(body.size())));
    Words out(body.size());
    for (auto _ : state) {
        benchmark::DoNotOptimize(qgu_decompressMem16(packed.data(), out.data(), unsigned(out.size())));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(body.size()));
}
BENCHMARK(BM_DecompressLiteralsOnly);

void BM_Compress(benchmark::State& state) {
    const Words body = mapBody(11);
    Words packed(body.size() * 2 + 2);
    for (auto _ : state) benchmark::DoNotOptimize(qgu_compressMem16(body.data(), packed.data(), unsigned(body.size())));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(body.size()));
}
BENCHMARK(BM_Compress);

// ---- Start-up containers ------------------------------------------------------------

const char* const kStartupContainers[] = {
    "resourcesQSDL/fontpic.mrsrc",    "resourcesQSDL/mediachunk.mrsrc",
    "resourcesQSDL/soundchunk.mrsrc", "resourcesQSDL/playlistogg.drsrc",
    "resourcesQSDL/FHOtherRes2005.drsrc",
};

void put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    v[at] = uint8_t(x >> 24);
    v[at + 1] = uint8_t(x >> 16);
    v[at + 2] = uint8_t(x >> 8);
    v[at + 3] = uint8_t(x);
}

struct Rec {
    QGU_ResType type;
    int id;
    size_t size;
};

void writeContainer(const std::string& path, const std::vector<Rec>& recs) {
    size_t total = 16 + 16 * recs.size();
    for (const Rec& r : recs) total += r.size;
    std::vector<uint8_t> out(total);
    std::mt19937 rng(unsigned(recs.size()));
    for (auto& b : out) b = uint8_t(rng());
    put32(out, 12, uint32_t(recs.size()));
    size_t off = 0;
    for (size_t i = 0; i < recs.size(); ++i) {
        put32(out, 16 + 16 * i, recs[i].type);
        put32(out, 16 + 16 * i + 4, uint32_t(recs[i].id));
        put32(out, 16 + 16 * i + 8, uint32_t(off));
        put32(out, 16 + 16 * i + 12, uint32_t(recs[i].size));
        uint8_t* data = &out[16 + 16 * recs.size() + off];
        if (recs[i].type == QGU_RES::STR_) data[0] = uint8_t(recs[i].size - 1);
        if (recs[i].type == QGU_RES::STRn) data[0] = 0, data[1] = 1, data[2] = uint8_t(recs[i].size - 3);
        off += recs[i].size;
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
        std::fwrite(out.data(), 1, out.size(), f);
        std::fclose(f);
    }
}

// Shapes follow the content plan: four font pictures, the sprite atlases and common
// pictures, 45 sound effects, music names and script text lists.
std::string makeSyntheticTree() {
    char tmpl[] = "/tmp/fhbenchXXXXXX";
    const char* d = mkdtemp(tmpl);
    const std::string root = d ? d : "/tmp";
    const std::string dir = root + "/resourcesQSDL";
    mkdir(dir.c_str(), 0755);
    std::vector<Rec> fonts, media, sounds, music, other;
    for (int i = 0; i < 4; ++i) fonts.push_back({QGU_RES::PNGf, 100 + i, 96 * 1024});
    for (int i = 0; i < 5; ++i) media.push_back({QGU_RES::PNGf, 128 + i, 600 * 1024});
    for (int i = 0; i < 30; ++i) media.push_back({QGU_RES::PNGf, 139 + i * 7, 60 * 1024});
    for (int i = 0; i < 45; ++i) sounds.push_back({QGU_RES::AIFF, 1000 + i, 40 * 1024});
    for (int i = 0; i < 12; ++i) music.push_back({QGU_RES::STR_, 21001 + i, 48});
    for (int i = 0; i < 16; ++i) other.push_back({QGU_RES::STRn, 1000 + i, 2048});
    for (int i = 0; i < 10; ++i) other.push_back({QGU_RES::JPEG, 9000 + i, 120 * 1024});
    writeContainer(root + "/" + kStartupContainers[0], fonts);
    writeContainer(root + "/" + kStartupContainers[1], media);
    writeContainer(root + "/" + kStartupContainers[2], sounds);
    writeContainer(root + "/" + kStartupContainers[3], music);
    writeContainer(root + "/" + kStartupContainers[4], other);
    return root;
}

std::string containerRoot(bool& real) {
    const std::string rt = FH_RUNTIME_DIR;
    real = true;
    for (const char* c : kStartupContainers) {
        FILE* f = std::fopen((rt + "/" + c).c_str(), "rb");
        if (!f) real = false;
        else std::fclose(f);
    }
    static std::string synthetic;
    if (real) return rt;
    if (synthetic.empty()) {
        synthetic = makeSyntheticTree();
        std::atexit([] { std::system(("rm -rf '" + synthetic + "'").c_str()); });
    }
    return synthetic;
}

// The loader prints a line per file; keep it off the figures.
class QuietStdout {
public:
    QuietStdout() {
        std::fflush(stdout);
        saved_ = dup(1);
        const int nul = open("/dev/null", O_WRONLY);
        dup2(nul, 1);
        close(nul);
    }
    ~QuietStdout() {
        std::fflush(stdout);
        dup2(saved_, 1);
        close(saved_);
    }

private:
    int saved_;
};

void BM_LoadStartupContainersWarm(benchmark::State& state) {
    bool real = false;
    const std::string root = containerRoot(real);
    int64_t bytes = 0;
    {
        QuietStdout quiet;
        for (auto _ : state) {
            state.PauseTiming();
            qgu_resetResourceRegistry();
            state.ResumeTiming();
            for (const char* c : kStartupContainers) benchmark::DoNotOptimize(qgu_loadResource((root + "/" + c).c_str()));
            bytes = qgu_resourceHeapSize(nullptr);
        }
    }
    qgu_resetResourceRegistry();
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
    state.counters["container_bytes"] = double(bytes);
    state.SetLabel(real ? "runtime containers" : "synthetic containers");
}
BENCHMARK(BM_LoadStartupContainersWarm)->Unit(benchmark::kMillisecond);

// Whatever start-up containers the content build has written so far, loaded warm.
void BM_LoadRuntimeContainersPresent(benchmark::State& state) {
    const std::string rt = FH_RUNTIME_DIR;
    std::vector<std::string> present;
    for (const char* c : kStartupContainers) {
        FILE* f = std::fopen((rt + "/" + c).c_str(), "rb");
        if (f) {
            std::fclose(f);
            present.push_back(rt + "/" + c);
        }
    }
    if (present.empty()) {
        state.SkipWithError("no runtime containers built");
        return;
    }
    int64_t bytes = 0;
    {
        QuietStdout quiet;
        for (auto _ : state) {
            state.PauseTiming();
            qgu_resetResourceRegistry();
            state.ResumeTiming();
            for (const std::string& p : present) benchmark::DoNotOptimize(qgu_loadResource(p.c_str()));
            bytes = qgu_resourceHeapSize(nullptr);
        }
    }
    qgu_resetResourceRegistry();
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
    state.counters["container_bytes"] = double(bytes);
    state.SetLabel(std::to_string(present.size()) + " of 5 start-up containers present");
}
BENCHMARK(BM_LoadRuntimeContainersPresent)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
