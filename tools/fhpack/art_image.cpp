#include "art_image.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <set>

void Image::blend(int x, int y, Rgba c) {
    if (!inside(x, y) || c.a == 0) return;
    Rgba& d = px_[size_t(y) * w_ + x];
    if (c.a == 255 || d.a == 0) {
        d = c;
        return;
    }
    double sa = c.a / 255.0, da = d.a / 255.0;
    double oa = sa + da * (1 - sa);
    auto mix = [&](uint8_t s, uint8_t dd) { return uint8_t(std::lround((s * sa + dd * da * (1 - sa)) / oa)); };
    d = Rgba{mix(c.r, d.r), mix(c.g, d.g), mix(c.b, d.b), uint8_t(std::lround(oa * 255))};
}

void Image::add(int x, int y, Rgba c) {
    if (!inside(x, y)) return;
    Rgba& d = px_[size_t(y) * w_ + x];
    double k = c.a / 255.0;
    auto up = [&](uint8_t dd, uint8_t s) { return uint8_t(std::min(255.0, dd + s * k)); };
    if (d.a == 0) {
        d = Rgba{c.r, c.g, c.b, c.a};
        return;
    }
    d = Rgba{up(d.r, c.r), up(d.g, c.g), up(d.b, c.b), uint8_t(std::max<int>(d.a, c.a))};
}

void Image::draw(const Image& src, int x, int y, int scale, bool flipX) {
    if (scale < 1) scale = 1;
    for (int sy = 0; sy < src.height(); ++sy)
        for (int sx = 0; sx < src.width(); ++sx) {
            Rgba c = src.get(flipX ? src.width() - 1 - sx : sx, sy);
            if (c.a == 0) continue;
            for (int j = 0; j < scale; ++j)
                for (int i = 0; i < scale; ++i) blend(x + sx * scale + i, y + sy * scale + j, c);
        }
}

void Image::paste(const Image& src, int x, int y) {
    for (int sy = 0; sy < src.height(); ++sy)
        for (int sx = 0; sx < src.width(); ++sx) set(x + sx, y + sy, src.get(sx, sy));
}

Image Image::crop(int x, int y, int w, int h) const {
    Image out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out.set(i, j, get(x + i, y + j));
    return out;
}

void Image::outline(Rgba c, int thickness, bool diagonal) {
    for (int t = 0; t < thickness; ++t) {
        std::vector<Rgba> copy = px_;
        auto opaque = [&](int x, int y) { return inside(x, y) && copy[size_t(y) * w_ + x].a > 96; };
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                if (copy[size_t(y) * w_ + x].a > 96) continue;
                bool near = opaque(x - 1, y) || opaque(x + 1, y) || opaque(x, y - 1) || opaque(x, y + 1);
                if (!near && diagonal)
                    near = opaque(x - 1, y - 1) || opaque(x + 1, y - 1) || opaque(x - 1, y + 1) || opaque(x + 1, y + 1);
                if (near) {
                    Rgba under = c;
                    px_[size_t(y) * w_ + x] = under;
                }
            }
    }
}

void Image::shadow(Rgba c, int dx, int dy) {
    Image sh(w_, h_);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x)
            if (get(x, y).a > 0) sh.set(x + dx, y + dy, Rgba{c.r, c.g, c.b, uint8_t(c.a * get(x, y).a / 255)});
    sh.draw(*this, 0, 0);
    *this = sh;
}

void Image::tint(Rgba c) {
    for (auto& p : px_) {
        p.r = uint8_t(p.r * c.r / 255);
        p.g = uint8_t(p.g * c.g / 255);
        p.b = uint8_t(p.b * c.b / 255);
    }
}

Rgba artParseColour(const std::string& text, const std::string& file, int line) {
    if (text == "none" || text == "transparent") return Rgba{};
    auto hex = [&](char ch) -> int {
        if (ch >= '0' && ch <= '9') return ch - '0';
        if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
        if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
        return -1;
    };
    if (text.size() != 7 && text.size() != 9) throw ArtError(file, line, "bad colour '" + text + "' (use #rrggbb or #rrggbbaa)");
    if (text[0] != '#') throw ArtError(file, line, "bad colour '" + text + "' (use #rrggbb or #rrggbbaa)");
    int v[4] = {0, 0, 0, 255};
    for (size_t i = 1; i + 1 < text.size(); i += 2) {
        int hi = hex(text[i]), lo = hex(text[i + 1]);
        if (hi < 0 || lo < 0) throw ArtError(file, line, "bad colour '" + text + "'");
        v[(i - 1) / 2] = hi * 16 + lo;
    }
    return Rgba{uint8_t(v[0]), uint8_t(v[1]), uint8_t(v[2]), uint8_t(v[3])};
}

Rgba artMix(Rgba a, Rgba b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto m = [&](uint8_t x, uint8_t y) { return uint8_t(std::lround(x + (y - x) * t)); };
    return Rgba{m(a.r, b.r), m(a.g, b.g), m(a.b, b.b), m(a.a, b.a)};
}

Rgba artShade(Rgba c, double f) {
    auto s = [&](uint8_t v) {
        double o = f <= 1 ? v * f : v + (255 - v) * (f - 1);
        return uint8_t(std::clamp(std::lround(o), 0L, 255L));
    };
    return Rgba{s(c.r), s(c.g), s(c.b), c.a};
}

void artWritePng(const Image& img, const std::string& path) {
    png_image pi{};
    pi.version = PNG_IMAGE_VERSION;
    pi.width = png_uint_32(img.width());
    pi.height = png_uint_32(img.height());
    pi.format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(&pi, path.c_str(), 0, img.pixels().data(), 0, nullptr))
        throw ArtError(path, 0, std::string("cannot write PNG: ") + pi.message);
}

Image artReadPng(const std::string& path) {
    png_image pi{};
    pi.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&pi, path.c_str())) throw ArtError(path, 0, std::string("cannot read PNG: ") + pi.message);
    pi.format = PNG_FORMAT_RGBA;
    Image img(int(pi.width), int(pi.height));
    if (!png_image_finish_read(&pi, nullptr, img.pixels().data(), 0, nullptr))
        throw ArtError(path, 0, std::string("cannot decode PNG: ") + pi.message);
    artNoteInput(path);
    return img;
}

namespace {
std::vector<std::string>& inputs() {
    static std::vector<std::string> list;
    return list;
}
} // namespace

void artNoteInput(const std::string& path) {
    auto& l = inputs();
    if (std::find(l.begin(), l.end(), path) == l.end()) l.push_back(path);
}

void artWriteDepFile(const std::string& depPath, const std::string& target) {
    std::ofstream out(depPath);
    auto esc = [](const std::string& s) {
        std::string r;
        for (char c : s) {
            if (c == ' ') r += '\\';
            r += c;
        }
        return r;
    };
    out << esc(target) << ":";
    for (auto& p : inputs()) out << " \\\n  " << esc(p);
    out << "\n";
    if (!out) throw ArtError(depPath, 0, "cannot write dependency file");
}

std::vector<std::string> artSplitWords(const std::string& line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        // "# text" is a comment; "#a0c0ff" is a colour.
        if (c == '#' && (i + 1 >= line.size() || line[i + 1] == ' ' || line[i + 1] == '\t' || line[i + 1] == '#')) break;
        if (c == '"') {
            size_t j = line.find('"', i + 1);
            if (j == std::string::npos) j = line.size();
            words.push_back("\"" + line.substr(i + 1, j - i - 1));
            i = j + 1;
            continue;
        }
        size_t j = i;
        while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != '\r') ++j;
        words.push_back(line.substr(i, j - i));
        i = j;
    }
    return words;
}

int artParseInt(const std::string& text, const std::string& file, int line) {
    try {
        size_t used = 0;
        // Decimal, or hexadecimal with 0x; a leading zero does not mean octal.
        bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
        int v = std::stoi(text, &used, hex ? 16 : 10);
        if (used == text.size()) return v;
    } catch (...) {
    }
    throw ArtError(file, line, "expected a whole number, found '" + text + "'");
}

double artParseNum(const std::string& text, const std::string& file, int line) {
    try {
        size_t used = 0;
        double v = std::stod(text, &used);
        if (used == text.size()) return v;
    } catch (...) {
    }
    throw ArtError(file, line, "expected a number, found '" + text + "'");
}

std::vector<std::string> artReadLines(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw ArtError(path, 0, "cannot open source");
    artNoteInput(path);
    std::vector<std::string> lines;
    std::string l;
    while (std::getline(in, l)) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        lines.push_back(l);
    }
    return lines;
}

std::string artDirOf(const std::string& path) {
    size_t p = path.find_last_of('/');
    return p == std::string::npos ? std::string(".") : path.substr(0, p);
}

std::string artResolve(const std::string& fromFile, const std::string& name) {
    if (!name.empty() && name[0] == '/') return name;
    return artDirOf(fromFile) + "/" + name;
}
