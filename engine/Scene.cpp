#include "engine/Scene.h"

#include "engine/Camera.h"
#include "engine/GameState.h"
#include "engine/Mouse.h"
#include "engine/el/elSystem.h"
#include "foundation/FrameTime.h"

IScene::IScene(IScene* parent) : parent_(parent) {
    CCamera* cam = CCamera::GetInstance();
    camX_ = cam->GetX();
    camY_ = cam->GetY();
    camZoom_ = cam->GetZoomRate();
    camRotation_ = cam->GetRotation();
    camAux_ = cam->GetAuxAngle();
    camMinX_ = cam->GetMinX();
    camMinY_ = cam->GetMinY();
    camMaxX_ = cam->GetMaxX();
    camMaxY_ = cam->GetMaxY();
    CMouse::GetInstance()->Reset();
}

IScene::~IScene() {
    // The child (with the chain above it) goes first, then a scene still waiting to follow it.
    child_.reset();
    waitingChild_.reset();
}

uint32_t IScene::GetClearColor() { return child_ ? child_->GetClearColor() : 0; }

std::string IScene::GetCaption() { return std::string(); }

void IScene::OnChildClosed(IScene*) {}

bool IScene::PushChild(std::unique_ptr<IScene> child) {
    if (!child) return false;
    if (child_) {
        if (child_->closed_ && !waitingChild_) {
            // The closed child is still on its way out (its own code may be running); the
            // new one follows it at the next UpdateTop.
            waitingChild_ = std::move(child);
            return true;
        }
        // The chain stays as it is; the scene handed in goes with `child`.
        return false;
    }
    child_ = std::move(child);
    child_->UpdateWindowTitle();
    child_->Start();
    return true;
}

void IScene::Close() {
    closed_ = true;
    RestoreOwnCameraState();
    if (parent_) parent_->OnChildClosed(this);
}

void IScene::UpdateTop() {
    IScene* s = this;
    for (;;) {
        if (s->child_ && s->child_->closed_) {
            s->child_.reset();
            if (s->waitingChild_) {
                s->child_ = std::move(s->waitingChild_);
                s->child_->UpdateWindowTitle();
                s->child_->Start();
            } else {
                s->UpdateWindowTitle();
                s->Start();
            }
        }
        if (!s->child_) break;
        s = s->child_.get();
    }
    s->Update();
}

IScene* IScene::GetTopScene() {
    IScene* s = this;
    while (s->child_) s = s->child_.get();
    return s;
}

void IScene::DrawTop() { GetTopScene()->Draw(); }

void IScene::DrawTopOverlay() { GetTopScene()->DrawOverlay(); }

void IScene::RestoreCameraState() {
    if (child_) child_->RestoreCameraState();
    RestoreOwnCameraState();
}

void IScene::RestoreOwnCameraState() {
    CCamera* cam = CCamera::GetInstance();
    cam->Reset();
    cam->SetTarget(camX_, camY_, -1.0f);
    cam->SetZoomRate(camZoom_, -1.0f);
    cam->SetRotation(camRotation_);
    cam->SetAuxAngle(camAux_);
    cam->SetBounds(camMinX_, camMinY_, camMaxX_, camMaxY_);
    cam->Update();
}

std::string MakeWindowTitle(const std::string& caption) {
    if (caption.empty()) return game::kProductName;
    return std::string(game::kProductName) + " - " + caption;
}

void IScene::UpdateWindowTitle() { elSystem::SetWindowTitle(MakeWindowTitle(GetCaption())); }
