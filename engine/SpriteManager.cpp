#include "engine/SpriteManager.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "engine/GameState.h"
#include "engine/el/el4D.h"
#include "engine/el/elDraw.h"
#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "foundation/TextConvert.h"

namespace {
constexpr int kIndexLines = 512;
constexpr int kIndexFields = 4;

std::string GroupOf(const std::string& compoundKey) {
    size_t dot = compoundKey.find('.');
    return dot == std::string::npos ? compoundKey : compoundKey.substr(0, dot);
}

[[noreturn]] void ThrowBadKey() { throw CInitFileException("IFE0002", "モデルのキーが不正です。"); }
}  // namespace

// ---------------------------------------------------------------------------------------------
// CSprite

CSprite::CSprite(int modelNumber, int mode) : model(modelNumber), blendMode(mode) {
    if (model > 0) {
        const elDraw::ElObjectSlot* tex = elDraw::GetObjectSlot(el4D::GetModelTexture(model));
        if (tex) {
            width = tex->width;
            height = tex->height;
        }
    }
}

void CSprite::SetAlpha(float a) {
    alpha = a < 0 ? 0.0f : (a > 1 ? 1.0f : a);
    if (model > 0) el4D::SetAlpha(model, alpha);
}

void CSprite::ApplyTransform() {
    if (model <= 0) return;
    el4D::SetModelX(model, x);
    el4D::SetModelY(model, -y);
    el4D::SetModelZ(model, z);
    el4D::SetModelRotX(model, angleX + static_cast<float>(std::numbers::pi / 2.0));
    el4D::SetModelRotY(model, angleY);
    el4D::SetModelRotZ(model, angleZ);
    el4D::SetModelScaleX(model, scaleX);
    el4D::SetModelScaleY(model, depthScale);
    el4D::SetModelScaleZ(model, scaleY);
    el4D::ComposeModel(model);
    el4D::ApplyWorld(model);
    float depth = 0, w = 0;
    el4D::ProjectModel(model, screenX, screenY, depth, w);
}

bool CSprite::IsOnScreen() const {
    const double sw = double(width) * scaleX, sh = double(height) * scaleY;
    const double r = 0.5 * std::sqrt(sw * sw + sh * sh);
    return screenX + r >= 0 && screenX - r <= 640 && screenY + r >= 0 && screenY - r <= 480;
}

void CSprite::Draw() {
    if (model <= 0 || !IsOnScreen()) return;
    el4D::SetBlendMode(blendMode);
    el4D::RenderModel(model);
    el4D::SetBlendMode(1);
}

// ---------------------------------------------------------------------------------------------
// CSpriteManager

void CSpriteManager::OnInstanceCreated() {
    if (!game::GetExitFlag()) Initialise();
}

int CSpriteManager::TextureSizeFor(int w, int h) {
    const int size = w > h ? w : h;
    if (size <= 32) return 32;
    if (size <= 64) return 64;
    if (size <= 128) return 128;
    return 256;
}

std::string CSpriteManager::MakeModelKey(const std::string& group, const std::string& key, int left, int top,
                                         int right, int bottom) {
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "%03d.%03d.%03d.%03d", left, top, right, bottom);
    return group + "." + key + "." + numbers;
}

void CSpriteManager::Initialise() {
    // Everything from an earlier start is forgotten.
    keys_.clear();
    for (auto& r : images_) r = ImageRecord();
    modelMap_.clear();
    for (auto& p : pool_) p = PoolEntry();
    loadGroup_.clear();
    loadPosValid_ = false;
    loaded_ = total_ = 0;

    // Pure green is transparent in every image and texture; textures are point-filtered.
    elDraw::SetColorKey(0x00FF00);
    el4D::MakeTextureColor(0.0f, 1.0f, 0.0f);
    el4D::SetColorKeyEnable(true);
    el4D::SetFilter(1, 1);

    // The colour sample behind every sprite texture.
    const int sample = elDraw::LoadObject("system\\colorSample.bmp", elDraw::kMemoryDriver);
    colorSample_ = elDraw::CreateObject(256, 256, elDraw::kMemoryDriver);
    if (sample && colorSample_) {
        for (int x = 0; x <= 224; x += 32)
            for (int y = 0; y <= 224; y += 32)
                elDraw::PutObjectToObject(colorSample_, x, y, sample, 0, 0, 32, 32);
    }
    if (sample) elDraw::ReleaseObject(sample);

    // The index: one image record per line.
    std::string text;
    const ReadStatus status = ReadEncodedFile("data\\bmp_index.dat", text);
    if (status == ReadStatus::CannotRead) throw CInitFileException("IFE0000", "bmp_index.dat を開けません。");
    if (status != ReadStatus::Ok) throw CInitFileException("IFE0001", "bmp_index.dat が不正です。");
    std::vector<std::string> table;
    if (!ParseCsvText(text, table, kIndexFields, kIndexLines))
        throw CInitFileException("IFE0001", "bmp_index.dat が不正です。");
    // The 512th line is never read: the index holds at most 511 images.
    for (int r = 0; r < kIndexLines - 1; ++r) {
        const std::string& key = CsvCell(table, kIndexLines, 0, r);
        const std::string& path = CsvCell(table, kIndexLines, 1, r);
        if (key.empty() || path.empty()) continue;
        keys_[key] = r + 1;
        ImageRecord& rec = images_[r + 1];
        rec.used = true;
        rec.slot = 0;
        rec.path = path;
        rec.cellWidth = StrToInt(CsvCell(table, kIndexLines, 2, r));
        rec.cellHeight = StrToInt(CsvCell(table, kIndexLines, 3, r));
    }
}

int CSpriteManager::LookUp(const std::string& group, const std::string& key) {
    auto it = keys_.find(group + "." + key);
    if (it == keys_.end() || it->second <= 0 || it->second >= kImageCount || !images_[it->second].used)
        ThrowBadKey();
    ImageRecord& rec = images_[it->second];
    if (rec.slot == 0) rec.slot = elDraw::LoadObject(rec.path, elDraw::kMemoryDriver);
    return it->second;
}

int CSpriteManager::FindImage(const std::string& group, const std::string& key) {
    return images_[LookUp(group, key)].slot;
}

OwnedSprite CSpriteManager::CreateSprite(const std::string& group, const std::string& key, int blendMode,
                                         int left, int top, int right, int bottom) {
    const std::string modelKey = MakeModelKey(group, key, left, top, right, bottom);
    int index = 0;
    auto found = modelMap_.find(modelKey);
    if (found != modelMap_.end()) index = found->second;
    if (index == 0) {
        for (int i = 1; i < kPoolSize; ++i) {
            if (!pool_[i].assigned) {
                index = i;
                break;
            }
        }
        if (index == 0) throw CResourceAccessException("RAE0001", "ポリゴンプールが上限を超えました。");
        modelMap_[modelKey] = index;
        pool_[index].assigned = true;
    }
    PoolEntry& entry = pool_[index];
    if (entry.model == 0) {
        const int slot = images_[LookUp(group, key)].slot;
        const int w = right - left, h = bottom - top;
        const int size = TextureSizeFor(w, h);
        const int texture = elDraw::CreateObject(size, size, elDraw::kMemoryTexture);
        if (texture) {
            if (colorSample_) elDraw::PutObjectToObject(texture, 0, 0, colorSample_, 0, 0, size, size);
            if (slot)
                elDraw::PutObjectToObject(texture, (size - w) / 2, (size - h) / 2, slot, left, top, right,
                                          bottom);
        }
        const float side = static_cast<float>(size) / 256.0f;
        const int model = el4D::Primitive::Square(1, 1, side, side, 1.0f, 0.0f);
        if (model > 0) {
            if (texture) el4D::SetModelTexture(model, texture, false);
            entry.model = model;
            entry.texture = texture;
        } else if (texture) {
            // No model to carry it (the 3-D layer has reported why): the entry stays empty and
            // the next request tries again, so this texture must not stay behind.
            elDraw::ReleaseObject(texture);
        }
    }
    return std::make_unique<CSprite>(entry.model, blendMode);
}

void CSpriteManager::PreBuildCells(const std::string& compoundKey, int id) {
    const ImageRecord& rec = images_[id];
    const int cw = rec.cellWidth, ch = rec.cellHeight;
    if (cw <= 8 || ch <= 8 || cw > 256 || ch > 256) return;
    const std::string group = GroupOf(compoundKey);
    std::string key =
        compoundKey.size() > group.size() ? compoundKey.substr(group.size() + 1) : std::string();
    const size_t dot = key.find('.');
    if (dot != std::string::npos) key.resize(dot);
    // Only the pooled models are wanted: each sprite goes at once.
    for (int x = 0; x + cw <= 256; x += cw)
        for (int y = 0; y + ch <= 256; y += ch) CreateSprite(group, key, 2, x, y, x + cw, y + ch);
}

void CSpriteManager::BeginLoadGroup(const std::string& group) {
    loaded_ = 0;
    loadGroup_ = group;
    loadPos_ = keys_.cbegin();
    loadPosValid_ = true;
    total_ = 0;
    for (const auto& k : keys_)
        if (GroupOf(k.first) == group) ++total_;
}

std::string CSpriteManager::LoadNextImage(const std::string& group) {
    if (!loadPosValid_) {
        loadPos_ = keys_.cbegin();
        loadPosValid_ = true;
    }
    std::string text;
    if (loadPos_ == keys_.cend()) {
        ++loaded_;
        return text;
    }
    while (loadPos_ != keys_.cend()) {
        const auto current = loadPos_++;
        const int id = current->second;
        text = (id > 0 && id < kImageCount) ? images_[id].path : std::string();
        if (GroupOf(current->first) != group) continue;
        if (id > 0 && id < kImageCount && images_[id].used) {
            ImageRecord& rec = images_[id];
            if (rec.slot == 0) rec.slot = elDraw::LoadObject(rec.path, elDraw::kMemoryDriver);
            PreBuildCells(current->first, id);
        }
        break;
    }
    ++loaded_;
    return text;
}

int CSpriteManager::GetLoadPercent() const {
    if (total_ == 0 || loaded_ >= total_) return 100;
    return loaded_ * 100 / total_;
}

void CSpriteManager::Reset() {
    for (auto& p : pool_) {
        if (p.model > 0) el4D::ResetModel(p.model);
        if (p.texture > 0) elDraw::ReleaseObject(p.texture);
        p = PoolEntry();
    }
    for (auto& r : images_) {
        if (r.slot > 0) elDraw::ReleaseObject(r.slot);
        r.slot = 0;
    }
    modelMap_.clear();
}

void CSpriteManager::Release() {
    Reset();
    for (auto& r : images_) r = ImageRecord();
    keys_.clear();
    loadPosValid_ = false;
    if (colorSample_ > 0) elDraw::ReleaseObject(colorSample_);
    colorSample_ = 0;
}

int CSpriteManager::GetImageId(const std::string& compoundKey) const {
    auto it = keys_.find(compoundKey);
    return it == keys_.end() ? 0 : it->second;
}

std::string CSpriteManager::GetImagePath(int id) const {
    return id > 0 && id < kImageCount ? images_[id].path : std::string();
}

int CSpriteManager::GetImageSlot(int id) const { return id > 0 && id < kImageCount ? images_[id].slot : 0; }
int CSpriteManager::GetCellWidth(int id) const {
    return id > 0 && id < kImageCount ? images_[id].cellWidth : 0;
}
int CSpriteManager::GetCellHeight(int id) const {
    return id > 0 && id < kImageCount ? images_[id].cellHeight : 0;
}

int CSpriteManager::GetPoolUsed() const { return static_cast<int>(modelMap_.size()); }

int CSpriteManager::GetPoolIndex(const std::string& modelKey) const {
    auto it = modelMap_.find(modelKey);
    return it == modelMap_.end() ? 0 : it->second;
}

int CSpriteManager::GetPoolModel(int poolIndex) const {
    return poolIndex > 0 && poolIndex < kPoolSize ? pool_[poolIndex].model : 0;
}

// ---------------------------------------------------------------------------------------------

int FindImage(const std::string& group, const std::string& key) {
    return CSpriteManager::GetInstance()->FindImage(group, key);
}

OwnedSprite CreateSprite(const std::string& group, const std::string& key, int blendMode, int left, int top,
                         int right, int bottom) {
    return CSpriteManager::GetInstance()->CreateSprite(group, key, blendMode, left, top, right, bottom);
}
