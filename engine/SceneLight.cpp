#include "engine/SceneLight.h"

#include "engine/GameState.h"
#include "engine/el/el4D.h"

namespace {
CSceneLight* g_light = nullptr;
}

CSceneLight* CSceneLight::GetInstance() {
    if (!g_light) {
        g_light = new CSceneLight();
        if (!game::GetExitFlag()) {
            g_light->light_ = el4D::Light::Create(el4D::kLightDirectional);
            g_light->Reset();
        }
    }
    return g_light;
}

void CSceneLight::DeleteInstance() {
    delete g_light;
    g_light = nullptr;
}

void CSceneLight::ResetToWhite() {
    el4D::SetAmbient(0.0f, 0.0f, 0.0f);
    if (light_ < 0) return;
    el4D::SetLightDirection(light_, 0.0f, 0.0f, 1.0f);
    el4D::SetLightDiffuse(light_, 1.0f, 1.0f, 1.0f);
    el4D::ApplyLight(light_);
}
