// The 3-D layer's tables: model and light limits with their errors, the square's geometry,
// nested locks, matrix composition and the camera record.
#include <array>

#include "el4d_fixture.h"

namespace {

class El4DModel : public El4DTest {};

TEST_F(El4DModel, TheModelTableHoldsFourThousandNinetyFiveSquares) {
    int first = el4D::Primitive::Square(1, 1, 0.25f, 0, 1, 0);
    EXPECT_EQ(first, 1);  // record 0 is the camera
    int last = first;
    for (int i = 2; i < el4D::kModelCount; ++i) last = el4D::Primitive::Square(1, 1, 0.25f, 0, 1, 0);
    EXPECT_EQ(last, el4D::kModelCount - 1);
    EXPECT_FALSE(elSystem::GetErrorFlag());

    EXPECT_EQ(el4D::Primitive::Square(1, 1, 0.25f, 0, 1, 0), 0);
    EXPECT_TRUE(elSystem::GetErrorFlag());
    EXPECT_EQ(LastMessage(), "エラー発生|el4D::Primitive::Square : オブジェクト数が多過ぎます");

    // A reset record is handed out again.
    el4D::ResetModel(1234);
    EXPECT_EQ(el4D::Primitive::Square(1, 1, 0.25f, 0, 1, 0), 1234);
}

TEST_F(El4DModel, LightsRunOutWithTheirOwnError) {
    // The scene light of the fixture took light 1.
    EXPECT_EQ(light, 1);
    for (int i = 2; i < el4D::kLightCount; ++i) {
        ASSERT_EQ(el4D::Light::Create(el4D::kLightPoint), i);
    }
    EXPECT_EQ(el4D::Light::Create(el4D::kLightSpot), 0);
    EXPECT_EQ(LastMessage(), "エラー発生|el4D::Light::Create : オブジェクト数が多過ぎます");
    EXPECT_FLOAT_EQ(el4D::GetLight(2).attenuation1, 0.1f);
    EXPECT_FLOAT_EQ(el4D::GetLight(2).range, 1.8446743e19f);
}

TEST_F(El4DModel, BadGeometryFailsAsAVertexBufferError) {
    EXPECT_EQ(el4D::Primitive::Square(0, 1, 1, 1, 1, 1), 0);
    EXPECT_EQ(LastMessage(), "エラー発生|el4D::CreateVertexBuffer : 頂点バッファを生成できません");
    EXPECT_EQ(el4D::Primitive::Square(300, 300, 1, 1, 1, 1), 0);  // past 16-bit indices
    // The failed record is free again.
    EXPECT_EQ(el4D::Primitive::Square(1, 1, 1, 1, 1, 1), 1);
}

TEST_F(El4DModel, SquareGeometry) {
    // Two columns, one row, depth and v extent taken from width and u extent.
    int m = el4D::Primitive::Square(2, 1, 4.0f, 0, 2.0f, 0);
    ASSERT_GT(m, 0);
    const el4D::ModelRecord& r = el4D::GetModel(m);
    EXPECT_EQ(r.format, el4D::kSquareFormat);
    EXPECT_EQ(el4D::GetVertexCount(m), 6);
    EXPECT_EQ(r.indexCount, 12);
    // Column by column: vertex (i, j) at index i * (rows + 1) + j.
    const el4D::ModelVertex& v3 = r.vertexBuffer[3];  // i = 1, j = 1
    EXPECT_FLOAT_EQ(v3.x, 0.0f);
    EXPECT_FLOAT_EQ(v3.z, 2.0f);
    EXPECT_FLOAT_EQ(v3.u, 1.0f);
    EXPECT_FLOAT_EQ(v3.v, 0.0f);
    EXPECT_FLOAT_EQ(r.vertexBuffer[0].x, -2.0f);
    EXPECT_FLOAT_EQ(r.vertexBuffer[0].v, 2.0f);
    EXPECT_FLOAT_EQ(r.vertexBuffer[0].ny, 1.0f);
    const uint16_t cell1[6] = {2, 3, 4, 4, 3, 5};  // a = 2, b = 4
    for (int k = 0; k < 6; ++k) EXPECT_EQ(r.indices[6 + k], cell1[k]);
    EXPECT_FLOAT_EQ(r.param[6], 1.0f);
    EXPECT_EQ(el4D::GetModelTexture(m), -1);
    EXPECT_EQ(r.lockCount, -1);
}

TEST_F(El4DModel, NestedLocksLockTheBufferOnce) {
    int m = el4D::Primitive::Square(1, 1, 1, 1, 1, 1);
    const int before = el4D::GetModel(m).bufferLocks;
    EXPECT_EQ(el4D::GetLockedVertices(m), nullptr);
    ASSERT_TRUE(el4D::LockModel(m, 0));
    ASSERT_TRUE(el4D::LockModel(m, 0));
    EXPECT_EQ(el4D::GetModel(m).bufferLocks, before + 1);
    EXPECT_NE(el4D::GetLockedVertices(m), nullptr);
    el4D::UnlockModel(m);
    EXPECT_NE(el4D::GetLockedVertices(m), nullptr);
    el4D::UnlockModel(m);
    EXPECT_EQ(el4D::GetLockedVertices(m), nullptr);
    el4D::UnlockModel(m);  // one too many changes nothing
    EXPECT_EQ(el4D::GetModel(m).lockCount, -1);
    EXPECT_FALSE(el4D::LockModel(4000, 0));  // no vertex buffer
}

TEST_F(El4DModel, ComposeMultipliesScaleRotationsThenTranslation) {
    int m = el4D::Primitive::Square(1, 1, 1, 1, 1, 1);
    el4D::SetModelScaleX(m, 2);
    el4D::SetModelRotZ(m, float(M_PI / 2));
    el4D::SetModelX(m, 1);
    el4D::SetModelY(m, 2);
    el4D::SetModelZ(m, 3);
    el4D::ComposeModel(m);
    const el4D::Matrix& mx = el4D::GetModel(m).matrix;
    // (1, 0, 0) scaled to (2, 0, 0), turned to (0, -2, 0), moved to (1, 0, 3).
    const float p[4] = {1, 0, 0, 1};
    float out[3] = {};
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 4; ++i) out[j] += p[i] * mx.m[i][j];
    }
    EXPECT_NEAR(out[0], 1, 1e-5);
    EXPECT_NEAR(out[1], 0, 1e-5);
    EXPECT_NEAR(out[2], 3, 1e-5);

    // Composing twice multiplies onto the first result; applying resets it to identity.
    el4D::ApplyWorld(m);
    EXPECT_FLOAT_EQ(el4D::GetModel(m).matrix.m[3][0], 0.0f);
    EXPECT_FLOAT_EQ(el4D::GetModel(m).applied.m[3][2], 3.0f);
}

TEST_F(El4DModel, CameraRecordHoldsNegatedValues) {
    el4D::SetCameraX(5);
    el4D::SetCameraY(-2);
    el4D::SetCameraZ(-1.5f);
    el4D::SetCameraRotX(0.25f);
    el4D::SetCameraRotZ(0.5f);
    const el4D::ModelRecord& cam = el4D::GetModel(0);
    EXPECT_FLOAT_EQ(cam.param[0], -5);
    EXPECT_FLOAT_EQ(cam.param[1], 2);
    EXPECT_FLOAT_EQ(cam.param[2], 1.5f);
    EXPECT_FLOAT_EQ(cam.param[3], -0.25f);
    EXPECT_FLOAT_EQ(cam.param[5], -0.5f);
    EXPECT_NE(cam.format, 0u);

    // Translation comes before the rotations: the camera's own position maps to the view origin.
    el4D::SetCameraRotX(0);
    el4D::ComposeCamera(0);
    el4D::ApplyCamera();
    const el4D::Matrix& v = el4D::GetView();
    const float p[4] = {5, -2, -1.5f, 1};
    for (int j = 0; j < 3; ++j) {
        float s = 0;
        for (int i = 0; i < 4; ++i) s += p[i] * v.m[i][j];
        EXPECT_NEAR(s, 0, 1e-5);
    }
}

TEST_F(El4DModel, ProjectionMatrixAndViewportMaths) {
    // What a projection of a 60-degree view on a 4:3 screen must do, whatever its matrix: a point
    // on the upper edge of the view lands on the top of clip space, one on the right edge on its
    // right side, and the near and far planes on the depths 0 and 1.
    el4D::SetProjection(1.0f, 1000.0f, float(M_PI / 3), 0.75f);
    auto clip = [](float px, float py, float pz) {
        const el4D::Matrix& p = el4D::GetProjection();
        const float in[4] = {px, py, pz, 1};
        std::array<float, 4> out{};
        for (int j = 0; j < 4; ++j)
            for (int i = 0; i < 4; ++i) out[j] += in[i] * p.m[i][j];
        return out;
    };
    const float halfHeight = float(std::tan(M_PI / 6)) * 10;  // at distance 10
    const auto top = clip(0, halfHeight, 10);
    EXPECT_NEAR(top[1] / top[3], 1.0f, 1e-5);
    EXPECT_NEAR(top[0], 0.0f, 1e-5);
    const auto right = clip(halfHeight * 4 / 3, 0, 10);
    EXPECT_NEAR(right[0] / right[3], 1.0f, 1e-5);
    const auto nearest = clip(0, 0, 1), farthest = clip(0, 0, 1000);
    EXPECT_NEAR(nearest[2] / nearest[3], 0.0f, 1e-5);
    EXPECT_NEAR(farthest[2] / farthest[3], 1.0f, 1e-5);
    const el4D::Matrix before = el4D::GetProjection();
    el4D::SetProjection(5.0f, 5.0f, 1.0f, 1.0f);  // degenerate: kept as it was
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_EQ(el4D::GetProjection().m[i][j], before.m[i][j]);

    // A viewport offset moves the projected point with it.
    int m = el4D::Primitive::Square(1, 1, 1, 1, 1, 1);
    PlaceSprite(m, 320, 240);
    el4D::SetViewport(100, 0, 420, 240);
    float x, y, depth, w;
    ASSERT_TRUE(el4D::ProjectModel(m, x, y, depth, w));
    EXPECT_NEAR(x, 260, 1e-3);
    EXPECT_NEAR(y, 120, 1e-3);
    EXPECT_GT(w, 0);
}

TEST_F(El4DModel, OwnedTexturesGoWithTheirModel) {
    int kept = MakeTexture(8, 8, 0xFFFFFFFFu);
    int owned = MakeTexture(8, 8, 0xFFFFFFFFu);
    int a = el4D::Primitive::Square(1, 1, 1, 1, 1, 1);
    int b = el4D::Primitive::Square(1, 1, 1, 1, 1, 1);
    el4D::SetModelTexture(a, kept);
    el4D::SetModelTexture(b, owned, true);
    el4D::ResetModel(a);
    el4D::ResetModel(b);
    EXPECT_NE(elDraw::GetObjectSurface(kept), nullptr);
    EXPECT_EQ(elDraw::GetObjectSurface(owned), nullptr);
    el4D::ReleaseTexture(kept);
    EXPECT_EQ(elDraw::GetObjectSurface(kept), nullptr);
}

TEST_F(El4DModel, MakeTextureColorAndBadNumbers) {
    EXPECT_EQ(el4D::MakeTextureColor(0, 1.0f, 0), 0xFF00FF00u);
    EXPECT_EQ(el4D::MakeTextureColor(2.0f, -1.0f, 1.0f), 0xFFFF00FFu);
    // Numbers outside the tables are ignored.
    el4D::SetModelX(-1, 1);
    el4D::SetModelX(el4D::kModelCount, 1);
    el4D::RenderModel(el4D::kModelCount);
    el4D::SetLightDiffuse(5000, 1, 1, 1);
    EXPECT_EQ(el4D::GetVertexCount(99999), 0);
    EXPECT_FALSE(elSystem::GetErrorFlag());
}

}  // namespace
