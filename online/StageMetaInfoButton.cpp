#include "online/StageMetaInfoButton.h"

#include <memory>

#include "controls/ControlPort.h"
#include "stage/StageCatalogues.h"

namespace Controls {

namespace {

// Cells of the interface sheet: the 8 x 8 stars and the card's two 48 x 64 faces.
constexpr int32_t kStarTop = 80, kStarLit = 224, kStarFlash1 = 232, kStarFlash2 = 240, kStarEmpty = 248;
constexpr int32_t kCardTop = 128, kCardRestLeft = 0, kCardArmedLeft = 48;
constexpr int32_t kPieceWidth = 16, kPieceHeight = 8;
constexpr int32_t kLastTopRow = 32;  // rows up to here copy the face one to one
constexpr int32_t kSink = 2;

constexpr int32_t kWhite[3] = {255, 255, 255};
constexpr int32_t kBrown[3] = {45, 30, 8};

std::unique_ptr<CSpriteTextLabel> Label(const std::string& text, int32_t x, int32_t y, int32_t width,
                                        int32_t height, int32_t size, const int32_t (&color)[3],
                                        int32_t alignment) {
    auto label =
        std::make_unique<CSpriteTextLabel>(text, x, y, width, height, size, color[0], color[1], color[2]);
    label->SetAlignment(alignment);
    return label;
}

}  // namespace

CStarGraph::CStarGraph(int32_t x, int32_t y, int32_t filled)
    : COriginalBasePart(x, y, 100, 8), filled_(filled) {}

int32_t CStarGraph::StarCellLeft(int32_t index) const {
    if (index >= filled_) return kStarEmpty;
    const int32_t f = int32_t(twinkle_) % kTwinklePeriod;
    if (f < 4 || (f >= 8 && f < 12)) return kStarFlash1;
    if (f < 8) return kStarFlash2;
    return kStarLit;
}

void CStarGraph::Draw() {
    twinkle_ += FrameStep();
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    for (int32_t i = 0; i < kStars; ++i) {
        const int32_t left = StarCellLeft(i);
        PutSheet(kSheet9, ax + 10 * i, ay, left, kStarTop, left + 8, kStarTop + 8);
    }
    DrawChildren();
}

int32_t StarCount(double scaled) {
    // Checked before the cast: a rating that is no number, or beyond the row, fills nothing or all.
    if (!(scaled > 0.0)) return 0;
    if (scaled >= 1.0) return CStarGraph::kStars;
    return int32_t(scaled * CStarGraph::kStars);
}

CStageImageIllust::CStageImageIllust(int32_t x, int32_t y, int32_t backGroundNumber)
    : COriginalBasePart(x, y, kWidth, kHeight), backGroundNumber_(backGroundNumber) {}

void CStageImageIllust::Draw() {
    const PreviewImageCell cell = BackGroundPreview(BackGroundIdFromStageNumber(backGroundNumber_));
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    Port().PutImage(ax, ay, cell.group, cell.key, cell.left, cell.top, cell.right, cell.bottom);
    DrawChildren();
}

CStageMetaInfoButton::CStageMetaInfoButton(int32_t x, int32_t y, const std::string& stageId,
                                           const std::string& stageName, const std::string& postedDate,
                                           const std::string& author, int32_t dataSize, double difficulty,
                                           double length, double rating, int32_t backGroundNumber,
                                           bool showRatings)
    : CPushButtonBase(x, y, kWidth, kHeight),
      stageId_(stageId),
      stageName_(stageName),
      postedDate_(postedDate),
      author_(author),
      dataSize_(dataSize),
      showRatings_(showRatings),
      homeX_(x),
      homeY_(y) {
    auto title = Label(stageName, 8, 4, kWidth - 88, 18, 16, kWhite, 1);
    title->SetBold(true);
    GetControls().Add(std::move(title));
    GetControls().Add(Label(postedDate, kWidth - 80, 8, 72, 14, 12, kWhite, 1));
    GetControls().Add(Label("作：" + author, 8, 30, 180, 14, 12, kBrown, 0));
    if (showRatings) {
        const char* const captions[3] = {"難しさ", "長さ", "評価"};
        const double values[3] = {difficulty, length, rating};
        for (int32_t row = 0; row < 3; ++row)
            GetControls().Add(Label(captions[row], 10, 49 + 16 * row, 35, 12, 10, kBrown, 0));
        for (int32_t row = 0; row < 3; ++row) {
            auto stars = std::make_unique<CStarGraph>(42, 50 + 16 * row, StarCount(values[row]));
            stars_[size_t(row)] = stars.get();
            GetControls().Add(std::move(stars));
        }
    }
    GetControls().Add(std::make_unique<CStageImageIllust>(150, 30, backGroundNumber));
}

void CStageMetaInfoButton::Sink() {
    if (down_ == sunk_) return;
    sunk_ = down_;
    const int32_t d = sunk_ ? kSink : 0;
    SetPosition(homeX_ + d, homeY_ + d);
    // The labels keep what lay under them: render them again where they now sit.
    for (int32_t i = 0; i < GetControls().Count(); ++i) {
        if (auto* label = dynamic_cast<CSpriteTextLabel*>(GetControls().At(i))) label->Invalidate();
    }
}

void CStageMetaInfoButton::HandleInput() {
    Sink();
    CPushButtonBase::HandleInput();
}

void CStageMetaInfoButton::UpdateSelf() {
    CPushButtonBase::UpdateSelf();
    Sink();
}

void CStageMetaInfoButton::Draw() {
    if (!IsVisible()) return;
    int32_t fx, fy;
    GetAbsolutePosition(fx, fy);
    if (sunk_) fx -= kSink, fy -= kSink;
    const int32_t blockLeft = sunk_ ? kCardArmedLeft : kCardRestLeft;
    const int32_t width = GetWidth(), height = GetHeight();
    for (int32_t cx = 0; cx < width; cx += kPieceWidth) {
        int32_t sx = blockLeft + 2 * kPieceWidth;
        if (cx == 0) {
            sx = blockLeft;
        } else if (cx < width - kPieceWidth) {
            sx = blockLeft + kPieceWidth;
        }
        for (int32_t cy = 0; cy < height; cy += kPieceHeight) {
            int32_t sy = kCardTop + 7 * kPieceHeight;
            if (cy <= kLastTopRow) {
                sy = kCardTop + cy;
            } else if (cy < height - kPieceHeight) {
                sy = kCardTop + kLastTopRow;
            }
            PutSheet(kSheet9, fx + cx, fy + cy, sx, sy, sx + kPieceWidth, sy + kPieceHeight);
        }
    }
    DrawChildren();
}

}  // namespace Controls
