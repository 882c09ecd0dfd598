#pragma once
// The 3-D layer: the game's sprites are textured squares drawn with a perspective camera, a Z
// buffer, lights and six blend modes into the draw layer's back buffer. The device is the game's
// own software rasteriser (engine/el/Raster.h). Model and light records live in fixed
// process-wide tables addressed by number; record 0 of the model table is the camera.
// Failures go through elSystem::Error and a 0 / false / -1 result, never by throwing.
#include <cstdint>
#include <memory>

namespace el4D {

inline constexpr int kModelCount = 4096;
inline constexpr int kLightCount = 1024;
inline constexpr int kCameraModel = 0;
inline constexpr uint32_t kSquareFormat = 274;  // position, normal, one texture coordinate
inline constexpr int kNoTexture = 65535;        // current texture before the first model of a scene

// 4 x 4 matrix, row-vector convention (v' = v x M): translation in row 3.
struct Matrix {
    float m[4][4];
    static Matrix Identity();
};
Matrix Multiply(const Matrix& a, const Matrix& b);

// One vertex of the square format: position, normal, texture coordinate.
struct ModelVertex {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};

struct Material {
    float diffuse[4];  // r, g, b, a
    float ambient[3];
    float specular[3];
    float emissive[3];
    float power;
};

// One record of the model table (read-only view; change it through the functions below).
struct ModelRecord {
    uint32_t format = 0;  // 0 free; kSquareFormat for squares; record 0 marked used
    std::unique_ptr<ModelVertex[]> vertexBuffer;
    ModelVertex* lockedData = nullptr;  // into vertexBuffer while locked
    int bufferLocks = 0;                // how often the vertex buffer itself was locked
    std::unique_ptr<uint16_t[]> indices;
    int vertexCount = 0;
    int indexCount = 0;
    Matrix matrix;     // being composed
    Matrix applied;    // last applied world matrix
    float param[9];    // x, y, z, rot x, rot y, rot z, scale x, y, z
    int texture = -1;  // engine object slot, -1 none
    bool ownsTexture = false;
    Material material;
    int lockCount = -1;
};

// Light types and record.
inline constexpr int kLightDirectional = 1;
inline constexpr int kLightSpot = 2;
inline constexpr int kLightPoint = 3;
struct LightRecord {
    uint32_t used = 0;
    int type = 0;
    float diffuse[4], specular[4], ambient[4];
    float position[3], direction[3];
    float range, falloff, attenuation0, attenuation1, attenuation2, theta, phi;
    bool enabled = false;
};

// What texture sizes the device accepts (the draw layer sizes textures by it).
struct TextureCaps {
    int minWidth, minHeight, maxWidth, maxHeight;
    bool powerOfTwo;
    bool squareOnly;
};

// ---- Start and end ----
bool Init();  // on the draw layer's back buffer; context "el4D::Init"
void End();
bool IsInitialised();
const TextureCaps& GetTextureCaps();
bool IsHardwareDevice();  // false: ours rasterises in software

// ---- Frame ----
void BeginScene();
void EndScene();
void Clear();
void SetClearColor(float r, float g, float b);
void SetClearTarget(bool on);
void SetClearZ(bool on);
void ClearAllRects();
// Draws the model with the world transform last applied (ApplyWorld or ApplyCamera), its texture,
// its material and the current render states into the draw layer's back buffer.
void RenderModel(int model);

// ---- Models ----
namespace Primitive {
// A grid of columns x rows cells in the x-z plane facing +y; depth 0 = width, v extent 0 = u extent.
int Square(int columns, int rows, float width, float depth, float uExtent, float vExtent);
}  // namespace Primitive
bool CreateVertexBuffer(int model);
void ResetModel(int model);
bool LockModel(int model, uint32_t flags);
void UnlockModel(int model);
// The locked vertex data of a model, null unless it is locked.
ModelVertex* GetLockedVertices(int model);
uint16_t* GetIndices(int model);
const ModelRecord& GetModel(int model);  // an empty record for a number out of range

void SetModelX(int model, float value);
void SetModelY(int model, float value);
void SetModelZ(int model, float value);
void SetModelRotX(int model, float value);
void SetModelRotY(int model, float value);
void SetModelRotZ(int model, float value);
void SetModelScaleX(int model, float value);
void SetModelScaleY(int model, float value);
void SetModelScaleZ(int model, float value);
// Binds an engine object as the model's texture; with `owns` ResetModel releases it.
void SetModelTexture(int model, int slot, bool owns = false);
int GetModelTexture(int model);
void SetDiffuse(int model, float r, float g, float b);
void SetAlpha(int model, float a);
void SetAmbientMaterial(int model, float r, float g, float b);
void SetSpecular(int model, float r, float g, float b);
void SetEmissive(int model, float r, float g, float b);
void SetPower(int model, float p);
int GetVertexCount(int model);
void ReleaseTexture(int slot);

void ComposeModel(int model);
void ComposeCamera(int model);
void ApplyWorld(int model);
void ApplyCamera();
// Screen position of the model's origin through its last world matrix, the view and the
// projection; true only when 0 <= depth < w (in front of the camera).
bool ProjectModel(int model, float& x, float& y, float& depth, float& w);

// ---- Camera and view ----
void SetCameraX(float value);
void SetCameraY(float value);
void SetCameraZ(float value);
void SetCameraRotX(float value);
void SetCameraRotZ(float value);
void SetViewport(int left, int top, int right, int bottom);
void SetProjection(float nearPlane, float farPlane, float fieldOfView, float aspect);
const Matrix& GetView();
const Matrix& GetProjection();

// ---- Lights ----
namespace Light {
int Create(int type);  // light number 1..1023 (light 0 is never handed out), 0 on failure
}
void SetLightDiffuse(int light, float r, float g, float b);
void SetLightDirection(int light, float x, float y, float z);
void ApplyLight(int light);
void EnableLight(int light);
const LightRecord& GetLight(int light);
void SetAmbient(float r, float g, float b);

// ---- Render states ----
void SetBlendMode(int mode);  // 1..6; other values change nothing
int GetBlendMode();
void SetShadeMode(int mode);  // 1 Gouraud, 2 flat, 3 flat wireframe, 4 flat points
void SetZEnable(bool on);
void SetDither(bool on);
void SetSpecularEnable(bool on);
void SetColorKeyEnable(bool on);
void SetPerspectiveCorrection(bool on);
void SetAntialias(bool on);
void SetFilter(int minification, int magnification);  // 1 point, 2 linear; -1 repeats the first
void SetAlphaSource(int source);                      // 1 texture alpha only; otherwise texture x diffuse
void SetManagedTextures(bool on);
bool GetManagedTextures();
// The pixel value of a colour (components 0..1) in the texture format (0xAARRGGBB).
uint32_t MakeTextureColor(float r, float g, float b);

}  // namespace el4D
