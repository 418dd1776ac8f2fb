// waxdrop-media scores: what it prints and returns for files the game wrote.

#include <sys/wait.h>

#include <cstdio>

#include "tests/scores/scores_fixture.h"

namespace {

struct ToolRun {
    int status;
    std::string out;
};

ToolRun run_tool(const std::string& args) {
    const std::string command = std::string(WAXDROP_MEDIA_TOOL) + " scores " + args + " 2>/dev/null";
    std::FILE* p = popen(command.c_str(), "r");
    ToolRun run{-1, {}};
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, p)) run.out += buffer;
    const int status = pclose(p);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST_F(ScoresTest, MediaToolPrintsTheDialogLines) {
    set_entry(0, u"Zoë", 2573);
    set_entry(1, u"\u041A", 26);
    set_entry(2, u"", -7);
    save_scores();
    const std::string file = scratch.media("scores.bin");
    ToolRun run = run_tool(file);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "result loaded\n2573: Zoë.\n26: \xD0\x9A.\n-7: .\n");

    std::vector<uint8_t> bytes = read_file(file);
    bytes.resize(500);
    write_file(file, bytes);
    run = run_tool(file);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "result defaults\n0: open.\n0: open.\n0: open.\n");

    EXPECT_EQ(run_tool("").status, 2);
    EXPECT_EQ(run_tool(file + " extra").status, 2);
}

}  // namespace
