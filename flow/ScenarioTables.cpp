#include "flow/ScenarioTables.h"

#include <iterator>

namespace {

// The names' blanks are full-width.
const ScenarioStageEntry kStages[] = {
    {2, 1, "はじまりの　おか", "stage001.stg"},
    {3, 1, "くらい　どうくつ", "stage002.stg"},
    {5, 1, "ハイパーダッシュ　しよう", "stage003.stg"},
    {4, 2, "プロペラひこう　しよう", "stage004.stg"},
    {5, 2, "こうやの　しろ", "stage005.stg"},
    {6, 2, "こうやの　たたかい", "boss001.stg"},
    {7, 2, "らくせき　ちたい", "stage007.stg"},
    {6, 3, "ハリーの　おか", "stage008.stg"},
    {7, 3, "ピンボール　ハウス", "stage009.stg"},
    {6, 4, "ふもとの　どうくつ", "stage010.stg"},
    {7, 4, "そらの　やかた", "stage011.stg"},
    {10, 5, "くもの　うえ", "stage012.stg"},
    {7, 5, "ひこうけい　ニンジャ", "boss002.stg"},
    {7, 6, "ダイ　ドークツ", "stage014.stg"},
    {6, 6, "ファイアーマン", "stage015.stg"},
    {8, 6, "ホリススメ", "stage016.stg"},
    {2, 9, "はいいろの　まち", "stage017.stg"},
    {3, 9, "サンシャイン　おおくぼ", "stage018.stg"},
    {4, 9, "トラップ　マニア", "stage019.stg"},
    {5, 9, "トラップ　ファイト", "boss003.stg"},
    {6, 9, "ようさい　とし", "stage021.stg"},
    {2, 3, "ふしぎの　もり", "stage022.stg"},
    {2, 4, "もりの　ひみつきち", "stage023.stg"},
    {4, 6, "あめの　もり", "stage024.stg"},
    {3, 6, "ハイウェイ　タワー", "stage025.stg"},
    {2, 6, "らいてい", "boss004.stg"},
    {9, 2, "かぜの　そらへ", "stage027.stg"},
    {10, 2, "スカイライン", "stage028.stg"},
    {11, 2, "ほしのかがやく　よるには", "stage029.stg"},
    {13, 2, "だいせつげん", "stage030.stg"},
    {14, 2, "こおりの　どうくつ", "stage031.stg"},
    {15, 2, "あんこうの　たに", "stage032.stg"},
    {13, 3, "スケート　リンク", "stage033.stg"},
    {15, 3, "さんま　まつり", "stage034.stg"},
    {13, 4, "マジック　ガーデン", "stage035.stg"},
    {14, 4, "ちていの　しろ", "stage036.stg"},
    {15, 4, "ゆきやまの　おおあな", "stage037.stg"},
    {14, 5, "ぼうにんげん　リーダー", "boss005.stg"},
    {14, 6, "マカイの　いりぐち", "stage039.stg"},
    {13, 6, "がけの　よこあな", "stage040.stg"},
    {16, 6, "ヒミツの　ごくあくロード", "stage041.stg"},
    {12, 9, "ゴースト　ハウス", "stage042.stg"},
    {12, 8, "かぜの　やま", "stage043.stg"},
    {13, 8, "しゃくねつの　たに", "stage044.stg"},
    {14, 8, "はくぎんの　たに", "stage045.stg"},
    {16, 9, "さいごの　しろ", "stage046.stg"},
    {16, 10, "ラストバトル！", "boss099.stg"},
    {9, 10, "はじまりの　おか　２", "stage048.stg"},
};

// The first rule that holds a cell gives its land; every other cell is land 0.
struct LandRule {
    int left, right, top, bottom, land;
};
constexpr LandRule kLandRules[] = {
    {0, 5, 0, 2, 0},  {6, 6, 2, 2, 0},   {6, 8, 2, 3, 1},   {4, 8, 4, 5, 1},
    {5, 8, 6, 7, 2},  {1, 7, 7, 10, 3},  {1, 2, 3, 5, 4},   {0, 4, 6, 6, 4},
    {9, 11, 0, 7, 5}, {12, 17, 0, 5, 6}, {12, 17, 6, 8, 7}, {8, 17, 9, 11, 7},
};

const ScenarioLand kLands[kScenarioLandCount] = {
    {"コーヤ ランド", "System005", 0, 45, 30, 8},         {"コーゲン ランド", "System005", 64, 45, 30, 8},
    {"ドークツ ランド", "System005", 128, 45, 30, 8},     {"シティ ランド", "System005", 192, 0, 0, 0},
    {"アメノモリ ランド", "System006", 0, 255, 255, 255}, {"テンクー ランド", "System006", 64, 0, 45, 165},
    {"ハクギン ランド", "System006", 128, 0, 45, 165},    {"マカイ ランド", "System006", 192, 255, 255, 255},
};

const ScenarioTreasure kPrizes[] = {
    {4,
     1,
     "TonFar001",
     "GET!! 『トン・ファー』\n\n「ステージを作る・投稿する」\nのモードで、新しく\nこの キャラクターを "
     "配置できます。",
     {"System", "StageObjects001", 192, 32, 224, 64}},
    {12,
     4,
     "Magician001",
     "GET!! 『ぶら下がりマジシャン』\n\nほうきに ぶら下がって\n空を飛ぶ、変わった\n魔法使い です。",
     {"System", "StageObjects001", 224, 128, 256, 160}},
    {1,
     4,
     "SkyMobile001",
     "GET!! 『スカイモービル』\n\n空の強敵、スカイモービル！\n多彩な 兵器を 操ります。",
     {"System", "StageObjects001", 128, 128, 160, 160}},
    {8,
     4,
     "Warp001",
     "GET!! 『ワープ』\n\n触れただけで\n別の地点に 飛ばされます。",
     {"System", "StageObjects002", 192, 0, 224, 32}},
    {9,
     9,
     "EnemyZeroDoor001",
     "GET!! 『敵全滅ドア』\n\n画面内の 敵を全滅させると\n開くドアです。",
     {"System", "StageObjects002", 64, 32, 96, 64}},
    {10,
     1,
     "CustomLift001",
     "GET!! 『カスタムリフト』\n\n軌道を 自在に 設定できる\n足場です。",
     {"System", "StageObjects002", 0, 96, 32, 128}},
    {10,
     9,
     "Stage008",
     "GET!! 『予感…』\n\n棒人間と 戦う前に\n流れる曲です。",
     {"System", "StageObjects002", 128, 32, 160, 64}},
    {10,
     10,
     "Boss001",
     "GET!! 『棒バトル』\n\n棒人間との 戦いで\n流れる曲です。",
     {"System", "StageObjects002", 128, 32, 160, 64}},
    {14,
     3,
     "Fish",
     "GET!! 『さんま祭り』\n\n次々と さんまが 飛んできます。\n「天気」の中から 選べます。",
     {"System", "StageObjects002", 192, 32, 224, 64}},
};

const ScenarioTreasure kDoorKey = {
    -1,
    -1,
    "",
    "GET!! 『扉のカギ』\n\nマップ上の扉パネルを\n１個だけ開けます！\nステージ内では使えません。",
    {"Object", "Objects001", 192, 32, 208, 64}};

struct WarpPair {
    int x1, y1, x2, y2;
};
constexpr WarpPair kWarps[] = {{4, 4, 10, 4}, {1, 9, 8, 7},    {7, 9, 13, 1},
                               {1, 6, 16, 2}, {12, 6, 12, 10}, {8, 10, 15, 10}};

}  // namespace

const ScenarioStageEntry* FindScenarioStage(int x, int y) {
    for (const ScenarioStageEntry& s : kStages)
        if (s.x == x && s.y == y) return &s;
    return nullptr;
}

const ScenarioStageEntry* ScenarioStages(int& count) {
    count = static_cast<int>(std::size(kStages));
    return kStages;
}

int GetScenarioLandNumber(int x, int y) {
    for (const LandRule& r : kLandRules)
        if (x >= r.left && x <= r.right && y >= r.top && y <= r.bottom) return r.land;
    return 0;
}

const ScenarioLand& GetScenarioLand(int land) {
    return kLands[land >= 0 && land < kScenarioLandCount ? land : 0];
}

const ScenarioTreasure& GetScenarioTreasure(int x, int y) {
    for (const ScenarioTreasure& t : kPrizes)
        if (t.x == x && t.y == y) return t;
    return kDoorKey;
}

const ScenarioTreasure* ScenarioPrizes(int& count) {
    count = static_cast<int>(std::size(kPrizes));
    return kPrizes;
}

void GetScenarioWarpDestination(int x, int y, int& toX, int& toY) {
    for (const WarpPair& w : kWarps) {
        if (w.x1 == x && w.y1 == y) {
            toX = w.x2;
            toY = w.y2;
            return;
        }
        if (w.x2 == x && w.y2 == y) {
            toX = w.x1;
            toY = w.y1;
            return;
        }
    }
    toX = 1;
    toY = 1;
}
