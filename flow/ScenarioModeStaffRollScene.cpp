#include "flow/ScenarioModeStaffRollScene.h"

#include <algorithm>

#include "engine/InputManager.h"
#include "engine/Music.h"
#include "engine/SpriteManager.h"
#include "engine/el/DrawHelpers.h"
#include "engine/el/elDraw.h"
#include "foundation/FrameTime.h"
#include "play/Letterbox.h"

namespace {

using CreditLine = CScenarioModeStaffRollScene::CreditLine;
using CastMember = CScenarioModeStaffRollScene::CastMember;

constexpr CreditLine kCredits[] = {
    {232, 16, "- Quorvald -"},
    {712, 16, "- staff -"},
    {952, 16, "- メインプログラム -"},
    {976, 16, "- グラフィック -"},
    {1000, 16, "- サウンド -"},
    {1072, 14, "クオルヴァルド せいさく チーム"},
    {1216, 16, "- ネットワークプログラム -"},
    {1288, 14, "クオルヴァルド ネットワーク はん"},
    {1432, 16, "- スペシャルサンクス -"},
    {1504, 14, "テストプレイヤーの みなさん"},
    {1528, 14, "フリーソフトウェアの かいはつしゃの みなさん"},
    {1552, 14, "フォントの せいさくしゃの みなさん"},
    {1576, 14, "おうえんしてくれた かぞくと ともだち"},
    {1720, 16, "- 投稿ステージの作成 -"},
    {1792, 14, "数え切れない多くのみなさま"},
    {1840, 14, "それから、あ・な・た"},
    {2320, 16, "- 出演 -"},
};

// The enemies' pictures are the editor's character previews, the bosses' pieces of their sheets.
// Every enemy and boss of the character pallet plays one part; the test bosses play none.
constexpr CastMember kCast[] = {
    {"つまようじキッド", "Kid001", "System", "CharImage001", 0, 0, 32, 40, 304},
    {"デビルキッド", "Kid002", "System", "CharImage001", 40, 200, 72, 240, 304},
    {"プッカー", "Pukka001", "System", "CharImage001", 32, 0, 64, 32, 304},
    {"チョップソルジャー", "Chop001 Chop002", "System", "CharImage001", 64, 0, 96, 48, 304},
    {"ガンソルジャー", "Gun001 Gun002", "System", "CharImage001", 64, 0, 96, 48, 304},
    {"赤もやし丸", "Moyashi001", "System", "CharImage001", 96, 0, 120, 32, 308},
    {"青もやし丸", "Moyashi002", "System", "CharImage001", 120, 0, 144, 32, 308},
    {"大リーグ花", "Flower001", "System", "CharImage001", 144, 0, 184, 32, 300},
    {"ばくだん花", "Flower002", "System", "CharImage001", 184, 0, 224, 32, 300},
    {"アイスドレッサー", "IceSculpture001", "System", "CharImage001", 224, 0, 256, 56, 304},
    {"ちくわドリル", "Drill001", "System", "CharImage001", 0, 48, 64, 80, 288},
    {"トン・ファー", "TonFar001", "System", "CharImage001", 64, 48, 128, 128, 288},
    {"グリーン教授", "Professor001", "System", "CharImage001", 128, 32, 160, 80, 304},
    {"あじのひらき", "Fish001 Fish002", "System", "CharImage001", 160, 32, 200, 64, 300},
    {"さんま", "Fish003", "System", "CharImage001", 128, 112, 192, 128, 288},
    {"あんこう", "Fish004", "System", "CharImage001", 128, 128, 192, 160, 288},
    {"回転バット赤", "Bat001", "System", "CharImage001", 0, 80, 32, 112, 304},
    {"回転バット緑", "Bat002", "System", "CharImage001", 32, 80, 64, 112, 304},
    {"イエロースフィア", "Sphere001", "System", "CharImage001", 224, 56, 256, 88, 304},
    {"ホワイトスフィア", "Sphere002", "System", "CharImage001", 224, 88, 256, 120, 304},
    {"ボムキャタピラー", "Caterpillar001 Caterpillar002 Caterpillar003", "System", "CharImage001", 216, 120,
     256, 152, 300},
    {"たなか", "Megane001", "System", "CharImage001", 0, 112, 32, 160, 304},
    {"さとう", "Megane002", "System", "CharImage001", 32, 112, 64, 160, 304},
    {"ミニ竜巻", "Tornado001 Tornado002", "System", "CharImage001", 64, 128, 96, 160, 304},
    {"イチゴムーンサルト", "Ichigo001", "System", "CharImage001", 0, 160, 40, 192, 300},
    {"ハリー", "Needle001", "System", "CharImage001", 168, 160, 216, 192, 296},
    {"タマ・ナ・ゲール", "Nageru001", "System", "CharImage001", 96, 128, 128, 168, 304},
    {"イワ・ナ・ゲール", "Nageru002", "System", "CharImage001", 224, 216, 256, 256, 304},
    {"ぶら下がりマジシャン", "Magician001", "System", "CharImage001", 0, 192, 32, 240, 304},
    {"スカイモービル", "SkyMobile001", "System", "CharImage001", 112, 192, 216, 256, 268},
    {"棒人間グリーン", "BarMan004", "Char", "Boss007_L", 128, 40, 160, 80, 304},
    {"棒人間ピンク", "BarMan005", "Char", "Boss009_L", 200, 40, 240, 80, 304},
    {"棒人間ブルー", "BarMan003", "Char", "Boss006_L", 200, 160, 240, 200, 304},
    {"棒人間イエロー", "BarMan002", "Char", "Boss003_L", 88, 40, 120, 80, 304},
    {"棒人間レッド", "BarMan001", "Char", "Boss002_L", 48, 200, 80, 240, 304},
    {"バット・バット", "DevilBar001", "Char", "Boss011_L", 0, 0, 48, 64, 296},
};

struct CaptionPiece {
    int left, top, right, bottom, x;
};

// The caption band's pieces of "System007" by the roll's timer: shown while from < t <= to.
struct Caption {
    double from, to;
    CaptionPiece pieces[3];
    int count;
};

constexpr Caption kCaptions[] = {
    {1440, 1970, {{0, 0, 256, 32, 192}}, 1},
    {1970, 2600, {{0, 32, 256, 64, 192}}, 1},
    {2600, 3140, {{0, 64, 256, 96, 192}}, 1},
    {3140, 3920, {{0, 96, 256, 128, 192}}, 1},
    {3920, 4520, {{0, 128, 128, 160, 128}, {0, 128, 128, 160, 256}, {128, 128, 256, 160, 384}}, 3},
    {4520, 5300, {{0, 160, 128, 192, 128}, {0, 160, 128, 192, 256}, {128, 160, 256, 192, 384}}, 3},
    {5300, 6480, {{0, 224, 104, 256, 96}, {0, 192, 240, 224, 208}, {112, 224, 208, 256, 448}}, 3},
};

}  // namespace

std::span<const CreditLine> CScenarioModeStaffRollScene::Credits() { return kCredits; }
std::span<const CastMember> CScenarioModeStaffRollScene::Cast() { return kCast; }

void CScenarioModeStaffRollScene::Start() { PlayMusic(MusicId::kEnding, 0, 1.0f, false, false); }

void CScenarioModeStaffRollScene::Update() {
    timer_ += FramesThisFrame();
    if (timer_ > kScrollFrom) scroll_ = std::max(kScrollLimit, scroll_ + kScrollSpeed * GetFrameTime());
    if (fadingIn_) {
        fadeTimer_ += FramesThisFrame();
        if (fadeTimer_ > kFadeInFrames) {
            fadeTimer_ = 0;
            fadingIn_ = false;
        }
    } else if (leaving_) {
        fadeTimer_ += FramesThisFrame();
        if (fadeTimer_ > kLeaveFrames) Close();
    } else if (timer_ > kKeysFrom) {
        const CInputManager* input = CInputManager::GetInstance();
        if (input->IsPushed(kKeyZ) || input->IsPushed(kKeyX) || input->IsMouseLeftPushed()) leaving_ = true;
    }
}

void CScenarioModeStaffRollScene::DrawCreditLine(const std::string& text, double rollY, int fontSize) const {
    const int y = ScreenY(rollY);
    if (y < -4 - fontSize || y > 480) return;
    DrawText(text, 1, y + 1, 640, y + fontSize + 3, 90, 60, 16, kProportionalGothic, fontSize, 0, false, 1);
    DrawText(text, 0, y, 639, y + fontSize + 2, 255, 255, 255, kProportionalGothic, fontSize, 0, false, 1);
}

void CScenarioModeStaffRollScene::DrawCreditImage(int x, double rollY, const char* group, const char* key,
                                                  int left, int top, int right, int bottom) const {
    const int y = ScreenY(rollY);
    if (y + (bottom - top) < 0 || y > 480) return;
    elDraw::PutObject(x, y, FindImage(group, key), left, top, right, bottom);
}

void CScenarioModeStaffRollScene::DrawRoll() const {
    for (const CreditLine& line : kCredits) DrawCreditLine(line.text, line.rollY, line.size);
    for (int n = 0; n < static_cast<int>(std::size(kCast)); ++n) {
        const CastMember& c = kCast[n];
        const double y = kCastTop + kCastStep * n;
        DrawCreditLine(c.name, y, 14);
        DrawCreditImage(c.x, y + kCastPictureDrop, c.group, c.key, c.left, c.top, c.right, c.bottom);
    }
    // The closing notice stands still on the screen once the roll has stopped.
    const double l = kScrollLimit;
    DrawCreditLine("Quorvald for Linux", 200 - l, 16);
    DrawCreditLine("クオルヴァルド せいさく チーム", 216 - l, 16);
    DrawCreditLine("投稿されたステージデータの著作権は、", 248 - l, 16);
    DrawCreditLine("各制作者に帰属します。", 264 - l, 16);
    DrawCreditImage(80, 220 - l, "Char", "Quor001_R", 120, 40, 160, 80);
    DrawCreditImage(520, 220 - l, "Char", "Quor001_L", 200, 0, 240, 40);
}

void CScenarioModeStaffRollScene::DrawFrame() const {
    const int image = FindImage("System", "System001");
    for (int y = 24; y < 456; y += 54) {
        elDraw::PutObject(24, y, image, 98, 64, 136, 88);
        elDraw::PutObject(578, y, image, 98, 64, 136, 88);
    }
}

void CScenarioModeStaffRollScene::DrawCaptions() const {
    if (timer_ <= 1440 || timer_ > 6480) return;
    elDraw::DrawRect(0, 440, 640, 480, 0xFFFFFF, 0xFFFFFF, 1);
    const int image = FindImage("System", "System007");
    for (const Caption& c : kCaptions) {
        if (timer_ <= c.from || timer_ > c.to) continue;
        for (int i = 0; i < c.count; ++i) {
            const CaptionPiece& p = c.pieces[i];
            elDraw::PutObject(p.x, 444, image, p.left, p.top, p.right, p.bottom);
        }
    }
}

void CScenarioModeStaffRollScene::DrawOverlay() {
    DrawRoll();
    DrawFrame();
    DrawCaptions();
    if (fadingIn_)
        DrawLetterbox(std::clamp((kFadeInFrames - fadeTimer_) / 80.0, 0.0, 1.0));
    else if (leaving_)
        DrawLetterbox(std::clamp(fadeTimer_ / 170.0, 0.0, 1.0));
}
