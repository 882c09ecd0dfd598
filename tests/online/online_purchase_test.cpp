// A purchase pays and records the item in one save: a failed save changes nothing, and a game
// killed at any moment of a purchase leaves the old or the new state, never points without the
// item.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "foundation/ClientInfo.h"
#include "foundation/EncodedFile.h"
#include "foundation/TextConvert.h"
#include "foundation/XmlNode.h"
#include "shop_env.h"
#include "tests/common/caught_code.h"
#include "tests/common/temp_folder.h"

namespace {

class Purchase : public ::testing::Test {
  protected:
    void SetUp() override {
        CClientInfo::DeleteInstance();
        game.WriteEncoded("network/client_info.dat", shoptest::CreatorClientInfo(1000, 0, ""));
    }
    void TearDown() override { CClientInfo::DeleteInstance(); }

    // The points and the bought items the player's file holds now.
    void ReadStored(int& points, std::vector<std::string>& items) {
        const std::optional<std::string> text = DecodeFileText(game.ReadRaw("network/client_info.dat"));
        ASSERT_TRUE(text.has_value());
        CXmlNode doc("ROOT", 0, *text);
        points = StrToInt(doc.GetByPath("ROOT.clientInfo.network.createrPoint"));
        items.clear();
        for (const std::string& item : SplitString(doc.GetByPath("ROOT.clientInfo.boughtItems"), ','))
            if (!item.empty()) items.push_back(item);
    }

    testsupport::TempGameFolder game;
};

TEST_F(Purchase, PaysAndRecordsInOneSave) {
    CClientInfo* info = CClientInfo::GetInstance();
    info->BuyItem("Ground008", 25);
    info->BuyItem("Opening", 10);
    int points = 0;
    std::vector<std::string> items;
    ReadStored(points, items);
    EXPECT_EQ(points, 965);
    EXPECT_EQ(items, (std::vector<std::string>{"Ground008", "Opening"}));
    // A price equal to the points leaves 0.
    info->BuyItem("DevilBar001", 965);
    EXPECT_EQ(info->GetCreatorPoint(), 0);
}

TEST_F(Purchase, ASaveThatFailsPutsPointsAndItemsBack) {
    CClientInfo* info = CClientInfo::GetInstance();
    info->BuyItem("Opening", 10);
    std::filesystem::remove(game.Full("network/client_info.dat"));
    std::filesystem::create_directories(game.Full("network/client_info.dat/in-the-way"));
    EXPECT_EQ(CaughtCode([&] { info->BuyItem("Ground008", 25); }), "DEF0202");
    EXPECT_EQ(info->GetCreatorPoint(), 990);
    EXPECT_FALSE(info->IsItemBought("Ground008"));
    EXPECT_TRUE(info->IsItemBought("Opening"));
    // Once the file can be written again, the next save holds exactly what is in memory.
    std::filesystem::remove_all(game.Full("network/client_info.dat"));
    info->BuyItem("Spring", 15);
    int points = 0;
    std::vector<std::string> items;
    ReadStored(points, items);
    EXPECT_EQ(points, 975);
    EXPECT_EQ(items, (std::vector<std::string>{"Opening", "Spring"}));
}

// A child process buys items of 1 point each, asking the parent before each purchase. The parent
// lets k purchases start and kills the child with SIGKILL inside the k-th: at once (while it
// saves), or the moment the file on disk first changes (when a purchase saved in two steps would
// have written its first half).
TEST_F(Purchase, KilledDuringAPurchaseTheFileHoldsTheOldOrTheNewStateNeverHalfOfIt) {
    CClientInfo::GetInstance();
    int bought = 0;
    for (int k : {1, 2, 3, 4, 6, 9, 13, 20}) {
        SCOPED_TRACE(k);
        int ask[2], go[2];
        ASSERT_EQ(::pipe(ask), 0);
        ASSERT_EQ(::pipe(go), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            CClientInfo* info = CClientInfo::GetInstance();
            for (int i = 0; i < 1000; ++i) {
                char byte = 'a';
                if (::write(ask[1], &byte, 1) != 1 || ::read(go[0], &byte, 1) != 1) ::_exit(2);
                info->BuyItem("Item" + std::to_string(k) + "_" + std::to_string(i), 1);
            }
            ::_exit(0);
        }
        for (int i = 1; i <= k; ++i) {
            char byte = 0;
            ASSERT_EQ(::read(ask[0], &byte, 1), 1) << "the child ended early";
            if (i == k) break;
            ASSERT_EQ(::write(go[1], &byte, 1), 1);
        }
        const std::string beforeLast = game.ReadRaw("network/client_info.dat");
        const char byte = 'g';
        ASSERT_EQ(::write(go[1], &byte, 1), 1);
        if (k % 2 == 0) {
            for (int spins = 0; spins < 1000000; ++spins) {
                std::string now;
                if (ReadWholeFile(game.Full("network/client_info.dat").string(), now) && now != beforeLast)
                    break;
            }
        }
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        for (int fd : {ask[0], ask[1], go[0], go[1]}) ::close(fd);
        EXPECT_TRUE(WIFSIGNALED(status));

        int points = 0;
        std::vector<std::string> items;
        ReadStored(points, items);
        // Every point spent has its item, and the child got at most k purchases through.
        EXPECT_EQ(points + static_cast<int>(items.size()), 1000);
        const int now = static_cast<int>(items.size()) - bought;
        EXPECT_TRUE(now == k - 1 || now == k) << now;
        bought = static_cast<int>(items.size());
        // The next start reads that state back and sweeps what the killed save left behind.
        RemoveLeftoverTempFiles();
        for (const auto& e : std::filesystem::directory_iterator(game.Full("network")))
            EXPECT_FALSE(IsTempFileName(e.path().filename().string())) << e.path();
        CClientInfo::DeleteInstance();
        EXPECT_EQ(CClientInfo::GetInstance()->GetCreatorPoint(), points);
    }
}

}  // namespace
