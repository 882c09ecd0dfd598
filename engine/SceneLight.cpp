#include "engine/SceneLight.h"

#include "engine/GameState.h"
#include "engine/el/el4D.h"

void CSceneLight::OnInstanceCreated() {
    if (game::GetExitFlag()) return;
    light_ = el4D::Light::Create(el4D::kLightDirectional);
    Reset();
}

void CSceneLight::ResetToWhite() {
    el4D::SetAmbient(0.0f, 0.0f, 0.0f);
    if (light_ < 0) return;
    el4D::SetLightDirection(light_, 0.0f, 0.0f, 1.0f);
    el4D::SetLightDiffuse(light_, 1.0f, 1.0f, 1.0f);
    el4D::ApplyLight(light_);
}
