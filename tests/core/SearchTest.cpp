#include "text/Search.h"
#include "TempDir.h"
#include "base/Errors.h"
#include "text/Gb18030.h"
#include "window/HitQueue.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace kestrum;

namespace {

struct Found {
    std::vector<search::Hit> hits;
    std::size_t files = 0;
    bool truncated = false;
};

Found find(const std::string& query, search::Sources sources, bool exactCase = false,
           std::size_t mostHits = search::kMostHits) {
    Found found;
    search::Search run(
        {query, exactCase}, std::move(sources),
        [&](std::vector<search::Hit>&& hits) {
            for (auto& hit : hits)
                found.hits.push_back(std::move(hit));
        },
        mostHits, 2);
    run.wait();
    found.files = run.filesWithHits();
    found.truncated = run.truncated();
    std::sort(found.hits.begin(), found.hits.end(), [](const auto& a, const auto& b) {
        return std::tie(a.file, a.line) < std::tie(b.file, b.line);
    });
    return found;
}

Found find(const std::string& query, const std::vector<std::string>& files, bool exactCase = false,
           std::size_t mostHits = search::kMostHits) {
    return find(query, search::Sources{{}, files}, exactCase, mostHits);
}

} // namespace

TEST(Search, OneQueryFindsProgramTextAndUtf8Files) {
    TempDir dir;
    writeBytes(dir.file("gb.txt"), gb("第一行\r\n这里有收集的文字\r\n"));
    writeBytes(dir.file("utf8.txt"), "收集\n别的\n又收集了\n");
    auto found = find(gb("收集"), search::Sources{{dir.path()}, {}});
    ASSERT_EQ(found.hits.size(), 3u);
    EXPECT_EQ(found.files, 2u);
    EXPECT_EQ(found.hits[0].file, dir.file("gb.txt"));
    EXPECT_EQ(found.hits[0].line, 2u);
    EXPECT_EQ(found.hits[0].text, gb("这里有收集的文字"));
    EXPECT_EQ(found.hits[1].line, 1u);
    EXPECT_EQ(found.hits[2].line, 3u);
    EXPECT_EQ(found.hits[2].text, "又收集了");
}

// 丄 is 81 41: its trail byte is an "A"; 乤 (81 61) holds an "a". Neither
// is the letter, and a query made of the bytes across two characters
// (the trail of one and the lead of the next) finds nothing.
TEST(Search, AHitNeverStartsInsideACharacter) {
    TempDir dir;
    writeBytes(dir.file("a.txt"), gb("丄乤\r\n中文\r\nA here\r\n"));
    auto letters = find("a", {dir.file("a.txt")});
    ASSERT_EQ(letters.hits.size(), 1u);
    EXPECT_EQ(letters.hits[0].line, 3u);
    std::string across = gb("中文").substr(1, 2); // trail of 中, lead of 文
    EXPECT_TRUE(find(across, {dir.file("a.txt")}).hits.empty());
    EXPECT_EQ(find(gb("乤"), {dir.file("a.txt")}).hits.size(), 1u);
    EXPECT_EQ(find(gb("丄"), {dir.file("a.txt")}).hits.size(), 1u);
}

TEST(Search, LettersFoldUnlessTheCaseIsExact) {
    TempDir dir;
    writeBytes(dir.file("c.txt"), "Kestrum\r\nkestrum\r\nKESTRUM\r\n");
    EXPECT_EQ(find("kEsTrUm", {dir.file("c.txt")}).hits.size(), 3u);
    auto exact = find("kestrum", {dir.file("c.txt")}, true);
    ASSERT_EQ(exact.hits.size(), 1u);
    EXPECT_EQ(exact.hits[0].line, 2u);
}

TEST(Search, LinesEndAtCrLfLfOrALoneCrAndTheLastNeedsNoBreak) {
    TempDir dir;
    writeBytes(dir.file("l.txt"), "a\r\nb\nc\rd\r\n\r\nhit");
    writeBytes(dir.file("empty.txt"), "");
    auto found = find("hit", {dir.file("l.txt"), dir.file("empty.txt")});
    ASSERT_EQ(found.hits.size(), 1u);
    EXPECT_EQ(found.hits[0].line, 6u);
    EXPECT_EQ(found.hits[0].text, "hit");
    // Lines that straddle the reading blocks keep their numbers.
    std::string big;
    for (int i = 1; i <= 200000; ++i)
        big += (i % 50000 == 0 ? "needle " : "hay hay hay ") + std::to_string(i) + "\r\n";
    writeBytes(dir.file("big.txt"), big);
    auto far = find("needle", {dir.file("big.txt")});
    ASSERT_EQ(far.hits.size(), 4u);
    EXPECT_EQ(far.hits[3].line, 200000u);
    EXPECT_EQ(far.hits[3].text, "needle 200000");
    EXPECT_THROW(find("", {dir.file("l.txt")}), KestrumError);
}

TEST(Search, TheHitLimitStopsTheSearchAndSaysSo) {
    TempDir dir;
    std::vector<std::string> files;
    for (int f = 0; f < 20; ++f) {
        std::string text;
        for (int i = 0; i < 1000; ++i)
            text += gb("的的\r\n");
        files.push_back(dir.file(std::to_string(f) + ".txt"));
        writeBytes(files.back(), text);
    }
    auto found = find(gb("的"), files, false, 1500);
    EXPECT_EQ(found.hits.size(), 1500u);
    EXPECT_TRUE(found.truncated);
    EXPECT_FALSE(find(gb("的"), {files[0]}).truncated);
}

TEST(Search, ACancelledSearchEndsWithItsThreads) {
    TempDir dir;
    std::vector<std::string> files;
    std::string text(4 << 20, 'x');
    for (int f = 0; f < 40; ++f) {
        files.push_back(dir.file(std::to_string(f) + ".txt"));
        writeBytes(files.back(), text);
    }
    std::size_t calls = 0;
    {
        search::Search run(
            {"absent", false}, files, [&](auto&&) { ++calls; }, search::kMostHits, 2);
        run.cancel();
    } // the destructor joins: nothing runs after this
    EXPECT_EQ(calls, 0u);
}

// The window takes hits in portions; one drain is asked for while any wait.
TEST(HitQueue, OneDrainIsAskedForAndPortionsComeInOrder) {
    HitQueue queue;
    auto hits = [](std::size_t from, std::size_t count) {
        std::vector<search::Hit> made;
        for (std::size_t i = 0; i < count; ++i)
            made.push_back({"f", from + i, ""});
        return made;
    };
    EXPECT_TRUE(queue.push(hits(1, 3)));
    EXPECT_FALSE(queue.push(hits(4, 2))); // a drain is already under way
    auto first = queue.take(4);
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first.front().line, 1u);
    EXPECT_EQ(first.back().line, 4u);
    EXPECT_TRUE(queue.draining());
    EXPECT_EQ(queue.take(4).size(), 1u);
    EXPECT_FALSE(queue.draining());
    EXPECT_TRUE(queue.push(hits(6, 1))); // the drain ended: the next push asks again
    queue.clear();
    EXPECT_FALSE(queue.draining());
    EXPECT_TRUE(queue.take(4).empty());
}

// The scan looks at many places at a time: a hit at any place in a line,
// up to the very end of the file, and needles of one byte are all found.
TEST(Search, AHitIsFoundAtEveryPlaceUpToTheEnd) {
    TempDir dir;
    std::string lines;
    for (std::size_t at = 0; at < 20; ++at)
        lines += std::string(at, 'x') + "key" + std::string(19 - at, 'y') + "\r\n";
    writeBytes(dir.file("places.txt"), lines + "xykey"); // the last hit ends the file
    auto found = find("key", {dir.file("places.txt")});
    ASSERT_EQ(found.hits.size(), 21u);
    for (std::size_t i = 0; i < 21; ++i)
        EXPECT_EQ(found.hits[i].line, i + 1);
    EXPECT_EQ(find("k", {dir.file("places.txt")}).hits.size(), 21u);
    EXPECT_EQ(find("keyx", {dir.file("places.txt")}).hits.size(), 0u);
}

// A line of any length costs bounded memory: past a limit its hit is given
// as a window around the hit, and the lines after it keep their numbers.
TEST(Search, AVeryLongLineGivesAWindowAroundItsHit) {
    TempDir dir;
    std::string half(3 << 19, 'a'); // the hit 1.5 MiB into a 3 MiB line
    writeBytes(dir.file("long.txt"), "x\r\n" + half + "needle" + half + "\r\nneedle\r\n");
    auto found = find("needle", {dir.file("long.txt")});
    ASSERT_EQ(found.hits.size(), 2u);
    EXPECT_EQ(found.hits[0].line, 2u);
    EXPECT_LE(found.hits[0].text.size(), 1024u);
    EXPECT_NE(found.hits[0].text.find("needle"), std::string::npos);
    EXPECT_EQ(found.hits[1].line, 3u);
    EXPECT_EQ(found.hits[1].text, "needle");
}
