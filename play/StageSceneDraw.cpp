// The play scene's drawing: the parallax background layers, the map, the objects and the hero in
// the 3-D pass; the status display, door hint, darkness, letterbox, title, pause panel,
// evaluation screen and game-over text in the overlay.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "engine/Camera.h"
#include "engine/SpriteManager.h"
#include "engine/el/DrawHelpers.h"
#include "engine/el/elDraw.h"
#include "foundation/CreatorLevelTable.h"
#include "foundation/Geometry.h"
#include "foundation/TextEncoding.h"
#include "play/Hero.h"
#include "play/Letterbox.h"
#include "play/ObjectRegistry.h"
#include "play/SpriteBatch.h"
#include "play/StageScene.h"
#include "stage/Stage.h"
#include "stage/StageMap.h"

namespace {

void Fill(int x1, int y1, int x2, int y2, int r, int g, int b) {
    elDraw::DrawRect(x1, y1, x2, y2, Rgb(r, g, b), Rgb(r, g, b), 1);
}

void Put(int slot, int x, int y, int l, int t, int r, int b) {
    if (slot >= 0) elDraw::PutObject(x, y, slot, l, t, r, b);
}

// ---- Background layers ----

struct Cell {
    int l, t, r, b;
};

// The clear colour of each background id 0..21.
constexpr int kSky[22][3] = {
    {0, 0, 0},       {125, 191, 218}, {0, 30, 110},    {125, 191, 218}, {125, 191, 218}, {125, 191, 218},
    {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {0, 0, 0},
    {125, 191, 218}, {0, 30, 110},    {165, 165, 165}, {125, 191, 218}, {0, 30, 110},    {125, 191, 218},
    {165, 165, 165}, {0, 0, 0},       {0, 0, 0},       {0, 0, 0}};

int Mod(int a, int m) { return ((a % m) + m) % m; }

// The grid of 64-pixel cells over which every background is laid out.
struct BackGrid {
    int cols = 0, rows = 0, yOff = 0;
    float X(int c) const { return static_cast<float>(-192 + 64 * (c + 3)); }
    float Y(int k) const { return static_cast<float>(yOff - 256 + 64 * k); }
};

void Add(const BackGrid& g, const std::string& key, int c, int k, const Cell& cell) {
    CSpriteBatch::GetInstance()->AddLayer("BackGround", key, 2, cell.l, cell.t, cell.r, cell.b, g.X(c),
                                          g.Y(k), 0.5f, 0.5f);
}

// Every cell of columns -3..cols+2 and rows [k0, k1) for which `pick` gives one.
template <class Pick>
void Lay(const BackGrid& g, const std::string& key, int k0, int k1, Pick pick) {
    for (int c = -3; c <= g.cols + 2; ++c) {
        const int m = c + 10;  // the column counter of the patterns
        for (int k = std::max(0, k0); k < k1; ++k) {
            const int n = g.rows + 4 - k;  // the row counter, falling downwards
            Cell cell{};
            if (pick(m, n, k, cell)) Add(g, key, c, k, cell);
        }
    }
}

void LayClouds(const BackGrid& g, int rowCount, int top) {
    Lay(g, "BackGround002", 0, rowCount, [top](int m, int n, int, Cell& cell) {
        const int cm = Mod(m, 12), rn = Mod(n, 9);
        if (cm == 0 && rn == 2)
            cell = {0, top, 96, top + 64};
        else if (cm == 4 && rn == 6)
            cell = {112, top, 176, top + 64};
        else if ((cm == 7 && rn == 3) || (cm == 9 && rn == 8))
            cell = {176, top, 256, top + 64};
        else
            return false;
        return true;
    });
}

void LayStars(const BackGrid& g, int rowCount) {
    Lay(g, "BackGround002", 0, rowCount, [](int m, int n, int, Cell& cell) {
        const int cm = Mod(m, 6), rn = Mod(n, 6);
        int i = -1;
        if (cm == 2 && rn == 0)
            i = 0;
        else if (cm == 1 && rn == 3)
            i = 1;
        else if (cm == 4 && rn == 2)
            i = 2;
        else if (cm == 5 && rn == 5)
            i = 3;
        if (i < 0) return false;
        cell = {16 * i, 192, 16 * i + 16, 208};
        return true;
    });
}

void LayCloudBanks(const BackGrid& g, int split, const int (&rowFor)[4]) {
    const auto pick = [&rowFor](bool lower) {
        return [&rowFor, lower](int m, int n, int, Cell& cell) {
            const int cm = Mod(m, 8);
            if (cm % 2 != 0 || Mod(n, 6) != rowFor[cm / 2]) return false;
            const bool wide = cm == 0 || cm == 4;
            if (!lower)
                cell = wide ? Cell{64, 192, 128, 240} : Cell{128, 192, 176, 240};
            else
                cell = wide ? Cell{176, 192, 240, 224} : Cell{208, 224, 240, 248};
            return true;
        };
    };
    Lay(g, "BackGround002", 0, split, pick(false));
    Lay(g, "BackGround002", split, g.rows + 4, pick(true));
}

// Four bottom rows: two rows of alternating cells, then two rows of one filling cell.
void LayBottomBand(const BackGrid& g, const std::string& key, Cell topEven, Cell topOdd, Cell secondEven,
                   Cell secondOdd, Cell fill) {
    Lay(g, key, g.rows, g.rows + 4, [&](int m, int, int k, Cell& cell) {
        const bool even = Mod(m, 2) == 0;
        if (k == g.rows)
            cell = even ? topEven : topOdd;
        else if (k == g.rows + 1)
            cell = even ? secondEven : secondOdd;
        else
            cell = fill;
        return true;
    });
}

void LayTrees(const BackGrid& g) {
    Lay(g, "BackGround009", g.rows - 2, g.rows + 4, [&g](int, int, int k, Cell& cell) {
        const int i = k - (g.rows - 2);
        cell = i < 4 ? Cell{128, 64 * i, 192, 64 * i + 64} : Cell{192, 128, 256, 192};
        return true;
    });
}

void LayGroundBand(const BackGrid& g, const std::string& key) {
    Lay(g, key, g.rows, g.rows + 4, [&g](int m, int, int k, Cell& cell) {
        const int i = Mod(m, 6);
        if (k == g.rows)
            cell = i < 4 ? Cell{64 * i, 0, 64 * i + 64, 64} : Cell{64 * (i - 4), 128, 64 * (i - 4) + 64, 192};
        else if (k == g.rows + 1)
            cell =
                i < 4 ? Cell{64 * i, 64, 64 * i + 64, 128} : Cell{64 * (i - 4), 192, 64 * (i - 4) + 64, 256};
        else
            cell = {128, 128, 192, 192};
        return true;
    });
}

void LayWall(const BackGrid& g, Cell first) {
    const Cell second{first.l, first.t + 64, first.r, first.b + 64};
    Lay(g, "BackGround001", 0, g.rows + 3, [&](int, int, int k, Cell& cell) {
        cell = k == g.rows + 2 ? second : first;
        return true;
    });
}

void LayPoles(const BackGrid& g) {
    Lay(g, "BackGround001", 0, g.rows + 3, [&g](int m, int, int k, Cell& cell) {
        const int i = Mod(m, 7);
        if (i != 0 && i != 2 && i != 4 && i != 5) return false;
        const bool narrow = i == 2 || i == 5;
        const int t = k == g.rows + 2 ? 64 : 0;
        cell = narrow ? Cell{232, t, 256, t + 64} : Cell{192, t, 232, t + 64};
        return true;
    });
}
}  // namespace

void CStageScene::BuildBackground(int id, int w, int h) {
    CSpriteBatch* batch = CSpriteBatch::GetInstance();
    batch->SetBackGroundId(id);
    batch->FreeAll();
    if (id < 1 || id > 21) return;
    BackGrid g;
    g.cols = ((w - 20) / 2 + 20) / 2;
    g.rows = ((h - 15) / 2 + 15) / 2;
    g.yOff = ((h % 4) * 32) / 2;
    if (g.yOff == 0) g.yOff = 64;
    g.yOff -= 32;

    if ((id >= 6 && id <= 11) || id == 19) {
        static constexpr Cell kWalls[] = {{0, 0, 64, 64},    {64, 0, 128, 64},    {128, 0, 192, 64},
                                          {0, 128, 64, 192}, {64, 128, 128, 192}, {128, 128, 192, 192}};
        LayWall(g, id == 19 ? Cell{192, 128, 256, 192} : kWalls[id - 6]);
        return;
    }
    if (id == 20) {
        LayPoles(g);
        return;
    }
    if (id == 21) {
        LayBottomBand(g, "BackGround010", {0, 0, 64, 64}, {64, 0, 128, 64}, {0, 64, 64, 128},
                      {64, 64, 128, 128}, {128, 0, 192, 64});
        return;
    }
    // Outdoor sets.
    if (id == 12) LayClouds(g, g.rows + 4, 0);
    if (id == 1 || id == 3 || id == 15) LayClouds(g, g.rows, 0);
    if (id == 17) LayClouds(g, g.rows - 2, 0);
    if (id == 4 || id == 5) LayClouds(g, g.rows, 128);
    if (id == 2 || id == 16) LayStars(g, g.rows);
    if (id == 13) LayStars(g, g.rows + 4);
    if (id == 18) LayCloudBanks(g, g.rows - 4, {4, 1, 5, 3});
    if (id == 14) LayCloudBanks(g, g.rows - 2, {0, 3, 1, 5});
    if (id == 15)
        LayBottomBand(g, "BackGround009", {0, 0, 64, 64}, {64, 0, 128, 64}, {0, 64, 64, 128},
                      {64, 64, 128, 128}, {192, 0, 256, 64});
    if (id == 16)
        LayBottomBand(g, "BackGround009", {0, 128, 64, 192}, {64, 128, 128, 192}, {0, 192, 64, 256},
                      {64, 192, 128, 256}, {192, 64, 256, 128});
    if (id == 17 || id == 18) LayTrees(g);
    static const char* const kBands[] = {
        "", "BackGround003", "BackGround004", "BackGround005", "BackGround006", "BackGround007"};
    if (id >= 1 && id <= 5) LayGroundBand(g, kBands[id]);
    if (id == 14) LayGroundBand(g, "BackGround008");
}

uint32_t CStageScene::GetBackgroundColor(int id, int fr, int fg, int fb, double level) {
    const int* base = kSky[id >= 0 && id <= 21 ? id : 0];
    const auto mix = [level](int b, int f) { return static_cast<int>(b * (1.0 - level) + f * level); };
    return Rgb(mix(base[0], fr), mix(base[1], fg), mix(base[2], fb));
}

uint32_t CStageScene::GetClearColor() {
    if (IScene* child = GetChild()) return child->GetClearColor();
    return GetBackgroundColor(CurrentBackground(), fadeRed, fadeGreen, fadeBlue, fadeLevel);
}

// ---- 3-D pass ----

void CStageScene::Draw() {
    if (state >= kSceneEvaluation) return;
    CSpriteBatch::GetInstance()->DrawLayers();
    if (CurrentAreaValid()) {
        if (CStageMap* map = stage->GetCurrentArea()->GetMap())
            map->Draw(0, 639, 0, 479, mapAnimTime, stage->openMode == 0);
    }
    CObjectRegistry::GetInstance()->DrawAll();
    if (!hero) return;
    const int t = static_cast<int>(stateTime);
    if (state == kSceneWeaponChange && stateTime > 16 && t % 4 <= 1) hero->DrawEffects(t, t % 8 < 4);
    if (state == kSceneWarpOut) hero->DrawEffectRing(stateTime);
}

// ---- Overlay ----

void CStageScene::DrawOverlay() {
    int hx = -100, hy = -100;
    const CCamera* camera = CCamera::GetInstance();
    if (hero) {
        const float wx = static_cast<float>(hero->centerX), wy = static_cast<float>(hero->GetTop() - 12.0);
        hx = static_cast<int>(camera->WorldToScreenX(wx, wy));
        hy = static_cast<int>(camera->WorldToScreenY(wx, wy));
    }
    const auto status = [&] {
        CObjectRegistry::GetInstance()->DrawAllDebug();
        DrawDarkness();
        if (hero)
            DrawSystemFrame(hero->GetWeapon().health, lives, keyCount, hero->runMeter, 120.0, hx, hy);
        else
            DrawSystemFrame(0, lives, keyCount, 0.0, 120.0, -100, -100);
    };
    const double t = stateTime;
    switch (state) {
        case kScenePlaying:
            CObjectRegistry::GetInstance()->DrawAllDebug();
            if (doorHint) DrawDoorHint();
            DrawDarkness();
            if (hero)
                DrawSystemFrame(hero->GetWeapon().health, lives, keyCount, hero->runMeter, 120.0, hx, hy);
            else
                DrawSystemFrame(0, lives, keyCount, 0.0, 120.0, -100, -100);
            if (playMode == kPlayTest && static_cast<int>(t) % 50 < 25)
                Put(FindImage("Editer", "Controls_006"), 480, 30, 64, 192, 192, 216);
            break;
        case kScenePaused:
            DrawPausePanel();
            break;
        case kSceneWeaponChange:
        case kSceneWarpOut:
        case kSceneBossEntrance:
            status();
            break;
        case kSceneIntro: {
            status();
            DrawLetterbox(std::clamp((180.0 - t) / 90.0, 0.0, 1.0));
            double alpha = 0;
            if (t >= 20 && t < 40)
                alpha = (t - 20) * 0.05;
            else if (t >= 40 && t < 150)
                alpha = 1.0;
            else if (t >= 150 && t < 170)
                alpha = 1.0 - (t - 150) * 0.05;
            const int a = static_cast<int>(std::sin(t * 0.05) * -32.0);
            const int b = static_cast<int>(std::sin(t * 0.05 + 2 * kPi / 3) * -32.0);
            const int c = static_cast<int>(std::sin(t * 0.05 + 4 * kPi / 3) * -32.0);
            DrawStageTitle(alpha, 111 - a, 205 - b, 178 - c);
            break;
        }
        case kSceneAfterRestart:
        case kSceneAreaEntered:
            status();
            DrawLetterbox((1.0 - t / 30.0) * 1.2);
            break;
        case kSceneGoal:
        case kSceneHeroBeaten:
        case kSceneHeroFellOut:
        case kSceneBossDefeated:
        case kSceneFinalBossDefeated:
        case kSceneAreaChange: {
            status();
            const double from = ClosingBarsFrom();
            if (t >= from) DrawLetterbox((t - from) / 30.0 * 1.2);
            break;
        }
        case kSceneEvaluation:
        case kSceneEvaluationSent:
            DrawEvaluation();
            if (state == kSceneEvaluationSent) DrawLetterbox(t / 30.0 * 1.2);
            break;
        case kSceneGameOver:
            DrawGameOver();
            break;
        default:
            break;
    }
}

double CStageScene::ClosingBarsFrom() const {
    switch (state) {
        case kSceneGoal:
            return goalWait * 60.0;
        case kSceneHeroBeaten:
        case kSceneHeroFellOut:
            return beatenWait * 60.0;
        case kSceneBossDefeated:
            return bossClearWait * 60.0;
        default:
            return 0.0;
    }
}

void DrawSystemFrame(int value, int lives, int keys, double meter, double meterMax, int hx, int hy) {
    const int img = FindImage("System", "System001");
    for (int k = 0; k < 5; ++k) {
        const int x = 20 + 32 * k;
        if (value >= 20 * k + 20) {
            Put(img, x, 24, 64, 128, 96, 160);
        } else if (value < 20 * k) {
            Put(img, x, 24, 64, 160, 96, 192);
        } else {
            const int split = 69 + value % 20;
            Put(img, x, 24, 64, 128, split, 160);
            Put(img, x + split - 64, 24, split, 160, 96, 192);
        }
    }
    const auto digits = [img](int n, int x) {
        Put(img, x, 24, 56 + 12 * (n / 10), 192, 68 + 12 * (n / 10), 216);
        Put(img, x + 12, 24, 56 + 12 * (n % 10), 192, 68 + 12 * (n % 10), 216);
    };
    Put(img, 200, 24, 0, 192, 56, 216);
    digits(std::clamp(lives, 0, 99), 256);
    if (keys > 0) {
        Put(img, 300, 24, 176, 192, 208, 216);
        Put(img, 332, 24, 40, 192, 56, 216);
        digits(std::min(keys, 99), 348);
    }
    if (meterMax <= 0) return;
    if (meter >= meterMax) {
        if (static_cast<int>(CCreatorLevelTable::GetInstance()->GetTicks()) % 10 < 5)
            Fill(hx - 41, hy - 3, hx + 41, hy + 2, 251, 243, 195);
        else
            Fill(hx - 40, hy - 2, hx + 40, hy + 1, 243, 219, 101);
    } else if (meter > meterMax / 2) {
        // A full meter fills all 80 pixels, half of it none.
        Fill(hx - 40, hy - 2, hx + 40, hy + 1, 90, 60, 16);
        const int filled = static_cast<int>((meter / meterMax - 0.5) * 160.0);
        Fill(hx - 40, hy - 2, hx - 40 + filled, hy + 1, 243, 219, 101);
    }
}

void CStageScene::DrawDoorHint() {
    if (!hero) return;
    const CCamera* camera = CCamera::GetInstance();
    const float wx = static_cast<float>(hero->GetRight() + 8.0);
    const float wy = static_cast<float>(hero->GetTop() - 32.0 + 4.0 * std::sin(playTime * 0.1));
    Put(FindImage("System", "System001"), static_cast<int>(camera->WorldToScreenX(wx, wy)),
        static_cast<int>(camera->WorldToScreenY(wx, wy)), 96, 160, 168, 184);
}

void CStageScene::DrawDarkness() {
    if (!hero || !CurrentAreaValid() || CurrentBackground() != 0) return;
    const CCamera* camera = CCamera::GetInstance();
    const float wx = static_cast<float>(hero->centerX), wy = static_cast<float>(hero->centerY);
    const int cx = static_cast<int>(camera->WorldToScreenX(wx, wy));
    const int cy = static_cast<int>(camera->WorldToScreenY(wx, wy));
    Put(FindImage("System", "Dark001"), cx - 256, cy - 256, 0, 0, 256, 256);
    Put(FindImage("System", "Dark002"), cx, cy - 256, 0, 0, 256, 256);
    Put(FindImage("System", "Dark003"), cx - 256, cy, 0, 0, 256, 256);
    Put(FindImage("System", "Dark004"), cx, cy, 0, 0, 256, 256);
}

void CStageScene::DrawStageTitle(double alpha, int r, int g, int b) {
    if (!stage || alpha <= 0) return;
    // Everything of the title fades together.
    const auto text = [&](const std::string& s, int left, int top, int bottom, int size) {
        DrawText(s, left, top, 640, bottom, r, g, b, kFixedGothic, size, 0, false, 0, alpha);
    };
    text(stage->name, 50, 140, 184, 30);
    // The underline is as long as the name in the files' encoding: 15 pixels a byte.
    elDraw::BlendRect(50, 178, 50 + 15 * static_cast<int>(Utf8ToCp932(stage->name).size()), 181, Rgb(r, g, b),
                      alpha);
    if (playMode != kPlayNormal) {
        text("  作者：" + stage->GetLatestArranger(), 70, 200, 220, 14);
        text("原作者：" + stage->originalAuthor, 70, 222, 242, 14);
    }
    std::vector<std::string> names;
    std::string rest = stage->arrangedAuthors;
    for (size_t comma; (comma = rest.find(',')) != std::string::npos; rest.erase(0, comma + 1))
        names.push_back(rest.substr(0, comma));
    names.push_back(rest);
    if (names.size() < 3) return;
    int y = 244;
    for (size_t i = 1; i + 1 < names.size() && y < 398; ++i, y += 22)
        text("　　　　" + names[i], 70, y, y + 22, 14);
    if (names.size() > 9) text("　　　　（以下省略）", 70, y, y + 22, 14);
}

void CStageScene::DrawPausePanel() {
    Fill(0, 0, 640, 480, 0, 0, 0);
    const int a = static_cast<int>(std::sin(stateTime * 0.05) * -32.0);
    const int b = static_cast<int>(std::sin(stateTime * 0.05 + 2 * kPi / 3) * -32.0);
    const int c = static_cast<int>(std::sin(stateTime * 0.05 + 4 * kPi / 3) * -32.0);
    DrawStageTitle(1.0, 111 - a, 205 - b, 178 - c);
    const char* help = playMode == kPlayTest
                           ? "F1:中断する  F2:ステージの最初に戻る  SPACE:テストプレイを再開する"
                           : "F1:中断する  SPACE:ゲームを再開する";
    DrawText(help, 20, 457, 620, 480, 255, 255, 255, kFixedGothic, 14, 0, false, 2);
}

void CStageScene::DrawEvaluation() {
    const int img = FindImage("System", "System002");
    const int shift = static_cast<int>(evaluationTime / 3) % 64;
    for (int y = -64; y < 480; y += 64)
        for (int x = -64; x < 640; x += 64) Put(img, x + shift, y + shift, 0, 192, 64, 256);
    const int r = static_cast<int>(evaluationTime) % 36;
    Cell lit{128, 0, 192, 64};
    if ((r >= 1 && r <= 3) || (r >= 7 && r <= 9))
        lit = {64, 0, 128, 64};
    else if (r >= 4 && r <= 6)
        lit = {0, 0, 64, 64};
    for (int i = 0; i < 5; ++i) {
        const Cell& cell = 20 * (i + 1) <= evaluation ? lit : Cell{192, 0, 256, 64};
        Put(img, 128 + 80 * i, 208, cell.l, cell.t, cell.r, cell.b);
    }
    if (static_cast<int>(evaluationTime) % 18 >= 9)
        Put(img, 64, 88, 0, 168, 48, 192);
    else
        Put(img, 64, 88, 0, 144, 48, 168);
    Put(img, 120, 80, 0, 64, 256, 144);
    Put(img, 380, 340, 88, 168, 256, 256);
}

void CStageScene::DrawGameOver() {
    const double t = stateTime;
    if (t <= 10) return;
    int w = 192;
    if (t < 20)
        w = 26;
    else if (t < 30)
        w = 48;
    else if (t < 50)
        w = 70;
    else if (t < 60)
        w = 92;
    else if (t < 70)
        w = 114;
    else if (t < 80)
        w = 144;
    else if (t < 90)
        w = 162;
    const int img = FindImage("System", "System001");
    Put(img, 224, 224, 0, 224, w, 256);
    if (t > 115) Put(img, 416, 216, 192, 216, 240, 256);
}
