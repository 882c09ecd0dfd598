#pragma once
// The 3-D layer on the headless screen: a fresh device, the scene light as the game sets it
// (white, from the camera's side, no ambient) and the camera at its default distance.
#include <cmath>
#include <cstdint>
#include <numbers>

#include "engine/el/el4D.h"
#include "tests/common/headless_test.h"

class El4DTest : public testsupport::HeadlessTest {
  protected:
    // The camera distance at which 240 pixels fill half of the 60-degree field of view.
    static float DefaultZoom() { return float(-(480.0 / (std::tan(std::numbers::pi / 6) * 512.0))); }

    void SetUp() override {
        HeadlessTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(el4D::Init());
        light = el4D::Light::Create(el4D::kLightDirectional);
        el4D::SetAmbient(0, 0, 0);
        el4D::SetLightDirection(light, 0, 0, 1);
        el4D::SetLightDiffuse(light, 1, 1, 1);
        el4D::ApplyLight(light);
        el4D::SetFilter(1, 1);
        PlaceCamera(320, 240);
        Fill(0xFF000000u);
    }

    void TearDown() override {
        el4D::End();
        HeadlessTest::TearDown();
    }

    // What the game's camera hands the 3-D layer each frame (world pixels, y downward).
    void PlaceCamera(float x, float y, float rotation = 0, float zoom = DefaultZoom()) {
        el4D::SetCameraRotX(0);
        el4D::SetCameraRotZ(rotation);
        el4D::SetCameraX(x / 256);
        el4D::SetCameraY(-y / 256);
        el4D::SetCameraZ(zoom);
        el4D::ComposeCamera(0);
        el4D::ApplyCamera();
    }

    // A texture object filled with one pixel value.
    int MakeTexture(int w, int h, uint32_t pixel) {
        int slot = elDraw::CreateObject(w, h, elDraw::kMemoryTexture);
        if (slot > 0) {
            for (uint32_t& p : elDraw::GetObjectSurface(slot)->pixels) p = pixel;
        }
        return slot;
    }
    uint32_t& Texel(int slot, int x, int y) { return elDraw::GetObjectSurface(slot)->Row(y)[x]; }

    // A sprite square of the texture's size, as the sprite manager builds it.
    int MakeSprite(int slot) {
        const plat::Surface* s = elDraw::GetObjectSurface(slot);
        int model = el4D::Primitive::Square(1, 1, float(s->width) / 256, float(s->height) / 256, 1, 0);
        el4D::SetModelTexture(model, slot);
        return model;
    }

    // What a sprite pushes to its model before it is drawn (world pixels, y downward).
    void PlaceSprite(int model, float x, float y, float z = 0, float angle = 0, float scaleX = 1,
                     float scaleY = 1, float angleY = 0) {
        el4D::SetModelX(model, x / 256);
        el4D::SetModelY(model, -y / 256);
        el4D::SetModelZ(model, z);
        el4D::SetModelRotX(model, float(std::numbers::pi / 2));
        el4D::SetModelRotY(model, angleY);
        el4D::SetModelRotZ(model, angle);
        el4D::SetModelScaleX(model, scaleX);
        el4D::SetModelScaleY(model, 1);
        el4D::SetModelScaleZ(model, scaleY);
        el4D::ComposeModel(model);
        el4D::ApplyWorld(model);
    }

    void Draw(int model, int mode) {
        el4D::SetBlendMode(mode);
        el4D::RenderModel(model);
        el4D::SetBlendMode(1);
    }

    void Fill(uint32_t pixel) {
        for (uint32_t& p : elDraw::BackBuffer().pixels) p = pixel;
    }
    uint32_t Px(int x, int y) { return elDraw::BackBuffer().Row(y)[x] & 0x00FFFFFFu; }

    static int Channel(uint32_t p, int shift) { return int((p >> shift) & 0xFF); }
    static bool Near(uint32_t a, uint32_t b, int tolerance = 1) {
        for (int s = 0; s < 24; s += 8) {
            if (std::abs(Channel(a, s) - Channel(b, s)) > tolerance) return false;
        }
        return true;
    }

    int light = 0;
};
