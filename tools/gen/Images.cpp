#include "tools/gen/Images.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <map>
#include <set>

#include "tools/gen/DataFiles.h"
#include "tools/gen/Shapes.h"

namespace gen {
namespace {

bool ParseSize(const std::string& text, int& w, int& h) {
    size_t x = text.find('x');
    if (x == std::string::npos) return false;
    try {
        w = std::stoi(text.substr(0, x));
        h = std::stoi(text.substr(x + 1));
    } catch (...) {
        return false;
    }
    return w > 0 && h > 0 && w <= 4096 && h <= 4096;
}

// "$i", "$c", "$r" and "$[a,b,c]" inside a value, for the repetitions of a grid line.
std::string Substitute(const std::string& v, int i, int col, int row) {
    std::string out;
    for (size_t k = 0; k < v.size(); ++k) {
        if (v[k] == '$' && k + 1 < v.size()) {
            char n = v[k + 1];
            if (n == 'i' || n == 'c' || n == 'r') {
                out += std::to_string(n == 'i' ? i : n == 'c' ? col : row);
                ++k;
                continue;
            }
            if (n == '[') {
                size_t close = v.find(']', k);
                if (close != std::string::npos) {
                    std::vector<std::string> items(1);
                    for (size_t q = k + 2; q < close; ++q) {
                        if (v[q] == ',')
                            items.emplace_back();
                        else
                            items.back() += v[q];
                    }
                    out += items[static_cast<size_t>(i) % items.size()];
                    k = close;
                    continue;
                }
            }
        }
        out += v[k];
    }
    return out;
}

std::string NumText(double v) {
    if (v == static_cast<int>(v)) return std::to_string(static_cast<int>(v));
    return std::to_string(v);
}

// grid <columns> <rows> <dx> <dy> <word> ... : the word repeated, moved by dx, dy per step.
std::vector<Line> ExpandGrid(const Line& g) {
    if (g.args.size() < 5) g.Fail("grid needs: columns rows dx dy word ...");
    int cols = g.ArgInt(0), rows = g.ArgInt(1), dx = g.ArgInt(2), dy = g.ArgInt(3);
    if (cols < 1 || rows < 1 || cols * rows > 4096) g.Fail("bad grid size");
    std::vector<Line> out;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            int i = r * cols + c;
            Line op;
            op.where = g.where;
            op.word = g.args[4];
            for (size_t a = 5; a < g.args.size(); ++a) op.args.push_back(Substitute(g.args[a], i, c, r));
            for (auto& [k, v] : g.params) op.params[k] = Substitute(v, i, c, r);
            auto shift = [&](size_t idx, int by) {
                if (idx < op.args.size()) op.args[idx] = NumText(op.ArgNum(idx) + by);
            };
            if (op.word == "line" || op.word == "poly") {
                for (size_t a = 0; a + 1 < op.args.size(); a += 2) {
                    shift(a, c * dx);
                    shift(a + 1, r * dy);
                }
            } else if (op.word == "copy") {
                shift(4, c * dx);
                shift(5, r * dy);
            } else if (op.word == "from") {  // the box moves; the part is taken as substituted
                shift(5, c * dx);
                shift(6, r * dy);
            } else {
                shift(0, c * dx);
                shift(1, r * dy);
            }
            out.push_back(std::move(op));
        }
    return out;
}

}  // namespace

std::string DefaultImageFolder(const std::string& group) {
    static const std::map<std::string, std::string> folders = {
        {"System", "system"}, {"Map", "map"},       {"BackGround", "bg"}, {"Char", "char"},
        {"Object", "object"}, {"Effect", "effect"}, {"Editer", "editer"}};
    auto it = folders.find(group);
    if (it != folders.end()) return it->second;
    std::string lower = group;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char ch) { return std::tolower(ch); });
    return lower;
}

std::vector<ImageDef> ReadImageManifests(const std::string& imagesDir) {
    std::vector<ImageDef> defs;
    for (const std::string& file : ListFiles(imagesDir, ".txt")) {
        for (Line& line : ReadManifest(file)) {
            if (line.word == "image" || line.word == "file") {
                ImageDef s;
                s.where = line.where;
                if (line.args.size() < 2) line.Fail(line.word + " needs a name and a size WxH");
                if (!ParseSize(line.args[1], s.width, s.height)) line.Fail("bad size " + line.args[1]);
                if (line.word == "image") {
                    s.key = line.args[0];
                    size_t dot = s.key.find('.');
                    if (dot == std::string::npos || dot == 0 || dot + 1 == s.key.size() ||
                        s.key.find('.', dot + 1) != std::string::npos || s.key.find(',') != std::string::npos)
                        line.Fail("image key must be Group.Key: " + s.key);
                    s.path = line.Str("path", DefaultImageFolder(s.key.substr(0, dot)) + "\\" +
                                                  s.key.substr(dot + 1) + ".bmp");
                } else {
                    s.path = line.args[0];
                }
                if (s.path.find(',') != std::string::npos || s.path.find('/') != std::string::npos)
                    line.Fail("image paths use backslashes and no commas: " + s.path);
                if (line.Has("cell") && !ParseSize(line.Str("cell"), s.cellW, s.cellH))
                    line.Fail("bad cell size");
                s.background = line.Color("bg", kKeyColor);
                s.mirrorOf = line.Str("mirror", "");
                if (line.Has("mirrorcell") &&
                    !ParseSize(line.Str("mirrorcell"), s.mirrorCellW, s.mirrorCellH))
                    line.Fail("bad mirror cell size");
                s.placeholder = line.Int("placeholder", 0) != 0;
                if (s.placeholder && s.key.empty()) line.Fail("only indexed images can be placeholders");
                defs.push_back(std::move(s));
            } else {
                if (defs.empty()) line.Fail("drawing line before the first 'image' line");
                if (line.word == "grid") {
                    for (Line& op : ExpandGrid(line)) defs.back().ops.push_back(std::move(op));
                } else {
                    defs.back().ops.push_back(std::move(line));
                }
            }
        }
    }
    // Placeholders give way to the real pictures.
    std::map<std::string, const ImageDef*> real, stand;
    for (const ImageDef& d : defs) {
        if (d.key.empty()) continue;
        auto& seen = d.placeholder ? stand : real;
        auto [it, fresh] = seen.emplace(d.key, &d);
        if (!fresh)
            throw GenError(d.where + ": image key " + d.key + " is also drawn at " + it->second->where);
    }
    std::vector<ImageDef> kept;
    for (ImageDef& d : defs)
        if (!d.placeholder || !real.count(d.key)) kept.push_back(std::move(d));
    return kept;
}

namespace {

// `from <Group.Key> sx sy sw sh dx dy dw dh [scale=<s>] [align=bottom|center|top] [flip=1]`: the
// part (sx, sy, sw, sh) of another picture drawn into the box (dx, dy, dw, dh), resized by `scale`
// (by default as large as fits the box with its proportions kept), centred across the box and
// standing on its bottom unless aligned otherwise. Only the box is drawn on, and the part's key
// pixels leave the box as it was.
void DrawFromPicture(Canvas& canvas, const Canvas& source, const Line& op) {
    const Rect from{op.ArgInt(1), op.ArgInt(2), op.ArgInt(3), op.ArgInt(4)};
    const Rect box{op.ArgInt(5), op.ArgInt(6), op.ArgInt(7), op.ArgInt(8)};
    if (from.w <= 0 || from.h <= 0 || box.w <= 0 || box.h <= 0) op.Fail("from needs a part and a box");
    const double fit = std::min(double(box.w) / from.w, double(box.h) / from.h);
    const double scale = op.Num("scale", fit);
    const int w = std::max(1, int(std::lround(from.w * scale))),
              h = std::max(1, int(std::lround(from.h * scale)));
    const std::string align = op.Str("align", "bottom");
    if (align != "bottom" && align != "center" && align != "top") op.Fail("unknown align " + align);
    const int y = align == "top" ? box.y : align == "center" ? box.y + (box.h - h) / 2 : box.Bottom() - h;
    canvas.SetClip(box);
    canvas.BlitScaled(source, from, {box.x + (box.w - w) / 2, y, w, h}, op.Int("flip", 0) != 0);
}

}  // namespace

Canvas BuildImage(const ImageDef& def, const std::vector<ImageDef>& all,
                  const std::function<void(const Line&, const Canvas&)>& afterLine) {
    std::set<std::string> visiting;
    std::map<std::string, Canvas> sources;  // the pictures `from` lines copy, built once each
    std::function<Canvas(const ImageDef&)> build;
    auto source = [&](const ImageDef& s, const std::string& key) -> const Canvas& {
        auto cached = sources.find(key);
        if (cached != sources.end()) return cached->second;
        auto it = std::find_if(all.begin(), all.end(), [&](const ImageDef& o) { return o.key == key; });
        if (it == all.end()) throw GenError(s.where + ": picture " + key + " not found");
        if (!visiting.insert(s.key).second) throw GenError(s.where + ": picture loop at " + s.key);
        Canvas built = build(*it);
        visiting.erase(s.key);
        return sources.emplace(key, std::move(built)).first->second;
    };
    build = [&](const ImageDef& s) -> Canvas {
        Canvas canvas(s.width, s.height, s.background == kNoColor ? kKeyColor : s.background);
        if (!s.mirrorOf.empty()) {
            if (!visiting.insert(s.key).second) throw GenError(s.where + ": mirror loop at " + s.key);
            auto it =
                std::find_if(all.begin(), all.end(), [&](const ImageDef& o) { return o.key == s.mirrorOf; });
            if (it == all.end()) throw GenError(s.where + ": mirror source " + s.mirrorOf + " not found");
            Canvas src = build(*it);
            int cw = s.mirrorCellW > 0 ? s.mirrorCellW : s.cellW > 0 ? s.cellW : src.Width();
            int ch = s.mirrorCellH > 0 ? s.mirrorCellH : s.cellH > 0 ? s.cellH : src.Height();
            for (int y = 0; y + ch <= std::min(src.Height(), s.height); y += ch)
                for (int x = 0; x + cw <= std::min(src.Width(), s.width); x += cw)
                    canvas.Blit(src, {x, y, cw, ch}, x, y, true);
            visiting.erase(s.key);
        }
        for (const Line& op : s.ops) {
            if (op.word == "from") {
                if (op.args.size() < 9) op.Fail("from needs a picture, a part and a box");
                DrawFromPicture(canvas, source(s, op.args[0]), op);
            } else {
                DrawShape(canvas, op);
            }
            canvas.ClearClip();
            if (afterLine && &s == &def) afterLine(op, canvas);
        }
        return canvas;
    };
    return build(def);
}

std::string BuildImageIndex(const std::vector<ImageDef>& defs) {
    std::string text;
    std::set<std::string> keys;
    int rows = 0;
    for (const ImageDef& s : defs) {
        if (s.key.empty()) continue;
        if (!keys.insert(s.key).second) throw GenError(s.where + ": image key " + s.key + " given twice");
        text += s.key + "," + s.path + "," + std::to_string(s.cellW) + "," + std::to_string(s.cellH) + "\n";
        ++rows;
    }
    // The game reads at most 511 rows, from a buffer of 16384 encoded characters.
    if (rows > 511)
        throw GenError("the image index holds " + std::to_string(rows) + " images; the game reads 511");
    return text;
}

std::vector<std::string> GenerateImages(const std::string& imagesDir, const std::string& gameDir) {
    std::vector<ImageDef> defs = ReadImageManifests(imagesDir);
    std::vector<std::string> written;
    std::set<std::string> paths;
    for (const ImageDef& s : defs) {
        std::string lowerPath = s.path;
        std::transform(lowerPath.begin(), lowerPath.end(), lowerPath.begin(),
                       [](unsigned char ch) { return std::tolower(ch); });
        if (!paths.insert(lowerPath).second) throw GenError(s.where + ": file " + s.path + " written twice");
        Canvas c = BuildImage(s, defs);
        WriteFileAtomic(JoinPath(gameDir, s.path), c.EncodeBmp());
        written.push_back(s.path);
    }
    WriteDataFile(gameDir, "data\\bmp_index.dat", BuildImageIndex(defs), 16384);
    written.push_back("data\\bmp_index.dat");
    return written;
}

}  // namespace gen
