#include "stage/StageAreaObject.h"

#include <string_view>

#include <charconv>
#include <cstdio>
#include <utility>

#include "stage/Stage.h"
#include "stage/StageSprite.h"

namespace {
const char kSystemGroup[] = "System";
const char kBackdropImage[] = "StageObjects001";
}  // namespace

CStageAreaObject::CStageAreaObject(CStage* stage, CStageArea* area, CStageAreaObjectTable* table, int x,
                                   int y)
    : ownerStage(stage), ownerArea(area), ownerTable(table), tileX(x), tileY(y) {
    tileBackdrop = stagesprite::Create(kSystemGroup, kBackdropImage, 2, 0, 0, 32, 32);
    stagesprite::SetAlpha(tileBackdrop.get(), 0.5f);
    problemMarker = stagesprite::Create(kSystemGroup, kBackdropImage, 2, 32, 0, 64, 32);
}

CStageAreaObject::~CStageAreaObject() = default;

std::string CStageAreaObject::GetInfoText() { return name; }

LiveObjectSpec CStageAreaObject::GetStartObjectSpec(bool) { return {}; }

void CStageAreaObject::DrawEditorImage() { DrawEditorImages(kindImage.get(), 1.0f, true); }

void CStageAreaObject::DrawEditorOverlay() { DrawEditorImages(kindImage.get(), 0.5f, false); }

void CStageAreaObject::DrawEditorImages(CSprite* image, float alpha, bool withBackdrop) {
    if (withBackdrop && tileBackdrop) stagesprite::Draw(tileBackdrop.get());
    if (image) {
        stagesprite::SetAlpha(image, alpha);
        stagesprite::Draw(image);
    }
    if (problemMarker && !GetProblemText().empty()) stagesprite::Draw(problemMarker.get());
}

void CStageAreaObject::DrawExtentFrame() {}

std::string CStageAreaObject::GetProblemText() { return std::string(); }

bool CStageAreaObject::IsLocked() { return false; }

void CStageAreaObject::RefreshImages() {
    // A tile read from a file may lie anywhere in the int range.
    const float x = static_cast<float>(static_cast<double>(tileX) * 32 + 16) * stagesprite::kUnitsPerPixel;
    const float y = static_cast<float>(static_cast<double>(tileY) * 32 + 16) * stagesprite::kUnitsPerPixel;
    stagesprite::SetPosition(tileBackdrop.get(), x, y, 0.0f);
    stagesprite::SetPosition(kindImage.get(), x, y, -0.001f);
    stagesprite::SetPosition(problemMarker.get(), x, y, -0.002f);
}

void CStageAreaObject::SetAttributes(double v1, double v2, double v3, double v4) {
    a1 = v1;
    a2 = v2;
    a3 = v3;
    a4 = v4;
}

void CStageAreaObject::SetText(const std::string& t) {
    // The objects text has no escape: a ':' or '|' in a text would break its area's record list.
    std::string safe;
    safe.reserve(t.size());
    for (char c : t) {
        if (c == ':') {
            safe += "：";
        } else if (c == '|') {
            safe += "｜";
        } else {
            safe += c;
        }
    }
    text = std::move(safe);
}

void CStageAreaObject::SetPosition(int x, int y) {
    tileX = x;
    tileY = y;
    RefreshImages();
}

std::string CStageAreaObject::ToText() const {
    char buf[64];
    std::string out = key;
    std::snprintf(buf, sizeof buf, ":%d:%d", tileX, tileY);
    out += buf;
    // The "%f" form: fixed, six digits after the point (up to ~320 characters).
    std::string numbers;
    bool allZero = true;
    for (double v : {a1, a2, a3, a4}) {
        char num[400];
        const std::to_chars_result r = std::to_chars(num, num + sizeof num, v, std::chars_format::fixed, 6);
        numbers += ':';
        numbers.append(num, r.ptr);
        // A value that writes as zero reads back as zero: the record is the short one then.
        allZero =
            allZero && std::string_view(num, static_cast<size_t>(r.ptr - num)).find_first_not_of("-0.") ==
                           std::string_view::npos;
    }
    if (!allZero || !text.empty()) {
        out += numbers;
        out += ':';
        out += text;
    }
    out += '|';
    return out;
}

int CStageAreaObject::CutToInt(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return 2147483647;
    if (v <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(v);
}

void CStageAreaObject::SetKindImage(const std::string& imageKey, int left, int top, int right, int bottom) {
    kindImage.reset();  // the old image goes before the new one is made
    kindImage = stagesprite::Create(kSystemGroup, imageKey, 2, left, top, right, bottom);
}

LiveObjectSpec CStageAreaObject::LiveSpec(const std::string& className, int x, int y, LiveObjectArgs args) {
    return {className, static_cast<double>(x), static_cast<double>(y), std::move(args)};
}

// ---- Door base ---------------------------------------------------------------------------

CStageAreaObject_DoorBase::CStageAreaObject_DoorBase(CStage* stage, CStageArea* area,
                                                     CStageAreaObjectTable* table, int x, int y)
    : CStageAreaObject(stage, area, table, x, y) {}

CStageAreaObject_DoorBase::~CStageAreaObject_DoorBase() = default;

int CStageAreaObject_DoorBase::FindTargetAreaSlot() const {
    if (!ownerStage) return -1;
    const int target = CutToInt(a1);
    for (int i = 0; i < ownerStage->GetAreaCount(); ++i) {
        const CStageArea* area = ownerStage->GetArea(i);
        if (area && area->absoluteAreaNum == target) return i;
    }
    return -1;
}

std::string CStageAreaObject_DoorBase::GetProblemText() {
    if (FindTargetAreaSlot() >= 0) return std::string();
    return "移動先エリアが削除されています！";
}

std::string CStageAreaObject_DoorBase::GetInfoText() {
    std::string problem = GetProblemText();
    if (!problem.empty()) return problem;
    const int slot = FindTargetAreaSlot();
    const CStageArea* area = ownerStage->GetArea(slot);
    char buf[96];
    std::snprintf(buf, sizeof buf, "  移動先：エリア%d (%d,%lld)", slot + 1, CutToInt(a2),
                  static_cast<long long>(area->GetHeight()) - CutToInt(a3) - 1);
    return name + buf;
}
