#include <gtest/gtest.h>

#include <algorithm>

#include "pulldown/cadence.h"
#include "pulldown/pulldown_engine.h"
#include "pulldown_stream.h"

namespace morvane::pulldown {
namespace {

using testing::PatchedCopy;
using testing::StreamBuilder;

struct Turned {
    std::vector<std::uint8_t> bytes;
    Summary summary;
};

Turned turn(const std::vector<std::uint8_t>& stream, Options options = {}, std::size_t pieceBytes = 1 << 20) {
    PatchedCopy copy(stream);
    PulldownEngine engine(options, copy);
    for (std::size_t at = 0; at < stream.size(); at += pieceBytes)
        engine.scan(std::span(stream).subspan(at, std::min(pieceBytes, stream.size() - at)));
    Summary summary = engine.finish();
    return {copy.bytes, summary};
}

// Closed GOP in coded order I0 P3 B1 B2 P6 B4 B5, then an open GOP whose
// leading B pictures show before its I picture.
StreamBuilder reorderedStream() {
    StreamBuilder s;
    s.sequence().group(1, 0);
    for (int tr : {0, 3, 1, 2, 6, 4, 5}) s.picture(tr);
    s.sequence().group();
    for (int tr : {2, 0, 1, 5, 3, 4}) s.picture(tr);
    s.end();
    return s;
}

TEST(PulldownEngine, FieldFlagsFollowTheCadenceInDisplayOrderAcrossGroups) {
    StreamBuilder s = reorderedStream();
    Turned out = turn(s.bytes);
    std::vector<int> displayed;
    for (std::size_t i = 0; i < s.pictures.size(); ++i) {
        int display = s.pictures[i].temporalReference + (i < 7 ? 0 : 7);
        std::uint8_t flags = out.bytes[s.pictures[i].extensionOffset + 7];
        FieldFlags expected = cadenceFlags(display);
        EXPECT_EQ((flags & 0x80) != 0, expected.topFieldFirst) << "picture shown " << display;
        EXPECT_EQ((flags & 0x02) != 0, expected.repeatFirstField) << "picture shown " << display;
        EXPECT_EQ(flags & 0x41, 0x40) << "other flags kept";
    }
    EXPECT_EQ(out.summary.pictures, 13);
    EXPECT_EQ(out.summary.groups, 2);
    EXPECT_FALSE(out.summary.cutShort);
    EXPECT_EQ(out.bytes.size(), s.bytes.size());
    EXPECT_EQ(out.bytes[7] & 0x0F, 4) << "frame rate 29.97";
    EXPECT_EQ(out.bytes[12 + 5] & 0x08, 0) << "progressive_sequence cleared";
}

// Past 1024 pictures in one GOP the temporal reference starts again; a
// repeated sequence header is turned whatever bytes come before it.
TEST(PulldownEngine, ALongGroupKeepsTheCadenceAndEverySequenceHeaderIsTurned) {
    StreamBuilder s;
    s.sequence().group();
    for (int i = 0; i < 1030; ++i) s.picture(i % 1024);
    // User data holding the byte the frame rate becomes.
    const std::size_t repeated = s.add({0xB2, 0x24, 0x24, 0x24, 0x24, 0x24, 0x24, 0x24}).bytes.size();
    Turned out = turn(s.sequence().end().bytes);
    for (std::size_t i = 0; i < s.pictures.size(); ++i) {
        const FieldFlags expected = cadenceFlags(static_cast<std::int64_t>(i));
        EXPECT_EQ(out.bytes[s.pictures[i].extensionOffset + 7] & 0x82,
                  (expected.topFieldFirst ? 0x80 : 0) | (expected.repeatFirstField ? 0x02 : 0)) << i;
    }
    EXPECT_EQ(out.bytes[repeated + 7] & 0x0F, 4);
}

TEST(PulldownEngine, GroupTimeCodesCountFieldsFromTheFirst) {
    StreamBuilder s = reorderedStream();
    for (DropFrame drop : {DropFrame::no, DropFrame::yes}) {
        Turned out = turn(s.bytes, {ProgressiveFrames::asCoded, drop});
        EXPECT_EQ(readTimeCode(&out.bytes[s.groups[0]]), (TimeCode{1, 0, 0, 0}));
        // Seven pictures before the second GOP show 3+2+3+2+3+2+3 fields.
        EXPECT_EQ(readTimeCode(&out.bytes[s.groups[1]]), (TimeCode{1, 0, 0, 9}));
        EXPECT_EQ(out.bytes[s.groups[1] + 4] >> 7, drop == DropFrame::yes ? 1 : 0);
        EXPECT_EQ(out.bytes[s.groups[1] + 7] & 0x7F, 0x40) << "closed_gop kept";
    }
}

TEST(PulldownEngine, ProgressiveFramesMarksEveryPictureAndItsChroma) {
    StreamBuilder s;
    s.sequence(2, 480, false).group().picture(0).picture(1).end();
    s.bytes[s.pictures[0].extensionOffset + 8] = 0x00;
    EXPECT_THROW(turn(s.bytes), StreamRefused) << "an interlaced frame may not repeat a field";
    Turned marked = turn(s.bytes, {ProgressiveFrames::all, DropFrame::no});
    EXPECT_EQ(marked.bytes[7] & 0x0F, 5) << "24 becomes 30";
    for (const auto& p : s.pictures) {
        EXPECT_EQ(marked.bytes[p.extensionOffset + 8] & 0x80, 0x80);
        EXPECT_EQ(marked.bytes[p.extensionOffset + 7] & 0x01, 0x01);
    }
}

TEST(PulldownEngine, PiecesOfAnySizeGiveTheSameStream) {
    StreamBuilder s = reorderedStream();
    Turned whole = turn(s.bytes);
    for (std::size_t piece : {1, 2, 3, 4, 5, 7, 9, 10, 11, 13, 64}) {
        Turned pieces = turn(s.bytes, {}, piece);
        EXPECT_EQ(pieces.bytes, whole.bytes) << piece << "-byte pieces";
        EXPECT_EQ(pieces.summary.pictures, 13) << piece << "-byte pieces";
    }
}

TEST(PulldownEngine, StreamCutShortKeepsItsTailAndSaysSo) {
    StreamBuilder s = reorderedStream();
    std::size_t inPicture = s.pictures[5].extensionOffset + 12;
    std::size_t inHeader = s.groups[1] + 6;
    for (std::size_t cut : {inPicture, inHeader, s.pictures[5].extensionOffset - 2}) {
        std::vector<std::uint8_t> head(s.bytes.begin(), s.bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        Turned out = turn(head);
        EXPECT_TRUE(out.summary.cutShort) << "cut at " << cut;
        EXPECT_EQ(out.bytes.size(), cut);
    }
    s.bytes.pop_back();
    s.bytes.pop_back();
    s.bytes.pop_back();
    s.bytes.pop_back();
    EXPECT_FALSE(turn(s.bytes).summary.cutShort) << "a whole last picture needs no sequence end";
    EXPECT_FALSE(turn(StreamBuilder().sequence(1, 2801).group().picture(0, 3, false, 175).bytes).summary.cutShort)
        << "past 2800 lines the rows are not counted";
    EXPECT_TRUE(turn(StreamBuilder().sequence().group().picture(0, 3, false, 29).bytes).summary.cutShort)
        << "its last row of slices missing";
    // A piece ending in zeros with a 01 byte after it in memory, not in the stream.
    for (std::size_t zeros = 2; zeros < 34; ++zeros) {
        std::vector<std::uint8_t> memory = reorderedStream().bytes;
        memory.resize(memory.size() + zeros);
        memory.push_back(0x01);
        PatchedCopy copy(memory);
        PulldownEngine engine({}, copy);
        engine.scan(std::span(memory).first(memory.size() - 1));
        EXPECT_FALSE(engine.finish().cutShort) << zeros << " zeros";
    }
}

struct RefusalCase {
    const char* name;
    std::vector<std::uint8_t> stream;
    Refusal expected;
    std::string_view says = {};
};

std::vector<std::uint8_t> transportStream() {
    std::vector<std::uint8_t> ts(3 * 188, 0xFF);
    for (std::size_t at = 0; at < ts.size(); at += 188) ts[at] = 0x47;
    std::copy_n(reorderedStream().bytes.begin(), 20, ts.begin() + 8);
    return ts;
}

TEST(PulldownEngine, RefusesWhatSoftPulldownCannotTurn) {
    std::vector<std::uint8_t> mpeg1 = StreamBuilder().add({0xB3, 0x16, 0x00, 0xF0, 0x21, 0, 0, 0, 0}).group().bytes;
    std::vector<std::uint8_t> oneSyncByte(400, 0x20);
    oneSyncByte[0] = 0x47;
    std::vector<std::uint8_t> pack = StreamBuilder().add({0xBA, 0x44, 0, 0, 0, 0, 0, 0, 0, 0}).bytes;
    const RefusalCase cases[] = {
        {"program stream", pack, Refusal::programStream},
        {"transport stream", transportStream(), Refusal::transportStream},
        {"MPEG-1", mpeg1, Refusal::mpeg1},
        {"MPEG-1, a sequence header alone", std::vector<std::uint8_t>(mpeg1.begin(), mpeg1.begin() + 12), Refusal::mpeg1},
        {"no start code", std::vector<std::uint8_t>(100, 0x20), Refusal::notVideoElementary},
        {"one sync byte", oneSyncByte, Refusal::notVideoElementary},
        {"empty", {}, Refusal::notVideoElementary},
        {"starts with a picture", StreamBuilder().picture(0).bytes, Refusal::notVideoElementary},
        {"29.97", StreamBuilder().sequence(4).bytes, Refusal::rate},
        {"25", StreamBuilder().sequence(3).bytes, Refusal::rate},
        {"30", StreamBuilder().sequence(5).bytes, Refusal::rate, "at 30 pictures a second"},
        {"reserved rate", StreamBuilder().sequence(9).bytes, Refusal::rate, "at a frame rate MPEG-2 does not define"},
        {"rate extension", StreamBuilder().sequence(1, 480, true, 0x01).bytes, Refusal::rate},
        {"repeated field", StreamBuilder().sequence().group().picture(0).picture(1, 3, true).bytes,
         Refusal::repeatedFields},
        {"field picture", StreamBuilder().sequence().group().picture(0, 1).bytes, Refusal::fieldPictures},
        {"720 lines", StreamBuilder().sequence(1, 720).bytes, Refusal::oddMacroblockRows},
        {"240 lines", StreamBuilder().sequence(1, 240).bytes, Refusal::oddMacroblockRows},
        {"later 25", StreamBuilder().sequence().group().picture(0).sequence(3).bytes, Refusal::rate},
    };
    for (const RefusalCase& c : cases) {
        try {
            turn(c.stream);
            ADD_FAILURE() << c.name << " was not refused";
        } catch (const StreamRefused& refused) {
            EXPECT_EQ(refused.kind(), c.expected) << c.name << ": " << refused.what();
            EXPECT_NE(std::string_view(refused.what()).find(c.says), std::string_view::npos) << refused.what();
        }
    }
    EXPECT_FALSE(turn(StreamBuilder().sequence(1, 720, false).group().picture(0, 3, false, 46).bytes).summary.cutShort)
        << "an interlaced sequence already counts its rows in pairs, and its last picture is whole";
}

}  // namespace
}  // namespace morvane::pulldown
