#include "platform/soft/glyph_table.h"

#include <cstring>
#include <utility>

namespace {

constexpr char magic[4] = {'W', 'X', 'G', 'L'};

void put16(std::vector<uint8_t>& out, int v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, static_cast<int>(v & 0xFFFF));
    put16(out, static_cast<int>(v >> 16));
}

struct Reader {
    const std::vector<uint8_t>& bytes;
    std::size_t at = 0;
    bool ok = true;
    uint32_t take(int size) {
        if (at + static_cast<std::size_t>(size) > bytes.size()) {
            ok = false;
            return 0;
        }
        uint32_t v = 0;
        for (int i = 0; i < size; ++i) v |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
        at += static_cast<std::size_t>(size);
        return v;
    }
    int16_t signed16() { return static_cast<int16_t>(take(2)); }
};

bool fits(const TableGlyph& g, std::size_t coverage) {
    if (g.width < 0 || g.rows < 0) return false;
    return g.offset + static_cast<uint64_t>(g.width) * static_cast<uint64_t>(g.rows) <= coverage;
}

}  // namespace

std::vector<uint8_t> encode_glyph_table(const GlyphTable& t) {
    std::vector<uint8_t> out(magic, magic + 4);
    put16(out, t.ascent);
    put16(out, t.descent);
    put16(out, t.first);
    put16(out, static_cast<int>(t.glyphs.size()));
    for (const TableGlyph& g : t.glyphs) {
        for (const int16_t v : {g.advance, g.left, g.top, g.width, g.rows}) put16(out, v);
        put32(out, g.offset);
    }
    put32(out, static_cast<uint32_t>(t.coverage.size()));
    out.insert(out.end(), t.coverage.begin(), t.coverage.end());
    return out;
}

bool decode_glyph_table(const std::vector<uint8_t>& bytes, GlyphTable& t) {
    if (bytes.size() < 4 || std::memcmp(bytes.data(), magic, 4) != 0) return false;
    Reader in{bytes, 4};
    GlyphTable read;
    read.ascent = in.signed16();
    read.descent = in.signed16();
    read.first = static_cast<char16_t>(in.take(2));
    const uint32_t count = in.take(2);
    for (uint32_t i = 0; i < count && in.ok; ++i) {
        TableGlyph g{};
        g.advance = in.signed16();
        g.left = in.signed16();
        g.top = in.signed16();
        g.width = in.signed16();
        g.rows = in.signed16();
        g.offset = in.take(4);
        read.glyphs.push_back(g);
    }
    const uint32_t size = in.take(4);
    if (!in.ok || bytes.size() - in.at != size) return false;
    read.coverage.assign(bytes.begin() + static_cast<std::ptrdiff_t>(in.at), bytes.end());
    for (const TableGlyph& g : read.glyphs)
        if (!fits(g, read.coverage.size())) return false;
    t = std::move(read);
    return true;
}
