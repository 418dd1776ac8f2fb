// A save killed at any moment never costs the player the table: a child
// process saves table after table while the parent kills it (SIGKILL) at a
// random moment, then loads scores.bin as the next start-up would. The file
// must load as a table that was written whole (the last one the child
// finished, or the one it was putting in place), never the defaults and never
// a mix; a temporary file left behind must not disturb that load or the next
// save.
//
// WAXDROP_KILL_ROUNDS sets the number of kills (default 150).

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "scores/scores.h"
#include "tests/support/test_support.h"

namespace {

// Table number k: scores and names that change with k, with 0x0A units in
// both so the file's line-end doubling moves every later byte.
ScoreTable table_number(uint32_t k) {
    ScoreTable t{};
    for (int i = 0; i < 3; ++i) {
        ScoreEntry& e = t.entries[i];
        const std::string name = "p" + std::to_string(k) + "\n" + std::to_string(i);
        for (size_t c = 0; c < name.size(); ++c) e.name[c] = static_cast<char16_t>(name[c]);
        e.score = static_cast<int32_t>(k * 10 + 0x0A - i);
    }
    return t;
}

// Forget the table and read the file as the next start-up would: is it table k?
bool loads_table(uint32_t k) {
    const ScoreTable want = table_number(k);
    std::memset(&score_table, 0, sizeof score_table);
    load_scores();
    return std::memcmp(&score_table, &want, sizeof want) == 0;
}

// The child: save tables first, first + 1, ... for ever, publishing the
// number of each one after save_scores returned.
[[noreturn]] void save_forever(uint32_t first, std::atomic<uint32_t>* done) {
    for (uint32_t k = first;; ++k) {
        score_table = table_number(k);
        save_scores();
        done->store(k, std::memory_order_seq_cst);
    }
}

}  // namespace

TEST(ScoreFileKill, EveryKillLeavesAWholeTable) {
    const char* rounds_text = std::getenv("WAXDROP_KILL_ROUNDS");
    const int rounds = rounds_text ? std::atoi(rounds_text) : 150;
    ScratchDir scratch;
    const std::string file = scratch.media("scores.bin");
    const std::string temp = scratch.media("scores.bin.tmp");
    auto* done = static_cast<std::atomic<uint32_t>*>(
        mmap(nullptr, sizeof(std::atomic<uint32_t>), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(done, MAP_FAILED);

    score_table = table_number(1);
    save_scores();
    uint32_t on_disk = 1;  // the newest table known to be whole in the file
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> wait_us(0, 25000);
    int last_done = 0, in_flight = 0, before_first = 0, temp_left = 0;
    for (int round = 0; round < rounds; ++round) {
        done->store(on_disk, std::memory_order_seq_cst);
        std::fflush(nullptr);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) save_forever(on_disk + 1, done);
        usleep(static_cast<useconds_t>(wait_us(random)));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        const uint32_t finished = done->load();
        temp_left += file_exists(temp);
        if (loads_table(finished)) {
            ++(finished == on_disk ? before_first : last_done);
            on_disk = finished;
        } else if (loads_table(finished + 1)) {
            ++in_flight;  // renamed into place, killed before it said so
            on_disk = finished + 1;
        } else {
            FAIL() << "round " << round << ": scores.bin is neither table " << finished << " nor " << finished + 1;
        }
    }
    // The next save after a kill still works, whatever was left behind.
    score_table = table_number(on_disk + 1);
    save_scores();
    EXPECT_TRUE(loads_table(on_disk + 1));
    EXPECT_FALSE(file_exists(temp));
    munmap(done, sizeof(std::atomic<uint32_t>));
    std::printf("%d kills: %d after a finished save, %d with the next table already in place, "
                "%d before the child's first save finished; a temporary file left by %d; "
                "%u tables saved in all\n",
                rounds, last_done, in_flight, before_first, temp_left, on_disk);
    // The kills must land at different moments for the test to mean much.
    EXPECT_GT(last_done, 0);
}
