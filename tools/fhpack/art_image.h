// The art compiler's picture type and the helpers every art source shares: colours,
// compositing, outlines, PNG output, error reporting with file and line, and the list of
// files read (written as a make-style dependency file so the build reruns exactly the
// pictures whose sources changed).
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 0;
};

inline bool operator==(const Rgba& x, const Rgba& y) { return x.r == y.r && x.g == y.g && x.b == y.b && x.a == y.a; }

// A bad art source: where and why. Commands catch it and print "file:line: reason".
struct ArtError : std::runtime_error {
    std::string file;
    int line;
    ArtError(std::string f, int l, const std::string& why) : std::runtime_error(why), file(std::move(f)), line(l) {}
};

class Image {
public:
    Image() = default;
    Image(int w, int h) : w_(w), h_(h), px_(size_t(w) * size_t(h)) {}
    int width() const { return w_; }
    int height() const { return h_; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
    Rgba get(int x, int y) const { return inside(x, y) ? px_[size_t(y) * w_ + x] : Rgba{}; }
    void set(int x, int y, Rgba c) {
        if (inside(x, y)) px_[size_t(y) * w_ + x] = c;
    }
    // Source-over compositing of c onto the pixel.
    void blend(int x, int y, Rgba c);
    // Adds c scaled by its alpha (light, glow).
    void add(int x, int y, Rgba c);
    const std::vector<Rgba>& pixels() const { return px_; }
    std::vector<Rgba>& pixels() { return px_; }

    // Copies src with its top-left at (x, y), source-over; scale repeats pixels, flipX mirrors.
    void draw(const Image& src, int x, int y, int scale = 1, bool flipX = false);
    // Copies src exactly (alpha included) with its top-left at (x, y).
    void paste(const Image& src, int x, int y);
    Image crop(int x, int y, int w, int h) const;
    // Every transparent pixel next to an opaque one (4-neighbours, or 8 with diagonal)
    // gets colour c, thickness times over.
    void outline(Rgba c, int thickness = 1, bool diagonal = false);
    // Copies of the opaque pixels shifted by (dx, dy) in colour c, placed under the picture.
    void shadow(Rgba c, int dx, int dy);
    // Multiplies the colour (not alpha) of every pixel by c / 255.
    void tint(Rgba c);

private:
    int w_ = 0, h_ = 0;
    std::vector<Rgba> px_;
};

// "#rrggbb", "#rrggbbaa" or "none"/"transparent". Throws ArtError with the given place.
Rgba artParseColour(const std::string& text, const std::string& file, int line);
Rgba artMix(Rgba a, Rgba b, double t);
Rgba artShade(Rgba c, double factor);  // factor < 1 darkens, > 1 lightens

// The picture at w x h: each new pixel is the alpha-weighted mean of the area it covers.
Image artResample(const Image& src, int w, int h);

void artWritePng(const Image& img, const std::string& path);
Image artReadPng(const std::string& path);

// Files read while compiling one output, for the dependency file.
void artNoteInput(const std::string& path);
void artWriteDepFile(const std::string& depPath, const std::string& target);

// Splits a line into words; a word in double quotes keeps its spaces. '#' outside quotes
// starts a comment.
std::vector<std::string> artSplitWords(const std::string& line);
int artParseInt(const std::string& text, const std::string& file, int line);
double artParseNum(const std::string& text, const std::string& file, int line);
std::vector<std::string> artReadLines(const std::string& path);
std::string artDirOf(const std::string& path);
// Resolves a source path named inside another source: relative to that source's folder.
std::string artResolve(const std::string& fromFile, const std::string& name);

// Small deterministic generator for texture noise (never the game's Random()).
struct ArtRng {
    uint32_t s;
    explicit ArtRng(uint32_t seed) : s(seed * 2654435761u + 12345u) {}
    uint32_t next() {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        return s;
    }
    double unit() { return (next() & 0xFFFFFF) / double(0x1000000); }
    int range(int lo, int hi) { return lo + int(next() % uint32_t(hi - lo + 1)); }
};
