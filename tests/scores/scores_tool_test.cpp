// waxdrop-media scores: what it prints and returns for files the game wrote.

#include <sys/wait.h>

#include <cstdio>

#include "tests/scores/scores_fixture.h"

namespace {

// The tool's exit status; its standard output goes to out.
int run_tool(const std::string& args, std::string& out) {
    const std::string command = std::string(WAXDROP_MEDIA_TOOL) + " scores " + args + " 2>/dev/null";
    std::FILE* p = popen(command.c_str(), "r");
    char buffer[256];
    out.clear();
    while (std::fgets(buffer, sizeof buffer, p)) out += buffer;
    const int status = pclose(p);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(ScoresTest, MediaToolPrintsTheDialogLines) {
    set_table({{u"Zoë", 2573}, {u"\u041A", 26}, {u"", -7}});
    save_scores();
    std::string out;
    EXPECT_EQ(run_tool(file(), out), 0);
    EXPECT_EQ(out, "result loaded\n2573: Zoë.\n26: \xD0\x9A.\n-7: .\n");

    std::vector<uint8_t> bytes = read_file(file());
    bytes.resize(500);
    write_file(file(), bytes);
    EXPECT_EQ(run_tool(file(), out), 1);
    EXPECT_EQ(out, "result defaults\n0: open.\n0: open.\n0: open.\n");

    EXPECT_EQ(run_tool("", out), 2);
    EXPECT_EQ(run_tool(file() + " extra", out), 2);
}

}  // namespace
