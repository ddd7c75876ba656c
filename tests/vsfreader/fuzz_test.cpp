// Every truncation and many single-byte mutations of a valid file: the reader either succeeds or
// throws ParseError with an offset inside the input. Run under AddressSanitizer in CI, this also
// proves that no input makes it read outside the bytes it was given.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "tests/vsfreader/scene_bytes.h"
#include "tools/vsfreader/reader.h"
#include "tools/vsfreader/stats.h"
#include "tools/vsfreader/text_writer.h"

namespace {

using vsf_test::block;
using vsf_test::header;

std::string sample() {
    return header() + "#print \"banner\"\nversion 9\n\nload \"zylrtopt.so\" {\n\"ext\" on,\n}\n" +
           "group \"g\" {\nflags 0\ncamera xX43616d {\nfov 60\nreflection map \"env\" {\n" +
           "\"radius\" 25,\n}\n}\nobject \"o\" {\ngeometry \"triangles\" {\n\"vertices\" [\n" +
           block<float>('c', {0, 0, 0, 1, 0, 0, 0, 1, 0}) + " ],\n\"triangles\" [\n" +
           block<int32_t>('i', {0, 1, 2}) + " ],\n\"t\" [ 1,2,\n3 ] ,\n}\n" +
           "material \"m\" {\n#define shader 1 zyl_diffuse {\n\"d\" ! \"x\" {\n\"w\" [ " +
           block<double>('r', {0.5}) + "] ,\n},\n\"s\" ! 2,\n}\nsurface 1\nicon bX0a0b\n}\n}\n" +
           "transform 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1\n#error \"e\"\n}\n";
}

// Parses `bytes` and, when that succeeds, runs every consumer of the tree over it.
void read_or_fail_cleanly(const std::string& bytes, const std::string& what) {
    try {
        const vsf::Document doc = vsf::read_bytes(bytes);
        vsf::compute_stats(doc);
        std::ostringstream out;
        vsf::write_text(out, bytes, doc);
    } catch (const vsf::ParseError& error) {
        EXPECT_LE(error.offset(), bytes.size()) << what << ": " << error.what();
    }
}

TEST(Fuzz, EveryTruncationFailsCleanly) {
    const std::string full = sample();
    ASSERT_NO_THROW(vsf::read_bytes(full));
    const std::size_t block_start = full.find('\x01');
    for (std::size_t n = 0; n < full.size(); ++n) {
        const std::string cut = full.substr(0, n);
        read_or_fail_cleanly(cut, "cut at " + std::to_string(n));
        // A file cut inside the first block can never be complete.
        if (n > block_start && n < block_start + 8 + 36) {
            EXPECT_THROW(vsf::read_bytes(cut), vsf::ParseError) << "cut at " << n;
        }
    }
}

TEST(Fuzz, SingleByteMutationsFailCleanly) {
    const std::string full = sample();
    const char replacements[] = {'\0', '\x01', '\x02', '\x03', '"', '{', '}', '[',    ']',
                                 ',',  '!',    '\n',   ' ',    '#', 'x', '-', '\x7f', '\xff'};
    for (std::size_t at = 0; at < full.size(); ++at) {
        for (char c : replacements) {
            std::string mutated = full;
            mutated[at] = c;
            read_or_fail_cleanly(mutated, "byte " + std::to_string(at));
        }
        std::string flipped = full;
        flipped[at] = static_cast<char>(flipped[at] ^ 0x80);
        read_or_fail_cleanly(flipped, "flip at " + std::to_string(at));
        std::string dropped = full;
        dropped.erase(at, 1);
        read_or_fail_cleanly(dropped, "drop at " + std::to_string(at));
    }
}

}  // namespace
