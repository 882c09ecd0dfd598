#include "engine/el/el4D.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "engine/el/Raster.h"
#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"

namespace el4D {

Matrix Matrix::Identity() {
    Matrix r{};
    for (int i = 0; i < 4; ++i) r.m[i][i] = 1.0f;
    return r;
}

Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix r{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            float s = 0.0f;
            for (int k = 0; k < 4; ++k) s += a.m[i][k] * b.m[k][j];
            r.m[i][j] = s;
        }
    }
    return r;
}

namespace {

constexpr const char* kTooMany = "オブジェクト数が多過ぎます";
constexpr int kMaxVertices = 65536;  // 16-bit indices

struct Device {
    bool open = false;
    std::vector<float> zbuffer;
    int zWidth = 0, zHeight = 0;
    int textureFormat = -1;
    TextureCaps caps{1, 1, 4096, 4096, false, false};
    bool managedTextures = true;
    bool blendSupported[7] = {false, true, true, true, true, true, true};
    int currentTexture = kNoTexture;
    int viewport[4] = {0, 0, 0, 0};  // left, top, right, bottom
    Matrix projection = Matrix::Identity();
    Matrix view = Matrix::Identity();
    Matrix world = Matrix::Identity();
    bool clearTarget = true, clearZ = true;
    uint32_t clearColor = 0xFF000000u;
    uint32_t ambient = 0;  // 0xFFRRGGBB
    // Render states.
    int blendMode = 1;
    bool blending = false;
    int shadeMode = 1;
    bool zEnable = true;
    bool dither = true, specular = true, colorKey = false, perspective = true, antialias = false;
    elRaster::Filter minFilter = elRaster::Filter::Linear, magFilter = elRaster::Filter::Linear;
    bool textureAlphaOnly = false;
    // The lights as last set on the device, and the numbers of those that are on.
    LightRecord deviceLights[kLightCount];
    std::vector<int> activeLights;
    bool lightsDirty = true;
};

Device g_dev;
ModelRecord g_models[kModelCount];
LightRecord g_lights[kLightCount];
const ModelRecord g_emptyModel{};
const LightRecord g_emptyLight{};

bool ValidModel(int model) { return model >= 0 && model < kModelCount; }
bool ValidLight(int light) { return light >= 0 && light < kLightCount; }

void ResetMaterial(Material& mat) {
    mat = Material{};
    // A white, opaque diffuse colour: a sprite facing the white scene light shows its texels as
    // they are, and its alpha is what SetAlpha gives it.
    for (float& d : mat.diffuse) d = 1.0f;
    for (float& a : mat.ambient) a = 0.5f;
}

void ResetLight(LightRecord& l) { l = LightRecord{}; }

Matrix Scale(float x, float y, float z) {
    Matrix r = Matrix::Identity();
    r.m[0][0] = x;
    r.m[1][1] = y;
    r.m[2][2] = z;
    return r;
}
Matrix Translation(float x, float y, float z) {
    Matrix r = Matrix::Identity();
    r.m[3][0] = x;
    r.m[3][1] = y;
    r.m[3][2] = z;
    return r;
}
Matrix RotationX(float a) {
    Matrix r = Matrix::Identity();
    const float c = std::cos(a), s = std::sin(a);
    r.m[1][1] = c;
    r.m[1][2] = -s;
    r.m[2][1] = s;
    r.m[2][2] = c;
    return r;
}
Matrix RotationY(float a) {
    Matrix r = Matrix::Identity();
    const float c = std::cos(a), s = std::sin(a);
    r.m[0][0] = c;
    r.m[0][2] = s;
    r.m[2][0] = -s;
    r.m[2][2] = c;
    return r;
}
Matrix RotationZ(float a) {
    Matrix r = Matrix::Identity();
    const float c = std::cos(a), s = std::sin(a);
    r.m[0][0] = c;
    r.m[0][1] = -s;
    r.m[1][0] = s;
    r.m[1][1] = c;
    return r;
}

void Transform(const float v[4], const Matrix& m, float out[4]) {
    for (int j = 0; j < 4; ++j) {
        out[j] = v[0] * m.m[0][j] + v[1] * m.m[1][j] + v[2] * m.m[2][j] + v[3] * m.m[3][j];
    }
}

void SetParam(int model, int index, float value) {
    if (ValidModel(model)) g_models[model].param[index] = value;
}

uint8_t ToByte(float f) { return uint8_t(std::clamp(f, 0.0f, 1.0f) * 255.0f); }

void ClearRect(plat::Surface& s, const int rect[4], bool target, bool z) {
    const int l = std::max(rect[0], 0), t = std::max(rect[1], 0);
    const int r = std::min(rect[2], s.width), b = std::min(rect[3], s.height);
    for (int y = t; y < b; ++y) {
        if (target) std::fill(s.Row(y) + l, s.Row(y) + r, g_dev.clearColor);
        if (z && y < g_dev.zHeight && r <= g_dev.zWidth) {
            std::fill(g_dev.zbuffer.begin() + ptrdiff_t(y) * g_dev.zWidth + l,
                      g_dev.zbuffer.begin() + ptrdiff_t(y) * g_dev.zWidth + r, 1.0f);
        }
    }
}

// Keeps the Z buffer the size of the back buffer.
bool MatchZBuffer(const plat::Surface& target) {
    if (g_dev.zWidth == target.width && g_dev.zHeight == target.height) return true;
    try {
        g_dev.zbuffer.assign(size_t(std::max(target.width, 0)) * size_t(std::max(target.height, 0)), 1.0f);
    } catch (...) {
        g_dev.zbuffer.clear();
        g_dev.zWidth = g_dev.zHeight = 0;
        return false;
    }
    g_dev.zWidth = target.width;
    g_dev.zHeight = target.height;
    return true;
}

// The lit colour of a vertex (world position and unit normal), 0xAARRGGBB.
uint32_t LightVertex(const Material& mat, const float pos[3], const float n[3]) {
    float rgb[3];
    const float amb[3] = {float((g_dev.ambient >> 16) & 0xFF) / 255.0f,
                          float((g_dev.ambient >> 8) & 0xFF) / 255.0f, float(g_dev.ambient & 0xFF) / 255.0f};
    for (int i = 0; i < 3; ++i) rgb[i] = mat.emissive[i] + amb[i] * mat.ambient[i];
    if (g_dev.lightsDirty) {
        g_dev.activeLights.clear();
        for (int li = 0; li < kLightCount; ++li) {
            if (g_dev.deviceLights[li].used && g_dev.deviceLights[li].enabled) {
                g_dev.activeLights.push_back(li);
            }
        }
        g_dev.lightsDirty = false;
    }
    for (int li : g_dev.activeLights) {
        const LightRecord& l = g_dev.deviceLights[li];
        if (l.type < kLightDirectional || l.type > kLightPoint) continue;  // not a light type
        float dir[3];
        float atten = 1.0f;
        if (l.type == kLightDirectional) {
            for (int i = 0; i < 3; ++i) dir[i] = -l.direction[i];
        } else {
            float d2 = 0.0f;
            for (int i = 0; i < 3; ++i) {
                dir[i] = l.position[i] - pos[i];
                d2 += dir[i] * dir[i];
            }
            const float d = std::sqrt(d2);
            if (d > l.range) continue;
            const float den = l.attenuation0 + l.attenuation1 * d + l.attenuation2 * d2;
            atten = den > 0.0f ? 1.0f / den : 1.0f;
            if (l.type == kLightSpot) {
                float len = std::sqrt(l.direction[0] * l.direction[0] + l.direction[1] * l.direction[1] +
                                      l.direction[2] * l.direction[2]);
                float rho = 0.0f;
                if (len > 0.0f && d > 0.0f) {
                    for (int i = 0; i < 3; ++i) rho += -dir[i] / d * l.direction[i] / len;
                }
                const float ct = std::cos(l.theta * 0.5f), cp = std::cos(l.phi * 0.5f);
                float spot;
                if (rho > ct)
                    spot = 1.0f;
                else if (rho <= cp)
                    spot = 0.0f;
                else
                    spot = std::pow((rho - cp) / (ct - cp), l.falloff);
                atten *= spot;
            }
        }
        float len = std::sqrt(dir[0] * dir[0] + dir[1] * dir[1] + dir[2] * dir[2]);
        float ndl = 0.0f;
        if (len > 0.0f) ndl = std::max(0.0f, (n[0] * dir[0] + n[1] * dir[1] + n[2] * dir[2]) / len);
        for (int i = 0; i < 3; ++i) {
            rgb[i] += atten * (l.ambient[i] * mat.ambient[i] + l.diffuse[i] * mat.diffuse[i] * ndl);
        }
    }
    auto byte = [](float f) { return uint32_t(std::clamp(f, 0.0f, 1.0f) * 255.0f + 0.5f); };
    return (byte(mat.diffuse[3]) << 24) | (byte(rgb[0]) << 16) | (byte(rgb[1]) << 8) | byte(rgb[2]);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Start and end

bool Init() {
    static const char* kContext = "el4D::Init";
    plat::Surface& target = elDraw::BackBuffer();
    // Our device is the software rasteriser: it draws into any 32-bit back buffer.
    if (target.Empty()) {
        elSystem::Error(kContext, "Direct3D IMが使用できません");
        return false;
    }
    g_dev = Device{};
    if (!MatchZBuffer(target)) {
        elSystem::Error(kContext, "Z Bufferが生成できません");
        return false;
    }
    g_dev.textureFormat = 0;  // 32-bit ARGB with 8 bits of alpha
    for (int i = 0; i < kModelCount; ++i) ResetModel(i);
    for (LightRecord& l : g_lights) ResetLight(l);
    for (LightRecord& l : g_dev.deviceLights) ResetLight(l);
    g_dev.lightsDirty = true;
    g_models[kCameraModel].format = 1;
    g_lights[0].used = 1;  // light 0 is never handed out: 0 is the failure result
    g_dev.open = true;

    SetViewport(0, 0, target.width, target.height);
    SetProjection(1.0f, 1000.0f, float(std::numbers::pi / 3.0), float(target.height) / float(target.width));
    ComposeCamera(kCameraModel);
    ApplyCamera();

    SetZEnable(true);
    SetDither(true);
    SetSpecularEnable(true);
    SetShadeMode(1);
    SetAntialias(false);
    SetAlphaSource(2);
    SetPerspectiveCorrection(true);
    SetFilter(2, 2);
    SetColorKeyEnable(false);
    SetManagedTextures(true);
    g_dev.clearTarget = true;
    g_dev.clearZ = true;
    ClearAllRects();
    SetClearColor(0.0f, 0.0f, 0.0f);
    SetAmbient(0.5f, 0.5f, 0.5f);
    SetBlendMode(1);
    return true;
}

void End() {
    for (int i = 0; i < kModelCount; ++i) {
        if (g_models[i].format != 0) ResetModel(i);
    }
    g_models[kCameraModel].format = 0;
    g_dev.zbuffer.clear();
    g_dev.zbuffer.shrink_to_fit();
    g_dev.zWidth = g_dev.zHeight = 0;
    g_dev.open = false;
}

bool IsInitialised() { return g_dev.open; }
const TextureCaps& GetTextureCaps() { return g_dev.caps; }
bool IsHardwareDevice() { return false; }

// ---------------------------------------------------------------------------------------------
// Frame

void BeginScene() { g_dev.currentTexture = kNoTexture; }
void EndScene() {}

void Clear() {
    if (!g_dev.open) return;
    plat::Surface& target = elDraw::BackBuffer();
    if (target.Empty()) return;
    MatchZBuffer(target);
    ClearRect(target, g_dev.viewport, g_dev.clearTarget, g_dev.clearZ);
}

void SetClearColor(float r, float g, float b) {
    g_dev.clearColor =
        0xFF000000u | (uint32_t(ToByte(r)) << 16) | (uint32_t(ToByte(g)) << 8) | uint32_t(ToByte(b));
}
void SetClearTarget(bool on) { g_dev.clearTarget = on; }
void SetClearZ(bool on) { g_dev.clearZ = on; }
void ClearAllRects() {}  // clears always cover the whole viewport

void RenderModel(int model) {
    if (!g_dev.open || !ValidModel(model) || model == kCameraModel) return;
    ModelRecord& rec = g_models[model];
    if (rec.format == 0 || !rec.vertexBuffer || !rec.indices || rec.indexCount < 3) return;
    plat::Surface& target = elDraw::BackBuffer();
    if (target.Empty() || !MatchZBuffer(target)) return;

    if (rec.texture != g_dev.currentTexture) g_dev.currentTexture = rec.texture;
    elRaster::Texture tex;
    const elRaster::Texture* texPtr = nullptr;
    if (const elDraw::ElObjectSlot* slot = rec.texture >= 0 ? elDraw::GetObjectSlot(rec.texture) : nullptr;
        slot && slot->surface && !slot->surface->Empty()) {
        tex.pixels = slot->surface->pixels.data();
        tex.width = slot->surface->width;
        tex.height = slot->surface->height;
        tex.key = plat::ColorRefToPixel(slot->colorKey) & 0x00FFFFFFu;
        texPtr = &tex;
    }

    const Matrix wvp = Multiply(Multiply(g_dev.world, g_dev.view), g_dev.projection);
    static std::vector<elRaster::Vertex> verts;
    verts.resize(size_t(rec.vertexCount));
    for (int i = 0; i < rec.vertexCount; ++i) {
        const ModelVertex& mv = rec.vertexBuffer[i];
        const float p[4] = {mv.x, mv.y, mv.z, 1.0f};
        float clip[4], world[4];
        Transform(p, wvp, clip);
        Transform(p, g_dev.world, world);
        const float nv[4] = {mv.nx, mv.ny, mv.nz, 0.0f};
        float n[4];
        Transform(nv, g_dev.world, n);
        const float len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (len > 0.0f) {
            for (int k = 0; k < 3; ++k) n[k] /= len;
        }
        verts[size_t(i)] = {
            clip[0], clip[1], clip[2], clip[3], mv.u, mv.v, LightVertex(rec.material, world, n)};
    }

    elRaster::Target tg;
    tg.surface = &target;
    tg.zbuffer = g_dev.zbuffer.empty() ? nullptr : g_dev.zbuffer.data();
    tg.clipLeft = std::max(0, g_dev.viewport[0]);
    tg.clipTop = std::max(0, g_dev.viewport[1]);
    tg.clipRight = std::min(target.width, g_dev.viewport[2]);
    tg.clipBottom = std::min(target.height, g_dev.viewport[3]);
    const elRaster::Viewport vp{float(g_dev.viewport[0]), float(g_dev.viewport[1]),
                                float(g_dev.viewport[2] - g_dev.viewport[0]),
                                float(g_dev.viewport[3] - g_dev.viewport[1])};
    elRaster::State st;
    st.blendMode = g_dev.blendMode;
    st.blending = g_dev.blending;
    st.zEnable = g_dev.zEnable;
    st.colorKey = g_dev.colorKey;
    st.perspective = g_dev.perspective;
    st.textureAlphaOnly = g_dev.textureAlphaOnly;
    st.gouraud = g_dev.shadeMode == 1;
    st.fill = g_dev.shadeMode == 3   ? elRaster::Fill::Wireframe
              : g_dev.shadeMode == 4 ? elRaster::Fill::Points
                                     : elRaster::Fill::Solid;
    st.minFilter = g_dev.minFilter;
    st.magFilter = g_dev.magFilter;

    const uint16_t* idx = rec.indices.get();
    const int vc = rec.vertexCount;
    for (int i = 0; i + 2 < rec.indexCount; i += 3) {
        const int a = idx[i], b = idx[i + 1], c = idx[i + 2];
        if (a >= vc || b >= vc || c >= vc) continue;
        // A square's cell, (a, a1, b) then (b, a1, b1), goes to the rasteriser as one quad.
        if (i + 5 < rec.indexCount && idx[i + 3] == c && idx[i + 4] == b && idx[i + 5] < vc) {
            elRaster::DrawQuad(tg, vp, st, texPtr, verts[size_t(a)], verts[size_t(b)], verts[idx[i + 5]],
                               verts[size_t(c)]);
            i += 3;
            continue;
        }
        elRaster::DrawTriangle(tg, vp, st, texPtr, verts[size_t(a)], verts[size_t(b)], verts[size_t(c)]);
    }
}

// ---------------------------------------------------------------------------------------------
// Models

namespace Primitive {

int Square(int columns, int rows, float width, float depth, float uExtent, float vExtent) {
    int model = 0;
    for (int i = 1; i < kModelCount; ++i) {
        if (g_models[i].format == 0) {
            model = i;
            break;
        }
    }
    if (model == 0) {
        elSystem::Error("el4D::Primitive::Square", kTooMany);
        return 0;
    }
    ResetModel(model);
    ModelRecord& rec = g_models[model];
    rec.format = kSquareFormat;
    const bool sane = columns >= 1 && rows >= 1 && columns < kMaxVertices && rows < kMaxVertices &&
                      int64_t(columns + 1) * (rows + 1) <= kMaxVertices;
    rec.vertexCount = sane ? (columns + 1) * (rows + 1) : 0;
    rec.indexCount = sane ? 6 * columns * rows : 0;
    if (!CreateVertexBuffer(model)) {
        ResetModel(model);
        return 0;
    }
    if (depth == 0.0f) depth = width;
    if (vExtent == 0.0f) vExtent = uExtent;
    LockModel(model, 0);
    ModelVertex* v = rec.lockedData;
    for (int i = 0; i <= columns; ++i) {
        for (int j = 0; j <= rows; ++j) {
            const float fi = float(i) / float(columns), fj = float(j) / float(rows);
            v[i * (rows + 1) + j] = {
                fi * width - width / 2, 0.0f, fj * depth - depth / 2, 0.0f, 1.0f, 0.0f, fi * uExtent,
                vExtent - fj * vExtent};
        }
    }
    UnlockModel(model);
    uint16_t* idx = rec.indices.get();
    for (int i = 0; i < columns; ++i) {
        for (int j = 0; j < rows; ++j) {
            const int a = i * (rows + 1) + j, b = a + rows + 1;
            const uint16_t tri[6] = {uint16_t(a), uint16_t(a + 1), uint16_t(b),
                                     uint16_t(b), uint16_t(a + 1), uint16_t(b + 1)};
            std::copy(tri, tri + 6, idx);
            idx += 6;
        }
    }
    return model;
}

}  // namespace Primitive

bool CreateVertexBuffer(int model) {
    if (!ValidModel(model)) return false;
    ModelRecord& rec = g_models[model];
    if (rec.vertexBuffer) return true;
    if (rec.vertexCount <= 0 || rec.vertexCount > kMaxVertices || rec.indexCount < 0) {
        elSystem::Error("el4D::CreateVertexBuffer", "頂点バッファを生成できません");
        return false;
    }
    try {
        rec.vertexBuffer = std::make_unique<ModelVertex[]>(size_t(rec.vertexCount));
        rec.indices = std::make_unique<uint16_t[]>(size_t(std::max(rec.indexCount, 1)));
    } catch (...) {
        rec.vertexBuffer.reset();
        elSystem::Error("el4D::CreateVertexBuffer", "頂点バッファを生成できません");
        return false;
    }
    return true;
}

void ResetModel(int model) {
    if (!ValidModel(model)) return;
    ModelRecord& rec = g_models[model];
    if (rec.ownsTexture && rec.texture >= 0) elDraw::ReleaseObject(rec.texture);
    rec = ModelRecord{};
    rec.matrix = Matrix::Identity();
    rec.applied = Matrix::Identity();
    for (float& p : rec.param) p = 0.0f;
    rec.param[6] = rec.param[7] = rec.param[8] = 1.0f;
    ResetMaterial(rec.material);
}

bool LockModel(int model, uint32_t /*flags*/) {
    if (!ValidModel(model)) return false;
    ModelRecord& rec = g_models[model];
    if (!rec.vertexBuffer) return false;
    if (++rec.lockCount == 0) {
        rec.lockedData = rec.vertexBuffer.get();
        ++rec.bufferLocks;
    }
    return true;
}

void UnlockModel(int model) {
    if (!ValidModel(model)) return;
    ModelRecord& rec = g_models[model];
    if (rec.lockCount < 0) return;
    if (rec.lockCount-- == 0) rec.lockedData = nullptr;
}

ModelVertex* GetLockedVertices(int model) { return ValidModel(model) ? g_models[model].lockedData : nullptr; }
uint16_t* GetIndices(int model) { return ValidModel(model) ? g_models[model].indices.get() : nullptr; }
const ModelRecord& GetModel(int model) { return ValidModel(model) ? g_models[model] : g_emptyModel; }

void SetModelX(int model, float value) { SetParam(model, 0, value); }
void SetModelY(int model, float value) { SetParam(model, 1, value); }
void SetModelZ(int model, float value) { SetParam(model, 2, value); }
void SetModelRotX(int model, float value) { SetParam(model, 3, value); }
void SetModelRotY(int model, float value) { SetParam(model, 4, value); }
void SetModelRotZ(int model, float value) { SetParam(model, 5, value); }
void SetModelScaleX(int model, float value) { SetParam(model, 6, value); }
void SetModelScaleY(int model, float value) { SetParam(model, 7, value); }
void SetModelScaleZ(int model, float value) { SetParam(model, 8, value); }

void SetModelTexture(int model, int slot, bool owns) {
    if (!ValidModel(model)) return;
    g_models[model].texture = slot;
    g_models[model].ownsTexture = owns && slot >= 0;
}
int GetModelTexture(int model) { return ValidModel(model) ? g_models[model].texture : -1; }

void SetDiffuse(int model, float r, float g, float b) {
    if (!ValidModel(model)) return;
    Material& m = g_models[model].material;
    m.diffuse[0] = r;
    m.diffuse[1] = g;
    m.diffuse[2] = b;
}
void SetAlpha(int model, float a) {
    if (ValidModel(model)) g_models[model].material.diffuse[3] = a;
}
void SetAmbientMaterial(int model, float r, float g, float b) {
    if (!ValidModel(model)) return;
    Material& m = g_models[model].material;
    m.ambient[0] = r;
    m.ambient[1] = g;
    m.ambient[2] = b;
}
void SetSpecular(int model, float r, float g, float b) {
    if (!ValidModel(model)) return;
    Material& m = g_models[model].material;
    m.specular[0] = r;
    m.specular[1] = g;
    m.specular[2] = b;
}
void SetEmissive(int model, float r, float g, float b) {
    if (!ValidModel(model)) return;
    Material& m = g_models[model].material;
    m.emissive[0] = r;
    m.emissive[1] = g;
    m.emissive[2] = b;
}
void SetPower(int model, float p) {
    if (ValidModel(model)) g_models[model].material.power = p;
}
int GetVertexCount(int model) { return ValidModel(model) ? g_models[model].vertexCount : 0; }
void ReleaseTexture(int slot) { elDraw::ReleaseObject(slot); }

void ComposeModel(int model) {
    if (!ValidModel(model)) return;
    ModelRecord& r = g_models[model];
    const float* p = r.param;
    Matrix m = Multiply(r.matrix, Scale(p[6], p[7], p[8]));
    m = Multiply(m, RotationX(p[3]));
    m = Multiply(m, RotationY(p[4]));
    m = Multiply(m, RotationZ(p[5]));
    r.matrix = Multiply(m, Translation(p[0], p[1], p[2]));
}

void ComposeCamera(int model) {
    if (!ValidModel(model)) return;
    ModelRecord& r = g_models[model];
    const float* p = r.param;
    Matrix m = Multiply(r.matrix, Scale(p[6], p[7], p[8]));
    m = Multiply(m, Translation(p[0], p[1], p[2]));
    m = Multiply(m, RotationX(p[3]));
    m = Multiply(m, RotationY(p[4]));
    r.matrix = Multiply(m, RotationZ(p[5]));
}

void ApplyWorld(int model) {
    if (!ValidModel(model)) return;
    ModelRecord& r = g_models[model];
    g_dev.world = r.matrix;
    r.applied = r.matrix;
    r.matrix = Matrix::Identity();
}

void ApplyCamera() {
    ModelRecord& r = g_models[kCameraModel];
    g_dev.view = r.matrix;
    g_dev.world = r.matrix;
    r.applied = r.matrix;
    r.matrix = Matrix::Identity();
}

bool ProjectModel(int model, float& x, float& y, float& depth, float& w) {
    if (!ValidModel(model)) return false;
    const float origin[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float world[4], view[4], clip[4];
    Transform(origin, g_models[model].applied, world);
    Transform(world, g_dev.view, view);
    Transform(view, g_dev.projection, clip);
    depth = clip[2];
    w = clip[3];
    if (w == 0.0f) return false;
    const float vw = float(g_dev.viewport[2] - g_dev.viewport[0]);
    const float vh = float(g_dev.viewport[3] - g_dev.viewport[1]);
    x = (clip[0] / w + 1.0f) * vw * 0.5f + float(g_dev.viewport[0]);
    y = (1.0f - clip[1] / w) * vh * 0.5f + float(g_dev.viewport[1]);
    return depth >= 0.0f && depth < w;
}

// ---------------------------------------------------------------------------------------------
// Camera and view

void SetCameraX(float value) { g_models[kCameraModel].param[0] = -value; }
void SetCameraY(float value) { g_models[kCameraModel].param[1] = -value; }
void SetCameraZ(float value) { g_models[kCameraModel].param[2] = -value; }
void SetCameraRotX(float value) { g_models[kCameraModel].param[3] = -value; }
void SetCameraRotZ(float value) { g_models[kCameraModel].param[5] = -value; }

void SetViewport(int left, int top, int right, int bottom) {
    g_dev.viewport[0] = left;
    g_dev.viewport[1] = top;
    g_dev.viewport[2] = right;
    g_dev.viewport[3] = bottom;
}

void SetProjection(float nearPlane, float farPlane, float fieldOfView, float aspect) {
    const float s = std::sin(fieldOfView / 2);
    if (std::fabs(farPlane - nearPlane) < 0.01f || std::fabs(s) < 0.01f) return;
    const float cot = std::cos(fieldOfView / 2) / s;
    Matrix m{};
    m.m[0][0] = cot * aspect;
    m.m[1][1] = cot;
    m.m[2][2] = farPlane / (farPlane - nearPlane);
    m.m[3][2] = -m.m[2][2] * nearPlane;
    m.m[2][3] = 1.0f;
    g_dev.projection = m;
}

const Matrix& GetView() { return g_dev.view; }
const Matrix& GetProjection() { return g_dev.projection; }

// ---------------------------------------------------------------------------------------------
// Lights

namespace Light {

int Create(int type) {
    int light = 0;
    for (int i = 1; i < kLightCount; ++i) {
        if (!g_lights[i].used) {
            light = i;
            break;
        }
    }
    if (light == 0) {
        elSystem::Error("el4D::Light::Create", kTooMany);
        return 0;
    }
    LightRecord& l = g_lights[light];
    ResetLight(l);
    l.used = 1;
    l.type = type;
    if (type == kLightSpot) {
        l.falloff = 1.0f;
        l.attenuation0 = 0.5f;
    } else if (type == kLightPoint) {
        l.attenuation1 = 0.1f;
    }
    l.range = 1.8446743e19f;
    l.diffuse[0] = l.diffuse[1] = l.diffuse[2] = 1.0f;
    l.enabled = true;
    g_dev.deviceLights[light] = l;
    g_dev.lightsDirty = true;
    return light;
}

}  // namespace Light

void SetLightDiffuse(int light, float r, float g, float b) {
    if (!ValidLight(light)) return;
    g_lights[light].diffuse[0] = r;
    g_lights[light].diffuse[1] = g;
    g_lights[light].diffuse[2] = b;
}
void SetLightDirection(int light, float x, float y, float z) {
    if (!ValidLight(light)) return;
    g_lights[light].direction[0] = x;
    g_lights[light].direction[1] = y;
    g_lights[light].direction[2] = z;
}
void ApplyLight(int light) {
    if (!ValidLight(light) || !g_lights[light].used) return;
    const bool enabled = g_dev.deviceLights[light].enabled;
    g_dev.deviceLights[light] = g_lights[light];
    g_dev.deviceLights[light].enabled = enabled;
    g_dev.lightsDirty = true;
}
void EnableLight(int light) {
    if (!ValidLight(light) || !g_lights[light].used) return;
    g_lights[light].enabled = true;
    g_dev.deviceLights[light].used = 1;
    g_dev.deviceLights[light].enabled = true;
    g_dev.lightsDirty = true;
}
const LightRecord& GetLight(int light) { return ValidLight(light) ? g_lights[light] : g_emptyLight; }

void SetAmbient(float r, float g, float b) {
    g_dev.ambient =
        0xFF000000u | (uint32_t(ToByte(r)) << 16) | (uint32_t(ToByte(g)) << 8) | uint32_t(ToByte(b));
}

// ---------------------------------------------------------------------------------------------
// Render states

void SetBlendMode(int mode) {
    if (mode < 1 || mode > 6) return;
    g_dev.blendMode = mode;
    g_dev.blending = mode >= 2 && g_dev.blendSupported[mode];
}
int GetBlendMode() { return g_dev.blendMode; }

void SetShadeMode(int mode) {
    if (mode >= 1 && mode <= 4) g_dev.shadeMode = mode;
}
void SetZEnable(bool on) {
    g_dev.zEnable = on;
    g_dev.clearZ = on;
}
void SetDither(bool on) { g_dev.dither = on; }  // no effect on a 32-bit target
void SetSpecularEnable(bool on) { g_dev.specular = on; }
void SetColorKeyEnable(bool on) { g_dev.colorKey = on; }
void SetPerspectiveCorrection(bool on) { g_dev.perspective = on; }
void SetAntialias(bool on) {
    // The device offers no antialiasing mode, so the state stays off.
    (void)on;
    g_dev.antialias = false;
}

void SetFilter(int minification, int magnification) {
    if (magnification == -1) magnification = minification;
    auto pick = [](int f, elRaster::Filter& out) {
        if (f == 1)
            out = elRaster::Filter::Point;
        else if (f == 2)
            out = elRaster::Filter::Linear;
    };
    pick(minification, g_dev.minFilter);
    pick(magnification, g_dev.magFilter);
}

void SetAlphaSource(int source) { g_dev.textureAlphaOnly = source == 1; }
void SetManagedTextures(bool on) { g_dev.managedTextures = on; }
bool GetManagedTextures() { return g_dev.managedTextures; }

uint32_t MakeTextureColor(float r, float g, float b) {
    return 0xFF000000u | (uint32_t(ToByte(r)) << 16) | (uint32_t(ToByte(g)) << 8) | uint32_t(ToByte(b));
}

}  // namespace el4D
