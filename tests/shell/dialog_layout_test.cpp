// The Linux shell lays its dialogs out from its own table; the Windows build
// compiles resources/waxdrop.rc. This reads the script as text and checks
// that both say the same thing about every dialog and control, in order.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sdl/dialog_layout.h"

namespace {

const std::filesystem::path resources = std::filesystem::path(WAXDROP_SOURCE_DIR) / "resources";

std::string read_file(const std::filesystem::path& p) {
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r\n"), b = s.find_last_not_of(" \t\r\n");
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

// Commas outside string literals split the arguments.
std::vector<std::string> split_args(const std::string& s) {
    std::vector<std::string> out;
    std::string cur;
    bool quoted = false;
    for (char c : s) {
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted) {
            out.push_back(trim(cur));
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!trim(cur).empty()) out.push_back(trim(cur));
    return out;
}

std::string unquote(const std::string& s) {
    if (s.size() < 2 || s.front() != '"') return s;
    std::string out;
    for (size_t i = 1; i + 1 < s.size(); ++i) {
        out += s[i];
        if (s[i] == '"' && s[i + 1] == '"') ++i;  // "" stands for one quote
    }
    return out;
}

struct Script {
    std::map<std::string, int> names{{"IDOK", 1}, {"IDCANCEL", 2}, {"IDC_STATIC", -1}};
    std::string text;

    int value(const std::string& token) const {
        const std::string t = trim(token);
        if (!t.empty() && (std::isdigit(static_cast<unsigned char>(t[0])) || t[0] == '-')) return std::stoi(t, nullptr, 0);
        auto it = names.find(t);
        if (it == names.end()) throw std::runtime_error("unknown name " + t);
        return it->second;
    }
};

Script load_script() {
    Script s;
    s.text = read_file(resources / "waxdrop.rc");
    // Symbolic ids come from the headers the script includes.
    const std::regex include(R"re(#include\s+"([^"]+)")re");
    for (std::sregex_iterator i(s.text.begin(), s.text.end(), include), end; i != end; ++i) {
        std::istringstream header(read_file(resources / (*i)[1].str()));
        std::string line;
        const std::regex define(R"(^\s*#define\s+(\w+)\s+\(?\s*(-?(?:0x[0-9a-fA-F]+|\d+))\s*\)?)");
        std::smatch m;
        while (std::getline(header, line))
            if (std::regex_search(line, m, define)) s.names[m[1]] = std::stoi(m[2], nullptr, 0);
    }
    return s;
}

struct RcControl {
    std::string keyword;
    std::vector<std::string> args;
};

struct RcDialog {
    int x = 0, y = 0, w = 0, h = 0;
    std::string caption, font;
    int points = 0;
    bool topmost = false;
    std::vector<RcControl> controls;
};

bool find_dialog(const Script& s, int id, RcDialog& out) {
    std::istringstream in(s.text);
    std::string line;
    const std::regex head(R"(^\s*(\w+)\s+DIALOG(?:EX)?\s+(.*)$)");
    std::smatch m;
    while (std::getline(in, line)) {
        if (!std::regex_search(line, m, head)) continue;
        int value;
        try {
            value = s.value(m[1]);
        } catch (...) {
            continue;
        }
        if (value != id) continue;
        const auto box = split_args(m[2]);
        out.x = s.value(box.at(0)), out.y = s.value(box.at(1)), out.w = s.value(box.at(2)), out.h = s.value(box.at(3));
        bool body = false;
        while (std::getline(in, line)) {
            const std::string t = trim(line);
            if (t.empty() || t.rfind("//", 0) == 0) continue;
            if (!body) {
                if (t == "BEGIN" || t == "{") body = true;
                else if (t.rfind("CAPTION", 0) == 0) out.caption = unquote(trim(t.substr(7)));
                else if (t.rfind("EXSTYLE", 0) == 0) out.topmost = t.find("WS_EX_TOPMOST") != std::string::npos;
                else if (t.rfind("FONT", 0) == 0) {
                    const auto f = split_args(t.substr(4));
                    out.points = s.value(f.at(0));
                    out.font = unquote(f.at(1));
                }
                continue;
            }
            if (t == "END" || t == "}") return true;
            const bool continues = !out.controls.empty() && !std::isalpha(static_cast<unsigned char>(t[0]));
            if (continues) {  // a statement carried over to the next line
                auto more = split_args(t);
                out.controls.back().args.insert(out.controls.back().args.end(), more.begin(), more.end());
                continue;
            }
            const size_t space = t.find_first_of(" \t");
            out.controls.push_back({t.substr(0, space), split_args(t.substr(space + 1))});
        }
    }
    return false;
}

const char* kind_keyword(ControlKind k) {
    switch (k) {
    case ControlKind::icon: return "ICON";
    case ControlKind::static_text: return "LTEXT";
    case ControlKind::default_button: return "DEFPUSHBUTTON";
    case ControlKind::button: return "PUSHBUTTON";
    case ControlKind::edit: return "EDITTEXT";
    }
    return "?";
}

class DialogAgainstScript : public ::testing::TestWithParam<int> {};

TEST_P(DialogAgainstScript, SameControlsTextsAndPlaces) {
    if (!std::filesystem::exists(resources / "waxdrop.rc"))
        GTEST_SKIP() << "resources/waxdrop.rc is not in this checkout yet; nothing to compare with";
    const Script script = load_script();
    const DialogLayout* table = find_dialog_layout(GetParam());
    ASSERT_NE(table, nullptr);
    RcDialog rc;
    ASSERT_TRUE(find_dialog(script, GetParam(), rc)) << "dialog " << GetParam() << " not in waxdrop.rc";
    EXPECT_EQ(rc.caption, table->caption);
    EXPECT_EQ(rc.font, table->font);
    EXPECT_EQ(rc.points, table->font_points);
    EXPECT_EQ((std::vector<int>{rc.x, rc.y, rc.w, rc.h}), (std::vector<int>{table->x, table->y, table->w, table->h}));
    EXPECT_EQ(rc.topmost, table->topmost);
    ASSERT_EQ(static_cast<int>(rc.controls.size()), table->control_count);
    for (int i = 0; i < table->control_count; ++i) {
        const ControlLayout& want = table->controls[i];
        const RcControl& got = rc.controls[static_cast<size_t>(i)];
        SCOPED_TRACE("control " + std::to_string(i + 1) + " (" + got.keyword + ")");
        EXPECT_EQ(got.keyword, kind_keyword(want.kind));
        // EDITTEXT has no text; ICON names its icon where the others have text.
        const size_t first = want.kind == ControlKind::edit ? 0 : 1;
        ASSERT_GE(got.args.size(), first + 5);
        if (want.kind == ControlKind::icon) EXPECT_EQ(script.value(got.args[0]), std::stoi(want.text));
        else if (want.kind != ControlKind::edit) EXPECT_EQ(unquote(got.args[0]), want.text);
        EXPECT_EQ(script.value(got.args[first]), want.id);
        std::vector<int> box;
        for (size_t k = first + 1; k < first + 5; ++k) box.push_back(script.value(got.args[k]));
        EXPECT_EQ(box, (std::vector<int>{want.x, want.y, want.w, want.h}));
        bool no_prefix = false;
        for (size_t k = first + 5; k < got.args.size(); ++k) no_prefix |= got.args[k].find("SS_NOPREFIX") != std::string::npos;
        EXPECT_EQ(no_prefix, want.no_prefix);
    }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogAgainstScript, ::testing::Values(103, 134, 135),
                         [](const auto& info) { return "dialog_" + std::to_string(info.param); });

}  // namespace
